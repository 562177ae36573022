// Morvane's help: the main window and the split dialogs open the help window
// on their help modes, and the topics follow the mode.
#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include "datasheet/forms/tf_help.h"
#include "morvane/tf_main.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_quad.h"
#include "tests/morvane/morvane_fixture.h"
#include "tests/support/list_texts.h"

namespace {

using Lines = std::vector<std::string>;

class MorvaneHelp : public MorvaneTest {
protected:
    Lines listed() const { return testsupport::itemTexts(*FHelp->HelpList); }
    void choose(int row)
    {
        FHelp->HelpList->setCurrentRow(row);
        FHelp->HelpItemClicked();
    }
};

TEST_F(MorvaneHelp, MainWindowsHelpAndItsAbout)
{
    FMain->Help->trigger();
    ASSERT_TRUE(FHelp->isVisible());
    EXPECT_EQ(FHelp->windowTitle(), "Help");
    EXPECT_EQ(FFile->GetHelpMode(), 1);
    ASSERT_EQ(listed().size(), 10u);
    choose(0);
    const Lines memo = FHelp->memoLines();
    ASSERT_GT(memo.size(), 3u);
    EXPECT_EQ(memo[1], "[About...]");
    EXPECT_EQ(memo[3], "This program is NOT used to view or print");
    EXPECT_EQ(FHelp->HelpMemo->textCursor().selectedText(), "NOT");
}

TEST_F(MorvaneHelp, SplitDialogsListTheirIndexFile)
{
    const struct {
        morvane::IndexMethodWindow* window;
        int mode;
        const char* file;
    } cases[] = {{FSplitCounty, 3, "DSCOUNTY.INX"}, {FSplitQuad, 4, "DSQUAD.INX"}, {FSplitMM, 5, "DSAREA.INX"}};
    for (const auto& c : cases) {
        c.window->HelpButton->click();
        EXPECT_EQ(FFile->GetHelpMode(), c.mode);
        const std::string file = c.file;
        EXPECT_EQ(listed(), (Lines{"Getting Started", "Create a default " + file + " file", "Edit the " + file + " file",
                                   "Use " + file + " and begin split"}));
        for (int row = 1; row < 4; ++row) {
            choose(row);
            const Lines memo = FHelp->memoLines();
            ASSERT_GT(memo.size(), 3u);
            EXPECT_NE(memo[1].find(file), std::string::npos) << memo[1];
            // No other index file is named.
            for (const char* other : {"DSCOUNTY.INX", "DSQUAD.INX", "DSAREA.INX"})
                if (file != other) {
                    for (const auto& line : memo)
                        EXPECT_EQ(line.find(other), std::string::npos) << line;
                }
        }
    }
    EXPECT_TRUE(notices.recorded().empty());
}

} // namespace
