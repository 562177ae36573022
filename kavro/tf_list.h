#pragma once
// The station list window: one station-list line per station of the loaded
// file. It also holds the state that the save, search and type dialogs of
// the other windows share, reached through the accessors below.
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/line_list_view.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;

namespace platform {
class CrlfWriter;
class LineReader;
} // namespace platform

class TFList : public QMainWindow {
    Q_OBJECT
public:
    explicit TFList(QWidget* parent = nullptr);
    ~TFList() override;

    // Controls (names as in the window's layout).
    QMenu* File1 = nullptr;
    QAction* Save = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QMenu* Search1 = nullptr;
    QAction* Pid1 = nullptr;
    QAction* Name1 = nullptr;
    QAction* PointRadius1 = nullptr;
    QAction* Area1 = nullptr;
    QAction* Type1 = nullptr;
    QMenu* Sort1 = nullptr;
    QAction* byPid = nullptr;
    QAction* byHOrder = nullptr;
    QAction* byVOrder = nullptr;
    QAction* byLat = nullptr;
    QAction* byLon = nullptr;
    QAction* byName = nullptr;
    QMenu* Grab1 = nullptr;
    QAction* Grab2 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* ListHelp = nullptr;
    QFrame* Bevel1 = nullptr;
    platform::LineListView* MarksList = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel3 = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Handlers.
    void PidClicked();
    void MarksListMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void Grab1Click();
    void Clear1Click();
    void SaveClick();
    void Print1Click();
    void PrintSetup1Click();
    void PromptForPid();
    void PromptForName();
    void PromptForRadius();
    void PromptForMM();
    void ByTypeClicked();
    void SortList(QObject* Sender);
    void ListHelpClick();
    void CloseKids();
    void SetPanel();
    void TopClicked();
    void ListInit();
    void LoadParm1();

    // What a Sort item sorts by: "bypid", "bylat", "bylon" or "byname" (a key
    // of the sort buffer's key sort), or "byhorder" / "byvorder" (its order
    // sorts). Anything that is no Sort item sorts by name.
    std::string SortKey(const QObject* Sender) const;

    int GetStationCount() const { return static_cast<int>(MarksList->lines().size()); }
    void SetSaveSource(int source) { SaveSource = source; }
    int GetSaveSource() const { return SaveSource; }
    void SetOutputFile(const std::string& path) { OutputFile = path; }
    std::string GetOutputFile() const { return OutputFile; }
    void SetSearchMode(int mode) { SearchMode = mode; }
    int GetSearchMode() const { return SearchMode; }
    void SetOutputFormat(int format) { OutputFormat = format; }
    int GetOutputFormat() const { return OutputFormat; }
    void SetExistAnswer(char answer) { ExistAnswer = answer; }
    char GetExistAnswer() const { return ExistAnswer; }

    // The Save As sequence of the station list and results windows: save
    // dialog, output format, file-exists question, then SaveList or
    // MergeList on the save source. `saveName` and `saveDir` are the calling
    // window's own; `chosen` runs once a file was picked; `firstFormat`
    // opens the format dialog on its first entry.
    void SaveAs(QWidget* owner, int source, std::string& saveName, std::string& saveDir, bool firstFormat,
                const std::function<void(const std::string& path)>& chosen = {});
    // Writes the save source to OutputFile by OutputFormat and ExistAnswer.
    void SaveList();
    // Merges the save source's stations into the datasheet file OutputFile.
    void MergeList();
    // One station's datasheet from the data file in use (notices when its
    // offset is unknown or the file cannot be read).
    void WriteDatasheet(const std::string& pid, platform::CrlfWriter& out);
    static bool HasAlnum(const std::string& text);
    // 1, or -1 after its notice.
    int MoveByCopy(const std::string& source, const std::string& destination);
    // Copy or pass over a station's lines up to the next header line, which
    // goes into pendingHeader; false at the end of the file.
    bool CopyStationLines(platform::LineReader& in, platform::CrlfWriter& out, std::string& pendingHeader);
    bool SkipStationLines(platform::LineReader& in, std::string& pendingHeader);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createMenus();
    void createControls();
    // The lines of the save source: MarksList (1) or FFound's FoundList (2).
    const std::vector<std::string>& SaveSourceLines() const;

    std::string SaveName;
    std::string SaveDir;
    std::string LineBuf;
    std::string Msg;
    std::string OutputFile;
    int SaveSource = 0;
    int OutputFormat = 0;
    char ExistAnswer = 0;
    int SearchMode = 0;
    // While a printout runs, repaints leave its "Please Wait..." in Panel2.
    bool panelHeld_ = false;
};

extern TFList* FList;
