// The output location, existing-output and output list windows.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QFrame>
#include <QTreeView>

#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_out_exist.h"
#include "morvane/tf_out_files.h"
#include "platform/files.h"
#include "platform/qt/memo.h"
#include "tests/morvane/morvane_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

class OutWindows : public MorvaneTest {
protected:
    void SetUp() override
    {
        MorvaneTest::SetUp();
        for (const char* name : {"dsdata.001", "dsdata.002", "AB1234.out", "report.out"})
            testsupport::writeFile(dir.file(name), "x");
        FOutDir->SetOutDir(dir.path());
    }
    testsupport::TempDir dir;
};

TEST_F(OutWindows, OutDirKeepsItsDirectoryUnlessOkay)
{
    testsupport::TempDir other;
    platform::queueModal([&](QDialog&) { FOutDir->SelectDirectory(other.path()); });
    EXPECT_EQ(platform::execModal(*FOutDir), QDialog::Rejected);
    EXPECT_EQ(FOutDir->GetOutDir(), dir.path());
    platform::queueModal([&](QDialog&) {
        FOutDir->SelectDirectory(other.path());
        FOutDir->Okay->click();
    });
    EXPECT_EQ(platform::execModal(*FOutDir), QDialog::Accepted);
    EXPECT_EQ(FOutDir->GetOutDir(), other.path());
    EXPECT_EQ(FOutDir->Label1->text().toStdString(), "Pick an OUTPUT Directory");
    EXPECT_EQ(FOutDir->Label2->text().toStdString(), "Index Filename = ");
}

// The index editor asks for the index's directory with the directory of the
// last Okay selected, and with the current directory before the first Okay
// (not the list's first entry, the root, where a later split would write).
TEST_F(OutWindows, IndexEditorPreselectsTheLastDirectoryElseTheCurrentDirectory)
{
    FOutDir->SetOutDir({});
    testsupport::writeFile(dir.file("DSQUAD.INX"), "|001|A\r\n");
    std::vector<std::string> selected;
    platform::queueModal([&](QDialog&) {
        selected.push_back(FOutDir->SelectedDirectory());
        FOutDir->SelectDirectory(dir.path());
        FOutDir->Okay->click();
    });
    FIndex->EditIndex("QUAD");
    EXPECT_EQ(platform::memoLines(*FIndex->IndexMemo), (Lines{"|001|A"}));
    platform::queueModal([&](QDialog&) { selected.push_back(FOutDir->SelectedDirectory()); });
    FIndex->EditIndex("QUAD");
    EXPECT_EQ(selected, (Lines{platform::currentDirectory(), dir.path()}));
}

TEST_F(OutWindows, ExistingPiecesAreDeletedOnlyAsListed)
{
    Lines shown;
    platform::queueModal([&](QDialog&) {
        shown = platform::memoLines(*FOutExist->ExistMemo);
        // The user keeps dsdata.002 by removing its line.
        platform::setMemoLines(*FOutExist->ExistMemo, {"dsdata.001", "report.out"});
        FOutExist->OkDelete->click();
    });
    FOutExist->CheckExistingFiles(1);
    EXPECT_EQ(shown, (Lines{"dsdata.001", "dsdata.002"}));
    EXPECT_EQ(FOutExist->GetProceed(), 1);
    EXPECT_FALSE(platform::fileExists(dir.file("dsdata.001")));
    EXPECT_TRUE(platform::fileExists(dir.file("dsdata.002")));
    EXPECT_TRUE(platform::fileExists(dir.file("report.out")));

    // Mode 0: only the PID pieces; Cancel Run.
    platform::queueModal([&](QDialog&) {
        shown = platform::memoLines(*FOutExist->ExistMemo);
        FOutExist->CancelRun->click();
    });
    FOutExist->CheckExistingFiles(0);
    EXPECT_EQ(shown, (Lines{"AB1234.out"}));
    EXPECT_EQ(FOutExist->GetProceed(), 0);
    // Closing the window counts as Cancel Run.
    platform::queueModal([](QDialog&) {});
    FOutExist->CheckExistingFiles(0);
    EXPECT_EQ(FOutExist->GetProceed(), 0);
    EXPECT_TRUE(platform::fileExists(dir.file("AB1234.out")));

    // Nothing to list: no window, and the split may run.
    testsupport::TempDir empty;
    FOutDir->SetOutDir(empty.path());
    FOutExist->CheckExistingFiles(1);
    EXPECT_EQ(FOutExist->GetProceed(), 1);
}

TEST_F(OutWindows, OutputListShowsTheInputAndThePieces)
{
    FFile->SetFileName("/data/in.txt");
    FOutFiles->ListOutputFiles(1);
    EXPECT_TRUE(FOutFiles->isVisible());
    ASSERT_NE(FOutFiles->Panel3, nullptr);
    EXPECT_EQ(FOutFiles->Okay->parentWidget(), FOutFiles->Panel3);
    EXPECT_EQ(FOutFiles->Panel1->text().toStdString(), "INPUT = /data/in.txt");
    // A name that is not UTF-8 shows its byte as \xNN; UTF-8 shows as typed.
    FFile->SetFileName("/data/caf\xe9/\xc3\xa9t\xc3\xa9.txt");
    FOutFiles->ListOutputFiles(1);
    EXPECT_EQ(FOutFiles->Panel1->text(), QString::fromUtf8("INPUT = /data/caf\\xe9/\xc3\xa9t\xc3\xa9.txt"));
    EXPECT_EQ(FOutFiles->Panel2->text().toStdString(), "OUTPUT");
    EXPECT_EQ(platform::memoLines(*FOutFiles->OutMemo), (Lines{"dsdata.001", "dsdata.002"}));
    FOutFiles->Okay->click();
    EXPECT_FALSE(FOutFiles->isVisible());
    EXPECT_EQ(platform::memoLineCount(*FOutFiles->OutMemo), 0);
    testsupport::TempDir empty;
    FOutDir->SetOutDir(empty.path());
    FOutFiles->ListOutputFiles(0);
    EXPECT_FALSE(FOutFiles->isVisible());
}

} // namespace
