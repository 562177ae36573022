// The search results window: marks "    X", removal, clearing, the Sort
// menu, the datasheet of a clicked station, the menus and the close that
// ends a search.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_sort.h"
#include "itempick/tf_select.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
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
#include "platform/qt/memo.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

// Radius results: the distance leads each line; 8-bit text and trailing
// blanks must come through a mark unchanged.
Lines radiusLines(int count)
{
    Lines lines;
    for (int i = 0; i < count; ++i) {
        char pid[16];
        char distance[16];
        std::snprintf(pid, sizeof pid, "AB%04d", i);
        std::snprintf(distance, sizeof distance, "%5.1f", 0.3 * i);
        lines.push_back(ds::MakeListLine(distance, pid, "2", "1", "41 12 03.1", "073 09 12.4",
                                         "CAF\xC9 MARK " + std::to_string(i) + "  "));
    }
    return lines;
}

std::string tagged(const std::string& tag, const std::string& line)
{
    return tag + line.substr(5);
}

const std::string kRemoveHelp = "\r\n"
                                "       'Remove Marked Stations' will delete \r\n"
                                "       all 'marked' stations from the list.\r\n"
                                "       \r\n"
                                "       To 'mark a station------ Right Click the station.\r\n"
                                "       To 'un-mark' a station---Right Click again.\r\n"
                                "       \r\n"
                                "       A 'marked' station will be displayed with\r\n"
                                "         X\r\n"
                                "       on the left.";

class SearchResults : public KavroTest {
protected:
    void show(Lines lines, bool sorted = false)
    {
        found().setSorted(false);
        found().assign(std::move(lines));
        if (sorted)
            found().setSorted(true, ds::listBoxLess); // as a point-radius search leaves it
        FFound->FoundList->show();
        FFound->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FFound));
    }
    platform::LineList& found() { return FFound->FoundList->lines(); }
    QPoint centreOf(int row)
    {
        return FFound->FoundList->visualRect(FFound->FoundList->model()->index(row, 0)).center();
    }
    void click(Qt::MouseButton button, QPoint point)
    {
        QTest::mouseClick(FFound->FoundList->viewport(), button, Qt::NoModifier, point);
    }
};

TEST_F(SearchResults, RightClickMarksInPlaceAndADistanceDoesNotComeBack)
{
    const Lines lines = radiusLines(300);
    show(lines, true);
    const Lines before = found().lines();
    FFound->FoundList->setTopIndex(200);
    ASSERT_EQ(FFound->FoundList->topIndex(), 200);

    // The bottom row is only partly shown: a selection there would scroll.
    const QPoint bottom(10, FFound->FoundList->viewport()->height() - 2);
    const int row = FFound->FoundList->itemAt(bottom);
    ASSERT_GT(row, 200);
    const auto index = static_cast<std::size_t>(row);

    // The marked line would sort elsewhere; it stays at its index all the same.
    Lines expected = before;
    expected[index] = tagged("    X", before[index]);
    click(Qt::RightButton, bottom);
    EXPECT_EQ(found().lines(), expected);
    expected[index] = tagged("     ", before[index]);
    click(Qt::RightButton, bottom);
    EXPECT_EQ(found().lines(), expected);

    EXPECT_EQ(FFound->FoundList->topIndex(), 200);
    EXPECT_EQ(FFound->FoundList->selectedRow(), -1);
    EXPECT_FALSE(FDisplay->isVisible());
    EXPECT_TRUE(notices.recorded().empty());

    found().clear();
    FFound->FoundListMouseUp(Qt::RightButton, Qt::NoModifier, 5, 5); // no line there
    EXPECT_TRUE(found().empty());
}

TEST_F(SearchResults, RemoveDeletesEveryXLineAndClearBlanksThemButNotArrows)
{
    const Lines lines = radiusLines(6);
    const Lines tags = {"    X", "   ->", "  2.5", "    X", "     ", "    X"};
    Lines shown;
    for (std::size_t i = 0; i < lines.size(); ++i)
        shown.push_back(tagged(tags[i], lines[i]));
    show(shown);
    FFound->Clear1->trigger();
    EXPECT_EQ(found().lines(), (Lines{tagged("     ", lines[0]), shown[1], shown[2], tagged("     ", lines[3]),
                                      shown[4], tagged("     ", lines[5])}));
    EXPECT_TRUE(FFound->FoundList->isVisibleTo(FFound));

    show(shown);
    FFound->Remove1->trigger();
    EXPECT_EQ(found().lines(), (Lines{shown[1], shown[2], shown[4]}));
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SearchResults, RemoveWithNothingMarkedExplainsMarking)
{
    const Lines lines = radiusLines(3);
    const Lines shown = {tagged("   ->", lines[0]), lines[1], tagged("     ", lines[2])};
    show(shown);

    FFound->Remove1->trigger();

    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0], (platform::Notice{"HELP", kRemoveHelp, false}));
    EXPECT_EQ(found().lines(), shown);
    EXPECT_TRUE(FFound->isVisible());
}

TEST_F(SearchResults, ByDistIsOfferedAfterRadiusAndAreaSearchesOnly)
{
    for (int mode : {3, 0, 4, 1, 2}) {
        FList->SetSearchMode(mode);
        emit FFound->Sort1->aboutToShow();
        EXPECT_EQ(FFound->byDist->isEnabled(), mode == 3 || mode == 4) << mode;
    }
}

// Four results whose fields put them in a different order for every sort.
// Designations of exactly 30 characters come back from a key sort unchanged.
Lines sortable()
{
    auto line = [](const char* tag, const char* pid, const char* h, const char* v, const char* lat, const char* lon,
                   std::string name) {
        name.resize(30, ' ');
        return ds::MakeListLine(tag, pid, h, v, lat, lon, name);
    };
    return {line(" 12.0", "MX4273", "2", "?", "40 00 00.0", "072 00 00.0", "BRAVO"),
            line(" 10.0", "AB0001", "3", "a", "43 00 00.0", "073 00 00.0", "ALPHA"),
            line("  9.5", "ZZ0001", "A", "1", "41 00 00.0", "074 00 00.0", "DELTA"),
            line("  1.0", "MX0001", "B", "2", "42 00 00.0", "071 00 00.0", "CHARLIE MARK")};
}

TEST_F(SearchResults, SortMenuSortsTheResults)
{
    const Lines lines = sortable();
    const std::pair<QAction*, std::vector<int>> cases[] = {
        {FFound->byDist, {3, 2, 1, 0}}, {FFound->byPid, {1, 3, 0, 2}}, {FFound->byHOrder, {2, 3, 0, 1}},
        {FFound->byVOrder, {2, 3, 1, 0}}, {FFound->byLat, {0, 2, 3, 1}}, {FFound->byLon, {3, 0, 1, 2}},
        {FFound->byName, {1, 0, 3, 2}},
    };
    FList->MarksList->lines().assign({"station list stays"});
    for (const auto& [item, order] : cases) {
        SCOPED_TRACE(item->text().toStdString());
        show(lines);
        item->trigger();
        Lines expected;
        for (int i : order)
            expected.push_back(lines[static_cast<std::size_t>(i)]);
        EXPECT_EQ(found().lines(), expected);
    }
    EXPECT_EQ(FList->MarksList->lines().lines(), Lines{"station list stays"});

    // Left sorted by a radius search, the list takes the order of the sort.
    show(lines, true);
    FFound->byPid->trigger();
    EXPECT_EQ(found().lines(), (Lines{lines[1], lines[3], lines[0], lines[2]}));
}

TEST_F(SearchResults, ClickShowsTheStationsDatasheetAndKeepsTheViewerCaption)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("county.dat");
    testsupport::writeFile(path, "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
                                 " AB1234  DESIGNATION -  FIRST MARK\r\n"
                                 "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
                                 " CD5678  DESIGNATION -  SECOND MARK\r\n");
    platform::queueFileAnswer(path);
    FMain->FilePrompt();
    ASSERT_EQ(FMain->GetDataPath(), path);
    ASSERT_TRUE(FMain->LoadStationList(path, 1)); // the type search's reload into the results
    ASSERT_EQ(found().size(), 2u);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FFound));
    FDisplay->setWindowTitle("saved.txt");
    FDisplay->DsDisplay->setPlainText("stale");

    click(Qt::LeftButton, QPoint(5, centreOf(1).y() + 40));
    EXPECT_FALSE(FDisplay->isVisible()); // below the last line

    click(Qt::LeftButton, centreOf(1));
    EXPECT_TRUE(FDisplay->isVisible());
    EXPECT_EQ(FDisplay->windowTitle().toStdString(), "saved.txt");
    EXPECT_EQ(platform::memoLines(*FDisplay->DsDisplay),
              (Lines{"1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004",
                     " CD5678  DESIGNATION -  SECOND MARK"}));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SearchResults, ClosingEndsTheSearchAndHidesItsWindows)
{
    const std::vector<QWidget*> windows = {FDisplay, FPPrintSet, FPOptions, FPForm,  FPlot,   FSelect,
                                           FGetArea, FGetName,   FGetPid,   FGetRad, FGetType, FGetOut};
    for (QWidget* window : windows)
        window->show();
    FList->show();
    FList->SetSearchMode(3);
    FMain->SetTypeCode("GPS");
    show(radiusLines(2));

    FFound->close();

    EXPECT_FALSE(FFound->isVisible());
    for (QWidget* window : windows)
        EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
    EXPECT_TRUE(FList->isVisible());
    EXPECT_EQ(FList->GetSearchMode(), 0);
    EXPECT_EQ(FMain->GetTypeCode(), "X-0");
    EXPECT_EQ(found().lines(), radiusLines(2));
}

std::vector<std::string> captions(const QList<QAction*>& actions)
{
    std::vector<std::string> texts;
    for (const QAction* action : actions)
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return texts;
}

TEST_F(SearchResults, MenusPromptAndSmallHandlers)
{
    EXPECT_EQ(FFound->windowTitle().toStdString(), "SEARCH RESULTS");
    EXPECT_FALSE(FFound->FoundList->isVisibleTo(FFound));
    EXPECT_EQ(captions(FFound->menuBar()->actions()), (Lines{"&File", "S&ort", "Remove", "Plot", "Help"}));
    EXPECT_EQ(captions(FFound->File1->actions()), (Lines{"&Save As...", "&Print...", "Print &Setup..."}));
    EXPECT_EQ(captions(FFound->Sort1->actions()),
              (Lines{"by&Dist", "by&Pid", "by&HOrder", "by&VOrder", "by&Lat", "byL&on", "by&Name"}));
    EXPECT_EQ(captions(FFound->Grab1->actions()), (Lines{"Remove Marked Stations", "Clear Marks"}));
    EXPECT_EQ(FFound->CheckBox->text().toStdString(), "Stay On Top");

    FFound->Panel2->setText("something else");
    show(radiusLines(1));
    FFound->repaint();
    EXPECT_EQ(FFound->Panel2->text().toStdString(), "Click on a station to get a datasheet");

    FFound->Help1->trigger();
    EXPECT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->GetHelpContext(), 7);
    FFound->PrintSetup1->trigger();
    EXPECT_TRUE(FPrintSet->isVisible());
    FFound->Plot1->trigger();
    EXPECT_TRUE(FPlot->isVisible());

    FFound->CheckBox->setChecked(true);
    EXPECT_TRUE(FFound->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(FFound->isVisible());
    FFound->CheckBox->setChecked(false);
    EXPECT_FALSE(FFound->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(notices.recorded().empty());
}

} // namespace
