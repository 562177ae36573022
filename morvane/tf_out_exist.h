#pragma once
// "Existing Files": before a split, lists the pieces already lying in the
// output directory and asks whether to delete them or cancel the run.
#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFOutExist : public QDialog {
    Q_OBJECT
public:
    explicit TFOutExist(QWidget* parent = nullptr);
    ~TFOutExist() override;

    QLabel* Panel1 = nullptr;
    QPlainTextEdit* ExistMemo = nullptr;
    QPushButton* OkDelete = nullptr;
    QPushButton* CancelRun = nullptr;

    // Mode 1: numbered pieces (dsdata.NNN); 0: PID pieces (<PID>.out).
    // Lists those of the output directory and, when there are any, asks.
    void CheckExistingFiles(int mode);
    // 1: the split may run; 0: the user cancelled or a piece could not be deleted.
    int GetProceed() const { return Proceed; }

    void OkDeleteClick();
    void CancelRunClick();

private:
    int Proceed = 1;
    std::string directory_;
    std::vector<std::string> listed_;
};

extern TFOutExist* FOutExist;
