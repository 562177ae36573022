// Save As of the station list and results windows: the dialog sequence, the
// answers to an existing file, merge, and what a failed save leaves.
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <sys/stat.h>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_warning.h"
#include "datasheet/list_sort.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "kavro/tf_display.h"
#include "kavro/tf_sorted.h"
#include "platform/file_identity.h"
#include "platform/files.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/memo.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::fixture;
using testsupport::readFile;
using testsupport::writeFile;

const platform::Notice kTransferComplete{"NOTICE", "Transfer Complete", false};

// The windows with save_data.dat loaded, run in a scratch directory, which
// is also the current directory (where the merge keeps its backup).
class SaveAs : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        writeFile(data, readFile(fixture("save_data.dat")));
        platform::queueFileAnswer(data);
        FMain->FilePrompt();
        ASSERT_EQ(list().size(), 5u);
        ASSERT_TRUE(notices.recorded().empty());
    }

    platform::LineList& list() { return FList->MarksList->lines(); }

    // Answers the format dialog with a row (-1: CANCEL), noting the row it opened on.
    void chooseFormat(int row)
    {
        platform::queueModal([this, row](QDialog& dialog) {
            auto& format = dynamic_cast<TFGetOut&>(dialog);
            openedOn = format.FormatList->currentRow();
            if (row < 0) {
                format.CANCEL->click();
                return;
            }
            format.FormatList->setCurrentRow(row);
            format.OK->click();
        });
    }
    // Answers the file-exists question with an item of the group on show, or
    // closes it by its frame (item -1), noting what it offered.
    void answerWarning(int item)
    {
        platform::queueModal([this, item](QDialog& dialog) {
            auto& warning = dynamic_cast<TFWarning&>(dialog);
            QGroupBox* group = warning.RadioGroup1->isVisibleTo(&warning) ? warning.RadioGroup1 : warning.RadioGroup2;
            offered.clear();
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
    // Save As of the station list; `answer` answers the file-exists question.
    static constexpr int kNoQuestion = -2;
    void saveList(const std::string& path, int format, int answer = kNoQuestion)
    {
        platform::queueFileAnswer(path);
        chooseFormat(format);
        if (answer != kNoQuestion)
            answerWarning(answer);
        FList->Save->trigger();
    }
    // Save As of the viewer showing the first listed station.
    void saveShown(const std::string& path, int answer = kNoQuestion)
    {
        FDisplay->ShowDatasheet(list().at(0).substr(6, 6));
        platform::queueFileAnswer(path);
        if (answer != kNoQuestion)
            answerWarning(answer);
        FDisplay->Save->trigger();
    }
    std::string shownBytes() const
    {
        std::string bytes;
        for (const auto& line : platform::memoLines(*FDisplay->DsDisplay))
            bytes += line + "\r\n";
        return bytes;
    }
    Lines entries() const
    {
        Lines names;
        platform::listDirectory(dir.path(), names);
        return names;
    }

    testsupport::ScratchCurrentDirectory dir;
    const std::string data = dir.file("data.dat");
    int openedOn = -2;
    Lines offered;
    std::string askedFor;
};

TEST_F(SaveAs, StationListInEachFormat)
{
    list().set(1, "   ->" + list().at(1).substr(5));
    list().set(3, "   ->" + list().at(3).substr(5));
    struct Case {
        int format;
        const char* expected;
    };
    for (const Case& c : {Case{0, "save_expected_datasheet.txt"}, Case{1, "save_expected_list.txt"},
                          Case{2, "save_expected_pinmap.txt"}}) {
        SCOPED_TRACE(c.expected);
        notices.clear();
        const std::string out = dir.file(std::string("new ") + c.expected);
        saveList(out, c.format); // a new file: no question
        EXPECT_EQ(readFile(out), readFile(fixture(c.expected)));
        EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
        EXPECT_EQ(FList->GetSaveSource(), 1);
        EXPECT_EQ(FList->GetOutputFile(), out);
    }
    // The next Save As opens where the last one saved.
    platform::queueFileAnswer("");
    FList->SaveClick();
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.path());
    EXPECT_EQ(platform::lastFileDialogFileName(), dir.file("new save_expected_pinmap.txt"));
    EXPECT_EQ(entries(), (Lines{"data.dat", "new save_expected_datasheet.txt", "new save_expected_list.txt",
                                "new save_expected_pinmap.txt"}));
}

TEST_F(SaveAs, AnExistingFileIsWrittenByTheAnswer)
{
    const std::string out = dir.file("out.txt");
    const std::string old = readFile(fixture("save_target.dat"));
    // D, B, C, A: the target holds A and B; D and C are added in list order.
    const Lines all = list().lines();
    list().assign({all[3], all[1], all[2], all[0]});
    list().set(0, "   ->" + list().at(0).substr(5));
    struct Case {
        const char* name;
        int format;
        int item;
        std::string expected;
        bool transferComplete;
    };
    std::string listedNow;
    for (const auto& line : list().lines())
        listedNow += line + "\r\n";
    for (const Case& c : {Case{"Overwrite", 1, 0, listedNow, true}, Case{"Append", 1, 1, old + listedNow, true},
                          Case{"Cancel", 1, 2, old, false}, Case{"closed by its frame", 1, -1, old, false},
                          Case{"Merge/Replace", 0, 2, readFile(fixture("save_expected_merge.dat")), true},
                          Case{"Cancel after Merge/Replace was offered", 0, 3, old, false}}) {
        SCOPED_TRACE(c.name);
        notices.clear();
        writeFile(out, old);
        saveList(out, c.format, c.item);
        EXPECT_EQ(askedFor, out);
        EXPECT_EQ(offered, (c.format == 0 ? Lines{"Overwrite", "Append", "Merge/Replace", "Cancel"}
                                          : Lines{"Overwrite", "Append", "Cancel"}));
        EXPECT_EQ(readFile(out), c.expected);
        const std::vector<platform::Notice> none;
        EXPECT_EQ(notices.recorded(), c.transferComplete ? std::vector<platform::Notice>{kTransferComplete} : none);
        EXPECT_EQ(entries(), (Lines{"data.dat", "out.txt"})); // no backup or temporary file stays
    }
}

TEST_F(SaveAs, MergeAddsInKeyOrderAfterAKeySort)
{
    const Lines all = list().lines();
    list().assign({all[3], all[1], all[2], all[0]});
    // What a key sort leaves behind: the sort buffer switched to sorted.
    FSorted->SortedList->lines().setSorted(true, ds::listBoxLess);
    const std::string out = dir.file("out.dat");
    writeFile(out, readFile(fixture("save_target.dat")));
    saveList(out, 0, 2);
    EXPECT_EQ(readFile(out), readFile(fixture("save_expected_merge_sorted.dat")));
    EXPECT_TRUE(FSorted->SortedList->lines().empty());
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
    EXPECT_EQ(entries(), (Lines{"data.dat", "out.dat"}));
}

TEST_F(SaveAs, AnEarlierAnswerNeverAppliesToANewFile)
{
    const std::string existing = dir.file("existing.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    for (int item : {3, 2}) { // Cancel, then Merge/Replace
        SCOPED_TRACE(item);
        notices.clear();
        writeFile(existing, old);
        saveList(existing, 0, item);
        const std::string fresh = dir.file("fresh" + std::to_string(item) + ".dat");
        saveList(fresh, 0); // no question queued: one would fail the test
        EXPECT_EQ(readFile(fresh), readFile(fixture("save_expected_datasheet.txt")));
    }
}

TEST_F(SaveAs, CancelledDialogsAndItemPickWriteNothing)
{
    const std::string out = dir.file("out.txt");
    writeFile(out, "keep\r\n");
    platform::queueFileAnswer(""); // the save dialog
    FList->SaveClick();
    platform::queueFileAnswer(out); // the format dialog
    chooseFormat(-1);
    FList->SaveClick();
    EXPECT_TRUE(notices.recorded().empty());

    // The item form closed by its frame: no file-exists question.
    platform::queueFileAnswer(out);
    chooseFormat(3);
    platform::queueModal([](QDialog& form) { form.close(); });
    FList->Save->trigger();
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(readFile(out), "keep\r\n");
    EXPECT_EQ(entries(), (Lines{"data.dat", "out.txt"}));
}

TEST_F(SaveAs, FailedSavesSaySoAndLeaveTheFiles)
{
    const std::string out = dir.file("out.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    const std::string bytes = readFile(data);
    struct Case {
        const char* name;
        std::string target;
        std::string content; // of the target before
        int item; // answers the file-exists question
        std::string notice;
    };
    for (const Case& c : {
             Case{"save over the data file", data, bytes, 0,
                  "Not saved: " + data + "\r\nis the datasheet file in use."},
             Case{"merge into the data file", data, bytes, 2,
                  "Not merged: " + data + "\r\nis the datasheet file in use."},
             Case{"merge into an empty file", out, "", 2, "Syetem error, Could not Merge Files"},
             Case{"merge into a file that is no datasheet file", out, "text\r\n", 2,
                  "Not merged: " + out + "\r\nis not a datasheet file."},
         }) {
        SCOPED_TRACE(c.name);
        notices.clear();
        if (c.target != data) // rewriting the data file would make it another file
            writeFile(c.target, c.content);
        saveList(c.target, 0, c.item);
        EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", c.notice, false}}));
        EXPECT_EQ(readFile(c.target), c.content);
        EXPECT_EQ(readFile(data), bytes);
        std::filesystem::remove(out);
        EXPECT_EQ(entries(), Lines{"data.dat"});
    }

    // The data file gone after loading: one notice, not one per station.
    std::filesystem::rename(data, dir.file("moved.dat"));
    for (int item : {0, 1, 2}) { // Overwrite, Append, Merge/Replace
        SCOPED_TRACE(item);
        notices.clear();
        writeFile(out, old);
        saveList(out, 0, item);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + data + " for read.", false}}));
        EXPECT_EQ(readFile(out), old);
        // A failed merge keeps its backup.
        const Lines left = item == 2 ? Lines{"dsdata0.bak", "moved.dat", "out.dat"} : Lines{"moved.dat", "out.dat"};
        EXPECT_EQ(entries(), left);
        if (item == 2) {
            EXPECT_EQ(readFile(dir.file("dsdata0.bak")), old);
        }
    }
}

// Every save of the list windows and the viewer: the target by the answer,
// through the list windows (format) or the viewer (no format).
struct Writer {
    const char* name;
    bool viewer;
    int format;
    int answer;
};
const Writer kWriters[] = {
    {"list, Overwrite", false, 1, 0}, {"list, Append", false, 1, 1}, {"list, Merge/Replace", false, 0, 2},
    {"viewer, Overwrite", true, 0, 0}, {"viewer, Append", true, 0, 1},
};

// Another name of the loaded file, by a hard or a symbolic link, is the
// loaded file: no save or merge writes it.
TEST_F(SaveAs, OtherNamesOfTheDataFileAreNeverWritten)
{
    const std::string bytes = readFile(data);
    std::filesystem::create_hard_link(data, dir.file("hard.dat"));
    std::filesystem::create_symlink("data.dat", dir.file("soft.dat"));
    for (const char* name : {"hard.dat", "soft.dat"}) {
        for (const Writer& w : kWriters) {
            SCOPED_TRACE(testing::Message() << name << ", " << w.name);
            notices.clear();
            const std::string target = dir.file(name);
            if (w.viewer) {
                saveShown(target); // refused before any question
            } else {
                saveList(target, w.format, w.answer);
            }
            const std::string refused = w.answer == 2 ? "Not merged: " : "Not saved: ";
            EXPECT_EQ(notices.recorded(),
                      (std::vector<platform::Notice>{{"NOTICE", refused + target + "\r\nis the datasheet file in use.", false}}));
            EXPECT_EQ(readFile(data), bytes);
            EXPECT_EQ(entries(), (Lines{"data.dat", "hard.dat", "soft.dat"}));
        }
    }
}

// A file without a write bit is read-only for every user, the superuser
// (as the tests run in CI) included.
TEST_F(SaveAs, AFileWithoutAWriteBitIsNeverWritten)
{
    const std::string out = dir.file("out.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.name);
        notices.clear();
        writeFile(out, old);
        ::chmod(out.c_str(), 0444);
        if (w.viewer) {
            saveShown(out, w.answer);
        } else {
            saveList(out, w.format, w.answer);
        }
        const std::string notice = (w.viewer ? "Could not write " : "Cannot write to file ") + out;
        ASSERT_FALSE(notices.recorded().empty());
        EXPECT_EQ(notices.recorded().back(), (platform::Notice{"NOTICE", notice, false}));
        EXPECT_EQ(readFile(out), old);
        EXPECT_EQ(entries(), (Lines{"data.dat", "out.dat"})); // no backup, no temporary file
        std::filesystem::remove(out);
    }
}

// A name that is not valid UTF-8 (a Latin-1 name from an old disc) reaches
// the dialogs as text with a replacement character: the save asks about the
// existing file, names it readably, and writes that very file.
TEST_F(SaveAs, ANameThatIsNotUtf8IsAskedAboutAndWritten)
{
    const std::string latin = dir.file("caf\xe9.txt");
    const QString asShown = QFile::decodeName(QByteArray::fromStdString(latin));
    const std::string readable = dir.file("caf") + "\\xe9.txt";
    std::string listed;
    for (const auto& line : list().lines())
        listed += line + "\r\n";
    for (const Writer& w : {kWriters[0], kWriters[4]}) {
        SCOPED_TRACE(w.name);
        notices.clear();
        writeFile(latin, "old\r\n");
        askedFor.clear();
        if (w.viewer) {
            FDisplay->ShowDatasheet(list().at(0).substr(6, 6));
            platform::queueFileAnswerText(asShown);
            answerWarning(w.answer);
            FDisplay->Save->trigger();
            EXPECT_EQ(FDisplay->windowTitle().toStdString(), "caf\\xe9.txt");
        } else {
            platform::queueFileAnswerText(asShown);
            chooseFormat(w.format);
            answerWarning(w.answer);
            FList->Save->trigger();
        }
        EXPECT_EQ(askedFor, readable);
        EXPECT_EQ(readFile(latin), w.viewer ? "old\r\n" + shownBytes() : listed);
        EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
        EXPECT_EQ(entries(), (Lines{"caf\xe9.txt", "data.dat"}));
    }
}

// A data file cut short or replaced after the load has other offsets: no
// save or merge reads it, nothing is written, and no success is shown.
TEST_F(SaveAs, DataFileChangedSinceTheLoadIsNeverRead)
{
    const std::string out = dir.file("out.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    const std::string bytes = readFile(data);
    struct Change {
        const char* name;
        void (*apply)(const std::string& data, const std::string& bytes);
    };
    const Change changes[] = {
        {"truncated", [](const std::string& d, const std::string& b) { writeFile(d, b.substr(0, b.size() / 3)); }},
        {"replaced by the same bytes",
         [](const std::string& d, const std::string& b) {
             writeFile(d + ".new", b);
             std::filesystem::rename(d + ".new", d);
         }},
    };
    for (const Change& change : changes) {
        for (int item : {0, 1, 2}) { // Overwrite, Append, Merge/Replace
            SCOPED_TRACE(testing::Message() << change.name << ", answer " << item);
            writeFile(data, bytes);
            platform::queueFileAnswer(data);
            FMain->FilePrompt();
            ASSERT_EQ(list().size(), 5u);
            change.apply(data, bytes);
            const std::string changed = readFile(data);
            notices.clear();
            writeFile(out, old);
            saveList(out, 0, item);
            EXPECT_EQ(notices.recorded(),
                      (std::vector<platform::Notice>{{"NOTICE", platform::fileChangedText(data), false}}));
            EXPECT_EQ(readFile(out), old);
            EXPECT_EQ(readFile(data), changed);
            EXPECT_EQ(entries(), (Lines{"data.dat", "out.dat"}));
        }
    }
    // The List format copies no datasheet: it needs nothing of the data file.
    notices.clear();
    saveList(out, 1, 0);
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
}

TEST_F(SaveAs, ResultsWindowSavesItsOwnList)
{
    const Lines all = list().lines();
    FFound->FoundList->lines().assign({all[2], all[0]});
    // A station list save leaves the format dialog on List Format ...
    const std::string listed = dir.file("listed.txt");
    saveList(listed, 1);
    // ... the results window's opens on DataSheet Format all the same.
    const std::string out = dir.file("sub dir/found.txt");
    std::filesystem::create_directory(dir.file("sub dir"));
    platform::queueFileAnswer(out);
    chooseFormat(0);
    notices.clear();
    FFound->Save->trigger();
    EXPECT_EQ(openedOn, 0);
    EXPECT_EQ(FList->GetSaveSource(), 2);
    EXPECT_EQ(FFound->windowTitle().toStdString(), "found.txt");
    EXPECT_EQ(FFound->GetSaveName(), out);
    EXPECT_EQ(FFound->GetSaveDir(), dir.file("sub dir"));
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});

    // The same stations saved from the station list give the same bytes.
    list().assign({all[2], all[0]});
    const std::string again = dir.file("again.txt");
    saveList(again, 0);
    EXPECT_EQ(readFile(out), readFile(again));
    EXPECT_NE(readFile(out), "");

    // Each window keeps its own file and directory for the next Save As.
    platform::queueFileAnswer("");
    FFound->SaveClick();
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.file("sub dir"));
    EXPECT_EQ(platform::lastFileDialogFileName(), out);
    platform::queueFileAnswer("");
    FList->SaveClick();
    EXPECT_EQ(platform::lastFileDialogDirectory(), dir.path());
    EXPECT_EQ(platform::lastFileDialogFileName(), again);
}

} // namespace
