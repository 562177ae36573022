// Save As in ITEMPICK format from the station list and results windows:
// the item form comes before the file-exists question, its Cancel writes
// nothing, and the records go through the list save.
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_warning.h"
#include "datasheet/list_lines.h"
#include "itempick/tf_select.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/files.h"
#include "platform/qt/line_list_view.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const platform::Notice kTransferComplete{"NOTICE", "Transfer Complete", false};

// samples/disk/kansas.txt loaded, in a scratch current directory.
class ItemPickSave : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        writeFile(data, readFile(std::string(DS_SAMPLES_DIR) + "/disk/kansas.txt"));
        platform::queueFileAnswer(data);
        FMain->FilePrompt();
        ASSERT_EQ(FList->MarksList->lines().size(), 44u);
        ASSERT_TRUE(notices.recorded().empty());
    }

    // The answers of one Save As: the file, ITEMPICK in the format dialog,
    // then the item form (the items, or Cancel when there are none), then
    // the file-exists question when `answer` is an item of it. Each answer
    // notes which dialog asked, so the order is checked.
    void queueSave(const std::string& path, const Lines& items, int answer = -1, bool header = true)
    {
        platform::queueFileAnswer(path);
        platform::queueModal([this](QDialog& dialog) {
            asked.push_back(dialog.windowTitle().toStdString());
            auto& format = dynamic_cast<TFGetOut&>(dialog);
            format.FormatList->setCurrentRow(3);
            format.OK->click();
        });
        platform::queueModal([this, items, header](QDialog& dialog) {
            asked.push_back(dialog.windowTitle().toStdString());
            auto& form = dynamic_cast<TFSelect&>(dialog);
            form.Reset->click();
            if (!header)
                form.CheckBox1->click();
            if (items.empty()) {
                form.SelectCancel->click();
                return;
            }
            for (const std::string& item : items)
                form.SelectListClick(form.ItemLookup(item));
            form.SelectOK->click();
        });
        if (answer >= 0) {
            platform::queueModal([this, answer](QDialog& dialog) {
                asked.push_back(dialog.windowTitle().toStdString());
                auto& warning = dynamic_cast<TFWarning&>(dialog);
                warning.RadioGroup2->findChildren<QRadioButton*>().at(answer)->click();
                warning.Okay2->click();
            });
        }
    }
    // STATE of a station of the sample: all are in Kansas, and a COUNTRY
    // line puts the country's code in its place.
    std::string stateOf(std::string_view pid) const
    {
        const std::string bytes = readFile(std::string(DS_SAMPLES_DIR) + "/disk/kansas.txt");
        const bool country = bytes.find(" " + std::string(pid) + "  COUNTRY     -  UNITED STATES") != std::string::npos;
        return country ? "US" : "KS";
    }
    // The records of PID and STATE for the list lines, with the header.
    std::string records(const Lines& lines) const
    {
        std::string bytes = "PID|STATE\r\n";
        for (const std::string& line : lines)
            bytes += std::string(ds::listLinePid(line)) + "|" + stateOf(ds::listLinePid(line)) + "\r\n";
        return bytes;
    }
    Lines entries() const
    {
        Lines names;
        platform::listDirectory(dir.path(), names);
        return names;
    }

    testsupport::ScratchCurrentDirectory dir;
    const std::string data = dir.file("kansas.txt");
    Lines asked;
};

TEST_F(ItemPickSave, StationListWithPidAndState)
{
    const std::string out = dir.file("items.txt");
    queueSave(out, {"PID", "STATE"});
    FList->Save->trigger();
    EXPECT_EQ(asked, (Lines{"OUTPUT FORMAT", "FSelect"}));
    const Lines listed = FList->MarksList->lines().lines();
    const std::string expected = records(listed);
    EXPECT_EQ(readFile(out), expected);
    EXPECT_EQ(expected.substr(0, 22), "PID|STATE\r\nMX4260|KS\r\n");
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});

    // Append: the form, then the question, then the records after the old bytes.
    notices.clear();
    asked.clear();
    writeFile(out, "old\r\n");
    queueSave(out, {"PID", "STATE"}, 1);
    FList->Save->trigger();
    EXPECT_EQ(asked, (Lines{"OUTPUT FORMAT", "FSelect", "FWarning"}));
    EXPECT_EQ(readFile(out), "old\r\n" + expected);
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});

    // Without the header, into a new file.
    notices.clear();
    queueSave(dir.file("plain.txt"), {"STATE", "PID"}, -1, false);
    FList->Save->trigger();
    std::string plain;
    for (const std::string& line : listed)
        plain += stateOf(ds::listLinePid(line)) + "|" + std::string(ds::listLinePid(line)) + "\r\n";
    EXPECT_EQ(readFile(dir.file("plain.txt")), plain);
}

TEST_F(ItemPickSave, MultiLineItemsArriveWhole)
{
    // ALL HISTORY writes a line per history record, each led by the PID.
    const Lines all = FList->MarksList->lines().lines();
    FList->MarksList->lines().assign({all[0], all[1]});
    const std::string out = dir.file("history.txt");
    queueSave(out, {"PID", "ALL HISTORY"});
    FList->Save->trigger();
    const std::string saved = readFile(out);
    Lines lines;
    for (std::size_t at = 0; at < saved.size();) {
        const std::size_t end = saved.find("\r\n", at);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(saved.substr(at, end - at));
        at = end + 2;
    }
    ASSERT_GE(lines.size(), 1u + 4 + 1); // the header, MX4260's four records, MX4261's one
    EXPECT_EQ(lines[0].substr(0, 4), "PID|");
    int mx4260 = 0;
    int mx4261 = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        mx4260 += lines[i].find("MX4260") == 0;
        mx4261 += lines[i].find("MX4261") == 0;
    }
    EXPECT_EQ(mx4260, 4);
    EXPECT_EQ(mx4261, 1);
    EXPECT_NE(saved.find("19960802"), std::string::npos);
    EXPECT_NE(saved.find("POOR"), std::string::npos);
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
}

TEST_F(ItemPickSave, TheHeaderComesFirstWhateverTheFirstStation)
{
    // The first listed station is not in the file: its notice, and the
    // header still heads the records of the others.
    const Lines all = FList->MarksList->lines().lines();
    const std::string unknown = all[0].substr(0, 6) + "ZZ9999" + all[0].substr(12);
    FList->MarksList->lines().assign({unknown, all[1]});
    const std::string out = dir.file("items.txt");
    queueSave(out, {"PID", "STATE"});
    FList->Save->trigger();
    EXPECT_EQ(readFile(out), records({all[1]}));
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Offset Location not found for ZZ9999", false}, kTransferComplete}));
}

TEST_F(ItemPickSave, CancelInTheFormWritesNothingAndAsksNothing)
{
    const std::string out = dir.file("items.txt");
    writeFile(out, "keep\r\n");
    queueSave(out, {});
    FList->Save->trigger();
    EXPECT_EQ(asked, (Lines{"OUTPUT FORMAT", "FSelect"}));
    EXPECT_EQ(readFile(out), "keep\r\n");
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(entries(), (Lines{"items.txt", "kansas.txt"}));
}

TEST_F(ItemPickSave, ResultsWindowWritesItsOwnStations)
{
    const Lines all = FList->MarksList->lines().lines();
    FFound->FoundList->lines().assign({all[7], all[2]});
    const std::string out = dir.file("found.txt");
    queueSave(out, {"PID", "STATE"});
    FFound->Save->trigger();
    EXPECT_EQ(readFile(out), records({all[7], all[2]}));
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kTransferComplete});
}

TEST_F(ItemPickSave, AMissingDataFileGivesOneNotice)
{
    std::filesystem::rename(data, dir.file("moved.txt"));
    const std::string out = dir.file("items.txt");
    writeFile(out, "keep\r\n");
    queueSave(out, {"PID", "STATE"}, 0);
    FList->Save->trigger();
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + data + " for read.", false}}));
    EXPECT_EQ(readFile(out), "keep\r\n");
    EXPECT_EQ(entries(), (Lines{"items.txt", "moved.txt"}));
}

} // namespace
