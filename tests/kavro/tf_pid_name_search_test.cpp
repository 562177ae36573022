// The PID and name dialogs: reading the input, the notices, the results
// window and the selection in the station list.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "datasheet/list_lines.h"
#include "datasheet/list_sort.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_name.h"
#include "kavro/tf_get_pid.h"
#include "kavro/tf_list.h"
#include "platform/qt/message_box_notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"
#include "tests/kavro/kavro_fixture.h"

namespace {

const std::string kPidFormat = "     PID FORMAT\n"
                               "       MN0298\n"
                               "     i.e. 2 Upper/Letters followed by 4 numbers.\n"
                               "     Click Sample Button for example.\n";
const std::string kNameFormat = "     NAME FORMAT\n"
                                "       STATE CAPITOL BUILD\n"
                                "     May have embedded blanks,\n"
                                "     and may be truncated,\n"
                                "     but MUST be left justified.\n"
                                "     Click Sample Button for example.\n";

std::string station(std::string_view tag, std::string_view pid, std::string_view designation)
{
    return ds::MakeListLine(tag, pid, "2", "1", "41 12 03.1", "073 09 12.4", designation);
}

const std::vector<std::string> kStations = {
    station("", "AB1234", "ZEBRA STATE MARK"),
    station("", "CD5678", "STATE CAPITOL DOME"),
    station("   ->", "MX4273", "STATE CAPITOL BUILDING"),
    station("", "EF9012", "OLD STATE CAPITOL"),
    station("", "MX4273", "SECOND MX4273"),
    station("", "GH3456", "CAF\xC9 \xFF STATE  "),
    station("", "JK7890", "STATES LINE"),
};

class PidNameSearch : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        stations().assign(kStations);
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
    void searchPid(const std::string& typed)
    {
        FGetPid->PidBox->setText(platform::toQ(typed));
        FGetPid->Ok->click();
    }
    void searchName(const std::string& typed)
    {
        FGetName->NameBox->setText(platform::toQ(typed));
        FGetName->Ok->click();
    }
    // What an earlier search left in the results window.
    void earlierResults()
    {
        found().assign({kStations[0]});
        FFound->setWindowTitle("FIND EARLIER");
        FFound->FoundList->show();
        FFound->show();
    }
    void expectFound(const std::vector<std::string>& lines, int selected)
    {
        EXPECT_EQ(found().lines(), lines);
        EXPECT_TRUE(FFound->isVisible());
        EXPECT_TRUE(FFound->FoundList->isVisible());
        EXPECT_TRUE(FList->isVisible());
        EXPECT_EQ(FList->MarksList->selectedRow(), selected);
        EXPECT_TRUE(notices.recorded().empty());
    }
    void expectNotFound(const std::string& text)
    {
        EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{{"NOTICE", text}}));
        EXPECT_TRUE(found().empty());
        EXPECT_FALSE(FFound->isVisible());
    }
    // A format notice touches neither the results nor the station list.
    void expectFormatNotice(const std::string& text)
    {
        EXPECT_EQ(noticesTaken(), (std::vector<platform::Notice>{{"NOTICE", text}}));
        EXPECT_EQ(found().lines(), std::vector<std::string>{kStations[0]});
        EXPECT_TRUE(FFound->isVisible());
        EXPECT_EQ(caption(), "FIND EARLIER");
        EXPECT_EQ(FList->MarksList->selectedRow(), -1);
        EXPECT_EQ(stations().lines(), kStations);
    }
};

TEST_F(PidNameSearch, DialogsCarryTheirCaptionsAndSampleAndClearTexts)
{
    EXPECT_EQ(FGetPid->windowTitle(), "PID INPUT");
    EXPECT_EQ(FGetPid->Label1->text(), "Example = MX4273");
    EXPECT_EQ(FGetPid->Label2->text(), "ENTER PID");
    EXPECT_EQ(FGetName->windowTitle(), "NAME INPUT");
    EXPECT_EQ(FGetName->Label2->text(), "Example = STATE CAPITOL BUILD");
    EXPECT_EQ(FGetName->Label1->text(), "ENTER NAME");
    for (QWidget* dialog : std::initializer_list<QWidget*>{FGetPid, FGetName}) {
        QStringList texts;
        for (auto* button : dialog->findChildren<QPushButton*>())
            texts << button->text();
        EXPECT_EQ(texts, (QStringList{"OK", "SAMPLE", "CLEAR", "CANCEL"}));
        EXPECT_EQ(dialog->findChild<QCheckBox*>()->text(), "Stay On Top");
    }
    EXPECT_TRUE(FGetPid->Ok->isDefault());
    EXPECT_TRUE(FGetName->Ok->isDefault());

    FGetPid->Sample->click();
    EXPECT_EQ(FGetPid->PidBox->text(), "MX4273");
    FGetPid->Clear->click();
    EXPECT_EQ(FGetPid->PidBox->text(), " ");
    FGetName->Sample->click();
    EXPECT_EQ(FGetName->NameBox->text(), "STATE CAPITOL BUILD");
    FGetName->Clear->click();
    EXPECT_EQ(FGetName->NameBox->text(), " ");
}

TEST_F(PidNameSearch, OkLeavesTheDialogOpenCancelHidesIt)
{
    for (QWidget* dialog : std::initializer_list<QWidget*>{FGetPid, FGetName})
        dialog->show();
    searchPid("AB1234");
    searchName("ZEBRA");
    EXPECT_TRUE(FGetPid->isVisible());
    EXPECT_TRUE(FGetName->isVisible());
    FGetPid->Cancel->click();
    FGetName->Cancel->click();
    EXPECT_FALSE(FGetPid->isVisible());
    EXPECT_FALSE(FGetName->isVisible());
}

TEST_F(PidNameSearch, StayOnTopFollowsTheCheckBox)
{
    for (QWidget* dialog : std::initializer_list<QWidget*>{FGetPid, FGetName}) {
        auto* box = dialog->findChild<QCheckBox*>();
        box->click();
        EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        box->click();
        EXPECT_FALSE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
}

struct PidFindCase {
    std::string typed;
    std::string caption;
};

TEST_F(PidNameSearch, PidIsFoundAsReadFromTheBox)
{
    const PidFindCase cases[] = {
        {"EF9012", "FIND EF9012"},
        {"ef9012", "FIND EF9012"},
        {"EF90123", "FIND EF9012"},
    };
    for (const auto& c : cases) {
        FList->MarksList->setSelectedRow(-1);
        searchPid(c.typed);
        expectFound({kStations[3]}, 3);
        EXPECT_EQ(caption(), c.caption) << c.typed;
        EXPECT_EQ(FList->GetSearchMode(), 1);
    }
}

TEST_F(PidNameSearch, DuplicatePidGivesTheFirstLineWithItsMark)
{
    searchPid("MX4273");
    expectFound({kStations[2]}, 2);
    EXPECT_EQ(found().at(0).substr(0, 5), "   ->");
    EXPECT_EQ(caption(), "FIND MX4273");
}

TEST_F(PidNameSearch, MalformedPidGivesTheFormatNotice)
{
    for (const std::string typed : {"MX427", "M14273", "1X4273", "", "\xE9X4273"}) {
        earlierResults();
        FList->SetSearchMode(0);
        searchPid(typed);
        expectFormatNotice(kPidFormat);
        EXPECT_EQ(FList->GetSearchMode(), 1) << typed;
    }
    earlierResults();
    FGetPid->Clear->click();
    FGetPid->Ok->click();
    expectFormatNotice(kPidFormat);
}

TEST_F(PidNameSearch, UnknownPidIsNotFoundAfterTheCaptionIsSet)
{
    earlierResults();
    searchPid("zz9999");
    expectNotFound("Pid = ZZ9999 Not Found");
    EXPECT_EQ(caption(), "FIND ZZ9999");
}

struct NameFindCase {
    std::string typed;
    std::vector<int> stations;
    std::string caption;
};

TEST_F(PidNameSearch, NameFindsEveryHitInListOrderAndSelectsTheFirst)
{
    const NameFindCase cases[] = {
        {"*", {0, 1, 2, 3, 4, 5, 6}, "FIND *"},
        {"state capitol", {1, 2}, "FIND STATE CAPITOL"},
        {"*CAPITOL", {1, 2, 3}, "FIND *CAPITOL"},
        {"*capitol*bldg", {1, 2, 3}, "FIND *CAPITOL*BLDG"},
        {"STATE*DOME", {1, 2, 6}, "FIND STATE*DOME"},
        {"STATE ", {1, 2}, "FIND STATE "},
        {"caf\xC9 \xFF state  ", {5}, "FIND CAF\xC9 \xFF STATE  "}, // 8-bit text as typed
        {"*TE  ", {5}, "FIND *TE  "},
    };
    for (const auto& c : cases) {
        FList->MarksList->setSelectedRow(-1);
        searchName(c.typed);
        std::vector<std::string> lines;
        for (int i : c.stations)
            lines.push_back(kStations[static_cast<std::size_t>(i)]);
        expectFound(lines, c.stations.front());
        EXPECT_EQ(caption(), c.caption) << c.typed;
        EXPECT_EQ(FList->GetSearchMode(), 2);
    }
}

TEST_F(PidNameSearch, NameBeyondThirtyCharactersIsSearchedByItsFirstThirty)
{
    const std::string longName = "A VERY LONG DESIGNATION THAT G";
    ASSERT_EQ(longName.size(), 30u);
    stations().assign({station("", "AA0001", longName + "OES ON"), station("", "AA0002", longName)});
    searchName(longName + "OES ON AND ON");
    expectFound({stations().at(0), stations().at(1)}, 0);
    EXPECT_EQ(caption(), "FIND " + longName);
}

TEST_F(PidNameSearch, MalformedNameGivesTheFormatNotice)
{
    for (const std::string typed : {" STATE", "-STATE", ".", "", "\xC9" "COLE"}) {
        earlierResults();
        FList->SetSearchMode(0);
        searchName(typed);
        expectFormatNotice(kNameFormat);
        EXPECT_EQ(FList->GetSearchMode(), 2) << typed;
    }
    earlierResults();
    FGetName->Clear->click();
    FGetName->Ok->click();
    expectFormatNotice(kNameFormat);
}

TEST_F(PidNameSearch, UnknownNameIsNotFoundWithTheTextAsCut)
{
    earlierResults();
    FList->hide();
    searchName("nowhere*else");
    expectNotFound("Name = NOWHERE Not Found");
    EXPECT_EQ(caption(), "FIND NOWHERE*ELSE");
    EXPECT_TRUE(FList->isVisible()); // shown again with or without hits
    EXPECT_EQ(FList->MarksList->selectedRow(), -1);

    // Blanks typed after a designation that ends there find nothing.
    searchName("state capitol building ");
    expectNotFound("Name = STATE CAPITOL BUILDING  Not Found");
}

// The message box reads the name as the results caption does: an 8-bit
// letter on its own, and 8-bit letters whose bytes also form UTF-8 ("Ã©" is
// C3 A9, the UTF-8 of "é"; "â\u0082¬" is E2 82 AC, that of "€").
TEST_F(PidNameSearch, ANameWithEightBitLettersReadsInTheNoticeAsInTheCaption)
{
    const struct {
        const char* typed; // UTF-8 of what is typed
        const char* name;  // as searched: ASCII letters in capitals
    } cases[] = {
        {"caf\u00c9 tower", "CAF\u00c9 TOWER"},
        {"CAF\u00c3\u00a9 X", "CAF\u00c3\u00a9 X"},
        {"x\u00e2\u0082\u00ac \u00c3 \u00ff", "X\u00e2\u0082\u00ac \u00c3 \u00ff"},
    };
    platform::MessageBoxNotices boxes;
    platform::setNotices(&boxes);
    for (const auto& c : cases) {
        QString shown;
        platform::queueModal([&shown](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            shown = box.text();
            box.button(QMessageBox::Ok)->click();
        });
        FGetName->NameBox->setText(QString::fromUtf8(c.typed));
        FGetName->Ok->click();
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(FFound->windowTitle(), "FIND " + name) << c.typed;
        EXPECT_EQ(shown, "Name = " + name + " Not Found") << c.typed;
    }
    platform::setNotices(&notices);
}

TEST_F(PidNameSearch, EmptyStationListFindsNothing)
{
    stations().clear();
    searchPid("MX4273");
    expectNotFound("Pid = MX4273 Not Found");
    searchName("*");
    expectNotFound("Name = * Not Found");
}

TEST_F(PidNameSearch, SortedResultsListTakesTheHitsInItsOwnOrder)
{
    // Left sorted by a point-radius search.
    found().setSorted(true, ds::listBoxLess);
    earlierResults();
    stations().assign({
        station("", "ZZ0001", "STATE B"),
        station("   ->", "YY0002", "STATE A"),
        station("", "aa0003", "STATE C"),
        station("", "AA0003", "STATE C"), // equal but for case: keeps its list order
        station("", "BB0004", "OTHER"),
        station("", "AB0005", "STATE D"),
    });
    // Blank tags before the mark, then the PIDs without regard to case.
    const std::vector<std::string> expected = {stations().at(2), stations().at(3), stations().at(5), stations().at(0),
                                               stations().at(1)};
    searchName("STATE");
    expectFound(expected, 0);
    EXPECT_TRUE(found().sorted());

    found().setSorted(false);
    searchName("STATE");
    expectFound({stations().at(0), stations().at(1), stations().at(2), stations().at(3), stations().at(5)}, 0);
}

} // namespace
