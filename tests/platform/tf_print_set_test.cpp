// The print settings dialog "PrintSet": its start state, OK, CANCEL, SAVE,
// More, the reading of ds_parm1.txt at its creation, and Pellorin's build.
#include "datasheet/forms/tf_print_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/simple_combo.h"
#include "tests/support/scratch_cwd.h"

namespace {

using testsupport::readFile;
using testsupport::writeFile;

const std::string kFile = "ds_parm1.txt";

class PrintSetTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setNotices(&notices);
        platform::setModalTestMode(true);
    }
    void TearDown() override
    {
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        platform::setModalTestMode(false);
        platform::setNotices(nullptr);
    }
    std::string radio(const TFPrintSet& dialog) const
    {
        switch (dialog.RadioIndex()) {
        case 0:
            return "Yes";
        case 1:
            return "No";
        default:
            return "none";
        }
    }
    std::vector<platform::Notice> noNotices;
    testsupport::ScratchCurrentDirectory cwd;
    platform::RecordingNotices notices;
};

TEST_F(PrintSetTest, StartState)
{
    TFPrintSet dialog;
    EXPECT_EQ(FPrintSet, &dialog);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "PrintSet");
    EXPECT_EQ(dialog.size(), QSize(281, 266));
    EXPECT_EQ(dialog.GetLinesPerPage(), 58);
    // "Yes" is shown while the setting is 0 until OK or the file says otherwise.
    EXPECT_EQ(dialog.GetPageEject(), 0);
    EXPECT_EQ(radio(dialog), "Yes");
    EXPECT_EQ(dialog.PrintSetCombo->text().toStdString(), "58");
    ASSERT_EQ(dialog.PrintSetCombo->count(), 26);
    EXPECT_EQ(dialog.PrintSetCombo->itemText(0).toStdString(), "50");
    EXPECT_EQ(dialog.PrintSetCombo->itemText(25).toStdString(), "75");
    EXPECT_EQ(dialog.LinesPerPage->text().toStdString(), "Lines Per Page");
    EXPECT_EQ(dialog.PrintSetRadio->title().toStdString(), "Page at Next Mark");
    EXPECT_EQ(dialog.PrintSetOk->text().toStdString(), "OK");
    EXPECT_TRUE(dialog.PrintSetOk->isDefault());
    EXPECT_EQ(dialog.PrintSetCancel->text().toStdString(), "CANCEL");
    EXPECT_EQ(dialog.PrintSetSave->text().toStdString(), "SAVE");
    EXPECT_EQ(dialog.More->text().toStdString(), "More");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(platform::fileExists(kFile));
}

TEST_F(PrintSetTest, OkTakesTheFirstTwoCharactersAndTheGroup)
{
    struct Case {
        const char* typed;
        int radio;
        int lines;
        int eject;
    };
    const std::vector<Case> cases{{"62", 1, 62, 0}, {"70", 0, 70, 1}, {"623", 1, 62, 0}, {" 7x", 0, 7, 1},
                                  {"abc", 1, 0, 0}, {"", 0, 0, 1},    {"99", 0, 99, 1}};
    TFPrintSet dialog;
    for (const auto& c : cases) {
        dialog.show();
        dialog.PrintSetCombo->Edit->setText(c.typed);
        dialog.SetRadioIndex(c.radio);
        EXPECT_FALSE(dialog.ChosenSinceFile());
        dialog.PrintSetOk->click();
        EXPECT_EQ(dialog.GetLinesPerPage(), c.lines) << c.typed;
        EXPECT_EQ(dialog.GetPageEject(), c.eject) << c.typed;
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.ChosenSinceFile());
        dialog.FileApplied();
    }
    // Picking an item of the list puts it into the field.
    dialog.PrintSetCombo->List->setCurrentRow(3);
    EXPECT_EQ(dialog.PrintSetCombo->text().toStdString(), "53");
    dialog.PrintSetOk->click();
    EXPECT_EQ(dialog.GetLinesPerPage(), 53);
}

TEST_F(PrintSetTest, CancelHidesAndKeepsTheSettings)
{
    TFPrintSet dialog;
    dialog.show();
    dialog.PrintSetCombo->Edit->setText("66");
    dialog.SetRadioIndex(1);
    dialog.PrintSetCancel->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.GetLinesPerPage(), 58);
    EXPECT_EQ(dialog.GetPageEject(), 0);
    EXPECT_FALSE(dialog.ChosenSinceFile());
}

TEST_F(PrintSetTest, SaveWritesTheFileAndKeepsTheSettings)
{
    TFPrintSet dialog;
    dialog.show();
    dialog.PrintSetCombo->Edit->setText("62");
    dialog.SetRadioIndex(1);
    dialog.PrintSetSave->click();
    EXPECT_EQ(readFile(kFile), "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n");
    EXPECT_EQ(dialog.GetLinesPerPage(), 58);
    EXPECT_EQ(dialog.GetPageEject(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(notices.recorded(), noNotices);

    // Saved again over the file, with the first two characters padded.
    dialog.PrintSetCombo->Edit->setText("5");
    dialog.SetRadioIndex(0);
    dialog.PrintSetSave->click();
    EXPECT_EQ(readFile(kFile), "LinesPerPage = 5 \r\nPageEject    = 1\r\n\r\n");
}

TEST_F(PrintSetTest, SaveWhereTheFileCannotBeWritten)
{
    const std::vector<platform::Notice> cannot{{"NOTICE", "Cannot save at the current location", false}};
    TFPrintSet dialog;
    dialog.PrintSetCombo->Edit->setText("62");
    if (::geteuid() != 0) {
        // A directory the user may not write.
        writeFile(cwd.file(kFile), "LinesPerPage = 70\r\n");
        ::chmod(cwd.path().c_str(), 0555);
        dialog.PrintSetSave->click();
        ::chmod(cwd.path().c_str(), 0755);
        EXPECT_EQ(notices.recorded(), cannot);
        EXPECT_EQ(readFile(kFile), "LinesPerPage = 70\r\n");
        std::filesystem::remove(kFile);
        notices.clear();
    }
    // A directory in the way of the file (the superuser writes anywhere else).
    std::filesystem::create_directory(kFile);
    writeFile(std::string(kFile) + "/kept", "kept");
    dialog.PrintSetSave->click();
    EXPECT_EQ(notices.recorded(), cannot);
    EXPECT_EQ(readFile(std::string(kFile) + "/kept"), "kept");
    std::vector<std::string> entries;
    platform::listDirectory(".", entries);
    EXPECT_EQ(entries, std::vector<std::string>{kFile}); // no temporary file left
    EXPECT_EQ(dialog.GetLinesPerPage(), 58);
}

TEST_F(PrintSetTest, CreationReadsTheFile)
{
    const std::string longLine(300, 'x');
    struct Case {
        const char* name;
        std::string bytes;
        int lines;
        int eject;
        std::string combo;
        std::string radio;
    };
    const std::vector<Case> cases{
        {"62, eject 1", "LinesPerPage = 62\r\nPageEject    = 1\r\n\r\n", 62, 1, "62", "Yes"},
        {"62, eject 0", "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n", 62, 0, "62", "No"},
        {"80 is no item; eject 2 is no", "LinesPerPage = 80\r\nPageEject    = 2\r\n", 58, 0, "58", "No"},
        {"no digit", "LinesPerPage = ab\r\nPageEject    = x\r\n", 58, 0, "58", "No"},
        {"a last line without a line end", "LinesPerPage = 62\r\nPageEject    = 1", 62, 0, "62", "Yes"},
        {"300-character lines", longLine + "\r\nLinesPerPage = 75" + longLine + "\r\n", 75, 0, "75", "Yes"},
        {"empty file", "", 58, 0, "58", "Yes"},
    };
    for (const auto& c : cases) {
        writeFile(cwd.file(kFile), c.bytes);
        TFPrintSet dialog;
        EXPECT_EQ(dialog.GetLinesPerPage(), c.lines) << c.name;
        EXPECT_EQ(dialog.GetPageEject(), c.eject) << c.name;
        EXPECT_EQ(dialog.PrintSetCombo->text().toStdString(), c.combo) << c.name;
        EXPECT_EQ(radio(dialog), c.radio) << c.name;
    }
    EXPECT_EQ(notices.recorded(), noNotices);
}

TEST_F(PrintSetTest, MoreRunsThePrinterSetUpDialog)
{
    TFPrintSet dialog;
    std::string shown;
    platform::queueModal([&shown](QDialog& setup) {
        if (qobject_cast<QPrintDialog*>(&setup))
            shown = "print dialog";
        setup.reject();
    });
    dialog.More->click();
    EXPECT_EQ(shown, "print dialog");
}

TEST_F(PrintSetTest, PellorinsBuild)
{
    writeFile(cwd.file(kFile), "LinesPerPage = 62\r\nPageEject    = 1\r\n\r\n");
    TFPrintSet dialog(nullptr, ds::kPellorin);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "PrintSet");
    EXPECT_EQ(dialog.size(), QSize(281, 266));
    // It never reads the file, has no group and no SAVE.
    EXPECT_EQ(dialog.GetLinesPerPage(), 58);
    EXPECT_EQ(dialog.GetPageEject(), 0);
    EXPECT_EQ(dialog.PrintSetRadio, nullptr);
    EXPECT_EQ(dialog.PrintSetSave, nullptr);
    EXPECT_EQ(dialog.findChildren<QRadioButton*>().size(), 0);
    EXPECT_EQ(dialog.PrintSetCombo->count(), 26);
    EXPECT_EQ(dialog.PrintSetCombo->text().toStdString(), "58");
    // OK at the left of the bottom row, CANCEL at its right, More beside the list.
    const QRect ok = dialog.PrintSetOk->geometry();
    const QRect cancel = dialog.PrintSetCancel->geometry();
    const QRect more = dialog.More->geometry();
    EXPECT_EQ(ok.top(), cancel.top());
    EXPECT_LT(ok.right(), cancel.left());
    EXPECT_LT(more.bottom(), ok.top());
    EXPECT_GT(more.left(), dialog.PrintSetCombo->geometry().right());

    dialog.show();
    dialog.PrintSetCombo->Edit->setText("70");
    dialog.PrintSetOk->click();
    EXPECT_EQ(dialog.GetLinesPerPage(), 70);
    EXPECT_EQ(dialog.GetPageEject(), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.PageOptions().pageEject, false);
    EXPECT_EQ(dialog.PageOptions().linesPerPage, 70);
    EXPECT_EQ(readFile(kFile), "LinesPerPage = 62\r\nPageEject    = 1\r\n\r\n");
}

} // namespace
