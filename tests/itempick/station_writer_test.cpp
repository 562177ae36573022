// Kavro's ITEMPICK save of single-value items: the header and one record a
// station, read from the data file at each station's offset.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "datasheet/list_save.h"
#include "itempick/core/item_writer.h"
#include "platform/progress.h"
#include "tests/itempick/item_test_support.h"
#include "tests/support/test_files.h"

namespace {

using itemtest::save;
using itemtest::settingsFor;
using itemtest::stationOffsets;
using itempick::ItemSession;
using itempick::Settings;
using itempick::StationItemWriter;

const std::string kTwo = testsupport::fixture("itempick_two.dat");

Settings positionItems()
{
    return settingsFor({"DESIGNATION", "PID", "STATE", "COUNTY", "HORZ_DATUM", "DATUM_TAG", "LATITUDE",
                        "LATITUDE_DIR", "LONGITUDE", "LONGITUDE_DIR", "POS_SRC"});
}

TEST(StationWriter, HeaderThenOneRecordPerStation)
{
    EXPECT_EQ(save(kTwo, positionItems(), {"MX4260", "MX4261"}),
              "DESIGNATION|PID|STATE|COUNTY|HORZ_DATUM|DATUM_TAG|LATITUDE|LATITUDE_DIR|LONGITUDE|LONGITUDE_DIR|"
              "POS_SRC\r\n"
              "WELL 40|MX4260|KS|RENO|NAD 83 |1992|38 47 48.99469|N|098 12 30.87742|W|ADJUSTED\r\n"
              "2320 LEDGE|MX4261|US|RENO|NAD 83 |2007|37 13 37.13137|N|098 16 08.85484|W|ADJUSTED\r\n");
}

TEST(StationWriter, HeaderOnlyAtIndexZeroAndWhenAsked)
{
    Settings settings = settingsFor({"PID", "STATE"});
    EXPECT_EQ(save(kTwo, settings, {"MX4261", "MX4260"}), "PID|STATE\r\nMX4261|US\r\nMX4260|KS\r\n");
    settings.includeHeader = false;
    EXPECT_EQ(save(kTwo, settings, {"MX4261"}), "MX4261|US\r\n");
}

TEST(StationWriter, FixedFieldCutsAndPadsNamesAndValues)
{
    Settings settings = settingsFor({"PID", "STATE", "MAGNETIC", itempick::kSeparator, "GPS_SUITABILITY",
                                     "LAST REC_DATE", "LAST REC_COND", "SPC_MT", "DESIGNATION"});
    settings.fixedField = true;
    settings.fieldDelim = ',';
    const std::string out = save(kTwo, settings, {"MX4260"});
    const std::string header = out.substr(0, out.find("\r\n"));
    EXPECT_EQ(header, "PID   ,ST,M,------------------  ,G|SUIT_DAT,LAST REC,REC_COND,"
                      "ZONE      |NORTHING     |EASTING      |UNT|SCALE.     |CONVERG.  ,DESIGNATION" +
                          std::string(24, ' '));
}

TEST(StationWriter, DecimalDegreesInAnyLocale)
{
    Settings settings = settingsFor({"LATITUDE", "LONGITUDE"});
    settings.positionFormat = itempick::kDecimalDegreePositions;
    settings.decimals = "7 decimals";
    settings.westSign = 1;
    settings.includeHeader = false;
    const std::string expected = "38.7969430|-98.2085771\r\n";
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}), expected);

    // A locale whose decimal point is a comma (made here: test machines
    // rarely have one installed) changes no byte.
    testsupport::TempDir dir;
    const std::string command = "localedef -i de_DE -f UTF-8 " + dir.file("de_DE.UTF-8") + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "localedef cannot make de_DE.UTF-8";
    ::setenv("LOCPATH", dir.path().c_str(), 1);
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::string german = save(kTwo, settings, {"MX4260"});
    std::setlocale(LC_ALL, previous.c_str());
    ::unsetenv("LOCPATH");
    EXPECT_EQ(german, expected);
}

TEST(StationWriter, EastLongitudesTakeTheEastSign)
{
    // A Guam station: east longitude, north latitude.
    testsupport::TempDir dir;
    const std::string path = dir.file("guam.dat");
    testsupport::writeFile(
        path, "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\r\n"
              " TT0001  DESIGNATION -  OROTE\r\n"
              " TT0001* NAD 83(1993)-  13 26 30.12345(N)    144 37 45.67890(E)     ADJUSTED\r\n");
    Settings settings = settingsFor({"PID", "LATITUDE", "LONGITUDE", "LONGITUDE_DIR"});
    settings.items[0] = {"DESIGNATION", 35};
    settings.positionFormat = itempick::kDecimalDegreePositions;
    settings.decimals = "6 decimals";
    settings.includeHeader = false;
    settings.westSign = 1;
    EXPECT_EQ(save(path, settings, {"TT0001"}), "OROTE|13.441701|144.629355|E\r\n");
    settings.westSign = 0;
    EXPECT_EQ(save(path, settings, {"TT0001"}), "OROTE|13.441701|-144.629355|E\r\n");
}

TEST(StationWriter, MissingGridLinesKeepTheirColumns)
{
    // A station without plane-coordinate or combined-factor lines: the items
    // still take the columns their header names, all empty.
    testsupport::TempDir dir;
    const std::string path = dir.file("nogrid.dat");
    testsupport::writeFile(path, "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\r\n"
                                 " TT0001  PID         -  TT0001\r\n"
                                 " TT0001  STATE/COUNTY-  KS/RENO\r\n");
    Settings settings = settingsFor({"PID", "SPC_SFT", "UTM_COMBINED_FACTOR", "STATE"});
    EXPECT_EQ(save(path, settings, {"TT0001"}),
              "PID|ZONE|NORTHING|EASTING|UNITS|SCALE FACTOR|CONVERGENCE|ZONE|ELEV_FACTOR|SCAL_FACTOR|COMB_FACTOR|STATE\r\n"
              "TT0001|||||||||||KS\r\n");
    settings.fixedField = true;
    const auto blanks = [](int n) { return std::string(n, ' '); };
    EXPECT_EQ(save(path, settings, {"TT0001"}),
              "PID   |ZONE      |NORTHING     |EASTING      |UNT|SCALE.     |CONVERG.  |"
              "ZONE      |ELEV_FACTOR|SCAL_FACTOR|COMB_FACTOR|ST\r\n"
              "TT0001|" + blanks(10) + "|" + blanks(13) + "|" + blanks(13) + "|" + blanks(3) + "|" + blanks(11) + "|" +
                  blanks(10) + "|" + blanks(10) + "|" + blanks(11) + "|" + blanks(11) + "|" + blanks(11) + "|KS\r\n");
}

TEST(StationWriter, LongLineChangesNoField)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("long.dat");
    std::string bytes = testsupport::readFile(kTwo);
    // A 300-character line after the station's third line.
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i)
        at = bytes.find('\n', at) + 1;
    bytes.insert(at, " MX4260." + std::string(292, 'x') + "\r\n");
    testsupport::writeFile(path, bytes);
    const Settings settings = positionItems();
    EXPECT_EQ(save(path, settings, {"MX4260", "MX4261"}), save(kTwo, settings, {"MX4260", "MX4261"}));
}

TEST(StationWriter, MissingOffsetOrFileSkipsTheStation)
{
    const Settings settings = settingsFor({"PID"});
    platform::RecordingNotices notices;
    // The first station's lookup fails: no header either.
    EXPECT_EQ(save(kTwo, settings, {"ZZ9999", "MX4260"}, notices), "MX4260\r\n");
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Offset Location not found for ZZ9999", false}}));

    testsupport::TempDir dir;
    const std::string missing = dir.file("gone.dat");
    testsupport::writeFile(missing, testsupport::readFile(kTwo));
    const auto offsets = stationOffsets(testsupport::readFile(kTwo));
    std::filesystem::remove(missing);
    notices.clear();
    const ItemSession session(itempick::kKavroItems, settings);
    StationItemWriter writer(session, missing, [&](std::string_view pid) { return offsets.at(std::string(pid)); },
                             notices);
    std::string out = "kept\r\n";
    // The writer reports the failure: the save stops there. What the call
    // began (the header) is taken back.
    EXPECT_FALSE(writer.WriteStationItems("MX4260", 0, out));
    EXPECT_EQ(out, "kept\r\n");
    const platform::Notice cannotOpen{"NOTICE", "Cannot Open file " + missing + " for read.", false};
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{cannotOpen}));
}

TEST(StationWriter, AFileThatOpensButCannotBeReadIsAFailure)
{
    // Reading this process's memory file from offset 0 fails with an I/O
    // error, although the file opens.
    const std::string unreadable = "/proc/self/mem";
    platform::RecordingNotices notices;
    const ItemSession session(itempick::kKavroItems, settingsFor({"PID"}));
    StationItemWriter writer(session, unreadable, [](std::string_view) { return std::int64_t{0}; }, notices);
    std::string out;
    EXPECT_FALSE(writer.WriteStationItems("MX4260", 0, out));
    EXPECT_EQ(out, "");
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + unreadable + " for read.", false}}));

    // Through the save: one notice, the target as it was, no success.
    testsupport::TempDir dir;
    const std::string target = dir.file("items.txt");
    testsupport::writeFile(target, "old\r\n");
    notices.clear();
    StationItemWriter saving(session, unreadable, [](std::string_view) { return std::int64_t{0}; }, notices);
    ds::ListSave request;
    request.target = target;
    request.format = ds::kItemPickFormat;
    request.dataPath = unreadable;
    request.itemHeader = "PID";
    int calls = 0;
    request.stationItems = [&](std::string_view pid, std::size_t index, std::string& records) {
        ++calls;
        return saving.WriteStationItems(pid, index, records);
    };
    platform::NullProgress progress;
    for (bool append : {false, true}) {
        request.append = append;
        calls = 0;
        notices.clear();
        EXPECT_FALSE(ds::saveList({"     |MX4260|", "     |MX4261|", "     |MX4262|"}, request, notices, progress));
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + unreadable + " for read.", false}}));
        EXPECT_EQ(testsupport::readFile(target), "old\r\n");
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, (std::vector<std::string>{"items.txt"})); // no temporary file left
    }
}

TEST(StationWriter, GpsSuitabilityJoinsLetterAndDate)
{
    Settings settings = settingsFor({"GPS_SUITABILITY", "PID"});
    settings.includeHeader = false;
    EXPECT_EQ(save(kTwo, settings, {"MX4260", "MX4261"}), "Y|199101 3|MX4260\r\nY|1990|MX4261\r\n");
    settings.fixedField = true;
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}), "Y|199101 3|MX4260\r\n");
    // Without satellite lines: two empty fields.
    testsupport::TempDir dir;
    const std::string path = dir.file("bare.dat");
    testsupport::writeFile(path, "1        Quarndale Geomark Bureau,\r\n AB1234  PID         -  AB1234\r\n");
    EXPECT_EQ(save(path, settings, {"AB1234"}), " |        |AB1234\r\n");
    settings.fixedField = false;
    EXPECT_EQ(save(path, settings, {"AB1234"}), "||AB1234\r\n");
}

} // namespace
