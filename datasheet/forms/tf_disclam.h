#pragma once
// The disclaimer window shown once at start-up, modally, and deleted after.
#include <QDialog>

class QAction;
class QFrame;
class QMenuBar;
class QPlainTextEdit;

class TFDisclam : public QDialog {
    Q_OBJECT
public:
    // Becomes FDisclam.
    explicit TFDisclam(QWidget* owner);
    ~TFDisclam() override;

    void Close1Click();

    QMenuBar* MainMenu1;
    QAction* Close1;
    QFrame* Bevel1;
    QPlainTextEdit* Memo1;
};

extern TFDisclam* FDisclam;

// Shows the disclaimer over `owner` modally, as each program does once its
// main window is up; `form` names the window while it is open.
void execDisclaimer(QWidget& owner, TFDisclam*& form);
