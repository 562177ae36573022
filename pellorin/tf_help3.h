#pragma once
// The help window of the Station Lists window's Help button that explains
// SAVE and UNDO: one memo of text.
#include <QWidget>

class QPlainTextEdit;

namespace pellorin {

class TFHelp3 : public QWidget {
    Q_OBJECT
public:
    // Becomes FHelp3.
    explicit TFHelp3(QWidget* parent = nullptr);
    ~TFHelp3() override;

    QPlainTextEdit* Memo1 = nullptr;
};

extern TFHelp3* FHelp3;

} // namespace pellorin
