// The index and split windows as a user drives them, on the sample county
// AZ003 (20 stations, 1389 lines).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <map>

#include <unistd.h>

#include "morvane/core/output_pieces.h"
#include "platform/qt/radio_group.h"
#include "morvane/tf_cd_drive.h"
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
#include "datasheet/forms/tf_help.h"
#include "platform/files.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"
#include "tests/morvane/morvane_fixture.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;

std::size_t headersIn(const std::string& all)
{
    std::size_t count = all.starts_with("1        Quarndale") ? 1 : 0;
    for (std::size_t at = all.find("\n1        Quarndale"); at != std::string::npos;
         at = all.find("\n1        Quarndale", at + 1))
        ++count;
    return count;
}

std::string crlf(const Lines& lines)
{
    std::string all;
    for (const auto& line : lines)
        all += line + "\r\n";
    return all;
}

class SplitWindows : public MorvaneTest {
protected:
    void SetUp() override
    {
        MorvaneTest::SetUp();
        input = samples("DATA/AZ/AZ003.DAT");
        bytes = readFile(input);
    }
    // Answers the output directory dialog with the directory, or closes it.
    void queueOutDir(const std::string& directory)
    {
        platform::queueModal([directory](QDialog&) {
            if (directory.empty())
                return;
            FOutDir->SelectDirectory(directory);
            FOutDir->Okay->click();
        });
    }
    void chooseAction(morvane::IndexMethodWindow& window, int item)
    {
        window.Options->setItemIndex(item);
        window.Okay->click();
    }
    std::map<std::string, std::string> pieces(int mode = morvane::kNumberedPieces)
    {
        std::map<std::string, std::string> found;
        for (const auto& name : morvane::listPieces(out.path(), mode))
            found[name] = readFile(out.file(name));
        return found;
    }
    Lines shownOutputs() { return platform::memoLines(*FOutFiles->OutMemo); }

    testsupport::TempDir out;
    std::string input;
    std::string bytes;
};

TEST_F(SplitWindows, MethodWindowsOpenFromSplitMethods)
{
    FMain->SplitClick();
    EXPECT_TRUE(FMain->Title->isHidden());
    EXPECT_EQ(FSplitOptions->SplitOptions->itemIndex(), 1);
    const std::vector<std::pair<int, QWidget*>> methods = {{0, FSplitQuad},  {1, FSplitCounty}, {2, FSplitMM},
                                                           {3, FSplitBytes}, {4, FSplitLines},  {5, FSplitStations}};
    for (const auto& [item, window] : methods) {
        FSplitOptions->SplitOptions->setItemIndex(item);
        FSplitOptions->Okay->click();
        EXPECT_TRUE(window->isVisible()) << item;
    }
    EXPECT_TRUE(FSplitOptions->isVisible());
    for (const auto& [window, mode] :
         std::vector<std::pair<morvane::IndexMethodWindow*, int>>{{FSplitCounty, 3}, {FSplitQuad, 4}, {FSplitMM, 5}}) {
        window->HelpButton->click();
        EXPECT_EQ(FFile->GetHelpMode(), mode);
    }
    EXPECT_EQ(FSplitBytes->SizeBox->text().toStdString(), "1.4");
    EXPECT_TRUE(FSplitBytes->SplitCheckBox->isChecked());
    EXPECT_EQ(FSplitLines->SizeBox->text().toStdString(), "20000");
    EXPECT_EQ(FSplitStations->SizeBox->text().toStdString(), "100");
    EXPECT_EQ(FSplitStations->SplitCheckBox, nullptr);
}

TEST_F(SplitWindows, QuadIndexCreatedEditedSavedAndUsed)
{
    const Lines quads = {"|000|UNDETERMINED",       "|001|BRUSH EAGLE (1990)",  "|002|CANYON WASH (1985)",
                         "|003|DRAW IRON (1966)",   "|004|MESA CHALK (1952)",   "|005|RIDGE BASALT (1969)",
                         "|006|SADDLE FORK (1954)"};
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    chooseAction(*FSplitQuad, 0);
    EXPECT_EQ(platform::lastFileDialogCaption(), "OPEN FILE TO SPLIT");
    EXPECT_EQ(platform::lastFileDialogFilter(), "Datasheet files|*.*");
    EXPECT_EQ(readFile(out.file("DSQUAD.INX")), crlf(quads));
    EXPECT_EQ(notices.recorded().back().text, "File 'DSQUAD.INX' has been created.");
    EXPECT_EQ(FFile->GetFileName(), out.file("DSQUAD.INX"));

    // Edit shows it, Save writes it back unchanged.
    queueOutDir(out.path());
    chooseAction(*FSplitQuad, 1);
    EXPECT_TRUE(FIndex->isVisible());
    EXPECT_FALSE(FIndex->IndexRecreateBtn->isVisible());
    EXPECT_EQ(platform::memoLines(*FIndex->IndexMemo), quads);
    EXPECT_EQ(FIndex->FileLabel->text().toStdString(), out.file("DSQUAD.INX"));
    FIndex->IndexSaveBtn->click();
    EXPECT_EQ(notices.recorded().back().text, "File has been saved");
    EXPECT_FALSE(FIndex->isVisible());
    EXPECT_EQ(readFile(out.file("DSQUAD.INX")), crlf(quads));

    // The split: each quad's stations, whole, and an empty dsdata.000.
    notices.clear();
    platform::queueFileAnswer(input);
    chooseAction(*FSplitQuad, 2);
    auto made = pieces();
    ASSERT_EQ(made.size(), 7u);
    EXPECT_EQ(made["dsdata.000"], "");
    std::vector<std::size_t> counts;
    std::string all;
    for (int n = 1; n <= 6; ++n) {
        counts.push_back(headersIn(made[morvane::pieceName(n)]));
        all += made[morvane::pieceName(n)];
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{3, 4, 3, 2, 3, 5}));
    EXPECT_EQ(all.size(), bytes.size());
    EXPECT_TRUE(FOutFiles->isVisible());
    EXPECT_EQ(FOutFiles->Panel1->text().toStdString(), "INPUT = " + input);
    EXPECT_EQ(shownOutputs(), (Lines{"dsdata.000", "dsdata.001", "dsdata.002", "dsdata.003", "dsdata.004",
                                     "dsdata.005", "dsdata.006"}));
    EXPECT_TRUE(notices.recorded().empty());

    // A second run after "Delete above files" gives the same bytes.
    platform::queueFileAnswer(input);
    platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
    chooseAction(*FSplitQuad, 2);
    EXPECT_EQ(pieces(), made);
}

TEST_F(SplitWindows, CountyIndexDefaultAndRecreatedFromTheCdrom)
{
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    chooseAction(*FSplitCounty, 0);
    EXPECT_EQ(readFile(out.file("DSCOUNTY.INX")),
              crlf({"|000|UNDETERMINED", "|001|AZ/COCHISE", "|002|UNITED STATES OF AMERICA"}));
    platform::queueFileAnswer(input);
    chooseAction(*FSplitCounty, 2);
    EXPECT_EQ(readFile(out.file("dsdata.001")), bytes);

    queueOutDir(out.path());
    chooseAction(*FSplitCounty, 1);
    EXPECT_TRUE(FIndex->IndexRecreateBtn->isVisible());
    // A drive without DATA keeps the editor's text and the dialog open.
    platform::queueModal([this](QDialog& dialog) {
        FCdDrive->DrivesCombo->addItem(platform::pathToQ(out.path()));
        FCdDrive->DrivesCombo->setCurrentIndex(FCdDrive->DrivesCombo->count() - 1);
        FCdDrive->Okay->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(platform::memoLineCount(*FIndex->IndexMemo), 3);
        FCdDrive->DrivesCombo->addItem(platform::pathToQ(samples()));
        FCdDrive->DrivesCombo->setCurrentIndex(FCdDrive->DrivesCombo->count() - 1);
        FCdDrive->Okay->click();
    });
    FIndex->IndexRecreateBtn->click();
    const Lines recreated = platform::memoLines(*FIndex->IndexMemo);
    ASSERT_EQ(recreated.size(), 7u);
    EXPECT_EQ(recreated.front(), "|001|AZ/APACHE");
    EXPECT_EQ(recreated.back(), "|003|NM/CATRON");
    FIndex->IndexSaveBtn->click();
    platform::queueFileAnswer(input);
    platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
    chooseAction(*FSplitCounty, 2);
    EXPECT_EQ(readFile(out.file("dsdata.003")), bytes);
    EXPECT_FALSE(platform::fileExists(out.file("dsdata.001")));
}

TEST_F(SplitWindows, AreaIndexDefaultAndEdited)
{
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    chooseAction(*FSplitMM, 0);
    const std::string area = readFile(out.file("DSAREA.INX"));
    EXPECT_EQ(std::count(area.begin(), area.end(), '\n'), 16);
    EXPECT_TRUE(area.starts_with("|001|640000 680000 1370000 1470000|DAWSON\r\n"));

    queueOutDir(out.path());
    chooseAction(*FSplitMM, 1);
    platform::setMemoLines(*FIndex->IndexMemo,
                           {"|001|310000 330000 1090000 1150000|S", "|002|330000 370000 1090000 1150000|N"});
    FIndex->IndexSaveBtn->click();
    platform::queueFileAnswer(input);
    chooseAction(*FSplitMM, 2);
    EXPECT_EQ(headersIn(readFile(out.file("dsdata.001"))), 8u);
    EXPECT_EQ(headersIn(readFile(out.file("dsdata.002"))), 12u);
}

TEST_F(SplitWindows, IndexFailuresAndCancels)
{
    // Without an output directory the index is asked for; a cancel stops.
    platform::queueFileAnswer("");
    chooseAction(*FSplitQuad, 2);
    EXPECT_EQ(platform::lastFileDialogCaption(), "OPEN DSQUAD.INX");
    EXPECT_EQ(platform::lastFileDialogFileName(), "DSQUAD.INX");
    EXPECT_EQ(platform::lastFileDialogFilter(), "DSDATA Index files (*.inx)|*.INX");
    EXPECT_TRUE(notices.recorded().empty());

    // A missing index.
    FOutDir->SetOutDir(out.path());
    chooseAction(*FSplitQuad, 2);
    EXPECT_EQ(notices.recorded().back().text, "\r\n       Could not find the index file\n       called DSQUAD.INX\r\n"
                                              "       Go back and 'Create the DSQUAD.INX file'\r\n");
    // An entry of the wrong shape: nothing written.
    testsupport::writeFile(out.file("DSQUAD.INX"), "|000|UNDETERMINED\r\nremark\r\n|12|X\r\n");
    platform::queueFileAnswer(input);
    chooseAction(*FSplitQuad, 2);
    EXPECT_EQ(notices.recorded().back().text,
              "  ERROR - Line 3 in File DSQUAD.INX is not in correct format.\n"
              "          Run 'Create a default DSQUAD.INX file'\n          to see the correct format.\n");
    // Not a datasheet file.
    testsupport::writeFile(out.file("DSQUAD.INX"), "|001|A\r\n");
    platform::queueFileAnswer(samples("disk/notes.txt"));
    chooseAction(*FSplitQuad, 2);
    EXPECT_NE(notices.recorded().back().text.find("ERROR - The split utility only works with"), std::string::npos);
    // The input is one of the pieces.
    testsupport::writeFile(out.file("dsdata.004"), bytes);
    platform::queueFileAnswer(out.file("dsdata.004"));
    chooseAction(*FSplitQuad, 2);
    EXPECT_NE(notices.recorded().back().text.find("is one of the files that the split writes"), std::string::npos);
    EXPECT_EQ(readFile(out.file("dsdata.004")), bytes);
    // Cancel Run.
    platform::queueFileAnswer(input);
    platform::queueModal([](QDialog&) { FOutExist->CancelRun->click(); });
    chooseAction(*FSplitQuad, 2);
    EXPECT_EQ(pieces().size(), 1u);

    // Creating: cancels stop; the editor keeps its file when a load fails.
    const std::size_t before = notices.recorded().size();
    platform::queueFileAnswer("");
    chooseAction(*FSplitQuad, 0);
    platform::queueFileAnswer(input);
    queueOutDir("");
    chooseAction(*FSplitQuad, 0);
    EXPECT_EQ(readFile(out.file("DSQUAD.INX")), "|001|A\r\n");
    queueOutDir("");
    chooseAction(*FSplitCounty, 1);
    EXPECT_EQ(notices.recorded().size(), before);
    queueOutDir(out.path());
    FIndex->ShowFile("/kept");
    chooseAction(*FSplitCounty, 1); // no DSCOUNTY.INX
    EXPECT_EQ(notices.recorded().back().text, "Cannot open file");
    EXPECT_EQ(FIndex->FileLabel->text().toStdString(), "/kept");
    EXPECT_EQ(FIndex->GetFile(), "/kept");
    // A save that fails keeps the editor.
    FIndex->show();
    FIndex->ShowFile(out.file("no/such/DSQUAD.INX"));
    FIndex->IndexSaveBtn->click();
    EXPECT_EQ(notices.recorded().back().text, "Cannot save at the current location");
    EXPECT_TRUE(FIndex->isVisible());
    // A name that is not UTF-8 (Latin-1 from an old disc) shows its byte
    // escaped and is saved under its own bytes.
    const std::string latin1 = out.file("caf\xe9.INX");
    testsupport::writeFile(latin1, "old\r\n");
    FIndex->ShowFile(latin1);
    platform::setMemoLines(*FIndex->IndexMemo, {"|001|B"});
    EXPECT_EQ(FIndex->FileLabel->text().toStdString(), out.file("caf\\xe9.INX"));
    FIndex->IndexSaveBtn->click();
    EXPECT_EQ(notices.recorded().back().text, "File has been saved");
    EXPECT_EQ(readFile(latin1), "|001|B\r\n");
}

// An input that is a piece of the output directory under another name is
// refused before the existing pieces are listed: "Delete above files" would
// delete it (the input a symbolic link to the piece), the split would write
// over it (the piece a hard link of the input).
TEST_F(SplitWindows, InputThatIsAPieceUnderAnotherNameIsRefused)
{
    testsupport::TempDir elsewhere;
    testsupport::writeFile(out.file("dsdata.004"), bytes);
    ASSERT_EQ(::symlink(out.file("dsdata.004").c_str(), elsewhere.file("in.dat").c_str()), 0);
    testsupport::writeFile(out.file("DSQUAD.INX"), "|001|BRUSH EAGLE (1990)\r\n");
    FOutDir->SetOutDir(out.path());
    platform::queueFileAnswer(elsewhere.file("in.dat"));
    chooseAction(*FSplitQuad, 2);
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded().back().text, "Not split: " + elsewhere.file("in.dat") +
                                                  "\r\nis one of the files that the split writes in " + out.path() +
                                                  ".");
    EXPECT_EQ(readFile(out.file("dsdata.004")), bytes);

    ASSERT_EQ(::link(input.c_str(), out.file("dsdata.007").c_str()), 0);
    FSplitLines->SizeBox->setText(QStringLiteral("100"));
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    FSplitLines->Okay->click();
    ASSERT_EQ(notices.recorded().size(), 2u);
    EXPECT_NE(notices.recorded().back().text.find("is one of the files that the split writes"), std::string::npos);
    EXPECT_EQ(readFile(input), bytes);
    EXPECT_EQ(morvane::listPieces(out.path(), morvane::kNumberedPieces), (Lines{"dsdata.004", "dsdata.007"}));
    EXPECT_FALSE(FOutFiles->isVisible());
}

// The index in use is never a piece: an existing piece that is another name
// of it (a hard or symbolic link), or an index chosen under a piece's name,
// is refused before the pieces are listed; the index keeps its bytes and no
// piece is made.
TEST_F(SplitWindows, IndexThatIsAPieceUnderAnotherNameIsRefused)
{
    const std::string index = "|000|UNDETERMINED\r\n|003|BRUSH EAGLE (1990)\r\n|003|CANYON WASH (1985)\r\n";
    enum class Alias { HardLink, Symlink, ChosenAsAPiece };
    for (const Alias alias : {Alias::HardLink, Alias::Symlink, Alias::ChosenAsAPiece}) {
        SCOPED_TRACE(static_cast<int>(alias));
        testsupport::TempDir dir;
        std::string indexPath = dir.file("DSQUAD.INX");
        if (alias == Alias::ChosenAsAPiece) {
            indexPath = dir.file("dsdata.003");
            testsupport::writeFile(indexPath, index);
            FOutDir->SetOutDir("");
            platform::queueFileAnswer(indexPath);
        } else {
            testsupport::writeFile(indexPath, index);
            const std::string piece = dir.file("dsdata.003");
            ASSERT_EQ(alias == Alias::HardLink ? ::link(indexPath.c_str(), piece.c_str())
                                               : ::symlink(indexPath.c_str(), piece.c_str()),
                      0);
            FOutDir->SetOutDir(dir.path());
        }
        Lines before;
        platform::listDirectory(dir.path(), before);
        notices.clear();
        platform::queueFileAnswer(input);
        chooseAction(*FSplitQuad, 2);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE",
                                                  "Not split: " + indexPath +
                                                      "\r\nis one of the files that the split writes in " +
                                                      dir.path() + ".",
                                                  false}}));
        EXPECT_EQ(readFile(indexPath), index);
        Lines after;
        platform::listDirectory(dir.path(), after);
        EXPECT_EQ(after, before);
        EXPECT_FALSE(FOutFiles->isVisible());
    }
}

// The index editor's Save never writes through a link onto the file chosen
// to split, nor the making of a default index onto a file listed for a join.
TEST_F(SplitWindows, IndexFilesAreNeverWrittenOverAFileInUse)
{
    testsupport::TempDir work;
    const std::string toSplit = work.file("county.dat");
    testsupport::writeFile(toSplit, bytes);
    platform::queueFileAnswer(toSplit);
    queueOutDir(out.path());
    chooseAction(*FSplitQuad, 0);
    ASSERT_TRUE(platform::fileExists(out.file("DSQUAD.INX")));
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        ::unlink(out.file("DSQUAD.INX").c_str());
        ASSERT_EQ(symbolic ? ::symlink(toSplit.c_str(), out.file("DSQUAD.INX").c_str())
                           : ::link(toSplit.c_str(), out.file("DSQUAD.INX").c_str()),
                  0);
        queueOutDir(out.path());
        chooseAction(*FSplitQuad, 1);
        ASSERT_TRUE(FIndex->isVisible());
        platform::setMemoLines(*FIndex->IndexMemo, {"|001|BRUSH EAGLE (1990)"});
        notices.clear();
        FIndex->IndexSaveBtn->click();
        EXPECT_EQ(readFile(toSplit), bytes);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE",
                                                  "Not saved: " + out.file("DSQUAD.INX") +
                                                      "\r\nis another name of the data file in use, " + toSplit +
                                                      ".\r\nNothing was written.",
                                                  false}}));
        EXPECT_TRUE(FIndex->isVisible());
    }

    const std::string toJoin = work.file("join.dat");
    testsupport::writeFile(toJoin, bytes);
    FDisk->GrabFile(toJoin);
    ::unlink(out.file("DSQUAD.INX").c_str());
    ASSERT_EQ(::link(toJoin.c_str(), out.file("DSQUAD.INX").c_str()), 0);
    notices.clear();
    platform::queueFileAnswer(toSplit);
    queueOutDir(out.path());
    chooseAction(*FSplitQuad, 0);
    EXPECT_EQ(readFile(toJoin), bytes);
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0].text, "Not saved: " + out.file("DSQUAD.INX") +
                                              "\r\nis another name of the data file in use, " + toJoin +
                                              ".\r\nNothing was written.");
}

// Before the first Okay the output directory dialog preselects the current
// directory, also after the index editor's dialog was closed without Okay
// (the root of the machine is the list's first entry).
TEST_F(SplitWindows, OutputDirectoryBeforeTheFirstOkayIsTheCurrentDirectory)
{
    testsupport::ScratchCurrentDirectory cwd;
    queueOutDir("");
    chooseAction(*FSplitQuad, 1);
    EXPECT_FALSE(FIndex->isVisible());
    FSplitStations->SizeBox->setText(QStringLiteral("5"));
    platform::queueFileAnswer(input);
    platform::queueModal([](QDialog&) {
        EXPECT_EQ(FOutDir->SelectedDirectory(), platform::currentDirectory());
        FOutDir->Okay->click();
    });
    FSplitStations->Okay->click();
    EXPECT_EQ(FOutDir->GetOutDir(), platform::currentDirectory());
    EXPECT_EQ(morvane::listPieces(cwd.path(), morvane::kNumberedPieces),
              (Lines{"dsdata.001", "dsdata.002", "dsdata.003", "dsdata.004"}));
}

// A stations split of more than one station a piece asks a second time
// about the numbered pieces: those the user kept by taking their lines out
// of the first list are listed again, and Cancel Run stops the split.
TEST_F(SplitWindows, StationsSplitAsksAgainAboutKeptPieces)
{
    testsupport::writeFile(out.file("dsdata.001"), "one\r\n");
    testsupport::writeFile(out.file("dsdata.002"), "two\r\n");
    FSplitStations->SizeBox->setText(QStringLiteral("5"));
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    std::vector<Lines> shown;
    platform::queueModal([&](QDialog&) {
        shown.push_back(platform::memoLines(*FOutExist->ExistMemo));
        platform::setMemoLines(*FOutExist->ExistMemo, {"dsdata.001"});
        FOutExist->OkDelete->click();
    });
    platform::queueModal([&](QDialog&) {
        shown.push_back(platform::memoLines(*FOutExist->ExistMemo));
        FOutExist->CancelRun->click();
    });
    FSplitStations->Okay->click();
    EXPECT_EQ(shown, (std::vector<Lines>{{"dsdata.001", "dsdata.002"}, {"dsdata.002"}}));
    EXPECT_EQ(pieces(), (std::map<std::string, std::string>{{"dsdata.002", "two\r\n"}}));
    EXPECT_FALSE(FOutFiles->isVisible());
}

TEST_F(SplitWindows, CountSplitsFromTheirWindows)
{
    const auto run = [&](morvane::CountSplitWindow& window, const char* size, bool checked) {
        window.SizeBox->setText(QString::fromLatin1(size));
        if (window.SplitCheckBox)
            window.SplitCheckBox->setChecked(checked);
        platform::queueFileAnswer(input);
        queueOutDir(out.path());
        if (!morvane::listPieces(out.path(), morvane::kNumberedPieces).empty())
            platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
        window.Okay->click();
        std::string joined;
        const auto made = pieces();
        for (int n = 1; n <= static_cast<int>(made.size()); ++n)
            joined += made.at(morvane::pieceName(n));
        EXPECT_EQ(joined, bytes) << size;
        return made;
    };
    auto made = run(*FSplitStations, "5", true);
    ASSERT_EQ(made.size(), 4u);
    for (const auto& [name, piece] : made)
        EXPECT_EQ(headersIn(piece), 5u) << name;
    EXPECT_EQ(shownOutputs(), (Lines{"dsdata.001", "dsdata.002", "dsdata.003", "dsdata.004"}));
    made = run(*FSplitLines, "3", false);
    EXPECT_EQ(made.size(), 463u);
    made = run(*FSplitBytes, "0.01", true);
    for (const auto& [name, piece] : made)
        EXPECT_TRUE(piece.starts_with("1        Quarndale")) << name;

    // One station per file, named after its PID.
    const auto pidRun = [&] {
        FSplitStations->SizeBox->setText(QStringLiteral("1"));
        platform::queueFileAnswer(input);
        queueOutDir(out.path());
        if (!morvane::listPieces(out.path(), morvane::kNumberedPieces).empty())
            platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
        platform::queueModal([](QDialog&) {
            FPrefix->RadioButton1->click();
            EXPECT_FALSE(FPrefix->RadioButton2->isChecked());
            FPrefix->Okay->click();
        });
        if (!morvane::listPieces(out.path(), morvane::kPidPieces).empty())
            platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
        FSplitStations->Okay->click();
    };
    pidRun();
    EXPECT_EQ(FPrefix->GetPrefixMode(), 0);
    const auto pidPieces = pieces(morvane::kPidPieces);
    EXPECT_EQ(pidPieces.size(), 20u);
    for (const auto& [name, piece] : pidPieces)
        EXPECT_EQ(headersIn(piece), 1u) << name;
    EXPECT_EQ(readFile(out.file("dsdata.001")), "");
    EXPECT_EQ(shownOutputs().size(), 20u);
    pidRun();
    EXPECT_EQ(pieces(morvane::kPidPieces), pidPieces);
    EXPECT_TRUE(notices.recorded().empty());
    // The PID names count only with a limit of 1.
    made = run(*FSplitStations, "5", true);
    EXPECT_EQ(made.size(), 4u);

    // Closing the prefix or output directory dialog stops the split.
    FSplitStations->SizeBox->setText(QStringLiteral("1"));
    platform::queueFileAnswer(input);
    queueOutDir("");
    FSplitStations->Okay->click();
    platform::queueFileAnswer(input);
    queueOutDir(out.path());
    platform::queueModal([](QDialog&) { FOutExist->OkDelete->click(); });
    platform::queueModal([](QDialog&) {});
    FSplitStations->Okay->click();
    EXPECT_TRUE(pieces().empty());
    EXPECT_EQ(pieces(morvane::kPidPieces), pidPieces);
}

} // namespace
