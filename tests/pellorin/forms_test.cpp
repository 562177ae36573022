#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QListWidget>
#include <QTextDocument>
#include <QTest>
#include <QTimer>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>

#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/print_settings.h"
#include "pellorin/core/merge.h"
#include "pellorin/tf_help2.h"
#include "pellorin/tf_list.h"
#include "pellorin/tf_main.h"
#include "pellorin/tf_old_ds.h"
#include "pellorin/tf_the_end.h"
#include "pellorin/tf_up_ds.h"
#include "pellorin/tf_windows.h"
#include "platform/notices.h"
#include "platform/qt/file_picker.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/memo.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"
#include "platform/qt/text.h"
#include "platform/recording_printer.h"
#include "platform/qt/qt_printer.h"
#include "tests/support/pdf_text.h"
#include "tests/support/program_fixture.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;
using namespace pellorin;

namespace {

std::string sample(const std::string& name)
{
    return std::string(DS_SAMPLES_DIR) + "/disk/" + name;
}

class PellorinForms : public ProgramTest {
protected:
    PellorinForms() : ProgramTest(&CreatePellorinForms, &DestroyPellorinForms) {}

    void SetUp() override
    {
        platform::setPrinter(&printer);
        ProgramTest::SetUp();
        FMain->SetWorkDir(dir.path());
        oldPath = dir.file("datasheets.txt");
        upPath = dir.file("update.txt");
        backupPath = dir.file("plrn0000.bak");
        fs::copy_file(sample("datasheets.txt"), oldPath);
        fs::copy_file(sample("update.txt"), upPath);
        oldBytes = testsupport::readFile(oldPath);
        FMain->Start1Click();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        platform::setPrinter(nullptr);
    }

    void choose(const std::string& oldFile, const std::string& upFile)
    {
        FMain->OldFileBox->setText(QString::fromStdString(oldFile));
        FMain->UpFileBox->setText(QString::fromStdString(upFile));
    }

    std::vector<std::string> memo(const QPlainTextEdit* edit) { return platform::memoLines(*edit); }

    testsupport::TempDir dir;
    platform::RecordingPrinter printer;
    std::string oldPath, upPath, backupPath, oldBytes;
};

} // namespace

TEST_F(PellorinForms, StartShowsTheDisclaimerThenTheTitleAndStartShowsThePickers)
{
    EXPECT_EQ(disclaimerCaption, "DISCLAIMER");
    EXPECT_EQ(FMain->windowTitle().toStdString(), "Pellorin   (VERSION = 1.1)");
    EXPECT_TRUE(FMain->OldPicker->isVisible());
    EXPECT_TRUE(FMain->UpdateBtn->isVisible());
    EXPECT_EQ(FMain->OldFilterCombo->itemText(0).toStdString(), "Dsdata(*.dat)");
}

TEST_F(PellorinForms, UpdateCommitPrintAndSave)
{
    // The OLD file picked from the list (all files), the update typed.
    ASSERT_TRUE(FMain->OldPicker->setDirectory(dir.path()));
    FMain->OldPicker->setFilterIndex(1);
    const auto names = FMain->OldPicker->fileNames();
    const auto at = std::find(names.begin(), names.end(), "datasheets.txt");
    ASSERT_NE(at, names.end());
    FMain->OldPicker->clickFile(static_cast<int>(at - names.begin()));
    EXPECT_EQ(FMain->OldFileBox->text().toStdString(), oldPath);
    FMain->UpFileBox->setText(QString::fromStdString(upPath));

    FMain->UpdateBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    ASSERT_TRUE(FList->isVisible());
    EXPECT_EQ(FList->windowTitle().toStdString(), upPath);
    ASSERT_EQ(FMain->Lists.oldList.size(), 12u);
    ASSERT_EQ(FMain->Lists.upList.size(), 8u);
    EXPECT_EQ(FMain->Lists.oldList.at(8).substr(0, 13), "change|KA0009");
    EXPECT_EQ(FMain->Lists.upList.at(4).substr(0, 13), "   NEW|KA0013");
    EXPECT_TRUE(FMain->InUpList("KA0013"));
    EXPECT_FALSE(FMain->InOldList("KA0013"));
    EXPECT_FALSE(FMain->InOldList(""));

    FList->OldListClick(8);
    EXPECT_NE(memo(FOldDS->OldMemo).front().find("MARCH 2, 2004"), std::string::npos);
    EXPECT_EQ(FOldDS->windowTitle().toStdString(), "OLD DATASHEETS");
    FList->UpListClick(0);
    EXPECT_NE(memo(FUpDS->UpMemo).front().find("JUNE 21, 2005"), std::string::npos);
    EXPECT_EQ(memo(FUpDS->UpMemo).at(1).substr(1, 6), "KA0009");

    FList->CommitBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(testsupport::readFile(oldPath).size(), 57145u);
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
    EXPECT_EQ(FMain->GetBackupPath(), backupPath);
    EXPECT_TRUE(FList->LastOK->isVisible());
    EXPECT_TRUE(FList->LastUNDO->isVisible());
    EXPECT_FALSE(FList->CommitBtn->isVisible());
    EXPECT_TRUE(FMain->Lists.upList.empty());
    ASSERT_EQ(FMain->Lists.oldList.size(), 16u);
    EXPECT_EQ(FMain->Lists.oldList.at(15).substr(0, 13), "   NEW|KA0013");

    // The OLD viewer now shows the merged file, the new stations too.
    FList->OldListClick(8);
    EXPECT_NE(memo(FOldDS->OldMemo).front().find("JUNE 21, 2005"), std::string::npos);
    FList->OldListClick(12);
    EXPECT_EQ(memo(FOldDS->OldMemo).back().substr(1, 6), "KA0016");

    FList->PrintOldListClick();
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].lines(), FMain->Lists.oldList.lines());
    // Into a PDF file: the 16 lines on one page.
    if (testsupport::havePdfToText()) {
        platform::setPrinter(nullptr);
        const std::string pdf = dir.file("old_list.pdf");
        platform::programPrinter().usePdfFile(pdf);
        FList->PrintOldListClick();
        const auto pages = testsupport::pdfPages(pdf);
        ASSERT_EQ(pages.size(), 1u);
        ASSERT_EQ(pages[0].size(), 16u);
        EXPECT_EQ(testsupport::squeezed(pages[0][15]), testsupport::squeezed(FMain->Lists.oldList.at(15)));
        platform::setPrinter(&printer);
    }

    FList->LastOKClick();
    EXPECT_FALSE(fs::exists(backupPath));
    EXPECT_TRUE(FTheEnd->isVisible());
    EXPECT_FALSE(FList->isVisible());
    const auto end = memo(FTheEnd->TheEndMemo);
    ASSERT_EQ(end.size(), 5u);
    EXPECT_EQ(end[2], "File...");
    EXPECT_EQ(end[3], " " + oldPath);
    EXPECT_EQ(end[4], "has been updated and saved.");
}

// Pellorin's printouts shrink down to the size at which a line of 254
// characters fills the paper; a longer one goes on on the next row.
TEST_F(PellorinForms, PrintoutsWrapOnlyLinesLongerThanPellorinsLines)
{
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += static_cast<char>('a' + i % 26);
    for (const std::size_t length : {254u, 300u}) {
        SCOPED_TRACE(length);
        const std::string line = wide.substr(0, length);
        platform::setMemoLines(*FOldDS->OldMemo, {"short", line});
        printer.jobs.clear();
        FOldDS->PrintDSClick();
        ASSERT_EQ(printer.jobs.size(), 1u);
        const auto rows = printer.jobs[0].lines();
        ASSERT_EQ(rows.size(), length == 254 ? 2u : 3u);
        EXPECT_EQ(rows[0], "short");
        EXPECT_GE(rows[1].size(), 254u);
        EXPECT_EQ(rows.size() == 3 ? rows[1] + rows[2] : rows[1], line);
    }
}

TEST_F(PellorinForms, UndoPutsTheOldFileBack)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->CommitBtnClick();
    ASSERT_TRUE(FList->LastUNDO->isVisible());
    // A failed UNDO (the backup gone) keeps SAVE and UNDO.
    fs::rename(backupPath, dir.file("aside"));
    FList->LastUNDOClick();
    EXPECT_EQ(notices.recorded().back().caption, "ERROR");
    EXPECT_TRUE(FList->isVisible());
    EXPECT_TRUE(FList->LastUNDO->isVisible());
    fs::rename(dir.file("aside"), backupPath);

    FList->LastUNDOClick();
    EXPECT_EQ(notices.recorded().back().caption, "OKAY");
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);
    EXPECT_FALSE(fs::exists(backupPath));
    EXPECT_FALSE(FList->isVisible());
}

// Print Setup with ds_parm1.txt a link (symbolic or hard) to a file of the
// update, before and after Commit: Pellorin's build has no SAVE, and a write
// of the settings file in its process is refused; the files are untouched.
TEST_F(PellorinForms, PrintSetupNeverWritesTheSettingsFileOverTheUpdatesFiles)
{
    testsupport::ScratchCurrentDirectory cwd;
    const std::string settings = ds::kPrintSettingsFile;
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    ASSERT_TRUE(FList->isVisible());
    for (const bool committed : {false, true}) {
        if (committed) {
            FList->CommitBtnClick();
            ASSERT_TRUE(FList->LastUNDO->isVisible());
        }
        for (const std::string& file : {oldPath, upPath, backupPath}) {
            if (!fs::exists(file))
                continue;
            for (const bool symbolic : {true, false}) {
                SCOPED_TRACE(file + (committed ? ", committed, " : ", ") + (symbolic ? "symbolic link" : "hard link"));
                const std::string bytes = testsupport::readFile(file);
                ::unlink(settings.c_str());
                ASSERT_EQ(symbolic ? ::symlink(file.c_str(), settings.c_str()) : ::link(file.c_str(), settings.c_str()),
                          0);
                notices.clear();
                FList->PrintSetup();
                ASSERT_EQ(FPrintSet->PrintSetSave, nullptr);
                FPrintSet->PrintSetSaveClick();
                FPrintSet->PrintSetOkClick();
                EXPECT_TRUE(notices.recorded().empty());
                EXPECT_FALSE(ds::savePrintSettings(settings, "62", false, notices));
                EXPECT_EQ(notices.recorded(),
                          (std::vector<platform::Notice>{{"NOTICE",
                                                          "Not saved: ds_parm1.txt\r\nis another name of the data "
                                                          "file in use, " + file + ".\r\nNothing was written.",
                                                          false}}));
                EXPECT_EQ(testsupport::readFile(file), bytes);
                EXPECT_EQ(fs::is_symlink(settings), symbolic);
            }
        }
    }
    ::unlink(settings.c_str());
}

// UNDO after a Commit that could not read the backup's identity: it cannot
// tell the backup from another Commit's, so it refuses, both files as they are.
TEST_F(PellorinForms, UndoAndSaveLeaveABackupWhoseIdentityIsUnknown)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->CommitBtnClick();
    ASSERT_TRUE(FList->LastUNDO->isVisible());
    const std::string merged = testsupport::readFile(oldPath);
    CommitResult unknown = FMain->GetCommitted();
    unknown.backup = platform::FileIdentity();
    EXPECT_FALSE(UndoMerge(oldPath, backupPath, notices, unknown));
    EXPECT_EQ(notices.recorded().back(),
              (platform::Notice{"ERROR",
                                "\r\n         Original file stored at\r\n            " + backupPath +
                                    "\r\n\r\n         cannot be told to be the one this update made:\r\n"
                                    "         its identity could not be read at Commit.\r\n"
                                    "         UNDO leaves both files as they are.\r\n",
                                false}));
    EXPECT_EQ(testsupport::readFile(oldPath), merged);
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
    // SAVE leaves such a backup in place.
    EXPECT_FALSE(SaveMerge(oldPath, backupPath, notices, unknown));
    EXPECT_EQ(notices.recorded().back(),
              (platform::Notice{"WARNING",
                                "\r\n   File\r\n      " + oldPath + "\r\n\r\n   has been updated and saved.\r\n"
                                "   The file\r\n       " + backupPath +
                                    "\r\n   cannot be told to be the backup of this update\r\n"
                                    "   (its identity could not be read at Commit):\r\n   it is left in place.\r\n",
                                false}));
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
    // The window's own UNDO, with what Commit read, still works.
    FList->LastUNDOClick();
    EXPECT_EQ(notices.recorded().back().caption, "OKAY");
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);
}

// Another window's Commit in the same work directory puts its own file's
// old data in plrn0000.bak: this window's UNDO refuses it and SAVE leaves it.
TEST_F(PellorinForms, UndoAndSaveLeaveTheBackupOfAnotherCommit)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->CommitBtnClick();
    ASSERT_TRUE(FList->LastUNDO->isVisible());
    const std::string merged = testsupport::readFile(oldPath);
    const std::string otherOld = testsupport::readFile(upPath);
    testsupport::writeFile(dir.file("other.dat"), otherOld);
    fs::rename(dir.file("other.dat"), backupPath);

    FList->LastUNDOClick();
    EXPECT_EQ(notices.recorded().back(), (platform::Notice{"ERROR", notThisBackupText(backupPath), false}));
    EXPECT_EQ(testsupport::readFile(oldPath), merged);
    EXPECT_TRUE(FList->isVisible());
    EXPECT_TRUE(FList->LastUNDO->isVisible());
    FList->LastOKClick();
    EXPECT_EQ(notices.recorded().back().caption, "WARNING");
    EXPECT_EQ(testsupport::readFile(backupPath), otherOld);
    EXPECT_EQ(testsupport::readFile(oldPath), merged);
}

TEST_F(PellorinForms, UndoOverAMergedFileEditedSinceCommitAsksFirst)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->CommitBtnClick();
    ASSERT_TRUE(FList->LastUNDO->isVisible());
    const std::string edited = testsupport::readFile(oldPath) + " KA0001.remark added by hand\r\n";
    testsupport::writeFile(oldPath, edited);
    notices.queueAnswer(false);
    FList->LastUNDOClick();
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0],
              (platform::Notice{"WARNING", changedSinceCommitText(oldPath, backupPath), true}));
    EXPECT_EQ(testsupport::readFile(oldPath), edited);
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
    EXPECT_TRUE(FList->isVisible());
    EXPECT_TRUE(FList->LastUNDO->isVisible());

    notices.queueAnswer(true);
    FList->LastUNDOClick();
    EXPECT_EQ(notices.recorded().back().caption, "OKAY");
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);
    EXPECT_FALSE(fs::exists(backupPath));
}

TEST_F(PellorinForms, SwappedFilesAskAndNoLoadsNothing)
{
    choose(upPath, oldPath);
    notices.queueAnswer(false);
    FMain->UpdateBtnClick();
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].caption, "WARNING");
    EXPECT_TRUE(notices.recorded()[0].question);
    EXPECT_NE(notices.recorded()[0].text.find("OLD = " + upPath), std::string::npos);
    EXPECT_TRUE(FMain->Lists.oldList.empty());
    EXPECT_FALSE(FList->isVisible());

    notices.queueAnswer(true);
    FMain->UpdateBtnClick();
    EXPECT_TRUE(FList->isVisible());
    EXPECT_EQ(FMain->Lists.oldList.size(), 8u);
}

TEST_F(PellorinForms, UpdateRefusesWhatItCannotUse)
{
    testsupport::writeFile(dir.file("notes.dat"), "no datasheet here\r\n");
    const std::string notDatasheet = dir.file("notes.dat");
    struct Case {
        std::string oldFile, upFile, text;
    };
    const Case cases[] = {
        {"", upPath, "\r\n       ERROR - Two files required.\r\nYou did not select an Old File."},
        {notDatasheet, upPath, notDatasheetText("old", notDatasheet)},
        {oldPath, "", "\r\n       ERROR - Two files required\r\nYou did not select an Update file."},
        {oldPath, dir.file("missing.dat"), notDatasheetText("update", dir.file("missing.dat"))},
        {oldPath, dir.path(), notDatasheetText("update", dir.path())},
    };
    for (const Case& c : cases) {
        notices.clear();
        choose(c.oldFile, c.upFile);
        FMain->UpdateBtnClick();
        ASSERT_EQ(notices.recorded().size(), 1u) << c.text;
        EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", c.text, false}));
        EXPECT_FALSE(FList->isVisible());
        EXPECT_TRUE(FMain->Lists.oldList.empty());
    }
    // The same file twice, or the backup as the OLD file.
    for (const auto& [oldFile, upFile] : {std::pair{oldPath, oldPath}, std::pair{backupPath, upPath}}) {
        if (oldFile == backupPath)
            fs::copy_file(oldPath, backupPath);
        notices.clear();
        choose(oldFile, upFile);
        FMain->UpdateBtnClick();
        ASSERT_EQ(notices.recorded().size(), 1u);
        EXPECT_EQ(notices.recorded()[0].caption, "NOTICE");
        EXPECT_NE(notices.recorded()[0].text.find("must be three different files"), std::string::npos);
        EXPECT_TRUE(FMain->Lists.oldList.empty());
    }
}

TEST_F(PellorinForms, PicksFillTheirPathBoxAndRefuseANonDatasheetFile)
{
    testsupport::writeFile(dir.file("notes.dat"), "no datasheet here\r\n");
    const std::string notDatasheet = dir.file("notes.dat");
    struct Case {
        QLineEdit* box;
        void (TFMain::*grab)(const std::string&);
        std::string picked;
    };
    const Case cases[] = {{FMain->OldFileBox, &TFMain::GrabOldFile, oldPath},
                          {FMain->UpFileBox, &TFMain::GrabUpFile, upPath}};
    for (const Case& c : cases) {
        notices.clear();
        c.box->setText("former");
        (FMain->*c.grab)(notDatasheet);
        ASSERT_EQ(notices.recorded().size(), 1u);
        EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", notDatasheetText("input", notDatasheet), false}));
        EXPECT_TRUE(c.box->isVisible());
        EXPECT_EQ(c.box->text().toStdString(), "former");

        notices.clear();
        (FMain->*c.grab)(c.picked);
        EXPECT_TRUE(notices.recorded().empty());
        EXPECT_TRUE(c.box->isVisible());
        EXPECT_EQ(c.box->text().toStdString(), c.picked);
    }
}

TEST_F(PellorinForms, AReadOnlyOldFileIsRefusedAtThePickAndAtCommit)
{
    ::chmod(oldPath.c_str(), 0444);
    FMain->OldFileBox->setText("former");
    FMain->GrabOldFile(oldPath);
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].caption, "ERROR");
    EXPECT_EQ(notices.recorded()[0].text, readOnlyText("The selected file", oldPath) + "      \r\n");
    EXPECT_FALSE(FMain->OldFileBox->isVisible());
    EXPECT_EQ(FMain->OldFileBox->text().toStdString(), "former");

    // Typed, it loads; Commit refuses it and leaves the window as loaded.
    notices.clear();
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    ASSERT_TRUE(notices.recorded().empty());
    const auto loaded = FMain->Lists.oldList.lines();
    FList->CommitBtnClick();
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].text, readOnlyText("Yout Input file", oldPath));
    EXPECT_TRUE(FList->CommitBtn->isVisible());
    EXPECT_FALSE(FList->LastOK->isVisible());
    EXPECT_EQ(FMain->Lists.oldList.lines(), loaded);
    EXPECT_EQ(FMain->Lists.upList.size(), 8u);
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);
    EXPECT_FALSE(fs::exists(backupPath));
}

TEST_F(PellorinForms, ClicksOnAStationWithoutOffsetOrAChangedFile)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->ShowUpSheet("ZZ9999");
    EXPECT_EQ(notices.recorded().back(), (platform::Notice{"NOTICE", "Offset Location not found for ZZ9999", false}));
    // The update file rewritten since the load: a notice and an empty viewer.
    testsupport::writeFile(upPath, "changed");
    FList->UpListClick(0);
    EXPECT_EQ(notices.recorded().back().text, platform::fileChangedText(upPath));
    EXPECT_TRUE(FUpDS->UpMemo->toPlainText().isEmpty());
    EXPECT_TRUE(FUpDS->isVisible());
}

TEST_F(PellorinForms, AFileThatCannotBeOpenedStopsUpdateWithEmptyLists)
{
    const std::string missing = dir.file("gone.dat");
    struct Case {
        std::function<bool()> step;
        platform::Notice notice;
    };
    const Case cases[] = {
        {[&] { return FMain->LoadUpList(missing); }, {"NOTICE", "Cannot open County File", false}},
        {[&] { return FMain->LoadOldList(missing); },
         {"ERROR", "Cannot open file\r\n        " + missing + "\r\n\r\n      for Read.\r\n", false}},
        {[&] {
             std::string date;
             return FMain->GetRetrievalDate(missing, date);
         },
         {"NOTICE", "Cannot open County File", false}},
    };
    for (const Case& c : cases) {
        choose(oldPath, upPath);
        FMain->UpdateBtnClick();
        ASSERT_EQ(FMain->Lists.oldList.size(), 12u);
        notices.clear();
        EXPECT_FALSE(c.step());
        EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{c.notice}));
        EXPECT_TRUE(FMain->Lists.oldList.empty());
        EXPECT_TRUE(FMain->Lists.upList.empty());
        EXPECT_TRUE(FMain->Lists.oldLocList.empty());
    }
}

namespace {

// Records, with each notice, which windows stand behind its box.
class WindowsBehindNotices : public platform::RecordingNotices {
public:
    void notice(std::string_view caption, std::string_view text) override
    {
        listsShown.push_back(FList && FList->isVisible());
        progressShown.push_back(FStatus && FStatus->isVisible());
        RecordingNotices::notice(caption, text);
    }
    std::vector<bool> listsShown, progressShown;
};

// True when the widest line of the memo fits the memo's visible width.
bool linesFit(const QPlainTextEdit& memo)
{
    const QFontMetrics metrics(memo.font());
    int widest = 0;
    for (const std::string& line : platform::memoLines(memo))
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    return widest + 2 * memo.document()->documentMargin() <= memo.viewport()->width();
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

TEST_F(PellorinForms, MessageBoxesStandAloneOverTheWindowsTheyConcern)
{
    WindowsBehindNotices watch;
    platform::setNotices(&watch);
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();

    // Commit refused before anything is written: no progress window behind the box.
    ::chmod(oldPath.c_str(), 0444);
    FList->CommitBtnClick();
    ::chmod(oldPath.c_str(), 0644);
    testsupport::writeFile(upPath, testsupport::readFile(upPath) + " ");
    FList->CommitBtnClick();
    ASSERT_EQ(watch.recorded().size(), 2u);
    EXPECT_EQ(watch.recorded()[1].text, platform::fileChangedText(upPath));
    EXPECT_EQ(watch.progressShown, (std::vector<bool>{false, false}));
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);

    // UNDO: a failure is shown over the Station Lists, which stay; the
    // "OKAY" box only once they are gone.
    fs::copy_file(sample("update.txt"), upPath, fs::copy_options::overwrite_existing);
    FMain->UpdateBtnClick();
    FList->CommitBtnClick();
    ASSERT_TRUE(FList->LastUNDO->isVisible());
    fs::rename(backupPath, dir.file("aside"));
    FList->LastUNDOClick();
    EXPECT_TRUE(FList->isVisible());
    fs::rename(dir.file("aside"), backupPath);
    watch.listsShown.clear();
    FList->LastUNDOClick();
    EXPECT_EQ(watch.recorded().back().caption, "OKAY");
    EXPECT_EQ(watch.listsShown, (std::vector<bool>{false}));
    EXPECT_FALSE(FList->isVisible());
    EXPECT_EQ(testsupport::readFile(oldPath), oldBytes);
    platform::setNotices(&notices);
}

TEST_F(PellorinForms, TextsAndPickersAreNeitherCutNorShifted)
{
    // Every help topic fits its window's width.
    FMain->Help1BtnClick();
    settle();
    for (int row = 0; row < FHelp->HelpList->count(); ++row) {
        FHelp->HelpList->setCurrentRow(row);
        FHelp->HelpItemClicked();
        settle();
        EXPECT_TRUE(linesFit(*FHelp->HelpMemo)) << FHelp->HelpList->item(row)->text().toStdString();
    }
    FHelp->close();

    // A datasheet's 80-column lines fit both viewers.
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->OldListClick(0);
    FList->UpListClick(0);
    settle();
    ASSERT_GT(FOldDS->OldMemo->blockCount(), 10);
    EXPECT_TRUE(linesFit(*FOldDS->OldMemo));
    EXPECT_TRUE(linesFit(*FUpDS->UpMemo));

    // A refused pick hides the OLD path box; the two picker sets stay level.
    ::chmod(oldPath.c_str(), 0444);
    FMain->GrabOldFile(oldPath);
    settle();
    EXPECT_FALSE(FMain->OldFileBox->isVisible());
    const auto level = [](const QWidget* widget) {
        return std::pair{widget->mapTo(FMain, QPoint(0, 0)).y(), widget->height()};
    };
    EXPECT_EQ(level(FMain->OldFileList), level(FMain->UpFileList));
    EXPECT_EQ(level(FMain->OldFilterCombo), level(FMain->UpFilterCombo));
}

TEST_F(PellorinForms, ClosingTheMainWindowEndsTheProgram)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->OldListClick(0);
    ASSERT_TRUE(FOldDS->isVisible());
    bool timedOut = false;
    QTimer::singleShot(0, [] { FMain->close(); });
    QTimer::singleShot(10000, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_FALSE(timedOut);
}

TEST_F(PellorinForms, ArrowKeysStepThroughTheDatasheetsAsClicksDo)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    QTest::keyClick(FList->OldList, Qt::Key_Down); // from no selection to the first line
    EXPECT_EQ(memo(FOldDS->OldMemo).at(1).substr(1, 6), "KA0001");
    QTest::keyClick(FList->OldList, Qt::Key_Down);
    EXPECT_EQ(memo(FOldDS->OldMemo).at(1).substr(1, 6), "KA0002");
    QTest::keyClick(FList->UpList, Qt::Key_Down);
    QTest::keyClick(FList->UpList, Qt::Key_Down);
    EXPECT_EQ(memo(FUpDS->UpMemo).at(1).substr(1, 6), "KA0010");
}

TEST_F(PellorinForms, FilesWhoseNamesAreNotUtf8ArePickedAndMerged)
{
    // Latin-1 names, as an old disc or archive gives them.
    const std::string oldFile = dir.file("caf\xe9.dat");
    const std::string upFile = dir.file("na\xefve.dat");
    fs::rename(oldPath, oldFile);
    fs::rename(upPath, upFile);
    ASSERT_TRUE(FMain->OldPicker->setDirectory(dir.path()));
    ASSERT_TRUE(FMain->UpPicker->setDirectory(dir.path()));
    const auto rowOf = [](const platform::FilePicker& picker, const std::string& path) {
        for (int row = 0; row < picker.fileCount(); ++row)
            if (picker.filePath(row) == path)
                return row;
        return -1;
    };
    ASSERT_GE(rowOf(*FMain->OldPicker, oldFile), 0);
    FMain->OldPicker->clickFile(rowOf(*FMain->OldPicker, oldFile));
    FMain->UpPicker->clickFile(rowOf(*FMain->UpPicker, upFile));
    EXPECT_TRUE(notices.recorded().empty());
    FMain->UpdateBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(FMain->GetOldPath(), oldFile);
    ASSERT_EQ(FMain->Lists.oldList.size(), 12u);
    // Shown to the user, a byte that is no part of UTF-8 reads "\xNN".
    EXPECT_EQ(FList->windowTitle().toStdString(), dir.file("na") + "\\xefve.dat");
    FList->CommitBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(testsupport::readFile(oldFile).size(), 57145u);
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
    FList->LastOKClick();
    // The end window reads its message as the notices do: a byte that is no
    // part of UTF-8 as its 8-bit character.
    const QStringList end = FTheEnd->TheEndMemo->toPlainText().split('\n');
    ASSERT_EQ(end.size(), 6);
    EXPECT_EQ(end[3], QString::fromUtf8((" " + dir.file("caf") + "\xc3\xa9.dat").c_str()));
}

TEST_F(PellorinForms, TypedPathsNameFilesWhoseNamesAreNotUtf8)
{
    // The OLD name typed with its accent, the UPDATE name as a box shows
    // it (a replacement character for the byte that is not UTF-8): both
    // name the Latin-1 files on the disc.
    const std::string oldFile = dir.file("caf\xe9.dat");
    const std::string upFile = dir.file("na\xefve.dat");
    fs::rename(oldPath, oldFile);
    fs::rename(upPath, upFile);
    testsupport::writeFile(dir.file("na\xeeve.dat"), "another name shown the same\r\n");
    FMain->OldFileBox->setText(QString::fromUtf8(dir.file("caf\u00e9.dat")));
    FMain->UpFileBox->setText(platform::pathToQ(upFile));
    FMain->UpdateBtnClick();
    // Two names show as "na\ufffdve.dat": which one is meant is not known.
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].text, notDatasheetText("update", platform::pathFromQ(platform::pathToQ(upFile))));
    EXPECT_EQ(FMain->GetOldPath(), oldFile);

    notices.clear();
    fs::remove(dir.file("na\xeeve.dat"));
    FMain->UpdateBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(FMain->GetOldPath(), oldFile);
    EXPECT_EQ(FMain->GetUpPath(), upFile);
    ASSERT_EQ(FMain->Lists.oldList.size(), 12u);
    FList->CommitBtnClick();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(testsupport::readFile(oldFile).size(), 57145u);
    EXPECT_EQ(testsupport::readFile(backupPath), oldBytes);
}

TEST_F(PellorinForms, WindowsTheUserMinimizedComeBackWhenAskedFor)
{
    choose(oldPath, upPath);
    FMain->UpdateBtnClick();
    FList->OldListClick(0);
    FList->UpListClick(0);
    FList->HelpCommitBtnClick();
    for (QWidget* window : std::initializer_list<QWidget*>{FList, FOldDS, FUpDS, FHelp2})
        window->showMinimized();
    FMain->UpdateBtnClick();
    FList->OldListClick(1);
    FList->UpListClick(1);
    FList->HelpCommitBtnClick();
    for (QWidget* window : std::initializer_list<QWidget*>{FList, FOldDS, FUpDS, FHelp2}) {
        EXPECT_TRUE(window->isVisible()) << window->windowTitle().toStdString();
        EXPECT_FALSE(window->isMinimized()) << window->windowTitle().toStdString();
    }
}
