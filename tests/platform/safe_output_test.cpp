#include "platform/safe_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Mode = platform::SafeOutput::Mode;
using testsupport::readFile;
using testsupport::writeFile;

const std::vector<std::string> kLines{"1        Quarndale Geomark Bureau,", " AB1234  100% %s", ""};
const std::string kBytes = "1        Quarndale Geomark Bureau,\r\n AB1234  100% %s\r\n\r\n";

std::vector<std::string> entries(const std::string& directory)
{
    std::vector<std::string> names;
    platform::listDirectory(directory, names);
    return names;
}

TEST(SafeOutput, OverwriteAndAppendGiveExactBytesAndLeaveNoTemporaryFile)
{
    struct Case {
        Mode mode;
        bool exists;
        std::string expected;
    };
    for (const Case& c : {Case{Mode::Overwrite, true, kBytes}, Case{Mode::Append, true, "old\r\n" + kBytes},
                          Case{Mode::Overwrite, false, kBytes}, Case{Mode::Append, false, kBytes}}) {
        SCOPED_TRACE(testing::Message() << "append " << (c.mode == Mode::Append) << " exists " << c.exists);
        testsupport::TempDir dir;
        const std::string path = dir.file("out.txt");
        if (c.exists) {
            writeFile(path, "old\r\n");
            fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        }
        ASSERT_TRUE(platform::saveLines(path, kLines, c.mode));
        EXPECT_EQ(readFile(path), c.expected);
        EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const unsigned expected = c.exists ? 0640u : 0666u & ~static_cast<unsigned>(mask);
        EXPECT_EQ(static_cast<unsigned>(fs::status(path).permissions()), expected);
    }
}

TEST(SafeOutput, DestinationIsUntouchedUntilCommitAndOnFailure)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old\r\n");
    {
        platform::SafeOutput output;
        ASSERT_TRUE(output.open(path, Mode::Overwrite));
        output.writer().writeLine("new");
        EXPECT_EQ(readFile(path), "old\r\n");
    } // never committed
    EXPECT_EQ(readFile(path), "old\r\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});

    // A directory in the way cannot be replaced; a missing directory holds no temporary file.
    fs::create_directory(dir.file("sub"));
    EXPECT_FALSE(platform::saveLines(dir.file("sub"), kLines, Mode::Overwrite));
    EXPECT_TRUE(fs::is_directory(dir.file("sub")));
    EXPECT_FALSE(platform::saveLines(dir.file("missing/out.txt"), kLines, Mode::Overwrite));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"out.txt", "sub"}));
}

// The new contents of a private file are never readable by others, not even
// while they are written.
TEST(SafeOutput, TheNewDataOfAPrivateFileStaysPrivateWhileWritten)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old\r\n");
    ::chmod(path.c_str(), 0600);
    const mode_t mask = ::umask(022);
    platform::SafeOutput output;
    ASSERT_TRUE(output.open(path, Mode::Overwrite));
    ::umask(mask);
    output.writer().writeLine("secret");
    for (const auto& name : entries(dir.path())) {
        struct stat st {};
        ASSERT_EQ(::stat(dir.file(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 077, 0u) << name;
    }
    ASSERT_TRUE(output.commit());
    EXPECT_EQ(readFile(path), "secret\r\n");
    EXPECT_EQ(static_cast<unsigned>(fs::status(path).permissions()), 0600u);
}

TEST(SafeOutput, ALinkIsWrittenThroughAndKept)
{
    testsupport::TempDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/data.txt");
    writeFile(target, "old\r\n");
    fs::create_symlink(target, dir.file("link.txt"));
    ASSERT_TRUE(platform::saveLines(dir.file("link.txt"), kLines, Mode::Overwrite));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(readFile(target), kBytes);
    EXPECT_EQ(entries(dir.file("real")), std::vector<std::string>{"data.txt"});
}

TEST(SafeOutput, SameFileSeesThroughSpellingsAndLinks)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("data.dat");
    writeFile(path, "x");
    writeFile(dir.file("other.dat"), "x");
    fs::create_symlink(path, dir.file("link.dat"));
    EXPECT_TRUE(platform::isSameFile(path, dir.path() + "/./data.dat"));
    EXPECT_TRUE(platform::isSameFile(dir.file("link.dat"), path));
    EXPECT_FALSE(platform::isSameFile(dir.file("other.dat"), path));
    EXPECT_FALSE(platform::isSameFile(dir.file("new.dat"), path));
    EXPECT_FALSE(platform::isSameFile(path, ""));
}

} // namespace
