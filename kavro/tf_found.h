#pragma once
// The search results window: the stations every search finds, with their
// datasheets a click away, marks "    X", removal, sorts, Save As, print and plot.
#include <QMainWindow>
#include <string>

#include "platform/line_list.h"
#include "platform/qt/line_list_view.h"

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;

class TFFound : public QMainWindow {
    Q_OBJECT
public:
    explicit TFFound(QWidget* parent = nullptr);
    ~TFFound() override;

    // Controls (names as in the window's layout).
    platform::LineListView* FoundList = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel3 = nullptr;
    QCheckBox* CheckBox = nullptr;
    QMenu* File1 = nullptr;
    QAction* Save = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintSetup1 = nullptr;
    QMenu* Sort1 = nullptr;
    QAction* byDist = nullptr;
    QAction* byPid = nullptr;
    QAction* byHOrder = nullptr;
    QAction* byVOrder = nullptr;
    QAction* byLat = nullptr;
    QAction* byLon = nullptr;
    QAction* byName = nullptr;
    QMenu* Grab1 = nullptr;
    QAction* Remove1 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* Plot1 = nullptr;
    QAction* Help1 = nullptr;

    // Handlers.
    void ResetSearch();
    void FoundInit();
    void SetPanel();
    void PidClicked();
    void FoundListMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void TopClicked();
    void SaveClick();
    void Print1Click();
    void PrintSetup1Click();
    void SetItems();
    void SortList(QObject* Sender);
    void Remove1Click();
    void Clear1Click();
    void Plot1Click();
    void Help1Click();

    const std::string& GetSaveName() const { return SaveName; }
    const std::string& GetSaveDir() const { return SaveDir; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createMenus();
    void createControls();

    std::string SaveName;
    std::string SaveDir;
    std::string Msg;
};

extern TFFound* FFound;
