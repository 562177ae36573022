#include "platform/file_swap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "tests/support/test_files.h"

namespace fs = std::filesystem;

TEST(FileSwap, WriteAccessTestsChangeNothing)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("rw.dat"), "x");
    testsupport::writeFile(dir.file("ro.dat"), "x");
    ::chmod(dir.file("ro.dat").c_str(), 0444);
    EXPECT_TRUE(platform::isWritableFile(dir.file("rw.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.file("ro.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.file("missing.dat")));
    EXPECT_FALSE(fs::exists(dir.file("missing.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.path()));
}

TEST(FileSwap, HoldWholeFileLinksOrCopies)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("a.dat"), "bytes");
    const std::string held = platform::holdWholeFile(dir.file("a.dat"), dir.path());
    ASSERT_FALSE(held.empty());
    EXPECT_EQ(testsupport::readFile(held), "bytes");
    // A file that already has a second name is copied, so that a rewrite in
    // place of it leaves the copy alone.
    const std::string copy = platform::holdWholeFile(dir.file("a.dat"), dir.path());
    ASSERT_FALSE(copy.empty());
    testsupport::writeFile(dir.file("a.dat"), "other");
    EXPECT_EQ(testsupport::readFile(held), "other");
    EXPECT_EQ(testsupport::readFile(copy), "bytes");
    EXPECT_TRUE(platform::holdWholeFile(dir.file("missing"), dir.path()).empty());
}
