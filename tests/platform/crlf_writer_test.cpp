#include "platform/crlf_writer.h"

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::readFile;
using testsupport::writeFile;

#include <gtest/gtest.h>

#include <filesystem>

using platform::CrlfWriter;

TEST(CrlfWriter, TruncateThenAppendWritesExactBytes)
{
    TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old contents that must go\r\n");

    CrlfWriter writer;
    ASSERT_TRUE(writer.open(path, CrlfWriter::Mode::Truncate));
    writer.writeLine("first");
    writer.write("raw\n");
    writer.writeLine("");
    writer.writeLine("8-bit \xe9\xa0\xff and 100%s");
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(readFile(path), "first\r\nraw\n\r\n8-bit \xe9\xa0\xff and 100%s\r\n");

    ASSERT_TRUE(writer.open(path, CrlfWriter::Mode::Append));
    writer.writeLine("added");
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(readFile(path), "first\r\nraw\n\r\n8-bit \xe9\xa0\xff and 100%s\r\nadded\r\n");
}

TEST(CrlfWriter, ManyMegabytesReachTheFileInOrder)
{
    // Short lines that fill the buffer unevenly, with writes larger than
    // the buffer among them, and one early that is larger than the buffer's
    // first size but not its largest.
    TempDir dir;
    const std::string path = dir.file("big.txt");
    CrlfWriter writer;
    ASSERT_TRUE(writer.open(path));
    std::string expected;
    for (int i = 0; i < 30000; ++i) {
        const std::string line = std::to_string(i) + std::string(static_cast<std::size_t>(i % 150), 'x');
        writer.writeLine(line);
        expected += line + "\r\n";
        if (i == 10) {
            const std::string middle(200'000, 'm');
            writer.write(middle);
            expected += middle;
        }
        if (i % 10000 == 5000) {
            const std::string big(2'500'000, static_cast<char>('a' + i / 10000));
            writer.write(big);
            expected += big;
        }
    }
    ASSERT_TRUE(writer.close());
    EXPECT_TRUE(readFile(path) == expected);
}

TEST(CrlfWriter, CreatedWritesTheFileAsItIsAndMakesNone)
{
    // For a file the caller has just made empty: no truncation (the old
    // bytes here show it), no new file.
    TempDir dir;
    const std::string path = dir.file("made.txt");
    writeFile(path, "0123456789");
    CrlfWriter writer;
    ASSERT_TRUE(writer.open(path, CrlfWriter::Mode::Created));
    writer.writeLine("ab");
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(readFile(path), "ab\r\n456789");

    EXPECT_FALSE(writer.open(dir.file("absent.txt"), CrlfWriter::Mode::Created));
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent.txt")));
}

TEST(CrlfWriter, FileThatCannotBeOpenedReportsFailure)
{
    TempDir dir;
    CrlfWriter writer;
    EXPECT_FALSE(writer.open(dir.file("no/such/dir/out.txt")));
    writer.writeLine("lost");
    EXPECT_FALSE(writer.close());
    EXPECT_FALSE(writer.ok());
}
