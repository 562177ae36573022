// The station list window: marks with the right button, grab, clear, the
// menus and the windows that close with it.
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/list_lines.h"
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

std::vector<std::string> stationLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        char pid[16];
        std::snprintf(pid, sizeof pid, "AB%04d", i);
        // 8-bit text and trailing blanks must come through a mark unchanged.
        lines.push_back(ds::MakeListLine("", pid, "2", "1", "41 12 03.1", "073 09 12.4",
                                         "CAF\xC9 MARK " + std::to_string(i) + "  "));
    }
    return lines;
}

std::string marked(const std::string& line)
{
    return "   ->" + line.substr(5);
}

class StationList : public KavroTest {
protected:
    void show(std::vector<std::string> lines)
    {
        list().assign(std::move(lines));
        FList->MarksList->show();
        FList->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FList));
    }
    platform::LineList& list() { return FList->MarksList->lines(); }
    QPoint centreOf(int row)
    {
        return FList->MarksList->visualRect(FList->MarksList->model()->index(row, 0)).center();
    }
    void rightClick(QPoint point)
    {
        QTest::mouseClick(FList->MarksList->viewport(), Qt::RightButton, Qt::NoModifier, point);
    }
};

TEST_F(StationList, LeftClickShowsTheStationsDatasheet)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("county.dat");
    testsupport::writeFile(path, "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
                                 " AB1234  DESIGNATION -  FIRST MARK\r\n"
                                 "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
                                 " CD5678  DESIGNATION -  SECOND MARK\r\n");
    platform::queueFileAnswer(path);
    FMain->FilePrompt();
    ASSERT_EQ(list().size(), 2u);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FList));
    FDisplay->DsDisplay->setPlainText("stale");

    QTest::mouseClick(FList->MarksList->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, centreOf(1).y() + 40));
    EXPECT_FALSE(FDisplay->isVisible()); // below the last line

    QTest::mouseClick(FList->MarksList->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(1));
    EXPECT_TRUE(FDisplay->isVisible());
    EXPECT_EQ(FDisplay->windowTitle().toStdString(), "DATASHEET");
    const std::vector<std::string> shown = platform::memoLines(*FDisplay->DsDisplay);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], " CD5678  DESIGNATION -  SECOND MARK");
}

TEST_F(StationList, RightClickMarksAndASecondUnmarks)
{
    const std::vector<std::string> lines = stationLines(5);
    show(lines);

    rightClick(centreOf(2));
    EXPECT_EQ(list().at(2), marked(lines[2]));
    rightClick(centreOf(2));
    EXPECT_EQ(list().lines(), lines);

    // A distance or any other tag is replaced by the mark.
    list().set(3, "  2.5" + lines[3].substr(5));
    rightClick(centreOf(3));
    EXPECT_EQ(list().at(3), marked(lines[3]));
}

TEST_F(StationList, RightClickBelowTheLastLineOrOnAnEmptyListDoesNothing)
{
    const std::vector<std::string> lines = stationLines(3);
    show(lines);
    const QPoint below(5, centreOf(2).y() + 40);
    rightClick(below);
    EXPECT_EQ(list().lines(), lines);

    list().clear();
    rightClick(QPoint(5, 5));
    FList->MarksListMouseUp(Qt::RightButton, Qt::NoModifier, 5, 5);
    EXPECT_TRUE(list().empty());
}

TEST_F(StationList, RightClickNeitherSelectsNorScrollsNorShowsADatasheet)
{
    const std::vector<std::string> lines = stationLines(300);
    show(lines);
    FList->MarksList->setTopIndex(200);
    ASSERT_EQ(FList->MarksList->topIndex(), 200);

    // The bottom row is only partly shown: a selection there would scroll.
    const QPoint bottom(10, FList->MarksList->viewport()->height() - 2);
    const int row = FList->MarksList->itemAt(bottom);
    ASSERT_GT(row, 200);
    rightClick(bottom);

    EXPECT_EQ(list().at(static_cast<std::size_t>(row)), marked(lines[static_cast<std::size_t>(row)]));
    EXPECT_EQ(list().size(), 300u);
    EXPECT_EQ(FList->MarksList->topIndex(), 200);
    EXPECT_EQ(FList->MarksList->selectedRow(), -1);
    EXPECT_FALSE(FDisplay->isVisible());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(StationList, GrabCopiesTheMarkedLinesWithBlankTags)
{
    std::vector<std::string> lines = stationLines(10);
    lines[4] = "  2.5" + lines[4].substr(5); // a distance is no mark
    for (int row : {1, 5, 8})
        lines[row] = marked(lines[row]);
    show(lines);
    FFound->FoundList->lines().assign({"stale"});

    FList->Grab2->trigger();

    const std::vector<std::string> all = stationLines(10);
    EXPECT_EQ(FFound->FoundList->lines().lines(), (std::vector<std::string>{all[1], all[5], all[8]}));
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_TRUE(FFound->FoundList->isVisibleTo(FFound));
    EXPECT_EQ(list().lines(), lines);
    EXPECT_TRUE(FList->isVisible());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(StationList, GrabWithoutMarksExplainsMarking)
{
    show(stationLines(4));
    FFound->FoundList->lines().assign({"stale"});
    FFound->show();

    FList->Grab2->trigger();

    ASSERT_EQ(notices.recorded().size(), 1u);
    const platform::Notice& notice = notices.recorded()[0];
    EXPECT_EQ(notice.caption, "HELP");
    EXPECT_EQ(notice.text, "\r\n"
                           "       'Grab Marked Stations' will copy\r\n"
                           "       all 'marked' stations to a new Window.\r\n"
                           "       \r\n"
                           "       To 'mark a station------ Right Click the station.\r\n"
                           "       To 'un-mark' a station---Right Click again.\r\n"
                           "       \r\n"
                           "       A 'marked' station will be displayed with\r\n"
                           "         ->\r\n"
                           "       on the left.");
    EXPECT_EQ(notice.text.size(), 300u);
    EXPECT_FALSE(FFound->isVisible());
    EXPECT_TRUE(FFound->FoundList->lines().empty());
}

TEST_F(StationList, ClearMarksBlanksEveryArrowTag)
{
    const std::vector<std::string> lines = stationLines(5);
    std::vector<std::string> tagged = lines;
    tagged[0] = marked(lines[0]);
    tagged[2] = "    >" + lines[2].substr(5); // an arrow at index 4 counts as a mark
    tagged[3] = "  2.5" + lines[3].substr(5);
    tagged[4] = marked(lines[4]);
    show(tagged);

    FList->Clear1->trigger();

    std::vector<std::string> expected = lines;
    expected[3] = tagged[3];
    EXPECT_EQ(list().lines(), expected);
    EXPECT_TRUE(FList->MarksList->isVisibleTo(FList));
}

TEST_F(StationList, ClosingHidesTheDependentWindows)
{
    const std::vector<QWidget*> kids = {FDisplay, FPPrintSet, FPOptions, FPForm, FPlot, FFound, FSelect,
                                        FGetArea,  FGetName,   FGetPid,   FGetRad, FGetType, FGetOut};
    for (QWidget* kid : kids)
        kid->show();
    FFound->FoundList->lines().assign({"kept"});
    show(stationLines(2));

    FList->close();

    EXPECT_FALSE(FList->isVisible());
    for (QWidget* kid : kids)
        EXPECT_FALSE(kid->isVisible()) << kid->windowTitle().toStdString();
    EXPECT_EQ(FFound->FoundList->lines().size(), 1u);
    EXPECT_EQ(list().size(), 2u);
}

TEST_F(StationList, SortItemsMapToTheirKeys)
{
    const std::pair<QAction*, const char*> cases[] = {
        {FList->byPid, "bypid"}, {FList->byHOrder, "byhorder"}, {FList->byVOrder, "byvorder"},
        {FList->byLat, "bylat"}, {FList->byLon, "bylon"},       {FList->byName, "byname"},
        {FList->Grab2, "byname"}, {nullptr, "byname"}, // no Sort item
    };
    for (const auto& [sender, key] : cases)
        EXPECT_EQ(FList->SortKey(sender), key) << key;
}

TEST_F(StationList, SortItemsSortTheStationList)
{
    const std::string a = ds::MakeListLine("   ->", "MX4273", "2", "1", "37 00 00.", "098 00 00.", "ZEBRA", 5);
    const std::string b = ds::MakeListLine("", "AB0001", "1", "3", "38 00 00.", "097 00 00.", "ALPHA", 5);
    const std::string c = ds::MakeListLine("", "MX0001", "A", "?", "36 00 00.", "099 00 00.", "MIDDLE", 5);
    struct Case {
        QAction* item;
        std::vector<std::string> pids;
    };
    const Case cases[] = {
        {FList->byPid, {"AB0001", "MX0001", "MX4273"}}, {FList->byLat, {"MX0001", "MX4273", "AB0001"}},
        {FList->byLon, {"AB0001", "MX4273", "MX0001"}}, {FList->byName, {"AB0001", "MX0001", "MX4273"}},
        {FList->byHOrder, {"MX0001", "AB0001", "MX4273"}}, {FList->byVOrder, {"MX4273", "AB0001", "MX0001"}},
    };
    for (const Case& c0 : cases) {
        list().assign({a, b, c});
        c0.item->trigger();
        std::vector<std::string> pids;
        for (const std::string& line : list().lines())
            pids.push_back(line.substr(6, 6));
        EXPECT_EQ(pids, c0.pids) << c0.item->text().toStdString();
        EXPECT_EQ(list().size(), 3u);
    }
    // The mark stays with its line.
    for (const std::string& line : list().lines())
        EXPECT_EQ(line.substr(0, 5) == "   ->", line.substr(6, 6) == "MX4273");
}

std::vector<std::string> captions(const QList<QAction*>& actions)
{
    std::vector<std::string> texts;
    for (const QAction* action : actions)
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return texts;
}

TEST_F(StationList, MenusAndPrompt)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(FList->windowTitle().toStdString(), "STATION LIST");
    EXPECT_EQ(captions(FList->menuBar()->actions()), (Texts{"&File", "&Search", "S&ort", "Grab", "Help"}));
    EXPECT_EQ(captions(FList->File1->actions()), (Texts{"&Save As...", "&Print...", "Print &Setup...", "-"}));
    EXPECT_EQ(captions(FList->Search1->actions()),
              (Texts{"&Pid", "&Name", "Point &Radius", "&Min Max", "&Type"}));
    EXPECT_EQ(captions(FList->Sort1->actions()),
              (Texts{"by&Pid", "by&HOrder", "by&VOrder", "by&Lat", "byL&on", "by&Name"}));
    EXPECT_EQ(captions(FList->Grab1->actions()), (Texts{"Grab Marked Stations", "Clear  Marks"}));
    EXPECT_EQ(FList->CheckBox->text().toStdString(), "Stay On Top");

    // A save or print may leave its own text in the prompt until the next repaint.
    FList->Panel2->setText("Please Wait...");
    show(stationLines(1));
    FList->repaint();
    EXPECT_EQ(FList->Panel2->text().toStdString(), "Click on a station to get a datasheet");
}

TEST_F(StationList, MenuItemsOpenTheirWindows)
{
    show(stationLines(1));
    FList->ListHelp->trigger();
    EXPECT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->GetHelpContext(), 3);

    const std::pair<QAction*, QWidget*> dialogs[] = {
        {FList->Pid1, FGetPid}, {FList->Name1, FGetName}, {FList->PointRadius1, FGetRad},
        {FList->Area1, FGetArea}, {FList->Type1, FGetType},
    };
    FList->SetSearchMode(4);
    for (const auto& [item, dialog] : dialogs) {
        item->trigger();
        EXPECT_TRUE(dialog->isVisible()) << dialog->windowTitle().toStdString();
    }
    EXPECT_EQ(FList->GetSearchMode(), 4); // the dialogs set it themselves

    FList->CheckBox->setChecked(true);
    EXPECT_TRUE(FList->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(FList->isVisible());
    FList->CheckBox->setChecked(false);
    EXPECT_FALSE(FList->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
