// Loading stations: list lines, exact header offsets, the end-of-file rule.
#include <gtest/gtest.h>

#include "datasheet/list_lines.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "tests/support/test_files.h"

namespace {

const std::string kHeader = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004";

std::string pad(std::string line, std::size_t column, const std::string& text)
{
    line.resize(std::max(line.size(), column), ' ');
    return line + text;
}

std::vector<std::string> station(const std::string& pid, const std::string& name, bool withOrders = true)
{
    std::vector<std::string> lines{kHeader, " " + pid + "  DESIGNATION -  " + name,
                                   " " + pid + "  PID         -  " + pid,
                                   pad(pad(" " + pid + "* NAD 83(1992)-", 24, "32 13 45.12345(N)"), 45,
                                       "110 58 12.34567(W)    ADJUSTED")};
    if (withOrders) {
        lines.push_back(" " + pid + "  HORZ ORDER  -  FIRST");
        lines.push_back(" " + pid + "  VERT ORDER  -  SECOND    CLASS 0");
    }
    lines.push_back(" " + pid + "  DESCRIPTION - a mark in the ground");
    return lines;
}

std::string join(const std::vector<std::vector<std::string>>& stations, const char* eol)
{
    std::string text;
    for (const auto& s : stations)
        for (const auto& line : s)
            text += line + eol;
    return text;
}

ds::LoadedStations load(const std::string& path)
{
    ds::LoadedStations out;
    platform::NullProgress progress;
    EXPECT_TRUE(ds::loadStations(path, ds::kKavro, progress, out));
    return out;
}

TEST(LoadStations, ListAndLocLinesWithExactOffsetsForAnyLineEnd)
{
    for (const char* eol : {"\r\n", "\n"}) {
        testsupport::TempDir dir;
        auto a = station("AB1234", "FIRST MARK");
        auto b = station("CD5678", "SECOND MARK", false);
        std::string text = join({a, b}, eol);
        testsupport::writeFile(dir.file("f.dat"), text);
        auto out = load(dir.file("f.dat"));
        ASSERT_EQ(out.listLines.size(), 2u);
        EXPECT_EQ(out.listLines[0], "     |AB1234|1-2|32 13 45.1|110 58 12.3|FIRST MARK");
        EXPECT_EQ(out.listLines[1], "     |CD5678| - |32 13 45.1|110 58 12.3|SECOND MARK");
        std::size_t second = text.find(kHeader, 1);
        EXPECT_EQ(out.locLines[0], "AB1234|0");
        EXPECT_EQ(out.locLines[1], "CD5678|" + std::to_string(second));
    }
}

TEST(LoadStations, LastAndMiddleStationsWithoutDesignation)
{
    testsupport::TempDir dir;
    std::vector<std::string> nameless{kHeader, " EF9012  PID         -  EF9012"};
    testsupport::writeFile(dir.file("f.dat"),
                           join({station("AB1234", "ONE"), nameless, station("CD5678", "TWO"), nameless}, "\r\n"));
    auto out = load(dir.file("f.dat"));
    ASSERT_EQ(out.listLines.size(), 3u); // the nameless last station is dropped
    EXPECT_EQ(out.listLines[1], "     |      | - |          |           |");
    EXPECT_EQ(out.locLines[1].substr(0, 7), "      |");
    EXPECT_EQ(out.listLines[2].substr(6, 6), "CD5678");
}

TEST(LoadStations, LabelsBeforeTheFirstHeaderAndIgnoredLines)
{
    testsupport::TempDir dir;
    std::vector<std::string> before{" ZZ0001  DESIGNATION -  STRAY", " ZZ0001  HORZ ORDER  -  THIRD",
                                    " ZZ0001  VERT ORDER  -  FIRST"};
    auto a = station("AB1234", "ONE", false);
    a.insert(a.begin() + 2, " 1B1234  HORZ ORDER  -  SECOND"); // digit at index 1: ignored
    a.insert(a.begin() + 2, " aB1234  HORZ ORDER  -  SECOND"); // lower case: ignored
    testsupport::writeFile(dir.file("f.dat"), join({before, a}, "\r\n"));
    auto out = load(dir.file("f.dat"));
    ASSERT_EQ(out.listLines.size(), 1u);
    // The station's own DESIGNATION overwrites the stray one; the orders it lacks stay.
    EXPECT_EQ(out.listLines[0], "     |AB1234|3-1|32 13 45.1|110 58 12.3|ONE");
    EXPECT_EQ(out.locLines[0], "AB1234|" + std::to_string(join({before}, "\r\n").size()));
}

TEST(LoadStations, TypeTestKeepsOnlyPassingStationsAndProgressFollowsStations)
{
    testsupport::TempDir dir;
    std::vector<std::vector<std::string>> stations;
    for (int i = 0; i < 45; ++i)
        stations.push_back(station("AB" + std::to_string(1000 + i), "MARK " + std::to_string(i)));
    std::string text = join(stations, "\r\n");
    testsupport::writeFile(dir.file("f.dat"), text);

    platform::RecordingProgress progress;
    ds::LoadedStations out;
    std::vector<std::uint64_t> asked;
    ASSERT_TRUE(ds::loadStations(dir.file("f.dat"), ds::kKavro, progress, out,
                                 [&](std::string_view pid, std::uint64_t offset) {
                                     EXPECT_EQ(pid, "AB" + std::to_string(1000 + asked.size()));
                                     EXPECT_EQ(text.compare(offset, kHeader.size(), kHeader), 0);
                                     asked.push_back(offset);
                                     return asked.size() % 2 == 1;
                                 }));
    EXPECT_EQ(asked.size(), 45u);
    ASSERT_EQ(out.listLines.size(), 23u);
    EXPECT_EQ(out.listLines[1].substr(6, 6), "AB1002");
    // Stations 1, 20 and 40 move the bar, to 100 x header offset / size.
    ASSERT_EQ(progress.values.size(), 3u);
    EXPECT_EQ(progress.values[0], 0);
    EXPECT_EQ(progress.values[1], static_cast<int>(100.0 * asked[19] / text.size()));
    EXPECT_EQ(progress.values[2], static_cast<int>(100.0 * asked[39] / text.size()));
}

TEST(LoadStations, MissingFileAndOneStationFile)
{
    testsupport::TempDir dir;
    ds::LoadedStations out;
    platform::NullProgress progress;
    EXPECT_FALSE(ds::loadStations(dir.file("none"), ds::kKavro, progress, out));
    EXPECT_TRUE(out.listLines.empty());
    // Opens, but reading fails (this process's memory file at offset 0).
    EXPECT_FALSE(ds::loadStations("/proc/self/mem", ds::kKavro, progress, out));
    EXPECT_TRUE(out.listLines.empty());
    EXPECT_TRUE(out.locLines.empty());

    testsupport::writeFile(dir.file("one.dat"), join({station("AB1234", "ONE")}, "\r\n"));
    out = load(dir.file("one.dat"));
    ASSERT_EQ(out.locLines.size(), 1u);
    EXPECT_EQ(out.locLines[0], "AB1234|0");
}

TEST(ListLines, FormatsCutAndPadFields)
{
    EXPECT_EQ(ds::MakeListLine("   ->", "AB1234", "A", "", "1234567890123", "12345678901234", "NAME  "),
              "   ->|AB1234|A- |1234567890|12345678901|NAME  ");
    EXPECT_EQ(ds::MakeListLine("12.5", "AB", "", "3", "", "", ""), " 12.5|AB    | -3|          |           |");
    EXPECT_EQ(ds::MakeListLine("NEW", "AB1234", "1", "2", "", "", "X", 6),
              "   NEW|AB1234|1-2|          |           |X");
    EXPECT_EQ(ds::MakeLocLine("AB12345", 1234567890123), "AB1234|1234567890123");
}

TEST(OffsetIndex, FirstMatchWinsAndFollowsListChanges)
{
    platform::LineList locs;
    locs.assign({"AB1234|10", "CD5678|20", "AB1234|30", "      |40"});
    ds::OffsetIndex index(locs);
    EXPECT_EQ(index.find("AB1234"), 10);
    EXPECT_EQ(index.find("CD5678"), 20);
    EXPECT_EQ(index.find("      "), 40);
    EXPECT_EQ(index.find("ZZ9999"), -1);
    locs.remove(0);
    EXPECT_EQ(index.find("AB1234"), 30);
    locs.assign({"EF9012|  77"});
    EXPECT_EQ(index.find("AB1234"), -1);
    EXPECT_EQ(index.find("EF9012"), 77);
}

} // namespace
