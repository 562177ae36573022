#pragma once
// "TARGET LOCATION": the modal dialog in which a split picks the directory
// that receives its pieces or holds the index file. Okay keeps the chosen
// directory in OutDir until the next Okay; closing the dialog otherwise
// answers Cancel and keeps it.
#include <QDialog>

#include <string>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TFOutDir : public QDialog {
    Q_OBJECT
public:
    explicit TFOutDir(QWidget* parent = nullptr);
    ~TFOutDir() override;

    QLabel* Label1 = nullptr;
    QTreeView* OutDirList = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* IndexFileName = nullptr;
    QPushButton* Okay = nullptr;

    void OkayClick();

    void SetOutDir(const std::string& dir) { OutDir = dir; }
    std::string GetOutDir() const { return OutDir; }
    void SetOutDirIndex(int index) { OutDirIndex = index; }
    int GetOutDirIndex() const { return OutDirIndex; }

    // Selects the directory in OutDirList (and shows it).
    void SelectDirectory(const std::string& path);
    // The directory selected in OutDirList; empty when none is.
    std::string SelectedDirectory() const;

private:
    QFileSystemModel* model_ = nullptr;
    std::string OutDir;
    int OutDirIndex = 0;
};

extern TFOutDir* FOutDir;
