#pragma once
// The "Disk" window: the user browses the disks and collects datasheet
// files into MorvaneMemo, each tested with the header test first; the
// memo's lines are the inputs of a join started by this window's RUN.
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QTreeView;
namespace platform {
class FilePicker;
}
class QPlainTextEdit;
class QPushButton;

class TFDisk : public QWidget {
    Q_OBJECT
public:
    explicit TFDisk(QWidget* parent = nullptr);
    ~TFDisk() override;

    // The picker and its controls (names as in the window's layout).
    platform::FilePicker* Picker = nullptr;
    QComboBox* DriveComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QListWidget* FileListBox = nullptr;
    QLabel* Label3 = nullptr;
    QPlainTextEdit* MorvaneMemo = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* FilterBtn = nullptr;
    QPushButton* RunBtn = nullptr;

    // Handlers.
    void CreateForm();
    // A click on a file of the file list.
    void GrabFile(const std::string& path);
    // "Select All": the file list's files from the first, up to the first
    // one that is not a datasheet file.
    void GrabAllFiles();
    void Button2Click();
    void FilterBtnClick();
    void RunBtnClick();

    // The full paths of the file list's entries, in list order.
    std::vector<std::string> FileListPaths() const;

private:
    void notRecognized(const char* indent, const std::string& path);
};

extern TFDisk* FDisk;
