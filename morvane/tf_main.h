#pragma once
// Morvane's main window: the title, the status panel, the Files and Help
// menus, the CD-ROM drive step and the list of the CD-ROM's county files,
// and the join that either RUN button starts.
#include <QMainWindow>

#include <string>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(QWidget* parent = nullptr);
    ~TFMain() override;

    // Controls (names as in the window's layout).
    QMenu* Files = nullptr;
    QMenu* Join = nullptr;
    QAction* CDROMFiles = nullptr;
    QAction* DiskFiles = nullptr;
    QAction* Split = nullptr;
    QAction* Help = nullptr;
    QLabel* Title = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* DrivesCombo = nullptr;
    QPushButton* DriveButton = nullptr;
    QLabel* FileLabel = nullptr;
    QListWidget* MorvaneList = nullptr;
    QPushButton* FilterBtn = nullptr;
    QPushButton* RunBtn = nullptr;
    QLabel* Panel1 = nullptr;

    // Handlers.
    void FilesClick();
    void JoinClick();
    void DrivePrompt();
    void FilePrompt();
    void SplitClick();
    void HelpClicked();
    void DriveOKClick();
    void FilterBtnClick();
    // `sender` FDisk's RUN button: the join reads the Disk window's memo;
    // else the selected entries of MorvaneList.
    void RunBtnClick(QObject* sender);

    void ResetMainWindow();
    void RunJoin(QObject* sender);
    // The per-file loops; true when the output now holds the join.
    bool JoinCdromFiles(const std::string& output, bool append);
    bool JoinDiskFiles(const std::string& output, bool append);

    static bool isStateDir(const std::string& name);
    void AddCountyFiles(const std::string& directoryName);
    void AddPacificFile(const std::string& directoryName);

    // The path of a MorvaneList entry (kept apart from its text).
    std::string EntryPath(int row) const;

    QString prompt() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setPrompt(const QString& text);
    void addEntry(const std::string& text, const std::string& path);
    bool joinInputs(const std::vector<std::string>& inputs, const std::string& output, bool append);

    std::string Msg;
    // What the last join's output could not keep of its owner, group and
    // mode, for the success notice; usually empty.
    std::string joinIdentityNote_;
};

extern TFMain* FMain;
