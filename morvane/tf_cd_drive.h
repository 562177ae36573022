#pragma once
// "Drive": picks the CD-ROM whose county lists re-create the county index
// in the index editor.
#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;

class TFCdDrive : public QDialog {
    Q_OBJECT
public:
    explicit TFCdDrive(QWidget* parent = nullptr);
    ~TFCdDrive() override;

    QLabel* Label1 = nullptr;
    QComboBox* DrivesCombo = nullptr;
    QPushButton* Okay = nullptr;
    QPushButton* Cancel = nullptr;

    void OkayClick();
    void CancelClick();
    // Adds one state's county entries to the index editor.
    void ReadCountyFile(const std::string& directoryName);
};

extern TFCdDrive* FCdDrive;
