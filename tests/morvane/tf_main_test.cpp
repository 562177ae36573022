// Morvane's start-up, shared state, CD-ROM and disk choices and the join
// as a user runs it from either RUN button.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <unistd.h>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_offsets.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/forms/tf_warning.h"
#include "itempick/tf_select.h"
#include "morvane/tf_cd_drive.h"
#include "morvane/tf_disclaim.h"
#include "morvane/tf_disk.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_main.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_out_exist.h"
#include "morvane/tf_out_files.h"
#include "morvane/tf_prefix.h"
#include "morvane/tf_split_bytes.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_lines.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_options.h"
#include "morvane/tf_split_quad.h"
#include "morvane/tf_split_stations.h"
#include "platform/files.h"
#include "platform/qt/file_picker.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"
#include "tests/morvane/morvane_fixture.h"
#include "tests/support/list_texts.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;

std::string title(const QWidget* window)
{
    return window->windowTitle().toStdString();
}

// Answers the output-format dialog with the format's row.
void queueFormat(int row)
{
    platform::queueModal([row](QDialog&) {
        FGetOut->FormatList->clearSelection();
        FGetOut->FormatList->setCurrentRow(row);
        FGetOut->OK->click();
    });
}

// Answers the file-exists dialog with the item, or closes it by its frame (-1).
void queueExists(int item)
{
    platform::queueModal([item](QDialog&) {
        if (item < 0)
            return;
        FWarning->RadioGroup1->findChildren<QRadioButton*>()[item]->click();
        FWarning->Okay->click();
    });
}

class MorvaneMain : public MorvaneTest {
protected:
    void scanSamples()
    {
        FMain->DrivesCombo->addItem(platform::pathToQ(samples()));
        FMain->DrivesCombo->setCurrentIndex(FMain->DrivesCombo->count() - 1);
        FMain->DriveOKClick();
    }
    void select(const Lines& names)
    {
        for (int row = 0; row < FMain->MorvaneList->count(); ++row)
            for (const auto& name : names)
                if (FMain->MorvaneList->item(row)->text().contains(platform::toQ(name)))
                    FMain->MorvaneList->item(row)->setSelected(true);
    }
    std::string join(const Lines& names) const
    {
        std::string bytes;
        for (const auto& name : names)
            bytes += readFile(samples(name));
        return bytes;
    }
    testsupport::TempDir dir;
};

TEST_F(MorvaneMain, StartsBehindTheModalDisclaimerWithItsWindowsInPlace)
{
    EXPECT_EQ(disclaimerCaption, "DISCLAIMER");
    EXPECT_FALSE(othersExisted);
    EXPECT_EQ(title(FMain), "MORVANE   (VERSION = 2.09)");
    EXPECT_TRUE(FMain->Title->isVisible());
    EXPECT_EQ(FMain->Title->text().toStdString(), "Morvane");
    EXPECT_EQ(FMain->Panel1->text().toStdString(), "Quarndale Geomark Bureau Data Sheet Copy/Split Program");
    for (QWidget* hidden : {static_cast<QWidget*>(FMain->Label1), static_cast<QWidget*>(FMain->DrivesCombo),
                            static_cast<QWidget*>(FMain->MorvaneList), static_cast<QWidget*>(FMain->RunBtn)})
        EXPECT_TRUE(hidden->isHidden());
    const std::vector<std::pair<QWidget*, const char*>> windows = {
        {FGetType, "CONTROL TYPE INPUT"}, {FSplitOptions, "Split Methods"}, {FSplitMM, "Split by area"},
        {FSplitQuad, "Split by Quad"},    {FSplitCounty, "Split By County"}, {FDisk, "Disk"},
        {FSplitBytes, "Split by Bytes"},  {FSplitLines, "Split by #Lines"}, {FOutFiles, "I/O Files"},
        {FSplitStations, "Split by #Stations"}, {FPrefix, "OUTPUT FILE PREFIX"}, {FOutExist, "Existing Files"},
        {FIndex, "Edit Index"},           {FOutDir, "TARGET LOCATION"},  {FCdDrive, "Drive"},
        {FWarning, "NOTICE"},             {FGetOut, "OUTPUT FORMAT"},    {FDisclaim, "DISCLAIMER"}};
    for (const auto& [window, caption] : windows) {
        ASSERT_NE(window, nullptr) << caption;
        EXPECT_EQ(title(window), caption);
        EXPECT_FALSE(window->isVisible()) << caption;
    }
    EXPECT_NE(FFile, nullptr);
    EXPECT_NE(FOffsets, nullptr);
    EXPECT_NE(FHelp, nullptr);
    EXPECT_NE(FSelect, nullptr);
    EXPECT_NE(FStatus, nullptr);
    // The item form's creation sets the station-type code.
    EXPECT_EQ(FFile->GetTypeCode(), "X-0");
}

TEST_F(MorvaneMain, FilesMenuResetsTheSharedStateButKeepsDirectoryFileAndHelpMode)
{
    EXPECT_EQ(FFile->GetHelpMode(), 0);
    FMain->HelpClicked();
    EXPECT_EQ(FFile->GetHelpMode(), 1);
    EXPECT_TRUE(FHelp->isVisible());
    FFile->SetLastDir("/last");
    FFile->SetFileName("/last/out.txt");
    FFile->SetDrive("/drive");
    FFile->SetState("AZX");
    EXPECT_EQ(FFile->GetState(), "AZ");
    FFile->MakeCountyListPath();
    EXPECT_EQ(FFile->GetCountyListPath(), "/drive/DATA/AZ/county.AZ");
    FFile->SetOutputFormat(2);
    FFile->SetTypeCode("H-1");
    FFile->SetExistAnswer('A');
    FGetType->TypeList->setCurrentRow(3);
    FFile->SetWorkDir("/elsewhere");
    for (int i = 0; i < 2; ++i)
        FMain->FilesClick();
    EXPECT_EQ(FFile->GetDrive(), "");
    EXPECT_EQ(FFile->GetState(), "");
    EXPECT_EQ(FFile->GetCountyListPath(), "");
    EXPECT_EQ(FFile->GetOutputFormat(), 0);
    EXPECT_EQ(FFile->GetTypeCode(), "");
    EXPECT_EQ(FFile->GetExistAnswer(), 0);
    EXPECT_EQ(FFile->GetWorkDir(), platform::currentDirectory());
    EXPECT_EQ(FFile->GetLastDir(), "/last");
    EXPECT_EQ(FFile->GetFileName(), "/last/out.txt");
    EXPECT_EQ(FFile->GetHelpMode(), 1);
    EXPECT_EQ(FGetType->TypeList->currentRow(), 0);
    EXPECT_TRUE(FMain->Title->isVisible());

    // A code of no table keeps the previous path.
    FFile->SetDrive("/drive");
    FFile->SetState("CO");
    FFile->MakeCountyListPath();
    FFile->SetState("VI");
    FFile->MakeCountyListPath();
    EXPECT_EQ(FFile->GetCountyListPath(), "/drive/DATA/CO/county.CO");
}

TEST_F(MorvaneMain, CdromScanListsEveryCountyFileAndThePacificFile)
{
    FMain->JoinClick();
    FMain->DrivePrompt();
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on CD-ROM Drive Letter");
    EXPECT_TRUE(FMain->DrivesCombo->isVisible());
    scanSamples();
    const std::string d = samples();
    EXPECT_EQ(testsupport::itemTexts(*FMain->MorvaneList),
              (Lines{d + "/DATA/AZ/AZ001.DAT | APACHE", d + "/DATA/AZ/AZ003.DAT | COCHISE",
                     d + "/DATA/AZ/AZ005.DAT | COCONINO", d + "/DATA/CO/CO001.DAT | ADAMS",
                     d + "/DATA/CO/CO003.DAT | ALAMOSA", d + "/DATA/NM/NM001.DAT | BERNALILLO",
                     d + "/DATA/NM/NM003.DAT | CATRON", d + "/DATA/Pacific/GU/GU000.dat"}));
    EXPECT_EQ(FMain->EntryPath(0), d + "/DATA/AZ/AZ001.DAT");
    EXPECT_TRUE(FMain->MorvaneList->isVisible());
    EXPECT_TRUE(FMain->RunBtn->isVisible());
    EXPECT_EQ(FMain->prompt().toStdString(), "For multiple selection - Hold down <Cntrl>");

    // Files hides the list and keeps its entries.
    FMain->FilesClick();
    EXPECT_TRUE(FMain->MorvaneList->isHidden());
    EXPECT_EQ(FMain->MorvaneList->count(), 8);
}

// An entry whose file name is not UTF-8 gives back that name's bytes.
TEST_F(MorvaneMain, EntryPathKeepsBytesThatAreNotUtf8)
{
    const std::string d = dir.path();
    testsupport::writeFile(d + "/DATA/CO/county.CO", "CO\xe9" "01.DAT | ODD\r\n");
    FMain->DrivesCombo->addItem(platform::pathToQ(d));
    FMain->DrivesCombo->setCurrentIndex(FMain->DrivesCombo->count() - 1);
    FMain->DriveOKClick();
    ASSERT_EQ(FMain->MorvaneList->count(), 1);
    EXPECT_EQ(FMain->EntryPath(0), d + "/DATA/CO/CO\xe9" "01.DAT");
}

TEST_F(MorvaneMain, CdromTreeVariants)
{
    // No Pacific, a lower-case state, a directory beyond its code, VI, a
    // Pacific directory in lower case.
    const std::string d = dir.path();
    testsupport::writeFile(d + "/DATA/az/county.az", "AZ001.DAT | LOWER\r\n");
    testsupport::writeFile(d + "/DATA/COX/x", "");
    testsupport::writeFile(d + "/DATA/CO/county.CO", "CO001.DAT | ADAMS\r\n");
    testsupport::writeFile(d + "/DATA/VI/county.VI", "VI001.DAT | NONE\r\n");
    FMain->DrivesCombo->addItem(platform::pathToQ(d));
    FMain->DrivesCombo->setCurrentIndex(FMain->DrivesCombo->count() - 1);
    FMain->DriveOKClick();
    EXPECT_EQ(testsupport::itemTexts(*FMain->MorvaneList),
              (Lines{d + "/DATA/CO/CO001.DAT | ADAMS", d + "/DATA/CO/CO001.DAT | ADAMS"}));

    testsupport::writeFile(d + "/DATA/Pacific/gu/gu000.dat", "");
    FMain->DriveOKClick();
    EXPECT_EQ(FMain->MorvaneList->item(2)->text().toStdString(), d + "/DATA/Pacific/gu/gu000.dat");
    EXPECT_TRUE(notices.recorded().empty());

    // A drive without DATA.
    FMain->FilesClick();
    FMain->DrivesCombo->addItem(platform::pathToQ(d + "/DATA"));
    FMain->DrivesCombo->setCurrentIndex(FMain->DrivesCombo->count() - 1);
    FMain->DriveOKClick();
    EXPECT_EQ(FMain->MorvaneList->count(), 0);
    EXPECT_TRUE(FMain->MorvaneList->isHidden());
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{
                  {"NOTICE",
                   "ERROR - Invalid Directory Structure\r\n      Looking for QGB CD-ROM Directory called '/DATA'\r\n"
                   "      Insert QGB Datasheet CD-ROM and Try Again.",
                   false}}));
}

TEST_F(MorvaneMain, JoinOfSelectedCountiesThenTransferCompleteAndReset)
{
    scanSamples();
    select({"AZ001", "AZ003", "CO001"});
    queueFormat(0);
    const std::string out = dir.file("joined.txt");
    platform::queueFileAnswer(out);
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(readFile(out), join({"DATA/AZ/AZ001.DAT", "DATA/AZ/AZ003.DAT", "DATA/CO/CO001.DAT"}));
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Transfer Complete", false}}));
    EXPECT_TRUE(FFile->GetTypeCode().empty()); // "X-0", then the reset empties it
    EXPECT_TRUE(FMain->MorvaneList->isHidden());
    EXPECT_TRUE(FMain->Title->isVisible());
    EXPECT_EQ(title(FMain), "joined.txt");
    EXPECT_EQ(FFile->GetFileName(), out);
    EXPECT_EQ(FFile->GetLastDir(), dir.path());
    EXPECT_EQ(FFile->GetHelpMode(), 1);

    // The next save dialog opens in the previous output's directory; append
    // keeps the old bytes first.
    notices.clear();
    scanSamples();
    select({"CO001"});
    queueFormat(0);
    platform::queueFileAnswer(out);
    queueExists(1);
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.path());
    EXPECT_EQ(readFile(out), join({"DATA/AZ/AZ001.DAT", "DATA/AZ/AZ003.DAT", "DATA/CO/CO001.DAT",
                                   "DATA/CO/CO001.DAT"}));
}

// A name that is not UTF-8 (a Latin-1 "café.txt") shows with the byte as
// \xe9 in the file-exists question and the caption, and the join writes that
// very file.
TEST_F(MorvaneMain, NameThatIsNotUtf8ShowsItsByteAndKeepsIt)
{
    const std::string out = dir.file("caf\xe9.txt");
    testsupport::writeFile(out, "old\r\n");
    scanSamples();
    select({"CO001"});
    queueFormat(0);
    platform::queueFileAnswer(out);
    QString asked;
    platform::queueModal([&asked](QDialog&) {
        asked = FWarning->FileName->text();
        FWarning->RadioGroup1->findChildren<QRadioButton*>()[1]->click();
        FWarning->Okay->click();
    });
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(asked, QString::fromStdString(dir.path()) + QStringLiteral("/caf\\xe9.txt"));
    EXPECT_EQ(title(FMain), "caf\\xe9.txt");
    EXPECT_EQ(readFile(out), "old\r\n" + join({"DATA/CO/CO001.DAT"}));
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Transfer Complete", false}}));
}

TEST_F(MorvaneMain, FilterChoiceKeepsTheChosenType)
{
    scanSamples();
    select({"AZ001", "AZ003", "CO001"});
    FMain->FilterBtnClick();
    EXPECT_TRUE(FGetType->isVisible());
    EXPECT_TRUE(FGetType->HOrderList->isHidden());
    EXPECT_EQ(FGetType->TypeList->currentRow(), 0);
    FGetType->TypeList->setCurrentRow(3);
    FGetType->TypeListClick();
    FGetType->HOrderList->setCurrentRow(3);
    FGetType->HOrderListClick();
    EXPECT_EQ(FFile->GetTypeCode(), "H-1");
    FGetType->OkType->click();
    EXPECT_EQ(FFile->GetTypeCode(), "H-1");
    queueFormat(0);
    const std::string out = dir.file("first.txt");
    platform::queueFileAnswer(out);
    FMain->RunBtnClick(FMain->RunBtn);
    const std::string text = readFile(out);
    std::size_t headers = 0;
    for (std::size_t at = text.find("1        Quarndale"); at != std::string::npos;
         at = text.find("\n1        Quarndale", at + 1))
        ++headers;
    EXPECT_EQ(headers, 25u);
    EXPECT_EQ(FFile->GetTypeCode(), "");
    EXPECT_EQ(FGetType->TypeList->currentRow(), 0);
    EXPECT_EQ(FGetType->HOrderList->currentRow(), 0);
}

TEST_F(MorvaneMain, StopsBeforeWritingWhenTheUserStops)
{
    // No selection.
    scanSamples();
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "ERROR - User did not Select any Files.", false}}));
    notices.clear();

    select({"AZ001"});
    const std::string out = dir.file("old.txt");
    testsupport::writeFile(out, "old\r\n");
    // Format dialog cancelled.
    platform::queueModal([](QDialog&) { FGetOut->CANCEL->click(); });
    FMain->RunBtnClick(FMain->RunBtn);
    // Save dialog cancelled.
    queueFormat(0);
    platform::queueFileAnswer("");
    FMain->RunBtnClick(FMain->RunBtn);
    // File-exists closed by its frame, then Cancel.
    queueFormat(0);
    platform::queueFileAnswer(out);
    queueExists(-1);
    FMain->RunBtnClick(FMain->RunBtn);
    queueFormat(0);
    platform::queueFileAnswer(out);
    queueExists(2);
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(readFile(out), "old\r\n");
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_TRUE(FMain->MorvaneList->isVisible()); // nothing reset

    // ITEMPICK items cancelled: no save dialog, nothing written.
    queueFormat(3);
    platform::queueModal([](QDialog&) { FSelect->SelectCancel->click(); });
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_TRUE(notices.recorded().empty());

    // The output is one of the inputs.
    queueFormat(0);
    const std::string input = FMain->EntryPath(0);
    const std::string before = readFile(input);
    platform::queueFileAnswer(input);
    queueExists(1);
    FMain->RunBtnClick(FMain->RunBtn);
    EXPECT_EQ(readFile(input), before);
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_NE(notices.recorded()[0].text.find("is one of the files to join"), std::string::npos);
}

// The item form's Save during a join never writes ds_parm2.txt through a
// link onto one of the files to join.
TEST_F(MorvaneMain, ItemFormSaveNeverWritesOverAFileToJoin)
{
    testsupport::ScratchCurrentDirectory cwd;
    const std::string input = dir.file("join me.txt");
    testsupport::writeFile(input, readFile(samples("disk/datasheets.txt")));
    const std::string bytes = readFile(input);
    ASSERT_EQ(::link(input.c_str(), cwd.file("ds_parm2.txt").c_str()), 0);
    FMain->FilePrompt();
    FDisk->GrabFile(input);
    queueFormat(3);
    platform::queueModal([](QDialog&) {
        FSelect->SelectSave->click();
        FSelect->SelectCancel->click();
    });
    FDisk->RunBtn->click();
    EXPECT_EQ(readFile(input), bytes);
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE",
                                              "Not saved: " + platform::currentDirectory() +
                                                  "/ds_parm2.txt\r\nis another name of the data file in use, " +
                                                  input + ".\r\nNothing was written.",
                                              false}}));
}

TEST_F(MorvaneMain, DiskFilesAreTestedThenJoinedFromTheDiskWindow)
{
    FMain->FilePrompt();
    EXPECT_TRUE(FDisk->isVisible());
    FDisk->GrabFile(samples("disk/datasheets.txt"));
    FDisk->GrabFile(samples("disk/lf_only.txt"));
    FDisk->GrabFile(samples("disk/notes.txt"));
    EXPECT_EQ(platform::memoLines(*FDisk->MorvaneMemo),
              (Lines{samples("disk/datasheets.txt"), samples("disk/lf_only.txt")}));
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].text,
              "\r\n       ERROR - The utility only works with\r\n               QGB Digital Data Sheet files\r\n"
              "       in the format originally provided by QGB.\r\n       \r\n       The input file " +
                  samples("disk/notes.txt") + "\r\n       is not recognized as being such a file.\r\n");
    notices.clear();

    queueFormat(0);
    const std::string out = dir.file("disk.txt");
    platform::queueFileAnswer(out);
    FDisk->RunBtn->click();
    std::string crlf;
    for (char c : readFile(samples("disk/lf_only.txt"))) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(readFile(out), readFile(samples("disk/datasheets.txt")) + crlf);
    EXPECT_FALSE(FDisk->isVisible());
    // The memo keeps its lines for a next join; Remove All empties it.
    EXPECT_EQ(platform::memoLineCount(*FDisk->MorvaneMemo), 2);
    FDisk->Button2->click();
    EXPECT_EQ(platform::memoLineCount(*FDisk->MorvaneMemo), 0);
    FDisk->RunBtn->click();
    EXPECT_EQ(notices.recorded().back().text, "ERROR - User did not Select any Files.");
}

TEST_F(MorvaneMain, DiskPickerClicksAndSelectAllStopAtTheFirstOtherFile)
{
    const std::string sheet = readFile(samples("DATA/AZ/AZ001.DAT"));
    for (const char* name : {"a.dat", "B.DAT", "d.dat"})
        testsupport::writeFile(dir.file(name), sheet);
    testsupport::writeFile(dir.file("c.dat"), "not a datasheet\r\n");
    testsupport::writeFile(dir.file("e.txt"), sheet);
    FMain->FilePrompt();
    ASSERT_TRUE(FDisk->Picker->setDirectory(dir.path()));
    // The mask ignores case: B.DAT is listed, e.txt is not.
    EXPECT_EQ(FDisk->Picker->fileNames(), (Lines{"a.dat", "B.DAT", "c.dat", "d.dat"}));
    FDisk->Picker->clickFile(1);
    EXPECT_EQ(platform::memoLines(*FDisk->MorvaneMemo), (Lines{dir.file("B.DAT")}));
    FDisk->Button1->click();
    EXPECT_EQ(platform::memoLines(*FDisk->MorvaneMemo), (Lines{dir.file("a.dat"), dir.file("B.DAT")}));
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_NE(notices.recorded()[0].text.find("           The input file " + dir.file("c.dat")), std::string::npos);
    EXPECT_EQ(FDisk->Picker->selectedFile(), 2);
}

} // namespace
