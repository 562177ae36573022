// Morvane's CD-ROM list: its own directory codes, county entries with
// their paths kept apart, Pacific entries.
#include <gtest/gtest.h>

#include "morvane/core/cdrom_entries.h"
#include "tests/support/test_files.h"

namespace {

TEST(MorvaneStateDir, SixtyOneCodesCaseSensitiveOnTheFirstTwoCharacters)
{
    for (const char* name : {"AK", "AZ", "AZX", "GU", "VI", "WY", "BQ", "DC", "PR"})
        EXPECT_TRUE(morvane::isStateDir(name)) << name;
    for (const char* name : {"az", "A", "", "VQ", "XX", "Pacific", "DSDATA.TXT", "OUTSIDE"})
        EXPECT_FALSE(morvane::isStateDir(name)) << name;
}

TEST(MorvaneCountyEntries, EveryLineAnEntryExceptPathsOutOfTheStateDirectory)
{
    testsupport::TempDir dir;
    const std::string drive = dir.file("my drive");
    testsupport::writeFile(drive + "/DATA/AZ/county.AZ",
                           "AZ001.DAT | APACHE\r\n../AZ003.DAT | UP\r\nAZ/x.DAT | SUB\r\na\\b | BACK\n\r\n");
    testsupport::writeFile(drive + "/DATA/AZ/az001.dat", "x");
    std::vector<morvane::ListEntry> entries;
    ASSERT_TRUE(morvane::countyEntries(drive, "AZX", drive + "/DATA/AZ/county.AZ", entries));
    ASSERT_EQ(entries.size(), 2u);
    // The file is found whatever its case; the blank in the drive path stays.
    EXPECT_EQ(entries[0], (morvane::ListEntry{drive + "/DATA/AZ/AZ001.DAT | APACHE", drive + "/DATA/AZ/az001.dat"}));
    // An empty line ends in '/' and names the state's directory.
    EXPECT_EQ(entries[1], (morvane::ListEntry{drive + "/DATA/AZ/", drive + "/DATA/AZ"}));
    EXPECT_FALSE(morvane::countyEntries(drive, "CO", drive + "/DATA/CO/county.CO", entries));
}

TEST(MorvaneCountyEntries, PacificEntryNamesTheDirectoryTwice)
{
    const morvane::ListEntry entry = morvane::pacificEntry("/d", "gu");
    EXPECT_EQ(entry.text, "/d/DATA/Pacific/gu/gu000.dat");
    EXPECT_EQ(entry.path, "/d/DATA/Pacific/gu/gu000.dat");
}

} // namespace
