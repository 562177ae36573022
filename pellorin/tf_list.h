#pragma once
// "Station Lists": the OLD file's stations above the UPDATE file's, Commit
// (the merge), then SAVE or UNDO; a click on a station shows its datasheet
// in the OLD or UPDATE viewer; both lists print.
#include <QMainWindow>

#include <string>

#include "datasheet/offset_index.h"
#include "pellorin/core/station_lists.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QWidget;

namespace platform {
class LineListView;
}

namespace pellorin {

class TFList : public QMainWindow {
    Q_OBJECT
public:
    // Becomes FList; shows the lists held in `lists`, which must outlive it.
    explicit TFList(UpdateLists& lists, QWidget* parent = nullptr);
    ~TFList() override;

    QMenu* Print1 = nullptr;
    QAction* PrintOldList = nullptr;
    QAction* PrintUpdateList = nullptr;
    QAction* PrintSetup1 = nullptr;
    QLabel* Panel1 = nullptr;
    platform::LineListView* OldList = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* Panel2 = nullptr;
    platform::LineListView* UpList = nullptr;
    QWidget* Panel3 = nullptr;
    QPushButton* CommitBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpCommitBtn = nullptr;
    QPushButton* LastOK = nullptr;
    QPushButton* LastUNDO = nullptr;
    QPushButton* HelpUndoBtn = nullptr;

    // Handlers.
    void CommitBtnClick();
    void LastOKClick();
    void LastUNDOClick();
    void CancelBtnClick();
    void HelpCommitBtnClick();
    void HelpUndoBtnClick();
    void OldListClick(int row);
    void UpListClick(int row);
    void ShowOldSheet(const std::string& pid);
    void ShowUpSheet(const std::string& pid);
    void PrintOldListClick();
    void PrintUpList();
    void PrintSetup();

    // Before Commit: Commit, Cancel and Help; OldList in info-tip colours,
    // UpList white.
    void ResetButtons();
    // After a merge: SAVE, UNDO and Help; both lists aqua.
    void ShowCommitted();

private:
    UpdateLists& lists_;
    ds::OffsetIndex oldIndex_;
    ds::OffsetIndex upIndex_;
};

extern TFList* FList;

} // namespace pellorin
