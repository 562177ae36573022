#pragma once
// The station list window: one station-list line per station of the loaded
// file. It also holds the state that the save, search and type dialogs of
// the other windows share, reached through the accessors below.
#include <QMainWindow>
#include <string>

#include "platform/qt/line_list_view.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;

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

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createMenus();
    void createControls();

    std::string SaveName;
    std::string SaveDir;
    std::string LineBuf;
    std::string Msg;
    std::string OutputFile;
    int SaveSource = 0;
    int OutputFormat = 0;
    char ExistAnswer = 0;
    int SearchMode = 0;
};

extern TFList* FList;
