#pragma once
// Pellorin's main window: the title, then (after Start) the OLD and the
// UPDATE file's pickers side by side, their path boxes and UPDATE, which
// checks both files, compares their retrieval dates, loads both station
// lists and opens the Station Lists window. It keeps the program's paths
// and the lists of the UPDATE.
#include <QMainWindow>

#include <string>
#include <vector>

#include "pellorin/core/merge.h"
#include "pellorin/core/station_lists.h"
#include "platform/file_identity.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPushButton;
class QTreeView;

namespace platform {
class FilePicker;
}

namespace pellorin {

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    // Becomes FMain; shows the disclaimer modally before it returns.
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    // Controls (names as in the window's layout).
    QMenuBar* MainMenu1 = nullptr;
    QAction* Start1 = nullptr;
    QAction* Help1 = nullptr;
    QLabel* Title = nullptr;
    QLabel* Label2 = nullptr; // "Old File" above the OLD pickers
    QLabel* Label4 = nullptr; // "Update File" above the UPDATE pickers
    QLabel* Label3 = nullptr; // "Old File" above OldFileBox
    QLabel* Label1 = nullptr; // "Update File" above UpFileBox
    QFrame* Bevel1 = nullptr;
    platform::FilePicker* OldPicker = nullptr;
    platform::FilePicker* UpPicker = nullptr;
    QComboBox* OldDriveCombo = nullptr;
    QComboBox* UpDriveCombo = nullptr;
    QTreeView* OldDirList = nullptr;
    QTreeView* UpDirList = nullptr;
    QComboBox* OldFilterCombo = nullptr;
    QComboBox* UpFilterCombo = nullptr;
    QListWidget* OldFileList = nullptr;
    QListWidget* UpFileList = nullptr;
    QLineEdit* OldFileBox = nullptr;
    QLineEdit* UpFileBox = nullptr;
    QPushButton* UpdateBtn = nullptr;

    // Handlers.
    void Start1Click();
    void Help1BtnClick();
    void GrabOldFile(const std::string& path);
    void GrabUpFile(const std::string& path);
    void UpdateBtnClick();

    void SetWorkDir(const std::string& path) { WorkDir = path; }
    const std::string& GetWorkDir() const { return WorkDir; }
    const std::string& GetOldPath() const { return OldPath; }
    const std::string& GetUpPath() const { return UpPath; }
    void SetBackupPath(const std::string& path) { BackupPath = path; }
    const std::string& GetBackupPath() const { return BackupPath; }
    // The OLD and UPDATE files of the last UPDATE and the backup, which no
    // file the program writes for its own keeping may be another name of.
    std::vector<std::string> InputsInUse() const;
    // The merged file and the backup as the last Commit left them.
    const CommitResult& GetCommitted() const { return Committed; }

    // The loads of UPDATE. False after the notice when the file cannot be
    // opened; the lists of both files are then empty.
    bool LoadOldList(const std::string& path);
    bool LoadUpList(const std::string& path);
    bool InUpList(const std::string& pid) const { return upPids_.contains(pid); }
    bool InOldList(const std::string& pid) const { return oldPids_.contains(pid); }
    // The converted retrieval date; false after the notice when the file
    // cannot be opened.
    bool GetRetrievalDate(const std::string& path, std::string& out);

    // The merge of the loaded lists into the OLD file (Commit). True when
    // it succeeded.
    bool MergeFiles(const std::string& oldPath, const std::string& upPath);

    // The lists of the last UPDATE, shown by the Station Lists window and
    // kept in the offsets window.
    UpdateLists Lists;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void resetStationLists();
    void clearLists();
    // Loads one list of the Station Lists window with a progress window;
    // when the file cannot be read, the notice and empty lists.
    bool loadList(const std::string& path, bool (UpdateLists::*load)(const std::string&, platform::ProgressSink&),
                  const std::string& failureCaption, const std::string& failureText);

    std::string WorkDir;
    std::string OldPath;
    std::string UpPath;
    std::string BackupPath;
    CommitResult Committed;
    // The files last taken from the pickers, as the directory names them.
    std::string OldPicked;
    std::string UpPicked;
    ListPids upPids_{Lists.upList};
    ListPids oldPids_{Lists.oldList};
};

extern TFMain* FMain;

// The notice of a file that is not a datasheet file; `which` is "input",
// "old" or "update".
std::string notDatasheetText(const std::string& which, const std::string& path);

} // namespace pellorin
