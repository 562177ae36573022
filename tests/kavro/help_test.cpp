// Help in Kavro: each window opens its own topics, a double click on a
// datasheet line explains its item from DSDATA.TXT, and help text prints.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QWindow>

#include "datasheet/forms/tf_help.h"
#include "datasheet/item_explain.h"
#include "itempick/tf_select.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/qt/memo.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/text.h"
#include "platform/recording_printer.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/list_texts.h"
#include "tests/support/pdf_text.h"
#include "tests/support/scratch_cwd.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::writeFile;

const std::string kSamples = std::string(DS_FIXTURES_DIR) + "/../../samples";

class KavroHelp : public KavroTest {
protected:
    Lines listed() const { return testsupport::itemTexts(*FHelp->HelpList); }
    Lines memo() const { return FHelp->memoLines(); }

    void openCounty(const std::string& drive, const std::string& state, const std::string& county)
    {
        emit FMain->File->aboutToShow();
        FMain->CDROM1->trigger();
        FMain->DriveCombo->addItem(platform::pathToQ(drive));
        FMain->DriveCombo->setCurrentIndex(FMain->DriveCombo->count() - 1);
        emit FMain->DriveCombo->activated(FMain->DriveCombo->currentIndex());
        FMain->DriveOk->click();
        FMain->StatesCombo->setEditText(platform::toQ(state));
        FMain->StateOK->click();
        FMain->CountiesCombo->setEditText(platform::toQ(county));
        FMain->CountyOK->click();
    }
    void openDiskFile(const std::string& path)
    {
        platform::queueFileAnswer(path);
        FMain->FilePrompt();
        ASSERT_EQ(FMain->GetDataPath(), path);
    }
    // A double click on a character of a viewer line, as a user makes it.
    void doubleClick(int line, int column)
    {
        QTextCursor cursor(FDisplay->DsDisplay->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
        FDisplay->DsDisplay->setTextCursor(cursor);
        FDisplay->DsDisplay->ensureCursorVisible();
        const QRect left = FDisplay->DsDisplay->cursorRect(cursor);
        const QPoint inside(left.left() + 2, left.center().y());
        QTest::mouseDClick(FDisplay->DsDisplay->viewport(), Qt::LeftButton, {}, inside);
        QCoreApplication::processEvents();
    }
    int lineOf(const std::string& start) const
    {
        const Lines shown = platform::memoLines(*FDisplay->DsDisplay);
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i].rfind(start, 0) == 0)
                return static_cast<int>(i);
        return -1;
    }
};

TEST_F(KavroHelp, EachWindowOpensItsOwnTopics)
{
    FMain->Help1->trigger();
    ASSERT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->windowTitle(), "FHelp");
    EXPECT_EQ(FHelp->GetHelpContext(), 1);
    EXPECT_EQ(listed().size(), 9u);
    FHelp->HelpList->setCurrentRow(0);
    FHelp->HelpItemClicked();
    EXPECT_EQ(memo()[1], "[About...]");

    // Help from the station list while help is open for the main window.
    FList->ListHelp->trigger();
    EXPECT_EQ(FHelp->GetHelpContext(), 3);
    EXPECT_EQ(listed(), (Lines{"Saving", "Printing", "Sorting", "Searches", "Grab"}));
    EXPECT_EQ(memo(), (Lines{" ", "[Help...]", "", "<-------- CLICK ON A TOPIC FROM THE INDEX AT LEFT."}));

    FFound->Help1->trigger();
    EXPECT_EQ(FHelp->GetHelpContext(), 7);
    EXPECT_EQ(listed(), (Lines{"Saving", "Printing", "Sorting", "Remove", "Plot"}));
    EXPECT_TRUE(notices.recorded().empty());
}

// The item form runs modally; its help must still take clicks while it runs.
TEST_F(KavroHelp, HelpFromTheModalItemFormTakesClicks)
{
    // Help was open before, and put away.
    FMain->Help1->trigger();
    FHelp->HelpCloseClick();
    FSelect->setWindowModality(Qt::ApplicationModal);
    FSelect->show();
    ASSERT_EQ(QApplication::activeModalWidget(), FSelect);
    FSelect->H1->trigger();
    ASSERT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->GetHelpContext(), 2);
    QListWidget& topics = *FHelp->HelpList;
    ASSERT_GT(topics.count(), 0);
    // A click as the window system delivers it (through the window, not to
    // the widget): dropped for a window that the modal form blocks.
    const auto clickTopic = [&topics](int row) {
        const QPoint at = topics.viewport()->mapTo(FHelp, topics.visualItemRect(topics.item(row)).center());
        QTest::mouseClick(FHelp->windowHandle(), Qt::LeftButton, {}, at);
    };
    clickTopic(0);
    EXPECT_EQ(memo().size() > 1 ? memo()[1] : std::string(), "[Using this ITEMPICK Form...]");

    FSelect->reject();
    FSelect->setWindowModality(Qt::NonModal);
    EXPECT_EQ(FHelp->windowHandle()->transientParent(), nullptr);
    // Help from a window that is not modal still works as before.
    FList->ListHelp->trigger();
    clickTopic(2);
    EXPECT_EQ(memo()[1], "[Sorting...]");
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(KavroHelp, DoubleClicksOnACdromStationExplainTheirItems)
{
    testsupport::ScratchCurrentDirectory cwd;
    openCounty(kSamples, "AZ", "AZ001.DAT | APACHE");
    ASSERT_NE(FMain->GetDataPath(), "");
    FDisplay->ShowDatasheet("FA0001");
    const QFont viewerFont = FDisplay->DsDisplay->font();

    // On the PID of the designation line.
    const int designation = lineOf(" FA0001  DESIGNATION -");
    ASSERT_GT(designation, 0);
    doubleClick(designation, 3);
    ASSERT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->GetHelpContext(), 6);
    EXPECT_EQ(FHelp->HelpList->width(), 0);
    EXPECT_EQ(FHelp->HelpMemo->font(), viewerFont);
    Lines section;
    ASSERT_TRUE(ds::readItemSection(kSamples + "/DATA/DSDATA.TXT", "DATA ITEM: Designation", section));
    EXPECT_EQ(memo(), section);

    // On the grid line's ";", within the word that starts at the PID.
    const int grid = lineOf(" FA0001;SPC");
    ASSERT_GT(grid, 0);
    doubleClick(grid, 8);
    ASSERT_FALSE(memo().empty());
    EXPECT_EQ(memo()[0], "DATA ITEM: Grid Coordinate Systems:");

    // A line that no keyword claims: the PID alone.
    const int bare = lineOf(" FA0001") + 5; // the empty body line after the quad
    ASSERT_EQ(platform::memoLines(*FDisplay->DsDisplay)[bare], " FA0001");
    doubleClick(bare, 3);
    EXPECT_EQ(memo(), (Lines{"No Information found for this Item."}));
    EXPECT_TRUE(notices.recorded().empty());
}

// ./run starts Kavro in a copy of samples/: the disk file of the README
// explains its items from the DSDATA.TXT of that directory, which is the
// disc's readme.
TEST_F(KavroHelp, SampleDiskFileExplainsItsItemsWhereTheProgramStarts)
{
    const std::string readme = testsupport::readFile(kSamples + "/DSDATA.TXT");
    EXPECT_EQ(readme, testsupport::readFile(kSamples + "/DATA/DSDATA.TXT"));
    testsupport::ScratchCurrentDirectory cwd;
    writeFile(cwd.file("DSDATA.TXT"), readme);
    writeFile(cwd.file("disk/kansas.txt"), testsupport::readFile(kSamples + "/disk/kansas.txt"));
    openDiskFile(cwd.file("disk/kansas.txt"));
    FDisplay->ShowDatasheet("MX4260");
    const int designation = lineOf(" MX4260  DESIGNATION -");
    ASSERT_GT(designation, 0);
    doubleClick(designation, 3);
    Lines section;
    ASSERT_TRUE(ds::readItemSection(kSamples + "/DSDATA.TXT", "DATA ITEM: Designation", section));
    EXPECT_EQ(memo(), section);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(KavroHelp, DiskFileWithoutReadmeGivesTheNotice)
{
    testsupport::ScratchCurrentDirectory cwd;
    testsupport::TempDir folder;
    const std::string sheet = folder.file("county.txt");
    writeFile(sheet, "1        Quarndale Geomark Bureau,   Retrieval Date = OCTOBER 14, 2004\r\n"
                     " AB1234  DESIGNATION -  B 27\r\n");
    openDiskFile(sheet);
    FDisplay->ShowDatasheet("AB1234");
    doubleClick(1, 2);
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", ds::readmeNotFoundText(), false}));
    EXPECT_EQ(notices.recorded()[0].text.substr(0, 23), "       File Not Found.\n");
    EXPECT_FALSE(FHelp->isVisible());

    // A readme in the current directory serves a disk file, whatever its name's case.
    writeFile(cwd.file("dsdata.txt"), "DATA ITEM: Designation\nThe name.\nDATA ITEM: PID\n");
    doubleClick(1, 2);
    EXPECT_EQ(memo(), (Lines{"DATA ITEM: Designation", "The name."}));
    // Plain text in the viewer: the double click does nothing.
    FHelp->hide();
    platform::setMemoLines(*FDisplay->DsDisplay, {"plain text", " AB1234  DESIGNATION -"});
    doubleClick(1, 2);
    EXPECT_FALSE(FHelp->isVisible());
    EXPECT_EQ(notices.recorded().size(), 1u);
}

TEST_F(KavroHelp, PrintsFiftyOneLinesAPage)
{
    platform::RecordingPrinter printer;
    platform::setPrinter(&printer);
    Lines lines;
    for (int i = 1; i <= 120; ++i)
        lines.push_back("line " + std::to_string(i) + " 100% %s");
    lines[1] = "1 is no page eject";
    lines[2] = std::string(200, 'w');
    OpenHelp(1);
    platform::setMemoLines(*FHelp->HelpMemo, lines);
    FHelp->HelpPrint->trigger();
    platform::setPrinter(nullptr);
    // The 200 characters are wider than the paper at the smallest size (149
    // characters across): they take two rows, and each row is a line of
    // the page.
    ASSERT_EQ(printer.jobs.size(), 3u);
    EXPECT_EQ(printer.jobs[0].lines().size(), 51u);
    EXPECT_EQ(printer.jobs[1].lines().size(), 51u);
    EXPECT_EQ(printer.jobs[2].lines().size(), 19u);
    EXPECT_EQ(printer.jobs[0].lines()[0], "line 1 100% %s");
    EXPECT_GE(printer.jobs[0].lines()[2].size(), 149u);
    EXPECT_EQ(printer.jobs[0].lines()[2] + printer.jobs[0].lines()[3], std::string(200, 'w')); // whole
    EXPECT_EQ(printer.jobs[0].lines()[4], "line 4 100% %s");
    EXPECT_EQ(printer.jobs[2].lines().back(), "line 120 100% %s");
    // In the memo's face, made smaller.
    ASSERT_FALSE(printer.jobs[0].fonts.empty());
    const platform::PrintFont memoFont = platform::printFont(FHelp->HelpMemo->font());
    const platform::PrintFont printed = printer.jobs[0].fonts.back();
    EXPECT_EQ(printed.family, memoFont.family);
    EXPECT_EQ(printed.bold, memoFont.bold);
    ASSERT_GT(memoFont.pixelSize, 0);
    EXPECT_LT(printed.pointSize, memoFont.pixelSize * 72.0 / 96.0);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(KavroHelp, PrintsIntoOnePdfFile)
{
    if (!testsupport::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    testsupport::TempDir dir;
    const std::string pdf = dir.file("help.pdf");
    platform::programPrinter().usePdfFile(pdf);
    Lines lines;
    for (int i = 1; i <= 120; ++i)
        lines.push_back("help line " + std::to_string(i));
    OpenHelp(1);
    platform::setMemoLines(*FHelp->HelpMemo, lines);
    FHelp->HelpPrintClick();
    platform::programPrinter().useSystemPrinter();
    const auto pages = testsupport::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 51u);
    EXPECT_EQ(pages[1].size(), 51u);
    EXPECT_EQ(pages[2].size(), 18u);
    EXPECT_EQ(testsupport::squeezed(pages[2].back()), "help line 120");
    EXPECT_TRUE(notices.recorded().empty());
}

} // namespace
