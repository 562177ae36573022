// The area and point-radius dialogs: their controls, the input notices, the
// results window after a search, the type test of each station found, and a
// data file that has gone away.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_status.h"
#include "platform/file_identity.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_area.h"
#include "kavro/tf_get_rad.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "kavro/tf_offsets.h"
#include "platform/qt/text.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

const std::string kAreaLatitude = "     LATITUDE FORMAT\n     Must be:\n              Deg Min Sec\n"
                                  "     separated by blanks\n     Click Sample Button for example.\n";
const std::string kAreaLongitude = "     LONGITUDE FORMAT\n     Must be:\n              Deg Min Sec\n"
                                   "     separated by blanks\n     Click Sample Button for example.\n";
const std::string kRadiusLatitude = "     LATITUDE FORMAT:\n       Deg Min Sec\n"
                                    "     separated by blanks\n     Click Sample Button for example.\n";
const std::string kRadiusLongitude = "     LONGITUDE FORMAT\n       Deg Min Sec\n"
                                     "     separated by blanks\n     Click Sample Button for example.\n";
const std::string kRadiusFormat = "     RADIUS FORMAT\n        Decimal Miles\n     between .1 and 99.9\n"
                                  "     separated by blanks\n     Click Sample Button for example.\n";

// One station's datasheet; an empty latitude leaves out the position line.
std::string datasheet(const std::string& pid, const std::string& lat, const std::string& lon,
                      const std::string& extra = "")
{
    std::string text = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n";
    text += " " + pid + "  DESIGNATION -  MARK " + pid + "\r\n";
    if (!lat.empty()) {
        std::string line = " " + pid + "  POSITION    - ";
        line.resize(24, ' ');
        line += lat + "(N)";
        line.resize(45, ' ');
        line += lon + "(W)   ADJUSTED";
        text += line + "\r\n";
    }
    if (!extra.empty())
        text += " " + pid + "  " + extra + "\r\n";
    text += " " + pid + "  MARKER: DD = SURVEY DISK\r\n";
    return text;
}

// Around the box of the area dialog's sample and the point of the radius
// dialog's sample (38 59 59, 098 59 59, 1.5 miles); the two stations without
// a position are inside every circle.
std::string stationsFile()
{
    return datasheet("AR0001", "37 30 00.0", "098 30 00.0") + datasheet("AR0002", "37 00 00.0", "098 00 00.0") +
           datasheet("AR0003", "37 59 59.0", "098 30 00.0") + datasheet("AR0004", "37 30 00.0", "098 59 59.0") +
           datasheet("AR0005", "", "") + datasheet("AR0006", "37 10 00.0", "098 10 00.0") +
           datasheet("RA0001", "39 00 59.0", "098 59 59.0") + datasheet("RA0002", "38 59 59.0", "098 59 59.0") +
           datasheet("RA0003", "", "") +
           datasheet("RA0004", "38 59 59.0", "099 00 59.0", "ELLIP HEIGHT-    250.123 (meters)") +
           datasheet("RA0005", "40 00 00.0", "098 59 59.0") + datasheet("RA0006", "38 58 59.0", "098 59 59.0");
}

class PositionSearch : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        data = dir.file("county.dat");
        testsupport::writeFile(data, stationsFile());
        platform::queueFileAnswer(data);
        FMain->FilePrompt();
        ASSERT_EQ(FMain->GetDataPath(), data);
        ASSERT_EQ(stations().size(), 12u);
        notices.clear();
    }

    platform::LineList& stations() { return FList->MarksList->lines(); }
    platform::LineList& found() { return FFound->FoundList->lines(); }
    std::string caption() const { return platform::fromQ(FFound->windowTitle()); }
    std::vector<platform::Notice> noticesTaken()
    {
        std::vector<platform::Notice> taken = notices.recorded();
        notices.clear();
        return taken;
    }
    // The station-list line of a PID, as loaded.
    std::string line(const std::string& pid)
    {
        for (const std::string& l : stations().lines())
            if (l.substr(6, 6) == pid)
                return l;
        ADD_FAILURE() << pid;
        return {};
    }
    std::vector<std::string> foundPids()
    {
        std::vector<std::string> pids;
        for (const std::string& l : found().lines())
            pids.push_back(l.substr(6, 6));
        return pids;
    }
    void area(const char* minLat, const char* maxLat, const char* minLon, const char* maxLon)
    {
        FGetArea->MinLatBox->setText(minLat);
        FGetArea->MaxLatBox->setText(maxLat);
        FGetArea->MinLonBox->setText(minLon);
        FGetArea->MaxLonBox->setText(maxLon);
        FGetArea->SearchArea();
    }
    void radius(const char* lat, const char* lon, const char* miles)
    {
        FGetRad->LatBox->setText(lat);
        FGetRad->LonBox->setText(lon);
        FGetRad->RadiusBox->setText(miles);
        FGetRad->RadiusSearch();
    }
    // What an earlier search left in the results window and the viewer.
    void earlierResults()
    {
        found().assign({"    X|ZZ9999|2-1|          |           |EARLIER"});
        FFound->setWindowTitle("FIND EARLIER");
        FFound->FoundList->show();
        FFound->show();
        FDisplay->DsDisplay->setPlainText("an earlier datasheet");
        FDisplay->show();
    }
    void expectNoProgressWindowLeft() { EXPECT_EQ(FStatus, nullptr); }

    testsupport::TempDir dir;
    std::string data;
};

TEST_F(PositionSearch, AreaDialogControlsAndTabOrder)
{
    TFGetArea& d = *FGetArea;
    EXPECT_EQ(d.windowTitle(), "AREA INPUT");
    EXPECT_EQ(d.Label5->text(), "dd mm ss");
    EXPECT_EQ(d.Label4->text(), "Max Lat");
    EXPECT_EQ(d.Label3->text(), "Min Lat");
    EXPECT_EQ(d.Label1->text(), "Max Lon");
    EXPECT_EQ(d.Label2->text(), "Min Lon");
    EXPECT_EQ(d.Ok->text(), "OK");
    EXPECT_TRUE(d.Ok->isDefault());
    EXPECT_EQ(d.Sample->text(), "SAMPLE");
    EXPECT_EQ(d.Clear->text(), "CLEAR");
    EXPECT_EQ(d.Cancel->text(), "CANCEL");
    EXPECT_EQ(d.CheckBox->text(), "Stay On Top");
    EXPECT_EQ(d.MinLatBox->nextInFocusChain(), d.MaxLatBox);
    EXPECT_EQ(d.MaxLatBox->nextInFocusChain(), d.MinLonBox);
    EXPECT_EQ(d.MinLonBox->nextInFocusChain(), d.MaxLonBox);

    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    // As on a map: north above south, and west (the larger longitude) on the left.
    EXPECT_LT(d.MaxLatBox->geometry().bottom(), d.MinLatBox->geometry().top());
    EXPECT_LT(d.MaxLonBox->geometry().right(), d.MinLonBox->geometry().left());

    d.Sample->click();
    EXPECT_EQ(d.MinLatBox->text(), "37 00 00");
    EXPECT_EQ(d.MaxLatBox->text(), "37 59 59");
    EXPECT_EQ(d.MinLonBox->text(), "098 00 00");
    EXPECT_EQ(d.MaxLonBox->text(), "098 59 59");
    d.Clear->click();
    for (QLineEdit* edit : {d.MinLatBox, d.MaxLatBox, d.MinLonBox, d.MaxLonBox})
        EXPECT_EQ(edit->text(), " ");

    // OK asks for the station type and leaves the dialog open, no search yet.
    d.Ok->click();
    EXPECT_EQ(FList->GetSearchMode(), 4);
    EXPECT_TRUE(FGetType->isVisible());
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(noticesTaken().empty());
    d.Cancel->click();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(PositionSearch, RadiusDialogControls)
{
    TFGetRad& d = *FGetRad;
    EXPECT_EQ(d.windowTitle(), "POINT RADIUS INPUT");
    EXPECT_EQ(d.Label3->text(), "dd mm ss");
    EXPECT_EQ(d.Label4->text(), "ddd mm ss");
    EXPECT_EQ(d.Label1->text(), "LATITUDE");
    EXPECT_EQ(d.Label2->text(), "LONGITUDE");
    EXPECT_EQ(d.Label5->text(), "RADIUS");
    EXPECT_EQ(d.RadOK->text(), "OK");
    EXPECT_TRUE(d.RadOK->isDefault());
    EXPECT_EQ(d.Sample->text(), "SAMPLE");
    EXPECT_EQ(d.Clear->text(), "CLEAR");
    EXPECT_EQ(d.Cancel->text(), "CANCEL");
    EXPECT_EQ(d.CheckBox->text(), "Stay On Top");

    d.show();
    d.Sample->click();
    EXPECT_EQ(d.LatBox->text(), "38 59 59");
    EXPECT_EQ(d.LonBox->text(), "098 59 59");
    EXPECT_EQ(d.RadiusBox->text(), "1.5");
    d.Clear->click();
    for (QLineEdit* edit : {d.LatBox, d.LonBox, d.RadiusBox})
        EXPECT_EQ(edit->text(), " ");

    d.RadOK->click();
    EXPECT_EQ(FList->GetSearchMode(), 3);
    EXPECT_TRUE(FGetType->isVisible());
    EXPECT_TRUE(d.isVisible());
    d.Cancel->click();
    EXPECT_FALSE(d.isVisible());
}

TEST_F(PositionSearch, RadiusSampleListsTheNearestFirst)
{
    earlierResults();
    FGetRad->Sample->click();
    FGetRad->RadiusSearch();

    EXPECT_TRUE(noticesTaken().empty());
    EXPECT_EQ(caption(), "FIND  38 59 59, 098 59 59, 1.5");
    EXPECT_EQ(FList->GetSearchMode(), 3);
    EXPECT_TRUE(found().sorted());
    EXPECT_EQ(found().lines(), (std::vector<std::string>{
                                   "     " + line("AR0005").substr(5),
                                   "     " + line("RA0003").substr(5),
                                   "  0.0" + line("RA0002").substr(5),
                                   "  0.9" + line("RA0004").substr(5),
                                   "  1.1" + line("RA0001").substr(5),
                                   "  1.1" + line("RA0006").substr(5),
                               }));
    double previous = 0;
    for (const std::string& l : found().lines()) {
        if (l.substr(0, 5) == "     ")
            continue;
        double miles = -1;
        ASSERT_EQ(std::sscanf(l.c_str(), "%lf", &miles), 1) << l;
        EXPECT_GE(miles, previous) << l;
        EXPECT_LE(miles, 1.5) << l;
        previous = miles;
    }
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_TRUE(FFound->FoundList->isVisible());
    EXPECT_FALSE(FDisplay->isVisible());
    EXPECT_TRUE(FDisplay->DsDisplay->toPlainText().isEmpty());
    expectNoProgressWindowLeft();
}

TEST_F(PositionSearch, AreaSampleKeepsListOrderAndTags)
{
    // A radius search first leaves the results list sorted; the area search
    // turns that off.
    FGetRad->Sample->click();
    FGetRad->RadiusSearch();
    ASSERT_TRUE(found().sorted());
    const std::size_t marked = 5; // AR0006, after the unpositioned AR0005
    stations().set(marked, "   ->" + stations().at(marked).substr(5));
    earlierResults();

    FGetArea->Sample->click();
    FGetArea->SearchArea();

    EXPECT_TRUE(noticesTaken().empty());
    EXPECT_EQ(caption(), "FIND  37 00 00, 098 00 00, 37 59 59, 098 59 59");
    EXPECT_EQ(FList->GetSearchMode(), 4);
    EXPECT_FALSE(found().sorted());
    // AR0002 lies on both minimum edges; AR0003 and AR0004 on a maximum edge.
    EXPECT_EQ(found().lines(), (std::vector<std::string>{line("AR0001"), line("AR0002"), stations().at(marked)}));
    EXPECT_EQ(found().at(2).substr(0, 5), "   ->");
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_TRUE(FFound->FoundList->isVisible());
    EXPECT_FALSE(FDisplay->isVisible());
    EXPECT_TRUE(FDisplay->DsDisplay->toPlainText().isEmpty());
    expectNoProgressWindowLeft();
}

TEST_F(PositionSearch, BoxBoundsAreComparedInTheStationListsForm)
{
    // " 9 00 00" passes its check as 9 degrees; compared as typed it would
    // sort below every "dd" text and take in the whole list below 37 30.
    area("37 00 00", "37 30 00", " 98 00 00", "098 59 59");
    EXPECT_TRUE(noticesTaken().empty());
    EXPECT_EQ(foundPids(), (std::vector<std::string>{"AR0002", "AR0006"}));
    area("37 00 00.9", "37 30 00.9", "098 00 00", "098 59 59");
    EXPECT_EQ(foundPids(), (std::vector<std::string>{"AR0002", "AR0006"}));
    // The caption shows the texts as typed.
    EXPECT_EQ(caption(), "FIND  37 00 00.9, 098 00 00, 37 30 00.9, 098 59 59");
}

TEST_F(PositionSearch, FormatNoticesStopTheSearch)
{
    struct Case {
        bool isArea;
        const char* a;
        const char* b;
        const char* c;
        const char* d;
        const std::string* text;
    } cases[] = {
        {true, "37 0 00 ", "37 59 59", "098 00 00", "098 59 59", &kAreaLatitude},
        {true, "37 00 00", "91 00 00", "098 00 00", "098 59 59", &kAreaLatitude},
        {true, "37 00 00", "37 59 59", "98 00 00", "098 59 59", &kAreaLongitude},
        {true, "37 00 00", "37 59 59", "098 00 00", "360 00 00", &kAreaLongitude},
        {true, " ", " ", "098 00 00", "098 59 59", &kAreaLatitude},
        {false, "38 60 00", "098 59 59", "1.5", nullptr, &kRadiusLatitude},
        {false, "38 59 59", "098 59 5", "1.5", nullptr, &kRadiusLongitude},
        {false, "38 59 59", "098 59 59", "100", nullptr, &kRadiusFormat},
        {false, "38 59 59", "098 59 59", "1.500", nullptr, &kRadiusFormat},
        {false, "38 59 59", "098 59 59", "0.05", nullptr, &kRadiusFormat},
    };
    for (const Case& c : cases) {
        earlierResults();
        FList->SetSearchMode(0);
        if (c.isArea)
            area(c.a, c.b, c.c, c.d);
        else
            radius(c.a, c.b, c.c);
        EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{{"NOTICE", *c.text, false}})) << c.a << c.b << c.c;
        EXPECT_EQ(FList->GetSearchMode(), c.isArea ? 4 : 3);
        EXPECT_EQ(caption(), "FIND EARLIER");
        EXPECT_EQ(foundPids(), std::vector<std::string>{"ZZ9999"});
        EXPECT_TRUE(FFound->isVisible());
        EXPECT_TRUE(FDisplay->isVisible());
    }
}

TEST_F(PositionSearch, NothingFoundGivesTheNoticeAndLeavesTheResultsHidden)
{
    earlierResults();
    // Minimum above maximum holds nothing.
    area("37 59 59", "37 00 00", "098 00 00", "098 59 59");
    EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{
                                  {"NOTICE", "No Station Found in area 37 59 59-37 00 00,098 00 00-098 59 59", false}}));
    EXPECT_TRUE(found().empty());
    EXPECT_FALSE(FFound->isVisible());
    expectNoProgressWindowLeft();

    // The two stations without a position are inside every circle; without
    // them nothing is near this point.
    for (const char* pid : {"AR0005", "RA0003"})
        stations().remove(static_cast<std::size_t>(
            std::find(stations().lines().begin(), stations().lines().end(), line(pid)) - stations().lines().begin()));
    earlierResults();
    radius("10 00 00", "010 00 00", "1.5");
    EXPECT_EQ(noticesTaken(),
              (std::vector<platform::Notice>{{"NOTICE", "No Station Found in area 10 00 00,010 00 00,1.5", false}}));
    EXPECT_TRUE(found().empty());
    EXPECT_FALSE(FFound->isVisible());
    EXPECT_FALSE(FDisplay->isVisible());
    expectNoProgressWindowLeft();
}

TEST_F(PositionSearch, DataFileThatCannotBeOpenedStopsOnlyTheSearch)
{
    std::filesystem::remove(data);
    for (int isArea = 0; isArea < 2; ++isArea) {
        earlierResults();
        if (isArea) {
            FGetArea->Sample->click();
            FGetArea->SearchArea();
        } else {
            FGetRad->Sample->click();
            FGetRad->RadiusSearch();
        }
        EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{{"NOTICE", "Cannot open County File", false}}));
        EXPECT_TRUE(found().empty());
        EXPECT_FALSE(FFound->isVisible());
        expectNoProgressWindowLeft();
    }
    // The program goes on. A file put back is another file: it must be
    // loaded again, and then the same search finds its stations.
    testsupport::writeFile(data, stationsFile());
    FGetArea->SearchArea();
    EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{{"NOTICE", platform::fileChangedText(data), false}}));
    EXPECT_TRUE(found().empty());
    ASSERT_TRUE(FMain->LoadStationList(data, 0));
    FGetArea->SearchArea();
    EXPECT_TRUE(noticesTaken().empty());
    EXPECT_EQ(foundPids(), (std::vector<std::string>{"AR0001", "AR0002", "AR0006"}));
}

TEST_F(PositionSearch, OnlyStationsOfTheChosenTypeAreListed)
{
    FMain->SetTypeCode("ELL");
    FGetRad->Sample->click();
    FGetRad->RadiusSearch();
    EXPECT_TRUE(noticesTaken().empty());
    EXPECT_EQ(foundPids(), std::vector<std::string>{"RA0004"});

    FGetArea->Sample->click();
    FGetArea->SearchArea();
    EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{
                                  {"NOTICE", "No Station Found in area 37 00 00-37 59 59,098 00 00-098 59 59", false}}));
}

TEST_F(PositionSearch, StationMissingFromTheIndexPassesOnlyWithAnyType)
{
    platform::LineList& locs = FOffsets->LocList->lines();
    for (std::size_t i = 0; i < locs.size(); ++i)
        if (locs.at(i).substr(0, 6) == "RA0002") {
            locs.remove(i);
            break;
        }
    const platform::Notice missing{"NOTICE", "Offset Location not found for RA0002", false};

    FGetRad->Sample->click();
    FGetRad->RadiusSearch();
    EXPECT_EQ(noticesTaken(), std::vector<platform::Notice>{missing});
    EXPECT_EQ(foundPids(), (std::vector<std::string>{"AR0005", "RA0003", "RA0002", "RA0004", "RA0001", "RA0006"}));

    FMain->SetTypeCode("ELL");
    FGetRad->RadiusSearch();
    EXPECT_EQ(noticesTaken(), std::vector<platform::Notice>{missing});
    EXPECT_EQ(foundPids(), std::vector<std::string>{"RA0004"});
}

} // namespace

namespace {

// Picks a TypeList item by its text, as a click does.
void chooseType(const char* item)
{
    const auto items = FGetType->TypeList->findItems(item, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    FGetType->TypeList->setCurrentItem(items.front());
}

} // namespace

// The whole road from the menu: the dialog's OK opens the type dialog, whose
// OK runs the search that is waiting for it.
TEST_F(PositionSearch, TypeDialogOkRunsTheSearchTheDialogAskedFor)
{
    FList->PromptForRadius();
    FGetRad->SampleRadius();
    FGetRad->OkRadius();
    ASSERT_TRUE(FGetType->isVisible());
    chooseType("Only Stations with Ellipsoidal Heights");
    FGetType->OkType->click();
    EXPECT_FALSE(FGetType->isVisible());
    EXPECT_EQ(FMain->GetTypeCode(), "ELL");
    EXPECT_EQ(caption(), "FIND  38 59 59, 098 59 59, 1.5");
    EXPECT_EQ(foundPids(), std::vector<std::string>{"RA0004"});
    EXPECT_EQ(found().at(0).substr(0, 5), "  0.9");
    EXPECT_TRUE(FFound->isVisible());

    FList->PromptForMM();
    FGetArea->SampleMM();
    FGetArea->OkMM();
    ASSERT_TRUE(FGetType->isVisible());
    chooseType("Any Type");
    FGetType->OkType->click();
    EXPECT_EQ(FList->GetSearchMode(), 4);
    EXPECT_EQ(caption(), "FIND  37 00 00, 098 00 00, 37 59 59, 098 59 59");
    EXPECT_EQ(foundPids(), (std::vector<std::string>{"AR0001", "AR0002", "AR0006"})); // AR0004 is on Max Lon
    EXPECT_TRUE(noticesTaken().empty());
}

namespace {

// The README sends a new user to samples/disk/kansas.txt with the dialogs'
// SAMPLE values: the radius sample finds its stations there.
using SampleFiles = KavroTest;

TEST_F(SampleFiles, RadiusSampleFindsStationsInTheKansasSample)
{
    testsupport::TempDir dir;
    const std::string data = dir.file("kansas.txt");
    testsupport::writeFile(data, testsupport::readFile(std::string(DS_FIXTURES_DIR) + "/../../samples/disk/kansas.txt"));
    platform::queueFileAnswer(data);
    FMain->FilePrompt();
    ASSERT_EQ(FList->MarksList->lines().size(), 44u);
    FGetRad->Sample->click();
    FGetRad->RadiusSearch();
    EXPECT_TRUE(notices.recorded().empty());
    std::vector<std::string> pids;
    for (const auto& line : FFound->FoundList->lines().lines())
        pids.push_back(line.substr(6, 6));
    std::sort(pids.begin(), pids.end());
    EXPECT_EQ(pids, (std::vector<std::string>{"MX4300", "MX4301", "MX4302", "MX4303"}));
    for (const auto& line : FFound->FoundList->lines().lines())
        EXPECT_LE(std::stod(line.substr(0, 5)), 1.5) << line;
}

} // namespace
