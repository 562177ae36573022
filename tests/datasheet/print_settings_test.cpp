// The print settings file ds_parm1.txt: its bytes, and the two readers (the
// dialog's at its creation, the station list window's at activation).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "datasheet/print_settings.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "tests/support/test_files.h"

namespace {

std::vector<std::string> comboItems()
{
    std::vector<std::string> items;
    for (int i = 50; i <= 75; ++i)
        items.push_back(std::to_string(i));
    return items;
}

TEST(PrintSettings, FileText)
{
    EXPECT_EQ(ds::printSettingsText("62", false), "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n");
    EXPECT_EQ(ds::printSettingsText("62", false).size(), 39u);
    EXPECT_EQ(ds::printSettingsText("58", true), "LinesPerPage = 58\r\nPageEject    = 1\r\n\r\n");
    // The first two characters, padded with a blank to two.
    EXPECT_EQ(ds::printSettingsText("5", true), "LinesPerPage = 5 \r\nPageEject    = 1\r\n\r\n");
    EXPECT_EQ(ds::printSettingsText("", true), "LinesPerPage =   \r\nPageEject    = 1\r\n\r\n");
    EXPECT_EQ(ds::printSettingsText("623", true), "LinesPerPage = 62\r\nPageEject    = 1\r\n\r\n");
}

TEST(PrintSettings, LinesPerPageNumber)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"58", 58}, {"62xyz", 62}, {"5", 5}, {" 7", 7}, {"  9", 0}, {"ab", 0}, {"", 0}, {"-5", -5}, {"7a", 7}, {"100", 10}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(ds::linesPerPageNumber(text), number) << text;
}

TEST(PrintSettings, SaveThroughATemporaryFile)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    const std::string path = dir.file("ds_parm1.txt");
    testsupport::writeFile(path, "old");
    ASSERT_TRUE(ds::savePrintSettings(path, "62", false, notices));
    EXPECT_EQ(testsupport::readFile(path), "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n");
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_FALSE(ds::savePrintSettings(dir.file("no such dir/ds_parm1.txt"), "62", false, notices));
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot save at the current location", false}}));
}

// ds_parm1.txt as another name of the data file in use (a symbolic or hard
// link, or a link to the file the data path links to): refused with a
// notice, the data file's bytes and names as they were. A settings file
// that is some other file is written.
TEST(PrintSettings, SaveNeverWritesOverTheDataFileInUse)
{
    enum class Alias { Symlink, HardLink, HardLinkOfTheDataLinkTarget, OtherFile };
    const std::string data = "1        Quarndale Geomark Bureau\r\n AB1234  DESIGNATION -  MARK\r\n";
    for (const Alias alias : {Alias::Symlink, Alias::HardLink, Alias::HardLinkOfTheDataLinkTarget, Alias::OtherFile}) {
        SCOPED_TRACE(static_cast<int>(alias));
        testsupport::TempDir dir;
        const std::string target = dir.file("county.dat");
        std::string inUse = target;
        testsupport::writeFile(target, data);
        const std::string settings = dir.file("ds_parm1.txt");
        switch (alias) {
        case Alias::Symlink:
            ASSERT_EQ(::symlink(target.c_str(), settings.c_str()), 0);
            break;
        case Alias::HardLink:
            ASSERT_EQ(::link(target.c_str(), settings.c_str()), 0);
            break;
        case Alias::HardLinkOfTheDataLinkTarget:
            inUse = dir.file("data link");
            ASSERT_EQ(::symlink(target.c_str(), inUse.c_str()), 0);
            ASSERT_EQ(::link(target.c_str(), settings.c_str()), 0);
            break;
        case Alias::OtherFile:
            testsupport::writeFile(settings, "old");
            break;
        }
        platform::setInputsInUse([inUse] { return std::vector<std::string>{"", inUse}; });
        platform::RecordingNotices notices;
        const bool saved = ds::savePrintSettings(settings, "62", false, notices);
        platform::setInputsInUse(nullptr);

        EXPECT_EQ(testsupport::readFile(target), data);
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        std::sort(names.begin(), names.end());
        if (alias == Alias::OtherFile) {
            EXPECT_TRUE(saved);
            EXPECT_EQ(testsupport::readFile(settings), "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n");
            EXPECT_TRUE(notices.recorded().empty());
            continue;
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(names.size(), alias == Alias::HardLinkOfTheDataLinkTarget ? 3u : 2u); // no temporary file
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE",
                                                  "Not saved: " + settings +
                                                      "\r\nis another name of the data file in use, " + inUse +
                                                      ".\r\nNothing was written.",
                                                  false}}));
    }
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::optional<std::string> dialogLines;
    std::optional<int> dialogEject;
    std::optional<int> listLines;
    std::optional<int> listEject;
};

TEST(PrintSettings, Readers)
{
    const std::string longLine(300, 'x');
    const std::vector<ReadCase> cases{
        {"saved file", "LinesPerPage = 62\r\nPageEject    = 1\r\n\r\n", "62", 1, 62, 1},
        {"80 and eject 2", "LinesPerPage = 80\r\nPageEject    = 2\r\n\r\n", std::nullopt, 0, 80, 2},
        {"no digits", "LinesPerPage = ab\r\nPageEject    = x\r\n", std::nullopt, 0, 0, 0},
        {"a last line without a line end", "LinesPerPage = 62\r\nPageEject    = 1", "62", std::nullopt, 62, 1},
        {"LF line ends", "LinesPerPage = 70\nPageEject    = 0\n", "70", 0, 70, 0},
        {"300-character lines", longLine + "\r\nLinesPerPage = 65" + longLine + "\r\nPageEject    = 1" + longLine + "\r\n",
         "65", 1, 65, 1},
        {"one digit", "LinesPerPage =  5\r\n", std::nullopt, std::nullopt, 5, std::nullopt},
        {"value cut short", "LinesPerPage = \r\nPageEject    = \r\n", std::nullopt, 0, 0, 0},
        {"the later line wins", "LinesPerPage = 60\r\nLinesPerPage = 61\r\n", "61", std::nullopt, 61, std::nullopt},
        {"a later line no item keeps the earlier", "LinesPerPage = 60\r\nLinesPerPage = 99\r\n", "60", std::nullopt,
         99, std::nullopt},
        {"other lines ignored", "lines = 62\r\n  LinesPerPage = 62\r\n", std::nullopt, std::nullopt, std::nullopt,
         std::nullopt},
        {"empty file", "", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
    };
    testsupport::TempDir dir;
    const std::string path = dir.file("ds_parm1.txt");
    for (const auto& c : cases) {
        testsupport::writeFile(path, c.bytes);
        const ds::DialogPrintSettings dialog = ds::readDialogPrintSettings(path, comboItems());
        EXPECT_TRUE(dialog.read) << c.name;
        EXPECT_EQ(dialog.linesItem, c.dialogLines) << c.name;
        EXPECT_EQ(dialog.pageEject, c.dialogEject) << c.name;
        const ds::ListPrintSettings list = ds::readListPrintSettings(path);
        EXPECT_TRUE(list.read) << c.name;
        EXPECT_EQ(list.linesPerPage, c.listLines) << c.name;
        EXPECT_EQ(list.pageEject, c.listEject) << c.name;
    }
    EXPECT_FALSE(ds::readDialogPrintSettings(dir.file("none.txt"), comboItems()).read);
    EXPECT_FALSE(ds::readListPrintSettings(dir.file("none.txt")).read);
}

} // namespace
