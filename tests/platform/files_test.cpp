#include "platform/files.h"

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::readFile;
using testsupport::writeFile;

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(Files, NameParts)
{
    EXPECT_EQ(platform::fileNamePart("/cd/DATA/CA/county.CA"), "county.CA");
    EXPECT_EQ(platform::fileNamePart("plain"), "plain");
    EXPECT_EQ(platform::directoryPart("/cd/DATA/x"), "/cd/DATA");
    EXPECT_EQ(platform::directoryPart("plain"), "");
    EXPECT_EQ(platform::directoryPart("/root.dat"), "/");
    EXPECT_EQ(platform::joinPath("/cd", "DATA"), "/cd/DATA");
    EXPECT_EQ(platform::joinPath("/", "DATA"), "/DATA");
    EXPECT_EQ(platform::joinPath("", "DATA"), "DATA");
}

TEST(Files, ResolvePathMatchesCaseInsensitivelyAndPrefersTheExactName)
{
    TempDir dir;
    fs::create_directories(dir.file("DATA/Ca"));
    writeFile(dir.file("DATA/Ca/COUNTY.CA"), "x");
    EXPECT_EQ(platform::resolvePath(dir.path(), {"data", "CA", "county.ca"}), dir.file("DATA/Ca/COUNTY.CA"));
    EXPECT_EQ(platform::resolvePath(dir.path(), {"DATA", "Ca"}), dir.file("DATA/Ca"));
    EXPECT_EQ(platform::resolvePath(dir.path(), {"data", "TX", "county.tx"}), "");
    EXPECT_EQ(platform::locatePath(dir.path(), {"data", "CA", "county.ca"}), dir.file("DATA/Ca/COUNTY.CA"));
    EXPECT_EQ(platform::locatePath(dir.path(), {"data", "TX", "county.tx"}), dir.file("data/TX/county.tx"));

    writeFile(dir.file("DATA/Ca/county.ca"), "y");
    EXPECT_EQ(platform::findEntry(dir.file("DATA/Ca"), "county.ca"), dir.file("DATA/Ca/county.ca"));
    EXPECT_EQ(platform::findEntry(dir.file("DATA/Ca"), "COUNTY.CA"), dir.file("DATA/Ca/COUNTY.CA"));
}

TEST(Files, MakeTempFileCreatesANewEmptyFileWithThePrefix)
{
    TempDir dir;
    const std::string first = platform::makeTempFile(dir.path());
    const std::string second = platform::makeTempFile(dir.path());
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(platform::directoryPart(first), dir.path());
    EXPECT_EQ(platform::fileNamePart(first).rfind("tmp", 0), 0u);
    EXPECT_TRUE(platform::isRegularFile(first));
    EXPECT_EQ(fs::file_size(first), 0u);
    EXPECT_EQ(platform::makeTempFile(dir.file("missing")), "");
}

TEST(Files, ReplaceFileRenamesOverTheTarget)
{
    TempDir dir;
    writeFile(dir.file("new"), "new\r\n");
    writeFile(dir.file("target"), "old\r\n");
    ASSERT_TRUE(platform::replaceFile(dir.file("new"), dir.file("target")));
    EXPECT_EQ(readFile(dir.file("target")), "new\r\n");
    EXPECT_FALSE(platform::fileExists(dir.file("new")));
}

// A temporary file's name is cut to fit a directory entry before a
// character, never inside one: the name stays valid UTF-8.
TEST(Files, ATemporaryNameIsCutBeforeACharacter)
{
    // 245 bytes of the name fit before ".tmp" and six random letters. The
    // cut falls on each byte of a character of two, three and four bytes.
    for (const std::string character : {"\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80"}) {
        for (std::size_t ascii = 240; ascii <= 245; ++ascii) {
            SCOPED_TRACE(testing::Message() << character.size() << " bytes after " << ascii);
            std::string name(ascii, 'a');
            while (name.size() < 260)
                name += character;
            const std::string prefix = platform::tempPrefixFor("/d/" + name, "tmp");
            ASSERT_GE(prefix.size(), 4u);
            const std::string kept = prefix.substr(0, prefix.size() - 4);
            EXPECT_EQ(prefix.substr(kept.size()), ".tmp");
            EXPECT_EQ(name.compare(0, kept.size(), kept), 0);
            EXPECT_LE(kept.size(), 245u);
            EXPECT_GT(kept.size(), 245u - character.size());
            EXPECT_NE(static_cast<unsigned char>(name[kept.size()]) & 0xC0, 0x80u) << "cut inside a character";
        }
    }
    EXPECT_EQ(platform::tempPrefixFor("/d/data.dat", "old"), "data.dat.old");
}
