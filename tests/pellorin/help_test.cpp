// Pellorin's help: the one topic list of its help window, and the two small
// help windows of the Station Lists window.
#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "datasheet/forms/tf_help.h"
#include "pellorin/tf_help2.h"
#include "pellorin/tf_help3.h"
#include "pellorin/tf_list.h"
#include "pellorin/tf_main.h"
#include "pellorin/tf_windows.h"
#include "platform/qt/memo.h"
#include "tests/support/program_fixture.h"

using namespace pellorin;

namespace {

using Lines = std::vector<std::string>;

class PellorinHelp : public ProgramTest {
protected:
    PellorinHelp() : ProgramTest(&CreatePellorinForms, &DestroyPellorinForms) {}
};

TEST_F(PellorinHelp, MainWindowsHelpOffersTheSixTopics)
{
    FMain->Help1BtnClick();
    ASSERT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->windowTitle(), "FHelp");
    Lines titles;
    for (int i = 0; i < FHelp->HelpList->count(); ++i)
        titles.push_back(FHelp->HelpList->item(i)->text().toStdString());
    EXPECT_EQ(titles, (Lines{"About", "Who to call", "What's New", "Getting Started", "Bringing up a Datasheet",
                             "Printing"}));
    FHelp->HelpList->setCurrentRow(2);
    FHelp->HelpItemClicked();
    EXPECT_EQ(FHelp->memoLines(),
              (Lines{" ", "[What's New...]", "", "Version 1.1 9/17/03 - Increased allowed length of input",
                     "                      path from 80 to 255 characters.", "", "Version 1.00 4/8/03 - First Release.",
                     ""}));
}

TEST_F(PellorinHelp, StationListHelpWindows)
{
    FList->HelpUndoBtnClick();
    ASSERT_TRUE(FHelp3->isVisible());
    EXPECT_EQ(FHelp3->windowTitle(), "HELP                                 SAVE vs UNDO");
    const Lines three = platform::memoLines(*FHelp3->Memo1);
    ASSERT_EQ(three.size(), 12u);
    EXPECT_EQ(three[1], "'plrn0000.bak'");
    EXPECT_EQ(three[11], "Click SAVE if you still want the Merge to take place.");

    FList->HelpCommitBtnClick();
    ASSERT_TRUE(FHelp2->isVisible());
    EXPECT_TRUE(FHelp2->Memo1->isVisible());
    EXPECT_EQ(FHelp2->windowTitle(), "HELP                                     Station List");
    const Lines two = platform::memoLines(*FHelp2->Memo1);
    ASSERT_GT(two.size(), 2u);
    EXPECT_EQ(two.back(), "a last chance to 'Undo'");
}

} // namespace
