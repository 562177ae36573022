#include "platform/crlf_writer.h"

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::readFile;
using testsupport::writeFile;

#include <gtest/gtest.h>

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

TEST(CrlfWriter, ManyMegabytesReachTheFile)
{
    TempDir dir;
    const std::string path = dir.file("big.txt");
    const std::string line(98, 'x');
    CrlfWriter writer;
    ASSERT_TRUE(writer.open(path));
    for (int i = 0; i < 30000; ++i)
        writer.writeLine(line);
    ASSERT_TRUE(writer.close());
    const std::string bytes = readFile(path);
    ASSERT_EQ(bytes.size(), 30000u * 100);
    EXPECT_EQ(bytes.substr(bytes.size() - 100), line + "\r\n");
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
