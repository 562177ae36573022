#pragma once
// The datasheet viewer: one station's datasheet in a read-only memo, read
// again from the data file in use at the station's offset. One window,
// hidden and shown again for every station.
#include <QMainWindow>
#include <QPoint>

#include <string>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QSplitter;

namespace platform {
class FindDialog;
class FontDialog;
} // namespace platform

class TFDisplay : public QMainWindow {
    Q_OBJECT
public:
    explicit TFDisplay(QWidget* parent = nullptr);
    ~TFDisplay() override;

    // Replaces the memo with the station's datasheet and shows the window.
    // A PID that the index lacks gives its notice and leaves the window as
    // it was; a data file that cannot be opened shows "Cannot Open File".
    void ShowDatasheet(const std::string& pid);

    void SetOutputFile(const std::string& path) { OutputFile = path; }
    std::string GetOutputFile() const { return OutputFile; }
    // Writes the memo's lines to OutputFile by the station list's
    // file-exists answer: 'A' appends, 'C' writes nothing, others replace.
    void WriteShownText();

    // Handlers.
    void DisplayInit();
    void SaveClick();
    void PrintDSClick();
    void PrintSetupDsClick();
    void CloseDsClick();
    void FindClicked();
    void OnFindEnabled();
    void FontClicked();
    void FontDialog1Apply();
    void HelpClicked();
    void TopClicked();
    // Double click: the explanation of the clicked line's data item from
    // the readme DSDATA.TXT, in the help window.
    void GetDsItem();
    // 1 when the file opens and one of its first 200 lines holds "DATA ITEM:".
    static int ReadmeHasItems(const std::string& path);

    // Controls (names as in the window's layout).
    QPlainTextEdit* DsDisplay = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel3 = nullptr;
    QCheckBox* CheckBox = nullptr;
    QMenu* File1 = nullptr;
    QAction* Save = nullptr;
    QAction* PrintDS = nullptr;
    QAction* PrintSetupDs = nullptr;
    QAction* CloseDs = nullptr;
    QAction* Find = nullptr;
    QAction* Font = nullptr;
    QAction* Help1 = nullptr;
    platform::FontDialog* FontDialog1 = nullptr;
    platform::FindDialog* FindDialog = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenus();
    void createControls();

    std::string Msg;
    std::string SaveName;
    std::string SaveDir;
    std::string OutputFile;
    QPoint DsClickPoint; // viewport point of the last double click
};

extern TFDisplay* FDisplay;
