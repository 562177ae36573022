// What a user does with the keyboard and the menus, and what the windows show:
// keyboard selection in the list boxes, the type dialog's lists and Enter,
// windows raised when chosen again, widths that show whole lines, the raw
// view's lines.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_warning.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_name.h"
#include "kavro/tf_get_pid.h"
#include "kavro/tf_get_rad.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n";

std::string station(const std::string& pid, const std::string& designation, const std::string& order = "")
{
    std::string text = kHeader + " " + pid + "  DESIGNATION -  " + designation + "\r\n";
    if (!order.empty())
        text += " " + pid + "  HORZ ORDER  -  " + order + "\r\n";
    return text;
}

class Keyboard : public KavroTest {
protected:
    void load(const std::string& bytes)
    {
        writeFile(data, bytes);
        platform::queueFileAnswer(data);
        FMain->FilePrompt();
        ASSERT_EQ(FMain->GetDataPath(), data);
    }
    // The PID of the datasheet the viewer shows (its second line).
    std::string shownPid() const
    {
        const Lines lines = platform::memoLines(*FDisplay->DsDisplay);
        return lines.size() > 1 ? lines[1].substr(1, 6) : std::string();
    }
    void activate(QWidget& window)
    {
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    testsupport::TempDir dir;
    const std::string data = dir.file("county.dat");
};

TEST_F(Keyboard, ArrowKeysInTheListsStepThroughDatasheets)
{
    load(station("AB1234", "FIRST") + station("CD5678", "SECOND") + station("EF9012", "THIRD"));
    platform::LineListView* list = FList->MarksList;
    activate(*FList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down); // from no selection to the first line
    EXPECT_EQ(shownPid(), "AB1234");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->selectedRow(), 1);
    EXPECT_EQ(shownPid(), "CD5678");
    EXPECT_TRUE(FDisplay->isVisible());
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(shownPid(), "EF9012");
    // A key that moves nothing shows nothing anew.
    FDisplay->DsDisplay->clear();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(shownPid(), "");

    // The results list does the same.
    ASSERT_TRUE(FMain->LoadStationList(data, 1)); // type X-0: every station
    platform::LineListView* results = FFound->FoundList;
    ASSERT_EQ(results->lines().size(), 3u);
    activate(*FFound);
    results->setFocus();
    QTest::keyClick(results, Qt::Key_Down);
    QTest::keyClick(results, Qt::Key_Down);
    EXPECT_EQ(shownPid(), "CD5678");
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(Keyboard, TypeDialogByKeyboard)
{
    load(station("AB1234", "FIRST", "FIRST") + station("CD5678", "SECOND"));
    FList->ByTypeClicked();
    activate(*FGetType);
    QListWidget* types = FGetType->TypeList;
    types->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(types->currentItem()->text().toStdString(), "Only Horizontal Control");
    EXPECT_TRUE(FGetType->HOrderList->isVisibleTo(FGetType));
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_FALSE(FGetType->HOrderList->isVisibleTo(FGetType));
    EXPECT_TRUE(FGetType->VOrderList->isVisibleTo(FGetType));
    QTest::keyClick(types, Qt::Key_Up);

    // Ctrl-click on the selected entry keeps it selected, in every list.
    for (QListWidget* list : {types, FGetType->HOrderList}) {
        const QRect row = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row.center());
        EXPECT_EQ(list->selectedItems().size(), 1);
        EXPECT_TRUE(list->currentItem()->isSelected());
    }

    // Enter presses OK: the code is set and the reload lists the stations of that type.
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Return);
    EXPECT_FALSE(FGetType->isVisible());
    ASSERT_TRUE(FFound->isVisible());
    EXPECT_EQ(platform::fromQ(FFound->windowTitle()), "FIND Only Horizontal Control");
    ASSERT_EQ(FFound->FoundList->lines().size(), 1u);
    EXPECT_EQ(FFound->FoundList->lines().at(0).substr(6, 6), "AB1234");
}

TEST_F(Keyboard, WindowsChosenAgainFromAMenuComeToTheFront)
{
    load(station("AB1234", "FIRST"));
    activate(*FList);
    FList->Pid1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FGetPid));
    FList->Name1->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FGetName));
    FList->Pid1->trigger(); // already open, behind the name dialog
    EXPECT_TRUE(QTest::qWaitForWindowActive(FGetPid));
    FList->ListHelp->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FHelp));
    FList->PointRadius1->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FGetRad));
    FList->ListHelp->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FHelp));
}

TEST_F(Keyboard, WidthsShowWholeLinesAndTheTitleStandsInTheMiddle)
{
    // The view measures one line for all (its last): the long designation is not there.
    load(station("AB1234", std::string(40, 'W')) + station("CD5678", "A"));
    activate(*FList);
    platform::LineListView* list = FList->MarksList;
    const int longest = list->fontMetrics().horizontalAdvance(platform::toQ(list->lines().at(0)));
    ASSERT_GT(longest, list->viewport()->width());
    QScrollBar* bar = list->horizontalScrollBar();
    EXPECT_GE(bar->maximum() + list->viewport()->width(), longest);

    FList->ByTypeClicked();
    activate(*FGetType);
    QListWidget* types = FGetType->TypeList;
    types->setCurrentRow(3); // an order list beside it takes its share of the width
    FGetType->TypeClicked();
    QTest::qWait(0);
    ASSERT_TRUE(FGetType->HOrderList->isVisible());
    EXPECT_GE(types->viewport()->width(), types->sizeHintForColumn(0));

    FMain->ResetView();
    activate(*FMain);
    const QWidget* client = FMain->centralWidget();
    const int titleMiddle = FMain->Title->geometry().center().y();
    EXPECT_NEAR(titleMiddle, client->height() / 2, FMain->Panel1->height());
}

TEST_F(Keyboard, RawViewKeepsACarriageReturnInsideItsLine)
{
    const std::string raw = "one\rtwo\r\nthree\r\n";
    writeFile(data, raw); // no datasheet file: the raw view
    platform::queueFileAnswer(data);
    FMain->FilePrompt();
    EXPECT_EQ(platform::memoLines(*FDisplay->DsDisplay), (Lines{"one\rtwo", "three"}));
    EXPECT_EQ(FDisplay->DsDisplay->document()->blockCount(), 3); // two lines and the empty end

    const std::string copy = dir.file("copy.txt");
    platform::queueFileAnswer(copy);
    FDisplay->Save->trigger();
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Transfer Complete", false}}));
    EXPECT_EQ(readFile(copy), raw);
}

} // namespace
