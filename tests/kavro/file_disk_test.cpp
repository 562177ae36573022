// Start-up, File > Disk and the loads behind it, through the main window.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "datasheet/forms/tf_offsets.h"
#include "platform/qt/memo.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::writeFile;

const std::string kStations =
    "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
    " AB1234  DESIGNATION -  FIRST MARK\r\n"
    " AB1234  HORZ ORDER  -  SECOND\r\n"
    "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
    " CD5678  DESIGNATION -  SECOND MARK\r\n";

using KavroStart = KavroTest;

TEST_F(KavroStart, MainWindowBehindTheDisclaimer)
{
    EXPECT_EQ(FMain->windowTitle().toStdString(), "KAVRO   (VERSION = 2.15)");
    EXPECT_EQ(disclaimerCaption, "DISCLAIMER");
    EXPECT_TRUE(FMain->isVisible());
    EXPECT_TRUE(FMain->Title->isVisibleTo(FMain));
    EXPECT_FALSE(FMain->DriveCombo->isVisibleTo(FMain));
    EXPECT_FALSE(FList->isVisible());
    EXPECT_EQ(FMain->prompt().toStdString(), "Quarndale Geomark Bureau Digital Datasheet Extraction Program");
}

using FileDisk = KavroTest;

TEST_F(FileDisk, DatasheetFileFillsTheStationList)
{
    testsupport::TempDir dir;
    std::string path = dir.file("county.dat");
    writeFile(path, kStations);
    platform::queueFileAnswer(path);
    FMain->FilePrompt();

    EXPECT_EQ(platform::lastFileDialogDirectory(), ".");
    EXPECT_EQ(FMain->windowTitle().toStdString(), "county.dat");
    EXPECT_EQ(FMain->GetDataPath(), path);
    EXPECT_EQ(FMain->GetLastDir(), dir.path());
    EXPECT_TRUE(FList->isVisible());
    EXPECT_EQ(FList->windowTitle().toStdString(), path);
    EXPECT_EQ(FList->MarksList->lines().lines(),
              (std::vector<std::string>{"     |AB1234|2- |          |           |FIRST MARK",
                                        "     |CD5678| - |          |           |SECOND MARK"}));
    EXPECT_EQ(FOffsets->LocList->lines().lines(), (std::vector<std::string>{"AB1234|0", "CD5678|147"}));
    EXPECT_FALSE(FOffsets->isVisible());
    EXPECT_EQ(FOffsets->FindOffset("CD5678"), 147);
    EXPECT_TRUE(notices.recorded().empty());

    // The next File > Disk opens in that file's directory; cancelling keeps the caption.
    platform::queueFileAnswer("");
    emit FMain->File->aboutToShow(); // File opened, then Disk chosen
    FMain->Disk1->trigger();
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.path());
    EXPECT_EQ(FMain->windowTitle().toStdString(), "county.dat");
    EXPECT_FALSE(FList->isVisible());
    EXPECT_TRUE(FList->MarksList->lines().empty());
    EXPECT_TRUE(FOffsets->LocList->lines().empty());
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on CD-ROM-Datasheets or Disk");
}

TEST_F(FileDisk, OtherFileShowsItsLinesInTheViewer)
{
    testsupport::TempDir dir;
    std::string path = dir.file("notes.txt");
    writeFile(path, "just some notes\r\n100% plain\n");
    platform::queueFileAnswer(path);
    FMain->FilePrompt();

    EXPECT_FALSE(FList->isVisible());
    EXPECT_TRUE(FDisplay->isVisible());
    EXPECT_EQ(FDisplay->windowTitle().toStdString(), path);
    EXPECT_EQ(platform::memoLines(*FDisplay->DsDisplay),
              (std::vector<std::string>{"just some notes", "100% plain"}));
}

TEST_F(FileDisk, MisalignedFileIsAnnouncedRepairedAndLoaded)
{
    testsupport::TempDir dir;
    std::string path = dir.file("shifted.dat");
    writeFile(path, testsupport::readFile(testsupport::fixture("misaligned.dat")));
    platform::queueFileAnswer(path);
    FMain->FilePrompt();

    ASSERT_EQ(notices.recorded().size(), 2u);
    EXPECT_EQ(notices.recorded()[0].caption, "NOTICE");
    EXPECT_EQ(notices.recorded()[0].text,
              "KAVRO Version 2.15 has detected missaligned data\r\n      in the input file.  This was probably "
              "introduced by a bug in\r\n      Version 2.06.\r\n      KAVRO Version 2.15 will correct your data at "
              "this time.\r\n");
    EXPECT_EQ(notices.recorded()[1].text, "File is fixed");
    EXPECT_EQ(testsupport::readFile(path), testsupport::readFile(testsupport::fixture("misaligned_fixed.dat")));
    ASSERT_EQ(FList->MarksList->lines().size(), 2u);
    EXPECT_EQ(FList->MarksList->lines().at(0).substr(6, 6), "AB1234");
}

TEST_F(FileDisk, LongLineThatLooksShiftedInItsSecondPieceLoadsUntouched)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("long.dat");
    // The 150th character of the long line starts a PID pattern.
    const std::string longLine = " AB1234  " + std::string(140, 'x') + "CD5678 more";
    writeFile(path, "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n" + longLine +
                        "\r\n AB1234  DESIGNATION -  FIRST MARK\r\n");
    const auto before = platform::FileIdentity::of(path);
    for (int load = 0; load < 2; ++load) {
        platform::queueFileAnswer(path);
        FMain->FilePrompt();
        EXPECT_TRUE(notices.recorded().empty());
        ASSERT_EQ(FList->MarksList->lines().size(), 1u);
    }
    EXPECT_TRUE(before.matches(path)); // never rewritten
}

// A misaligned file the user may not write: the repair names the step that
// failed, the file stays as it was, and the load goes on with it.
TEST_F(FileDisk, MisalignedFileThatCannotBeWrittenIsLeftAndLoaded)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("shifted.dat");
    const std::string bytes = testsupport::readFile(testsupport::fixture("misaligned.dat"));
    writeFile(path, bytes);
    // Root may write any file; the immutable flag stops root too.
    const bool root = ::geteuid() == 0;
    if (root ? std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) != 0
             : ::chmod(path.c_str(), 0444) != 0)
        GTEST_SKIP() << "cannot make the file unwritable here";
    platform::queueFileAnswer(path);
    FMain->FilePrompt();
    if (root)
        std::system(("chattr -i '" + path + "'").c_str());

    ASSERT_EQ(notices.recorded().size(), 2u);
    EXPECT_EQ(notices.recorded()[1].text.rfind("ERROR 004 - Could not open DsData file for write.\r\n", 0), 0u);
    EXPECT_EQ(testsupport::readFile(path), bytes);
    EXPECT_TRUE(FList->isVisible()); // the stations the unrepaired file yields
    std::vector<std::string> names;
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, std::vector<std::string>{"shifted.dat"});
}

TEST_F(FileDisk, UnreadableFileStopsTheLoadWithoutEndingTheProgram)
{
    testsupport::TempDir dir;
    FList->MarksList->lines().assign({"stale"});
    EXPECT_FALSE(FMain->LoadStationList(dir.file("gone.dat"), 0));
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", "Cannot open DsData File", false}));
    EXPECT_TRUE(FList->MarksList->lines().empty());
    EXPECT_TRUE(FOffsets->LocList->lines().empty());

    FMain->ShowRawFile(dir.file("gone.txt"));
    EXPECT_EQ(platform::memoLines(*FDisplay->DsDisplay), std::vector<std::string>{"Cannot Open File"});

    // A file that opens but whose reads fail (this process's memory file at
    // offset 0, as a bad sector would) is no empty file.
    notices.clear();
    FList->MarksList->lines().assign({"stale"});
    EXPECT_FALSE(FMain->LoadStationList("/proc/self/mem", 0));
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Cannot open County File", false}}));
    EXPECT_TRUE(FList->MarksList->lines().empty());
    EXPECT_TRUE(FOffsets->LocList->lines().empty());
    FMain->ShowRawFile("/proc/self/mem");
    EXPECT_EQ(platform::memoLines(*FDisplay->DsDisplay), std::vector<std::string>{"Cannot Open File"});
}

TEST_F(FileDisk, TypeModeAddsPassingStationsToTheResults)
{
    testsupport::TempDir dir;
    std::string path = dir.file("county.dat");
    writeFile(path, kStations);
    ASSERT_TRUE(FMain->LoadStationList(path, 0));
    FMain->SetTypeCode("H-0");
    ASSERT_TRUE(FMain->LoadStationList(path, 1));
    ASSERT_EQ(FFound->FoundList->lines().size(), 1u);
    EXPECT_EQ(FFound->FoundList->lines().at(0).substr(6, 6), "AB1234");
    EXPECT_EQ(FList->MarksList->lines().size(), 2u); // untouched by mode 1
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_EQ(FMain->GetTypeCode(), "X-0");
}

TEST_F(FileDisk, OpeningTheFileMenuResetsEverything)
{
    testsupport::TempDir dir;
    std::string path = dir.file("county.dat");
    writeFile(path, kStations);
    platform::queueFileAnswer(path);
    FMain->FilePrompt();
    FMain->SetTypeCode("GPS");
    emit FMain->File->aboutToShow();
    EXPECT_EQ(FMain->GetTypeCode(), "X-0");
    EXPECT_EQ(FMain->GetDataPath(), "");
    EXPECT_FALSE(FList->isVisible());
    EXPECT_TRUE(FList->MarksList->lines().empty());
    EXPECT_TRUE(FOffsets->LocList->lines().empty());
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on CD-ROM-Datasheets or Disk");
}

} // namespace
