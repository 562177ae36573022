#pragma once
// The help window of the Station Lists window's Help button that explains
// the two lists and Commit: one memo of text.
#include <QWidget>

class QPlainTextEdit;

namespace pellorin {

class TFHelp2 : public QWidget {
    Q_OBJECT
public:
    // Becomes FHelp2.
    explicit TFHelp2(QWidget* parent = nullptr);
    ~TFHelp2() override;

    QPlainTextEdit* Memo1 = nullptr;
};

extern TFHelp2* FHelp2;

} // namespace pellorin
