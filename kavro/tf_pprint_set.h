#pragma once
// "Plot Print": the two correctors (printer pixels added to every printed
// label's x and y) and Print, which prints the plot on one page and leaves
// the dialog open.
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TFPPrintSet : public QWidget {
    Q_OBJECT
public:
    explicit TFPPrintSet(QWidget* parent = nullptr);
    ~TFPPrintSet() override;

    // Controls (names as in the window's layout).
    QPushButton* Print = nullptr;
    QPushButton* Help = nullptr;
    QPushButton* Cancel = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* WOffsetBox = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* HOffsetBox = nullptr;

    void PrintClick();
    void HelpClick();
    void CancelClick();
};

extern TFPPrintSet* FPPrintSet;
