#pragma once
// "Update Status": the messages of the run's SAVEs, with OK to hide it.
#include <QWidget>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace pellorin {

class TFTheEnd : public QWidget {
    Q_OBJECT
public:
    // Becomes FTheEnd.
    explicit TFTheEnd(QWidget* parent = nullptr);
    ~TFTheEnd() override;

    void Button1Click();
    // Adds a message; "\r\n" in it breaks the line.
    void AddMessage(const std::string& text);

    QPlainTextEdit* TheEndMemo = nullptr;
    QPushButton* Button1 = nullptr;
};

extern TFTheEnd* FTheEnd;

} // namespace pellorin
