#include "platform/qt/find_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::findInMemoLines;

namespace {

// "MARK one MARK" at 0, "xyz" at 15, "" at 20, "mark \xe9 MARK" at 22.
const std::vector<std::string> kLines{"MARK one MARK", "xyz", "", "mark \xe9 MARK"};

} // namespace

TEST(FindInMemoLines, SearchesLinesThatStartAtOrAfterTheStart)
{
    struct Case {
        int start;
        std::string text;
        bool matchCase;
        int expected;
    };
    for (const Case& c : {
             Case{0, "MARK", true, 0},
             Case{4, "MARK", true, 22 + 7}, // the rest of the first line is passed over
             Case{1, "one", true, -1},
             Case{15, "xyz", true, 15},
             Case{16, "xyz", true, -1}, // no wrap to the top
             Case{0, "mark", true, 22},
             Case{0, "mark", false, 0},
             Case{0, "Y", false, 16},
             Case{0, "\xe9 mark", false, 22 + 5}, // 8-bit bytes compare as they are
             Case{0, "\xc9", false, -1},
             Case{0, std::string(200, 'M'), false, -1},
         }) {
        SCOPED_TRACE(testing::Message() << c.start << " '" << c.text << "' " << c.matchCase);
        EXPECT_EQ(findInMemoLines(kLines, c.start, c.text, c.matchCase), c.expected);
    }
}

TEST(FindDialog, FindNextNeedsATextAndLeavesTheDialogOpen)
{
    platform::FindDialog dialog;
    QSignalSpy presses(&dialog, &platform::FindDialog::findNext);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Find");
    EXPECT_FALSE(dialog.isModal());
    EXPECT_FALSE(dialog.findNextButton->isEnabled());

    dialog.textEdit->setText(QString::fromLatin1("caf\xe9 ") + QString(160, QLatin1Char('x')));
    dialog.matchCaseBox->setChecked(true);
    dialog.findNextButton->click();
    EXPECT_EQ(presses.count(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.findText(), "caf\xe9 " + std::string(160, 'x'));
    EXPECT_TRUE(dialog.matchCase());

    dialog.cancelButton->click();
    EXPECT_FALSE(dialog.isVisible());
}
