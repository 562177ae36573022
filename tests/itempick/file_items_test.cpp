// Morvane's ITEMPICK join of whole files: the header once, then one record
// per station that passes the type code, in file order.
#include <gtest/gtest.h>

#include <algorithm>

#include "itempick/core/item_writer.h"
#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::join;
using itemtest::line;
using itemtest::settingsFor;
using itempick::Settings;

const std::string kKansas = std::string(DS_FIXTURES_DIR) + "/../../samples/disk/kansas.txt";
const std::string kTwo = testsupport::fixture("itempick_two.dat");

Settings morvane(std::initializer_list<std::string_view> names)
{
    return settingsFor(names, itempick::kMorvaneItems);
}

TEST(FileItems, HeaderThenEveryStationInFileOrder)
{
    const std::string out = join({kKansas}, morvane({"PID", "STATE"}), "X-0");
    EXPECT_EQ(out, testsupport::readFile(testsupport::fixture("itempick_join_kansas.txt")));
}

TEST(FileItems, TypeCodeKeepsOnlyItsStations)
{
    // The three stations with a SACS line.
    EXPECT_EQ(join({kKansas}, morvane({"PID", "STATE"}), "SAC"), "PID|STATE\r\nMX4260|KS\r\nMX4264|KS\r\nMX4278|KS\r\n");
}

TEST(FileItems, LfOnlyInputGivesTheSameBytes)
{
    testsupport::TempDir dir;
    std::string bytes = testsupport::readFile(kKansas);
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\r'), bytes.end());
    const std::string lfOnly = dir.file("kansas_lf.txt");
    testsupport::writeFile(lfOnly, bytes);
    const Settings settings = morvane({"PID", "ALL HISTORY", "SUPER_NAD83_DATA", "RECOVERY TEXT", "STATE"});
    for (const char* code : {"X-0", "H-1"})
        EXPECT_EQ(join({lfOnly}, settings, code), join({kKansas}, settings, code)) << code;
}

TEST(FileItems, SupersededItemsTakeADoubleDelimiter)
{
    Settings settings = morvane({"PID", "SUPER_NAD83_DATA", "SUPER_NAVD88_DATA"});
    settings.includeHeader = false;
    EXPECT_EQ(join({kTwo}, settings, "X-0"),
              "MX4260|NAD 83|1986|38 47 50.69606|N|098 12 31.74075|W|AD(       )|2||"
              "NAVD 88|09/09/97|   876.35|ADJUSTED   |1|2|\r\n"
              // Without superseded lines: the eight empty fields of the
              // NAD 83 header, the second delimiter, the one of NAVD 88.
              "MX4261|||||||||||\r\n");
}

TEST(FileItems, MorvaneHistoryAndHeaders)
{
    Settings settings = morvane({"PID", "ALL HISTORY", "LAST REC_COND", "STATE"});
    const std::string out = join({kTwo}, settings, "X-0");
    EXPECT_EQ(out.substr(0, out.find("\r\n")), "PID|PID|REC_DATE|CONDITION|AGENCY|LAST REC_COND|STATE");
    // Untrimmed fixed fields; 16 characters of the condition.
    EXPECT_NE(out.find("MX4260|MX4260|1986    |MONUMENTED    |QGB\r\nMX4260|19940902|GOOD          |QGB\r\n"),
              std::string::npos);
    EXPECT_NE(out.find("MX4260|2003    |GOOD          |QGB\r\nGOOD|KS\r\n"), std::string::npos);
    settings.fixedField = true;
    settings.items = morvane({"LAST REC_DATE", "SUPER_NAD83_DATA", "SUPER_1927_DATA", "GPS_SUITABILITY"}).items;
    const std::string fixed = join({kTwo}, settings, "X-0");
    EXPECT_EQ(fixed.substr(0, fixed.find("\r\n")),
              "LAST REC|SUPDtm|STag|SUP83_LAT|D|SUP83_LON|D|SUP83_SRC  |O|"
              "SUPDtm|SUP27_LAT|D|SUP27_LON|D|SUP27_SRC  |O|G|SUIT_DAT");
}

TEST(FileItems, AStationThatFailsTheTypeWritesNothing)
{
    // Even a delimiter that is a letter leaves no line for it.
    Settings settings = morvane({"GPS_SUITABILITY", "LAST HISTORY"});
    settings.includeHeader = false;
    settings.fieldDelim = 'x';
    EXPECT_EQ(join({kTwo}, settings, "SAC"), "Yx199101 3x2003    xGOOD          xQGBx\r\n");
}

TEST(FileItems, IndexesEveryHeaderLine)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("two_headers.dat");
    const std::string header = "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\n";
    testsupport::writeFile(path, header + header + line({{7, "  PID         - "}, {24, "AB0001"}}, "AB0001") + "\n" +
                                     header + line({{7, "  PID         - "}, {24, "AB0002"}}, "AB0002") + "\n");
    Settings settings = morvane({"PID"});
    settings.includeHeader = false;
    EXPECT_EQ(join({path}, settings, "X-0"), "AB0001\r\nAB0002\r\n");
}

TEST(FileItems, HeaderOffWritesRecordsOnly)
{
    Settings settings = morvane({"PID"});
    settings.includeHeader = false;
    EXPECT_EQ(join({kTwo, kTwo}, settings, "X-0"), "MX4260\r\nMX4261\r\nMX4260\r\nMX4261\r\n");
    settings.includeHeader = true;
    EXPECT_EQ(join({kTwo, kTwo}, settings, "X-0"), "PID\r\nMX4260\r\nMX4261\r\nMX4260\r\nMX4261\r\n");
}

TEST(FileItems, LongRecordsArriveWhole)
{
    // A single-line record of 200 text lines: far over any line buffer.
    testsupport::TempDir dir;
    const std::string path = dir.file("long.dat");
    std::string bytes = "1        Quarndale Geomark Bureau,\r\n";
    bytes += line({{7, "  PID         - "}, {24, "AB1234"}}) + "\r\n";
    for (int i = 0; i < 200; ++i)
        bytes += line({{7, "'" + std::string(70, static_cast<char>('A' + i % 26))}}) + "\r\n";
    testsupport::writeFile(path, bytes);
    Settings settings = morvane({"PID", "RECOVERY TEXT"});
    settings.includeHeader = false;
    settings.singleLine = true;
    const std::string out = join({path}, settings, "X-0");
    EXPECT_EQ(out.size(), 6 + 1 + 200 * 71 + 2u);
    EXPECT_EQ(out.substr(0, 9), "AB1234|AA");
    EXPECT_EQ(out.substr(out.size() - 5), "RR~\r\n");
}

} // namespace
