#include "pellorin/tf_list.h"

#include <QAction>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "datasheet/datasheet_reader.h"
#include "datasheet/forms/tf_print_set.h"
#include "pellorin/core/merge.h"
#include "pellorin/tf_help2.h"
#include "pellorin/tf_help3.h"
#include "pellorin/tf_main.h"
#include "pellorin/tf_old_ds.h"
#include "pellorin/tf_the_end.h"
#include "pellorin/tf_up_ds.h"
#include "pellorin/tf_windows.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"

namespace pellorin {

TFList* FList = nullptr;

namespace {

void setBase(QWidget& list, const QColor& colour)
{
    QPalette palette = list.palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Text, Qt::black);
    list.setPalette(palette);
}

QColor infoTip(const QWidget& widget)
{
    return widget.palette().color(QPalette::ToolTipBase);
}

QLabel* yellowPanel(const char* text, QWidget* parent)
{
    auto* panel = new QLabel(text, parent);
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    palette.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(palette);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

// Shows one station's datasheet from a file in a viewer: the PID's offset
// line, the file still the one loaded, the datasheet read at the offset.
// A PID without offset line gives a notice; a file that cannot be opened an
// empty viewer.
void showSheet(DatasheetViewer& viewer, const ds::OffsetIndex& index, const std::string& path,
               const platform::FileIdentity& loaded, const std::string& pid)
{
    const std::int64_t offset = index.find(pid);
    if (offset < 0) {
        platform::notices().notice("NOTICE", "Offset Location not found for " + pid);
        return;
    }
    viewer.hide();
    viewer.memo()->clear();
    std::vector<std::string> lines;
    if (platform::checkUnchanged(path, loaded, platform::notices(), "NOTICE") &&
        ds::readStationDatasheet(path, static_cast<std::uint64_t>(offset), pid, lines))
        viewer.setLines(lines);
    viewer.show();
}

} // namespace

TFList::TFList(UpdateLists& lists, QWidget* parent)
    : QMainWindow(parent), lists_(lists), oldIndex_(lists.oldLocList), upIndex_(lists.upLocList)
{
    FList = this;
    setWindowTitle("Station Lists");
    resize(700, 560);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(13);

    menuBar()->setObjectName("MainMenu1");
    Print1 = menuBar()->addMenu("Print...");
    PrintOldList = Print1->addAction("Print Old List");
    PrintUpdateList = Print1->addAction("Print Update List");
    PrintSetup1 = Print1->addAction("Print Setup...");
    connect(PrintOldList, &QAction::triggered, this, [this] { PrintOldListClick(); });
    connect(PrintUpdateList, &QAction::triggered, this, [this] { PrintUpList(); });
    connect(PrintSetup1, &QAction::triggered, this, [this] { PrintSetup(); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Splitter1 = new QSplitter(Qt::Vertical, central);
    const auto half = [&](const char* caption, QLabel*& panel, platform::LineListView*& list, platform::LineList& lines) {
        auto* box = new QWidget(Splitter1);
        auto* layout = new QVBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        panel = yellowPanel(caption, box);
        list = new platform::LineListView(lines, box);
        list->setFont(fixed);
        layout->addWidget(panel);
        layout->addWidget(list, 1);
        Splitter1->addWidget(box);
    };
    half("OLD FILE", Panel1, OldList, lists.oldList);
    half("UPDATE FILE", Panel2, UpList, lists.upList);
    OldList->setObjectName("OldList");
    UpList->setObjectName("UpList");
    column->addWidget(Splitter1, 1);

    Panel3 = new QWidget(central);
    auto* buttons = new QHBoxLayout(Panel3);
    Panel1->setObjectName("Panel1");
    Panel2->setObjectName("Panel2");
    Panel3->setObjectName("Panel3");
    Splitter1->setObjectName("Splitter1");
    CommitBtn = new QPushButton("Commit", Panel3);
    CancelBtn = new QPushButton("Cancel", Panel3);
    HelpCommitBtn = new QPushButton("Help", Panel3);
    LastOK = new QPushButton("SAVE", Panel3);
    LastUNDO = new QPushButton("UNDO", Panel3);
    HelpUndoBtn = new QPushButton("Help", Panel3);
    buttons->addStretch(1);
    for (QPushButton* button : {CommitBtn, CancelBtn, HelpCommitBtn, LastOK, LastUNDO, HelpUndoBtn})
        buttons->addWidget(button);
    buttons->addStretch(1);
    column->addWidget(Panel3);
    setCentralWidget(central);

    connect(CommitBtn, &QPushButton::clicked, this, [this] { CommitBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
    connect(HelpCommitBtn, &QPushButton::clicked, this, [this] { HelpCommitBtnClick(); });
    connect(LastOK, &QPushButton::clicked, this, [this] { LastOKClick(); });
    connect(LastUNDO, &QPushButton::clicked, this, [this] { LastUNDOClick(); });
    connect(HelpUndoBtn, &QPushButton::clicked, this, [this] { HelpUndoBtnClick(); });
    connect(OldList, &platform::LineListView::itemClicked, this, [this](int row) { OldListClick(row); });
    connect(UpList, &platform::LineListView::itemClicked, this, [this](int row) { UpListClick(row); });
    // The arrow keys step through the datasheets as clicks do.
    platform::runOnKeySelection(*OldList, [this] { OldListClick(OldList->selectedRow()); });
    platform::runOnKeySelection(*UpList, [this] { UpListClick(UpList->selectedRow()); });

    ResetButtons();
}

TFList::~TFList()
{
    if (FList == this)
        FList = nullptr;
}

void TFList::ResetButtons()
{
    LastOK->hide();
    LastUNDO->hide();
    HelpUndoBtn->hide();
    setBase(*OldList, infoTip(*OldList));
    setBase(*UpList, Qt::white);
    CommitBtn->show();
    CancelBtn->show();
    HelpCommitBtn->show();
}

void TFList::ShowCommitted()
{
    setBase(*OldList, Qt::cyan);
    setBase(*UpList, Qt::cyan);
    CommitBtn->hide();
    CancelBtn->hide();
    HelpCommitBtn->hide();
    LastOK->show();
    LastUNDO->show();
    HelpUndoBtn->show();
}

void TFList::CommitBtnClick()
{
    const std::string oldPath = FMain->GetOldPath();
    const std::string upPath = FMain->GetUpPath();
    hide();
    // SAVE and UNDO are offered only once the merged file is in place.
    if (FMain->MergeFiles(oldPath, upPath))
        ShowCommitted();
    show();
}

void TFList::LastOKClick()
{
    const std::string oldPath = FMain->GetOldPath();
    if (SaveMerge(oldPath, FMain->GetBackupPath(), platform::notices(), FMain->GetCommitted())) {
        hide();
        FTheEnd->AddMessage("\r\nFile...\r\n " + oldPath + "\r\nhas been updated and saved.");
        showRestored(*FTheEnd);
    }
    close();
}

void TFList::LastUNDOClick()
{
    // The "OKAY" box stands alone, the window already hidden; after a failed
    // UNDO the window comes back, with SAVE and UNDO.
    hide();
    if (UndoMerge(FMain->GetOldPath(), FMain->GetBackupPath(), platform::notices(), FMain->GetCommitted()))
        close();
    else
        show();
}

void TFList::CancelBtnClick()
{
    close();
}

void TFList::HelpCommitBtnClick()
{
    FHelp2->Memo1->show();
    showRestored(*FHelp2);
}

void TFList::HelpUndoBtnClick()
{
    FHelp3->Memo1->show();
    showRestored(*FHelp3);
}

void TFList::OldListClick(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= lists_.oldList.size())
        return;
    FOldDS->hide();
    FOldDS->OldMemo->clear();
    const std::string pid(listPid(lists_.oldList.at(static_cast<std::size_t>(row))));
    FOldDS->setWindowTitle("OLD DATASHEETS");
    ShowOldSheet(pid);
    showRestored(*FOldDS);
}

void TFList::UpListClick(int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= lists_.upList.size())
        return;
    FUpDS->hide();
    FUpDS->UpMemo->clear();
    const std::string pid(listPid(lists_.upList.at(static_cast<std::size_t>(row))));
    ShowUpSheet(pid);
    showRestored(*FUpDS);
}

void TFList::ShowOldSheet(const std::string& pid)
{
    showSheet(*FOldDS, oldIndex_, FMain->GetOldPath(), lists_.oldIdentity, pid);
}

void TFList::ShowUpSheet(const std::string& pid)
{
    showSheet(*FUpDS, upIndex_, FMain->GetUpPath(), lists_.upIdentity, pid);
}

void TFList::PrintOldListClick()
{
    printPellorinLines(this, lists_.oldList.lines(), OldList->font());
}

void TFList::PrintUpList()
{
    printPellorinLines(this, lists_.upList.lines(), UpList->font());
}

void TFList::PrintSetup()
{
    if (FPrintSet) {
        showRestored(*FPrintSet);
    }
}

} // namespace pellorin
