#pragma once
// The help window of the three programs: a topic list on the left, the text
// of the chosen topic on the right. The window that asks for help sets the
// help context (which window asks) and opens the window with OpenHelp; the
// list then offers that context's topics, and a click on a title shows its
// text. In context 6 (item explanations) the caller fills the memo itself
// and the list is hidden. The text can be printed and edited.
#include <QMainWindow>

#include <functional>

#include "datasheet/profile.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QSplitter;

namespace help {
class HelpTopics;
} // namespace help

class TFHelp;

// What differs between the programs' builds of the window.
struct HelpProfile {
    const char* caption = "FHelp";             // "Help" in Morvane
    bool infoTipColours = false;               // list and memo (Pellorin)
    // Where the help context is kept. Without these the window keeps its
    // own (Kavro); Morvane keeps it as the help mode of its shared state.
    std::function<int()> getContext;
    std::function<void(int)> setContext;
    // Pellorin: one topic list, whatever window asks.
    bool oneTopicList = false;
    // The handler of the "Stay On Top" box: CheckBoxClick, or TopClicked (Pellorin).
    void (TFHelp::*stayOnTopHandler)() = nullptr;
    const help::HelpTopics* topics = nullptr;
    // The printout's smallest font holds a line of this many characters.
    std::size_t printFloorCharacters = ds::kKavro.readLength();
};

class TFHelp : public QMainWindow {
    Q_OBJECT
public:
    // A window without topics; the programs give their profile.
    explicit TFHelp(QWidget* parent = nullptr);
    explicit TFHelp(HelpProfile profile, QWidget* parent = nullptr);
    ~TFHelp() override;

    // The context the next HelpInit builds the list for (1 main window, 3 station list, ...).
    void SetHelpContext(int context);
    int GetHelpContext() const;

    // Handlers.
    // Builds the topic list of the current context and puts the memo to its
    // start lines; in context 6 only hides the list.
    void HelpInit();
    void HelpItemClicked();
    void HelpPrintClick();
    void HelpCloseClick();
    void HelpClosed();
    void CheckBoxClick();
    void TopClicked();

    // Selects the first occurrence of the text in the memo (case-sensitive)
    // and gives the memo the focus; nothing when no line contains it.
    void SelectText(const std::string& text);

    // The memo's lines, for callers that fill or read it.
    std::vector<std::string> memoLines() const;

    // Controls (names as in the window's layout).
    QListWidget* HelpList = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* HelpMemo = nullptr;
    QLabel* HelpItemLabel = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;
    QAction* HelpClose = nullptr;
    QAction* HelpPrint = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    // A hidden window that a caller shows builds the list of the context
    // just set, as OpenHelp does.
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void setListWidth(int width);
    void showTopic(const std::string& title);
    void setStayOnTop(bool onTop);

    HelpProfile Profile;
    std::vector<std::string> TopicTable;
    int HelpContext = 0;
    bool Opening = false;   // OpenHelp has built the list already
    bool Restyling = false; // Stay On Top shows the window again
    friend void OpenHelp(int context);
};

extern TFHelp* FHelp;

// Opens the help window for a context: stores the context where the program
// keeps it, runs HelpInit, shows and raises the window. Coming back to an
// open help window keeps the topic being read; only a caller's request
// rebuilds the list.
void OpenHelp(int context);
