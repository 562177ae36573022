// The datasheet viewer: showing a station, Save As, Find, Font and the small handlers.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_warning.h"
#include "kavro/tf_display.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "kavro/tf_offsets.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/qt/find_dialog.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/memo.h"
#include "platform/recording_printer.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004";
const std::string kLong = " CD5678  " + std::string(200, 'y');

std::string crlf(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// Three stations; the middle one's header and second line vary.
Lines stationFile(const std::string& middleHeader = kHeader, const std::string& middleLine = " CD5678  100% %s %d\\n")
{
    return {kHeader,      " AB1234  DESIGNATION -  FIRST MARK",  " AB1234  HORZ ORDER  -  SECOND",
            middleHeader, " CD5678  DESIGNATION -  SECOND MARK", middleLine,
            " CD5678  STAMPING: CD 1", kHeader, " EF9012  DESIGNATION -  LAST MARK"};
}

class Viewer : public KavroTest {
protected:
    void load(const Lines& lines)
    {
        writeFile(data, crlf(lines));
        platform::queueFileAnswer(data);
        FMain->FilePrompt();
        ASSERT_EQ(FMain->GetDataPath(), data);
        ASSERT_TRUE(notices.recorded().empty());
    }
    // As the station list shows a station.
    void show(const std::string& pid)
    {
        FDisplay->hide();
        FDisplay->DsDisplay->clear();
        FDisplay->ShowDatasheet(pid);
    }
    Lines shown() const { return platform::memoLines(*FDisplay->DsDisplay); }

    // Answers the next file-exists question with an item of the group on
    // show, or closes it by its frame (item -1), keeping what it offered.
    void answerWarning(int item)
    {
        platform::queueModal([this, item](QDialog& dialog) {
            auto& warning = dynamic_cast<TFWarning&>(dialog);
            offered.clear();
            QGroupBox* group = warning.RadioGroup1->isVisibleTo(&warning) ? warning.RadioGroup1 : warning.RadioGroup2;
            for (QRadioButton* button : group->findChildren<QRadioButton*>())
                offered.push_back(button->text().toStdString());
            askedFor = warning.FileName->text().toStdString();
            if (item < 0) {
                warning.close();
                return;
            }
            group->findChildren<QRadioButton*>().at(item)->click();
            (group == warning.RadioGroup1 ? warning.Okay1 : warning.Okay2)->click();
        });
    }
    void saveAs(const std::string& path)
    {
        platform::queueFileAnswer(path);
        FDisplay->Save->trigger();
    }

    testsupport::TempDir dir;
    const std::string data = dir.file("county.dat");
    Lines offered;
    std::string askedFor;
};

const platform::Notice kTransferComplete{"NOTICE", "Transfer Complete", false};

TEST_F(Viewer, WindowMenusAndSmallHandlers)
{
    EXPECT_EQ(FDisplay->windowTitle().toStdString(), "QGB DATASHEET");
    EXPECT_EQ(FDisplay->size(), QSize(759, 378));
    EXPECT_FALSE(FDisplay->isVisible());
    EXPECT_TRUE(FDisplay->DsDisplay->isReadOnly());
    EXPECT_EQ(FDisplay->DsDisplay->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(FDisplay->DsDisplay->font().pixelSize(), 16);

    std::vector<std::string> bar, file;
    for (QAction* item : FDisplay->menuBar()->actions())
        bar.push_back(item->text().toStdString());
    for (QAction* item : FDisplay->File1->actions())
        file.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    EXPECT_EQ(bar, (Lines{"&File", "Find", "F&ont", "&Help"}));
    EXPECT_EQ(file, (Lines{"&Save As...", "-", "&Print...", "Print &Setup...", "-", "&Close"}));
    EXPECT_EQ(FDisplay->Panel2->text().toStdString(), "Double Click at beginning of line for more Information");
    EXPECT_EQ(FDisplay->CheckBox->text().toStdString(), "Stay On Top");

    FDisplay->show();
    FDisplay->CheckBox->setChecked(true);
    EXPECT_TRUE(FDisplay->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(FDisplay->isVisible());
    FDisplay->CheckBox->setChecked(false);
    EXPECT_FALSE(FDisplay->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    platform::RecordingPrinter printer;
    platform::setPrinter(&printer);
    FDisplay->PrintDS->trigger(); // the empty memo: one empty page
    platform::setPrinter(nullptr);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_TRUE(printer.jobs[0].texts.empty());
    FDisplay->PrintSetupDs->trigger();
    FDisplay->CloseDs->trigger();
    EXPECT_FALSE(FDisplay->isVisible());

    FDisplay->Help1->trigger();
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0],
              (platform::Notice{"NOTICE",
                                "  Click 'File->Save' to save this displayed text.\r\n"
                                "  Click 'File-Print' to print this displayed text.\r\n"
                                "  Click 'Font' to change the Font of the displayed text.\r\n"
                                "  \r\n"
                                "  If the displayed text is an QGB Datasheet\r\n"
                                "  then DOUBLE click at the BEGINNING of any line\r\n"
                                "  to receive Information about the data displayed\r\n"
                                "  on that line.",
                                false}));
}

TEST_F(Viewer, ShowsTheStationFromItsIndexedOffset)
{
    const std::string noComma = "1        Quarndale Geomark Bureau           Retrieval Date = NOVEMBER 3, 2004";
    struct Case {
        const char* name;
        Lines file;
        Lines expected;
    };
    for (const Case& c :
         {Case{"middle station",
               stationFile(),
               {kHeader, " CD5678  DESIGNATION -  SECOND MARK", " CD5678  100% %s %d\\n", " CD5678  STAMPING: CD 1"}},
          Case{"header without the comma",
               stationFile(noComma),
               {"", " CD5678  DESIGNATION -  SECOND MARK", " CD5678  100% %s %d\\n", " CD5678  STAMPING: CD 1"}},
          Case{"long line",
               stationFile(kHeader, kLong),
               {kHeader, " CD5678  DESIGNATION -  SECOND MARK", kLong, " CD5678  STAMPING: CD 1"}}}) {
        SCOPED_TRACE(c.name);
        load(c.file);
        show("CD5678");
        EXPECT_EQ(shown(), c.expected);
        EXPECT_TRUE(FDisplay->isVisible());
        EXPECT_TRUE(notices.recorded().empty());
    }
}

TEST_F(Viewer, PidWithoutIndexLineGivesOneNoticeAndLeavesTheWindowAlone)
{
    load(stationFile());
    FDisplay->hide();
    platform::setMemoLines(*FDisplay->DsDisplay, {"as the caller left it"});
    FDisplay->ShowDatasheet("ZZ9999");
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", "Offset Location not found for ZZ9999", false}));
    EXPECT_EQ(shown(), Lines{"as the caller left it"});
    EXPECT_FALSE(FDisplay->isVisible());
}

TEST_F(Viewer, RemovedDataFileShowsCannotOpenFile)
{
    load(stationFile());
    ASSERT_TRUE(platform::removeFile(data));
    show("AB1234");
    EXPECT_EQ(shown(), Lines{"Cannot Open File"});
    EXPECT_TRUE(FDisplay->isVisible());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(Viewer, DataFileChangedSinceTheLoadIsNotShown)
{
    for (bool truncate : {true, false}) {
        SCOPED_TRACE(truncate ? "truncated" : "replaced");
        notices.clear();
        load(stationFile());
        show("AB1234");
        const Lines before = shown();
        notices.clear();
        if (truncate) {
            std::filesystem::resize_file(data, 100);
        } else {
            writeFile(data + ".new", crlf(stationFile()));
            std::filesystem::rename(data + ".new", data);
        }
        FDisplay->ShowDatasheet("CD5678");
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE", platform::fileChangedText(data), false}}));
        EXPECT_EQ(shown(), before); // the window is left as it was
    }
}

TEST_F(Viewer, SaveAsWritesTheShownLinesAndRemembersTheFile)
{
    load(stationFile());
    show("CD5678");
    FList->SetOutputFormat(2);
    FGetOut->SetDataSheetFlag(1);
    const std::string out = dir.file("saved.txt");
    saveAs(out);

    EXPECT_EQ(platform::lastFileDialogDirectory(), ".");
    EXPECT_EQ(platform::lastFileDialogFileName(), "");
    EXPECT_EQ(readFile(out), kHeader + "\r\n CD5678  DESIGNATION -  SECOND MARK\r\n CD5678  100% %s %d\\n\r\n"
                                       " CD5678  STAMPING: CD 1\r\n");
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
    EXPECT_EQ(FDisplay->windowTitle().toStdString(), "saved.txt");
    EXPECT_EQ(FDisplay->GetOutputFile(), out);
    EXPECT_EQ(FList->GetOutputFormat(), 0);
    EXPECT_EQ(FGetOut->GetDataSheetFlag(), 0);

    // The next Save As opens where this one saved, proposing the same file; cancelling does nothing.
    platform::queueFileAnswer("");
    FDisplay->SaveClick();
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.path());
    EXPECT_EQ(platform::lastFileDialogFileName(), out);
    EXPECT_EQ(notices.recorded().size(), 1u);
}

TEST_F(Viewer, ExistingFileIsWrittenByTheAnswer)
{
    load(stationFile());
    show("EF9012");
    const std::string shownBytes = kHeader + "\r\n EF9012  DESIGNATION -  LAST MARK\r\n";
    const std::string old = "old line 100%\r\n";
    struct Case {
        const char* name;
        int item;
        std::string expected;
        bool transferComplete;
    };
    // The frame case follows an Append: no earlier answer may apply to it.
    for (const Case& c : {Case{"Overwrite", 0, shownBytes, true}, Case{"Append", 1, old + shownBytes, true},
                          Case{"closed by the title bar", -1, old, false}, Case{"Cancel", 2, old, false}}) {
        SCOPED_TRACE(c.name);
        notices.clear();
        const std::string out = dir.file("out.txt");
        writeFile(out, old);
        FGetOut->SetDataSheetFlag(1);
        answerWarning(c.item);
        saveAs(out);
        EXPECT_EQ(offered, (Lines{"Overwrite", "Append", "Cancel"}));
        EXPECT_EQ(askedFor, out);
        EXPECT_EQ(readFile(out), c.expected);
        EXPECT_EQ(notices.recorded(),
                  c.transferComplete ? std::vector<platform::Notice>{kTransferComplete} : std::vector<platform::Notice>{});
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        EXPECT_EQ(names, (Lines{"county.dat", "out.txt"}));
    }
}

TEST_F(Viewer, AnEarlierCancelDoesNotApplyToANewFile)
{
    load(stationFile());
    show("AB1234");
    const std::string existing = dir.file("existing.txt");
    writeFile(existing, "keep\r\n");
    answerWarning(2);
    saveAs(existing);
    EXPECT_EQ(readFile(existing), "keep\r\n");

    const std::string fresh = dir.file("fresh.txt");
    saveAs(fresh); // no question queued: one would fail the test
    EXPECT_EQ(readFile(fresh), crlf({kHeader, " AB1234  DESIGNATION -  FIRST MARK", " AB1234  HORZ ORDER  -  SECOND"}));
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
}

TEST_F(Viewer, FailedOrRefusedSaveSaysSoInsteadOfTransferComplete)
{
    load(stationFile());
    show("AB1234");
    const std::string unwritable = dir.file("no such dir/out.txt");
    saveAs(unwritable);
    const std::vector<platform::Notice> failed{{"NOTICE", "Could not write " + unwritable, false}};
    EXPECT_EQ(notices.recorded(), failed);
    EXPECT_FALSE(platform::fileExists(unwritable));

    notices.clear();
    const std::string before = readFile(data);
    saveAs(dir.path() + "/./county.dat"); // the data file in use, spelt otherwise; no question is asked
    const std::vector<platform::Notice> refused{
        {"NOTICE", "Not saved: " + dir.path() + "/./county.dat\r\nis the datasheet file in use.", false}};
    EXPECT_EQ(notices.recorded(), refused);
    EXPECT_EQ(readFile(data), before);
}

TEST_F(Viewer, FindNextWalksDownTheMemo)
{
    // Lines at memo positions 0, 24, 38 and 57.
    platform::setMemoLines(*FDisplay->DsDisplay, {" AB1234  MARK one MARK", " AB1234  xyz", " AB1234  MARK two",
                                                   " AB1234  mark three"});
    FDisplay->show();
    FDisplay->Find->trigger();
    platform::FindDialog& find = *FDisplay->FindDialog;
    EXPECT_TRUE(find.isVisible());
    auto selection = [] {
        return std::pair(platform::memoSelectionStart(*FDisplay->DsDisplay),
                         platform::memoSelectionLength(*FDisplay->DsDisplay));
    };
    auto findNext = [&](const char* text, bool matchCase) {
        find.textEdit->setText(text);
        find.matchCaseBox->setChecked(matchCase);
        find.findNextButton->click();
        return selection();
    };

    EXPECT_EQ(findNext("MARK", true), std::pair(9, 4));   // from the top
    EXPECT_EQ(findNext("MARK", true), std::pair(47, 4));  // the second on line one is passed over
    EXPECT_EQ(findNext("MARK", true), std::pair(47, 4));  // none below: nothing changes
    EXPECT_EQ(findNext("MARK", false), std::pair(66, 4)); // without match case "mark" counts
    EXPECT_EQ(findNext("MARK", false), std::pair(66, 4)); // and there is no wrap to the top

    platform::memoSelect(*FDisplay->DsDisplay, 30, 0); // a bare caret searches from the top
    EXPECT_EQ(findNext("mark", false), std::pair(9, 4));
    platform::memoSelect(*FDisplay->DsDisplay, 30, 0);
    EXPECT_EQ(findNext("mark", true), std::pair(66, 4));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(Viewer, FontTakesEffectOnlyThroughApply)
{
    const QFont original = FDisplay->DsDisplay->font();
    QFont larger = original;
    larger.setPointSize(31);
    for (bool apply : {false, true}) {
        SCOPED_TRACE(apply);
        platform::queueModal([&](QDialog& dialog) {
            auto& fonts = dynamic_cast<platform::FontDialog&>(dialog);
            fonts.setCurrentFont(larger);
            if (apply) {
                fonts.applyButton()->click();
                fonts.reject();
            } else {
                fonts.accept();
            }
        });
        FDisplay->Font->trigger();
        EXPECT_EQ(FDisplay->DsDisplay->font().pointSize() == 31, apply);
    }
}

} // namespace
