#pragma once
// "I/O Files": after a split, the file that was split and the pieces the
// output directory now holds.
#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFOutFiles : public QWidget {
    Q_OBJECT
public:
    explicit TFOutFiles(QWidget* parent = nullptr);
    ~TFOutFiles() override;

    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QPlainTextEdit* OutMemo = nullptr;
    // The bottom panel, holding Okay.
    QFrame* Panel3 = nullptr;
    QPushButton* Okay = nullptr;

    // Mode 1: numbered pieces; 0: PID pieces. Shown only when there are any.
    void ListOutputFiles(int mode);
    void OkayClick();
};

extern TFOutFiles* FOutFiles;
