// Finding the state directories, county lists and county files of a disc.
#include <gtest/gtest.h>

#include <filesystem>

#include "datasheet/cdrom.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::writeFile;

void makeDir(const std::string& path)
{
    std::filesystem::create_directories(path);
}

TEST(CdromDirs, StatesThenPacificInNameOrder)
{
    testsupport::TempDir disc;
    for (const char* dir : {"DATA/WY", "DATA/AZ", "DATA/nm", "DATA/docs", "DATA/AZX", "DATA/OUTSIDE/SR",
                            "DATA/Pacific/GU", "DATA/Pacific/AS", "DATA/Pacific/XX"})
        makeDir(disc.file(dir));
    writeFile(disc.file("DATA/DSDATA.TXT"), "items\r\n");
    writeFile(disc.file("DATA/Pacific/GU/GU000.dat"), "");

    std::vector<std::string> codes;
    ASSERT_TRUE(ds::listStateDirs(disc.path(), codes));
    EXPECT_EQ(codes, (std::vector<std::string>{"AZ", "WY", "nm", "AS", "GU"}));
}

TEST(CdromDirs, FoundWhateverTheirCase)
{
    testsupport::TempDir disc;
    makeDir(disc.file("data/az"));
    makeDir(disc.file("data/PACIFIC/gu"));
    std::vector<std::string> codes;
    ASSERT_TRUE(ds::listStateDirs(disc.path() + "/", codes)); // a root path such as "/"
    EXPECT_EQ(codes, (std::vector<std::string>{"az", "gu"}));
}

TEST(CdromDirs, NoDataDirectory)
{
    testsupport::TempDir disc;
    std::vector<std::string> codes;
    EXPECT_FALSE(ds::listStateDirs(disc.path(), codes));
    EXPECT_FALSE(ds::listStateDirs(disc.file("missing"), codes));
    writeFile(disc.file("DATA"), "a file, not a directory");
    EXPECT_FALSE(ds::listStateDirs(disc.path(), codes));
    EXPECT_TRUE(codes.empty());

    testsupport::TempDir statesOnly; // no Pacific directory is no error
    makeDir(statesOnly.file("DATA/CO"));
    EXPECT_TRUE(ds::listStateDirs(statesOnly.path(), codes));
    EXPECT_EQ(codes, std::vector<std::string>{"CO"});
}

TEST(CdromPaths, ByTheTableOfTheCode)
{
    testsupport::TempDir disc;
    writeFile(disc.file("DATA/AZ/county.AZ"), "");
    writeFile(disc.file("DATA/AZ/az001.dat"), "");
    writeFile(disc.file("data/Pacific/GU/GU001.DAT"), ""); // never reached: DATA exists exactly
    const std::string root = disc.path();

    EXPECT_EQ(ds::countyListPath(root, "AZ"), root + "/DATA/AZ/county.AZ");
    EXPECT_EQ(ds::countyListPath(root, "az"), root + "/DATA/AZ/county.AZ");
    EXPECT_EQ(ds::countyDataPath(root, "AZ", "AZ001.DAT"), root + "/DATA/AZ/az001.dat");
    EXPECT_EQ(ds::countyDataPath(root, "az", "AZ001.DAT"), root + "/DATA/AZ/az001.dat");

    // Names not on the disc: the path as built, the code as typed.
    EXPECT_EQ(ds::countyListPath(root, "nm"), root + "/DATA/nm/county.nm");
    EXPECT_EQ(ds::countyListPath(root, "GU"), root + "/DATA/Pacific/GU/county.GU");
    EXPECT_EQ(ds::countyListPath(root, "SR"), root + "/DATA/OUTSIDE/SR/county.SR");
    EXPECT_EQ(ds::countyDataPath(root, "AZ", "AZ009.DAT"), root + "/DATA/AZ/AZ009.DAT");
    EXPECT_EQ(ds::countyDataPath(root, "TD", "TD000.dat"), root + "/DATA/OUTSIDE/TD/TD000.dat");

    // A long path is never cut.
    const std::string deep = disc.file(std::string(200, 'd'));
    writeFile(deep + "/DATA/AZ/AZ001.DAT", "");
    EXPECT_EQ(ds::countyDataPath(deep, "AZ", "AZ001.DAT"), deep + "/DATA/AZ/AZ001.DAT");

    // A code in no table has no paths.
    EXPECT_EQ(ds::countyListPath(root, "ZZ"), "");
    EXPECT_EQ(ds::countyDataPath(root, "ZZ", "ZZ001.DAT"), "");
    EXPECT_EQ(ds::countyListPath(root, ""), "");
}

TEST(CdromPaths, CountyFileNamesThatLeaveTheDirectory)
{
    EXPECT_TRUE(ds::isPlainCountyFile("AZ001.DAT"));
    EXPECT_TRUE(ds::isPlainCountyFile("")); // nothing picked: the load reports it
    for (const char* name : {"../AZ.DAT", "..", "AZ/01.DAT", "/etc/pass", "..\\A.DAT", "AZ..1.DAT"})
        EXPECT_FALSE(ds::isPlainCountyFile(name)) << name;
}

TEST(CdromCounties, TerritoryFileStandsInForTheCountyList)
{
    testsupport::TempDir disc;
    writeFile(disc.file("DATA/Pacific/GU/gu000.DAT"), "");
    writeFile(disc.file("DATA/OUTSIDE/SR/SR000.dat"), "");
    writeFile(disc.file("DATA/AZ/AZ000.dat"), "");
    makeDir(disc.file("DATA/Pacific/AS/AS000.dat")); // a directory is no file
    const std::string root = disc.path();

    EXPECT_EQ(ds::territoryEntry(root, "GU", "GUAM"), "GU000.dat | GUAM");
    EXPECT_EQ(ds::territoryEntry(root, "SR", ""), "SR000.dat | ");
    EXPECT_EQ(ds::territoryEntry(root, "AZ", "ARIZONA"), ""); // states have no fallback
    EXPECT_EQ(ds::territoryEntry(root, "AS", "AMERICAN SAMOA"), "");
    EXPECT_EQ(ds::territoryEntry(root, "WQ", "WAKE ISLAND"), "");
    EXPECT_EQ(ds::territoryEntry(root, "ZZ", ""), "");
}

TEST(CdromCounties, CountyListLinesUnchanged)
{
    testsupport::TempDir disc;
    const std::string longLine = "AZ003.DAT | " + std::string(190, 'C');
    writeFile(disc.file("county.AZ"), "AZ001.DAT | APACHE  \r\n" + longLine +
                                          "\r\nAZ005.DAT | COCONINO\nAZ007.DAT | G\xC9LA\r\n\r\nAZ009.DAT | LAST");
    std::vector<std::string> lines;
    ASSERT_TRUE(ds::readCountyList(disc.file("county.AZ"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"AZ001.DAT | APACHE  ", longLine, "AZ005.DAT | COCONINO",
                                               "AZ007.DAT | G\xC9LA", "", "AZ009.DAT | LAST"}));

    EXPECT_FALSE(ds::readCountyList(disc.file("county.NM"), lines));
    EXPECT_FALSE(ds::readCountyList("", lines));
    EXPECT_FALSE(ds::readCountyList(disc.path(), lines));
}

} // namespace
