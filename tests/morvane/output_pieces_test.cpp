// The pieces the existing-output and output-list windows list and delete.
#include <gtest/gtest.h>

#include "morvane/core/output_pieces.h"
#include "platform/files.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

TEST(OutputPieces, NamesOfEachMode)
{
    struct Case {
        const char* name;
        bool numbered;
        bool pid;
    };
    for (const Case& c : {Case{"dsdata.001", true, false}, Case{"dsdata.1000", true, false},
                          Case{"dsdata.", false, false}, Case{"DSDATA.TXT", false, false},
                          Case{"dsdata.0a1", false, false}, Case{"dsdata.001.bak", false, false},
                          Case{"AB1234.out", false, true}, Case{"XX0000.out", false, true},
                          Case{"report.out", false, false}, Case{"Ab1234.out", false, false},
                          Case{"AB123.out", false, false}, Case{"AB1234.OUT", false, false},
                          Case{"AB12345.out", false, false}}) {
        EXPECT_EQ(morvane::isPieceName(c.name, morvane::kNumberedPieces), c.numbered) << c.name;
        EXPECT_EQ(morvane::isPieceName(c.name, morvane::kPidPieces), c.pid) << c.name;
    }
}

TEST(OutputPieces, ListsFilesOfTheModeAndDeletesOnlyListedNames)
{
    testsupport::TempDir dir;
    for (const char* name : {"dsdata.002", "dsdata.001", "DSDATA.TXT", "AB1234.out", "report.out", "keep.txt"})
        testsupport::writeFile(dir.file(name), "x");
    ::mkdir(dir.file("dsdata.003").c_str(), 0755);
    const Lines numbered = morvane::listPieces(dir.path(), morvane::kNumberedPieces);
    EXPECT_EQ(numbered, (Lines{"dsdata.001", "dsdata.002"}));
    EXPECT_EQ(morvane::listPieces(dir.path(), morvane::kPidPieces), (Lines{"AB1234.out"}));

    // The user removed dsdata.002 from the memo and typed other names.
    platform::RecordingNotices notices;
    EXPECT_TRUE(morvane::deleteListedPieces(dir.path(), {"dsdata.001", "keep.txt", " dsdata.002", "dsdata.003"},
                                            numbered, notices));
    EXPECT_FALSE(platform::fileExists(dir.file("dsdata.001")));
    EXPECT_TRUE(platform::fileExists(dir.file("dsdata.002")));
    EXPECT_TRUE(platform::fileExists(dir.file("keep.txt")));
    EXPECT_TRUE(platform::isDirectory(dir.file("dsdata.003")));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST(OutputPieces, AFileThatCannotBeDeletedIsReported)
{
    testsupport::TempDir dir;
    // A non-empty directory under a listed name cannot be removed.
    testsupport::writeFile(dir.file("dsdata.004/inner"), "x");
    platform::RecordingNotices notices;
    EXPECT_FALSE(morvane::deleteListedPieces(dir.path(), {"dsdata.004"}, {"dsdata.004"}, notices));
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Could not delete file " + dir.file("dsdata.004"), false}}));
}

} // namespace
