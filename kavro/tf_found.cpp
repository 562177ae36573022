#include "kavro/tf_found.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <initializer_list>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/print_lines.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_marks.h"
#include "itempick/tf_select.h"
#include "kavro/tf_display.h"
#include "kavro/tf_get_area.h"
#include "kavro/tf_get_name.h"
#include "kavro/tf_get_pid.h"
#include "kavro/tf_get_rad.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "kavro/tf_pform.h"
#include "kavro/tf_plot.h"
#include "kavro/tf_poptions.h"
#include "kavro/tf_pprint_set.h"
#include "kavro/tf_sorted.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/window.h"

TFFound* FFound = nullptr;

namespace {

const char* const kPrompt = "Click on a station to get a datasheet";

const char* const kRemoveNotice = "\r\n"
                                  "       'Remove Marked Stations' will delete \r\n"
                                  "       all 'marked' stations from the list.\r\n"
                                  "       \r\n"
                                  "       To 'mark a station------ Right Click the station.\r\n"
                                  "       To 'un-mark' a station---Right Click again.\r\n"
                                  "       \r\n"
                                  "       A 'marked' station will be displayed with\r\n"
                                  "         X\r\n"
                                  "       on the left.";

} // namespace

TFFound::TFFound(QWidget* parent) : QMainWindow(parent)
{
    FFound = this;
    setWindowTitle("SEARCH RESULTS");
    resize(427, 285);
    createMenus();
    createControls();
    FoundInit();
}

TFFound::~TFFound()
{
    if (FFound == this)
        FFound = nullptr;
}

void TFFound::createMenus()
{
    File1 = menuBar()->addMenu("&File");
    Save = File1->addAction("&Save As...");
    Print1 = File1->addAction("&Print...");
    PrintSetup1 = File1->addAction("Print &Setup...");
    connect(Save, &QAction::triggered, this, [this] { SaveClick(); });
    connect(Print1, &QAction::triggered, this, [this] { Print1Click(); });
    connect(PrintSetup1, &QAction::triggered, this, [this] { PrintSetup1Click(); });

    Sort1 = menuBar()->addMenu("S&ort");
    connect(Sort1, &QMenu::aboutToShow, this, [this] { SetItems(); });
    byDist = Sort1->addAction("by&Dist");
    byPid = Sort1->addAction("by&Pid");
    byHOrder = Sort1->addAction("by&HOrder");
    byVOrder = Sort1->addAction("by&VOrder");
    byLat = Sort1->addAction("by&Lat");
    byLon = Sort1->addAction("byL&on");
    byName = Sort1->addAction("by&Name");
    for (QAction* item : Sort1->actions())
        connect(item, &QAction::triggered, this, [this, item] { SortList(item); });

    Grab1 = menuBar()->addMenu("Remove");
    Remove1 = Grab1->addAction("Remove Marked Stations");
    Clear1 = Grab1->addAction("Clear Marks");
    connect(Remove1, &QAction::triggered, this, [this] { Remove1Click(); });
    connect(Clear1, &QAction::triggered, this, [this] { Clear1Click(); });

    Plot1 = menuBar()->addAction("Plot");
    connect(Plot1, &QAction::triggered, this, [this] { Plot1Click(); });
    Help1 = menuBar()->addAction("Help");
    connect(Help1, &QAction::triggered, this, [this] { Help1Click(); });
}

void TFFound::createControls()
{
    const platform::ListWindowControls controls = platform::makeListWindowControls(
        *this, kPrompt, 427,
        {[this] { PidClicked(); },
         [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
             FoundListMouseUp(button, modifiers, x, y);
         },
         [this] { TopClicked(); }});
    FoundList = controls.List;
    Panel1 = controls.Strip.Panel1;
    Panel2 = controls.Strip.Panel2;
    Splitter1 = controls.Strip.Splitter1;
    Panel3 = controls.Strip.Panel3;
    CheckBox = controls.Strip.CheckBox;
}

void TFFound::closeEvent(QCloseEvent* event)
{
    ResetSearch();
    event->accept();
}

void TFFound::paintEvent(QPaintEvent* event)
{
    SetPanel();
    QMainWindow::paintEvent(event);
}

void TFFound::ResetSearch()
{
    FList->SetSearchMode(0);
    FMain->SetTypeCode("X-0");
    for (QWidget* window : std::initializer_list<QWidget*>{FDisplay, FPPrintSet, FPOptions, FPForm, FPlot, FSelect,
                                                           FGetArea, FGetName, FGetPid, FGetRad, FGetType, FGetOut,
                                                           this})
        if (window)
            window->hide();
}

void TFFound::FoundInit()
{
    SaveDir.clear();
}

void TFFound::SetPanel()
{
    Panel2->setText(kPrompt);
}

void TFFound::PidClicked()
{
    const int row = FoundList->selectedRow();
    if (row < 0)
        return;
    FDisplay->hide();
    FDisplay->DsDisplay->clear();
    const std::string& line = FoundList->lines().at(static_cast<std::size_t>(row));
    // The viewer's caption stays as it is, unlike a station shown from the
    // station list.
    const std::string pid(ds::listLinePid(line));
    FDisplay->ShowDatasheet(pid);
    FDisplay->show();
}

void TFFound::FoundListMouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers, int X, int Y)
{
    if (Button != Qt::RightButton)
        return;
    const int row = FoundList->itemAt(QPoint(X, Y));
    if (row < 0)
        return;
    // Replaced in place, sorted list or not, so the line keeps its index and
    // the view does not scroll.
    platform::LineList& lines = FoundList->lines();
    const auto index = static_cast<std::size_t>(row);
    lines.set(index, ds::toggledFoundMark(lines.at(index)));
}

void TFFound::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

void TFFound::Print1Click()
{
    ds::PageOptions options = FPrintSet->PageOptions();
    options.progressAfterEveryLine = true;
    PrintLines(this, FoundList->lines().lines(), FoundList->font(), options);
}

void TFFound::PrintSetup1Click()
{
    FPrintSet->ShowSettings();
}

void TFFound::SetItems()
{
    const int mode = FList->GetSearchMode();
    byDist->setEnabled(mode == 3 || mode == 4);
}

void TFFound::SortList(QObject* Sender)
{
    // Anything that is no Sort item sorts by name, as in the station list.
    const std::pair<const QAction*, const char*> sorts[] = {{byDist, "bydist"},     {byPid, "bypid"},
                                                            {byHOrder, "byhorder"}, {byVOrder, "byvorder"},
                                                            {byLat, "bylat"},       {byLon, "bylon"}};
    std::string sort = "byname";
    for (const auto& [item, name] : sorts)
        if (Sender == item)
            sort = name;
    FSorted->Sort("FFound", sort);
}

void TFFound::Remove1Click()
{
    hide();
    platform::LineList& lines = FoundList->lines();
    // One pass and one reset of the view, however many lines are marked.
    if (lines.removeIf([](const std::string& line) { return ds::isFoundMarked(line); }) == 0) {
        Msg = kRemoveNotice;
        platform::notices().notice("HELP", Msg);
    }
    show();
}

void TFFound::Clear1Click()
{
    FoundList->hide();
    platform::LineList& lines = FoundList->lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (ds::hasFoundMarkX(lines.at(i)))
            lines.set(i, ds::withTag(lines.at(i), ds::kBlankTag));
    FoundList->show();
}

void TFFound::Plot1Click()
{
    FPlot->show();
}

void TFFound::Help1Click()
{
    FHelp->SetHelpContext(7);
    platform::showForm(*FHelp);
}
