#pragma once
// "OUTPUT FILE PREFIX": whether a split of one station per file names its
// pieces after the station's PID or numbers them.
#include <QDialog>

class QPushButton;
class QRadioButton;

class TFPrefix : public QDialog {
    Q_OBJECT
public:
    explicit TFPrefix(QWidget* parent = nullptr);
    ~TFPrefix() override;

    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* Okay = nullptr;

    void OkayClick();
    void RadioButton1Click();
    void RadioButton2Click();
    // 0: pieces named after the PID; 1: numbered dsdata pieces.
    void SetPrefixMode(int mode) { PrefixMode = mode; }
    int GetPrefixMode() const { return PrefixMode; }

private:
    int PrefixMode = 1;
};

extern TFPrefix* FPrefix;
