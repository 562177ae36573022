#include "kavro/tf_list.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/print_lines.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_marks.h"
#include "datasheet/print_settings.h"
#include "itempick/tf_select.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_area.h"
#include "kavro/tf_get_name.h"
#include "kavro/tf_get_pid.h"
#include "kavro/tf_get_rad.h"
#include "kavro/tf_pform.h"
#include "kavro/tf_plot.h"
#include "kavro/tf_poptions.h"
#include "kavro/tf_pprint_set.h"
#include "kavro/tf_sorted.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/window.h"

TFList* FList = nullptr;

namespace {

const char* const kPrompt = "Click on a station to get a datasheet";

// Ten lines joined by CR LF, 300 characters.
const char* const kGrabNotice = "\r\n"
                                "       'Grab Marked Stations' will copy\r\n"
                                "       all 'marked' stations to a new Window.\r\n"
                                "       \r\n"
                                "       To 'mark a station------ Right Click the station.\r\n"
                                "       To 'un-mark' a station---Right Click again.\r\n"
                                "       \r\n"
                                "       A 'marked' station will be displayed with\r\n"
                                "         ->\r\n"
                                "       on the left.";

} // namespace

TFList::TFList(QWidget* parent) : QMainWindow(parent)
{
    FList = this;
    setWindowTitle("STATION LIST");
    resize(427, 285);
    createMenus();
    createControls();
    ListInit();
}

TFList::~TFList()
{
    if (FList == this)
        FList = nullptr;
}

void TFList::createMenus()
{
    File1 = menuBar()->addMenu("&File");
    Save = File1->addAction("&Save As...");
    Print1 = File1->addAction("&Print...");
    PrintSetup1 = File1->addAction("Print &Setup...");
    File1->addSeparator();
    connect(Save, &QAction::triggered, this, [this] { SaveClick(); });
    connect(Print1, &QAction::triggered, this, [this] { Print1Click(); });
    connect(PrintSetup1, &QAction::triggered, this, [this] { PrintSetup1Click(); });

    Search1 = menuBar()->addMenu("&Search");
    Pid1 = Search1->addAction("&Pid");
    Name1 = Search1->addAction("&Name");
    PointRadius1 = Search1->addAction("Point &Radius");
    Area1 = Search1->addAction("&Min Max");
    Type1 = Search1->addAction("&Type");
    connect(Pid1, &QAction::triggered, this, [this] { PromptForPid(); });
    connect(Name1, &QAction::triggered, this, [this] { PromptForName(); });
    connect(PointRadius1, &QAction::triggered, this, [this] { PromptForRadius(); });
    connect(Area1, &QAction::triggered, this, [this] { PromptForMM(); });
    connect(Type1, &QAction::triggered, this, [this] { ByTypeClicked(); });

    Sort1 = menuBar()->addMenu("S&ort");
    byPid = Sort1->addAction("by&Pid");
    byHOrder = Sort1->addAction("by&HOrder");
    byVOrder = Sort1->addAction("by&VOrder");
    byLat = Sort1->addAction("by&Lat");
    byLon = Sort1->addAction("byL&on");
    byName = Sort1->addAction("by&Name");
    for (QAction* item : Sort1->actions())
        connect(item, &QAction::triggered, this, [this, item] { SortList(item); });

    Grab1 = menuBar()->addMenu("Grab");
    Grab2 = Grab1->addAction("Grab Marked Stations");
    Clear1 = Grab1->addAction("Clear  Marks");
    connect(Grab2, &QAction::triggered, this, [this] { Grab1Click(); });
    connect(Clear1, &QAction::triggered, this, [this] { Clear1Click(); });

    ListHelp = menuBar()->addAction("Help");
    connect(ListHelp, &QAction::triggered, this, [this] { ListHelpClick(); });
}

void TFList::createControls()
{
    const platform::ListWindowControls controls = platform::makeListWindowControls(
        *this, kPrompt, 427,
        {[this] { PidClicked(); },
         [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
             MarksListMouseUp(button, modifiers, x, y);
         },
         [this] { TopClicked(); }},
        [this](QWidget& central, QBoxLayout& column) {
            Bevel1 = new QFrame(&central);
            Bevel1->setFrameShape(QFrame::HLine);
            Bevel1->setFixedHeight(1);
            column.addWidget(Bevel1);
        });
    MarksList = controls.List;
    Panel1 = controls.Strip.Panel1;
    Panel2 = controls.Strip.Panel2;
    Splitter1 = controls.Strip.Splitter1;
    Panel3 = controls.Strip.Panel3;
    CheckBox = controls.Strip.CheckBox;
}

bool TFList::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        LoadParm1();
    return QMainWindow::event(event);
}

void TFList::closeEvent(QCloseEvent* event)
{
    CloseKids();
    event->accept();
}

void TFList::paintEvent(QPaintEvent* event)
{
    if (!panelHeld_)
        SetPanel();
    QMainWindow::paintEvent(event);
}

void TFList::PidClicked()
{
    const int row = MarksList->selectedRow();
    if (row < 0)
        return;
    FDisplay->hide();
    FDisplay->DsDisplay->clear();
    LineBuf = MarksList->lines().at(static_cast<std::size_t>(row));
    const std::string pid(ds::listLinePid(LineBuf));
    FDisplay->setWindowTitle("DATASHEET");
    FDisplay->ShowDatasheet(pid);
    FDisplay->show();
}

void TFList::MarksListMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button != Qt::RightButton)
        return;
    const int row = MarksList->itemAt(QPoint(X, Y));
    if (row < 0)
        return;
    // Replaced in place, so the list keeps its scroll position and selection.
    platform::LineList& lines = MarksList->lines();
    const auto index = static_cast<std::size_t>(row);
    lines.set(index, ds::toggledMark(lines.at(index)));
}

void TFList::Grab1Click()
{
    FFound->hide();
    FFound->FoundList->lines().clear();
    std::vector<std::string> grabbed = ds::grabMarked(MarksList->lines().lines());
    platform::showForm(*this);
    if (!grabbed.empty()) {
        FFound->FoundList->lines().append(std::move(grabbed));
        FFound->FoundList->show();
        platform::showForm(*FFound);
        return;
    }
    Msg = kGrabNotice;
    platform::notices().notice("HELP", Msg);
}

void TFList::Clear1Click()
{
    MarksList->hide();
    platform::LineList& lines = MarksList->lines();
    // Replaced in place: a delete and insert per marked line would make
    // clearing a whole state's marks quadratic.
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (ds::hasMarkArrow(lines.at(i)))
            lines.set(i, ds::withTag(lines.at(i), ds::kBlankTag));
    MarksList->show();
}

void TFList::Print1Click()
{
    // Until the first repaint after the printout puts the prompt back (the
    // progress window's repaints let the window repaint too).
    Panel2->setText("Please Wait...");
    panelHeld_ = true;
    platform::repaintNow(*Panel1);
    PrintLines(this, MarksList->lines().lines(), MarksList->font(), FPrintSet->PageOptions());
    panelHeld_ = false;
}

void TFList::PrintSetup1Click()
{
    FPrintSet->ShowSettings();
}

void TFList::PromptForPid()
{
    platform::showForm(*FGetPid);
}

void TFList::PromptForName()
{
    platform::showForm(*FGetName);
}

void TFList::PromptForRadius()
{
    platform::showForm(*FGetRad);
}

void TFList::PromptForMM()
{
    platform::showForm(*FGetArea);
}

void TFList::ByTypeClicked()
{
    FGetType->TypeList->hide();
    FGetType->HOrderList->hide();
    FGetType->VOrderList->hide();
    FGetType->hide();
    // The selections stay from one use to the next; the first use starts on
    // the first item of each list, so OK always has a selection to read.
    if (FGetType->TypeList->selectedItems().isEmpty())
        for (QListWidget* list : {FGetType->TypeList, FGetType->HOrderList, FGetType->VOrderList})
            list->setCurrentRow(0);
    platform::showForm(*FGetType);
}

std::string TFList::SortKey(const QObject* Sender) const
{
    if (Sender == byPid)
        return "bypid";
    if (Sender == byHOrder)
        return "byhorder";
    if (Sender == byVOrder)
        return "byvorder";
    if (Sender == byLat)
        return "bylat";
    if (Sender == byLon)
        return "bylon";
    return "byname";
}

void TFList::SortList(QObject* Sender)
{
    FSorted->Sort("FList", SortKey(Sender));
}

void TFList::ListHelpClick()
{
    FHelp->SetHelpContext(3);
    platform::showForm(*FHelp);
}

void TFList::CloseKids()
{
    for (QWidget* window : std::initializer_list<QWidget*>{FDisplay, FPPrintSet, FPOptions, FPForm, FPlot, FFound,
                                                           FSelect, FGetArea, FGetName, FGetPid, FGetRad, FGetType,
                                                           FGetOut})
        if (window)
            window->hide();
}

void TFList::SetPanel()
{
    Panel2->setText(kPrompt);
}

void TFList::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

void TFList::ListInit()
{
    SaveDir.clear();
}

void TFList::LoadParm1()
{
    // Settings chosen with OK stay in force until the file is read or saved again.
    if (!FPrintSet || FPrintSet->ChosenSinceFile())
        return;
    const ds::ListPrintSettings read = ds::readListPrintSettings(ds::kPrintSettingsFile);
    if (!read.read)
        return;
    if (read.linesPerPage)
        FPrintSet->SetLinesPerPage(*read.linesPerPage);
    if (read.pageEject)
        FPrintSet->SetPageEject(*read.pageEject);
    FPrintSet->FileApplied();
}
