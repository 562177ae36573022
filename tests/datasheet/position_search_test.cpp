// Area and point-radius searches: the input checks, the box and the chord
// distance, and the two scans over station-list lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datasheet/list_lines.h"
#include "datasheet/position_search.h"
#include "platform/progress.h"

namespace {

struct CheckCase {
    const char* text;
    int result;
};

TEST(PositionChecks, Latitude)
{
    const CheckCase cases[] = {
        {"37 00 00", 0},   {"90 00 00", 0},   {"00 00 00", 0},    {"59 59 59", 0},
        {" 9 00 00", 0},   // leading blank skipped by the read
        {"37 00 00.5", 0}, // what follows the seconds is not looked at
        {"91 00 00", 1},   {"37 60 00", 1},   {"37 00 60", 1},    {"-1 00 00", 1},
        {"37 5 00 ", 1},   // one-digit minutes: no blank at index 5
        {"7 00 00", 1},    // one-digit degrees: 7 characters
        {"37:00:00", 1},   {"3a 00 00", 1},   {"37 xx 00", 1},    {"        ", 1}, {"", 1},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(ds::CheckLatitude(c.text), c.result) << '"' << c.text << '"';
}

TEST(PositionChecks, Longitude)
{
    const CheckCase cases[] = {
        {"098 59 59", 0}, {"359 59 59", 0}, {"000 00 00", 0}, {" 98 00 00", 0}, {"098 00 00.25", 0},
        {"360 00 00", 1}, {"098 60 00", 1}, {"098 00 60", 1},
        {"98 59 59", 1},  // two-digit degrees
        {"98 59 59 ", 1}, // ... even at 9 characters: no blank at index 3
        {"098 5 59 ", 1}, {"0a8 00 00", 1}, {"         ", 1}, {"", 1},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(ds::CheckLongitude(c.text), c.result) << '"' << c.text << '"';
}

TEST(PositionChecks, Radius)
{
    const CheckCase cases[] = {
        {"0.1", 0},  {".1", 0},    {"99.9", 0}, {"1.5", 0}, {" 1.5", 0}, {"2", 0},
        {"1.5x", 0}, // the conversion stops at the first character that is no number
        {"0", 1},    {"0.05", 1},  {"100", 1},  {"abc", 1}, {"-1", 1},   {"", 1}, {" ", 1},
        {"1.500", 1}, // five characters, whatever their value
        {"  1.5", 1},
        // A decimal number only: no hexadecimal, infinity or NaN.
        {"0x5A", 1}, {"0X1", 1}, {"inf", 1}, {"nan", 1}, {"1e1", 0}, {"1e", 0},
    };
    for (const CheckCase& c : cases)
        EXPECT_EQ(ds::CheckRadius(c.text), c.result) << '"' << c.text << '"';
}

TEST(PositionChecks, CanonicalFormsOfPassingTexts)
{
    EXPECT_EQ(ds::canonicalLatitude(" 9 00 00"), "09 00 00");
    EXPECT_EQ(ds::canonicalLatitude("37 00 00.5"), "37 00 00");
    EXPECT_EQ(ds::canonicalLatitude("37 59 59"), "37 59 59");
    EXPECT_EQ(ds::canonicalLongitude(" 98 00 00"), "098 00 00");
    EXPECT_EQ(ds::canonicalLongitude("  8 05 01"), "008 05 01");
    EXPECT_EQ(ds::positionInput("37 00 00.123456789"), "37 00 00.123456");
}

TEST(PositionBox, EdgesAreClosedAtTheMinimumAndOpenAtTheMaximum)
{
    struct Case {
        const char* lat;
        const char* lon;
        int inside;
    } cases[] = {
        {"37 30 00", "098 30 00", 1}, {"37 00 00", "098 30 00", 1}, {"37 59 59", "098 30 00", 0},
        {"37 30 00", "098 00 00", 1}, {"37 30 00", "098 59 59", 0}, {"37 00 00", "098 00 00", 1},
        {"36 59 59", "098 30 00", 0}, {"37 30 00", "097 59 59", 0}, {"37 30 00", "099 00 00", 0},
        {"        ", "098 30 00", 0}, {"37 30 00", "         ", 0}, {"", "", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ds::InBox(c.lat, c.lon, "37 00 00", "37 59 59", "098 00 00", "098 59 59"), c.inside)
            << c.lat << " / " << c.lon;
    // Minimum above maximum: nothing is inside.
    EXPECT_EQ(ds::InBox("37 30 00", "098 30 00", "37 59 59", "37 00 00", "098 00 00", "098 59 59"), 0);
}

TEST(PositionDistance, DegreeConversions)
{
    EXPECT_DOUBLE_EQ(ds::DmsToDegrees(38, 59, 59), 38.0 + 59.0 / 60.0 + 59.0 / 3600.0);
    EXPECT_DOUBLE_EQ(ds::DmsToDegrees(0, 30, 0), 0.5);
    EXPECT_DOUBLE_EQ(ds::DegToRad(180.0), 3.14159265);
    EXPECT_DOUBLE_EQ(ds::DegToRad(90.0), 3.14159265 / 2.0);
}

// Chord lengths in miles between GRS80 positions at height 0, computed
// independently (geocentric coordinates from a^2/sqrt(a^2 cos^2 + b^2 sin^2),
// Python math.dist). Degrees become radians with pi as 3.14159265 there too:
// far from longitude 0 that shortcut moves a position by centimetres, which
// shows in the last two cases.
struct ChordCase {
    double lat1, lon1, lat2, lon2;
    double miles;
    const char* tag;
};

double dms(int d, int m, int s)
{
    return d + m / 60.0 + s / 3600.0;
}

TEST(PositionDistance, ChordLengthsAgreeWithAnIndependentComputation)
{
    const ChordCase cases[] = {
        {dms(38, 59, 59), dms(98, 59, 59), dms(39, 0, 59), dms(98, 59, 59), 1.1496963312460562, "  1.1"},
        {dms(38, 59, 59), dms(98, 59, 59), dms(38, 59, 59), dms(99, 0, 59), 0.8971209182831444, "  0.9"},
        {dms(38, 59, 59), dms(98, 59, 59), dms(38, 58, 0), dms(99, 1, 0), 2.4559464755564777, "  2.5"},
        {dms(37, 0, 0), dms(98, 0, 0), dms(38, 0, 0), dms(99, 0, 0), 88.17265303990217, " 88.2"},
        {0, 0, dms(0, 1, 0), dms(0, 1, 0), 1.624918368125776, "  1.6"},
        // Across the pole and across longitude 0: the chord is the true one.
        {dms(89, 59, 0), 0, dms(89, 59, 0), 180, 2.3134570137659654, "  2.3"},
        {45, dms(359, 59, 30), 45, dms(0, 0, 30), 0.8165710591949238, "  0.8"},
    };
    for (const ChordCase& c : cases) {
        std::string tag;
        // Inside a radius a hair longer, outside one a hair shorter: the
        // distance is within 1e-6 miles of the independent value.
        EXPECT_EQ(ds::ChordDistance(c.lat1, c.lon1, c.lat2, c.lon2, c.miles - 1e-6, tag), 0) << c.miles;
        EXPECT_EQ(tag, "");
        EXPECT_EQ(ds::ChordDistance(c.lat1, c.lon1, c.lat2, c.lon2, c.miles + 1e-6, tag), 1) << c.miles;
        EXPECT_EQ(tag, c.tag);
        // The distance does not depend on which point comes first.
        std::string reversed;
        EXPECT_EQ(ds::ChordDistance(c.lat2, c.lon2, c.lat1, c.lon1, c.miles + 1e-6, reversed), 1);
        EXPECT_EQ(reversed, c.tag);
    }
}

TEST(PositionDistance, TheCircleIncludesItsEdge)
{
    std::string tag = "stale";
    EXPECT_EQ(ds::ChordDistance(38.5, 98.5, 38.5, 98.5, 0.0, tag), 1);
    EXPECT_EQ(tag, "  0.0");
}

TEST(PositionDistance, InRadiusReadsTheTexts)
{
    std::string tag;
    EXPECT_EQ(ds::InRadius("38 59 59", "39 00 59", "098 59 59", "098 59 59", 1.5, tag), 1);
    EXPECT_EQ(tag, "  1.1");
    tag.clear();
    EXPECT_EQ(ds::InRadius("38 59 59", "39 00 59", "098 59 59", "098 59 59", 1.1, tag), 0);
    EXPECT_EQ(tag, "");
    // Just inside: 1.14970 miles against a radius of 1.1497.
    EXPECT_EQ(ds::InRadius("38 59 59", "39 00 59", "098 59 59", "098 59 59", 1.1497, tag), 1);
}

TEST(PositionDistance, AStationWithoutAPositionIsInsideWithABlankTag)
{
    for (const auto& [lat, lon] : std::vector<std::pair<std::string, std::string>>{
             {"        ", "         "}, {"", ""}, {"        ", "098 59 59"}, {"38 59 59", "         "}}) {
        std::string tag;
        EXPECT_EQ(ds::InRadius("38 59 59", lat, "098 59 59", lon, 0.1, tag), 1) << '"' << lat << '"';
        EXPECT_EQ(tag, "");
    }
}

std::string station(const char* pid, const char* lat, const char* lon, const char* tag = "")
{
    return ds::MakeListLine(tag, pid, "2", "1", lat, lon, std::string("MARK ") + pid);
}

TEST(PositionScan, AreaScanKeepsTheLinesAndAsksOnlyAboutStationsInside)
{
    const std::vector<std::string> lines = {
        station("AA0001", "37 30 00.1", "098 30 00.1", "   ->"),
        station("AA0002", "38 30 00.1", "098 30 00.1"),
        station("AA0003", "37 00 00.9", "098 00 00.9"), // fractions dropped: on the minimum edges
        station("AA0004", "37 59 59.9", "098 30 00.0"), // on the maximum edge
        station("AA0005", "37 10 00", "098 10 00"),
        station("AA0006", "", ""),
    };
    std::vector<std::string> asked;
    platform::NullProgress progress;
    const std::vector<std::string> hits = ds::AreaScan(
        lines, "37 00 00", "37 59 59", "098 00 00", "098 59 59",
        [&](const std::string& pid) {
            asked.push_back(pid);
            return pid != "AA0005";
        },
        progress);
    EXPECT_EQ(asked, (std::vector<std::string>{"AA0001", "AA0003", "AA0005"}));
    EXPECT_EQ(hits, (std::vector<std::string>{lines[0], lines[2]}));
}

TEST(PositionScan, FindInRadiusTagsEachHitWithItsDistance)
{
    const std::vector<std::string> lines = {
        station("BB0001", "39 00 59.4", "098 59 59.0", "   ->"),
        station("BB0002", "38 59 59.0", "098 59 59.0"),
        station("BB0003", "40 00 00.0", "098 59 59.0"), // far outside
        station("BB0004", "", ""),                       // no position: inside, blank tag
        station("BB0005", "38 58 00.0", "099 01 00.0"), // 2.46 miles
        station("BB0006", "38 59 59", "099 00 59"),     // fails the type test
    };
    std::vector<std::string> asked;
    platform::NullProgress progress;
    const std::vector<std::string> hits = ds::FindInRadius(
        lines, "38 59 59", "098 59 59", "2.5",
        [&](const std::string& pid) {
            asked.push_back(pid);
            return pid != "BB0006";
        },
        progress);
    EXPECT_EQ(asked, (std::vector<std::string>{"BB0001", "BB0002", "BB0004", "BB0005", "BB0006"}));
    EXPECT_EQ(hits, (std::vector<std::string>{
                        "  1.1|BB0001|2-1|39 00 59.4|098 59 59.0|MARK BB0001",
                        "  0.0|BB0002|2-1|38 59 59.0|098 59 59.0|MARK BB0002",
                        "     |BB0004|2-1|          |           |MARK BB0004",
                        "  2.5|BB0005|2-1|38 58 00.0|099 01 00.0|MARK BB0005",
                    }));
}

TEST(PositionScan, ProgressAtEveryTwentiethStation)
{
    const std::vector<std::string> lines(45, station("CC0001", "10 00 00", "010 00 00"));
    for (int radius = 0; radius < 2; ++radius) {
        platform::RecordingProgress progress;
        auto never = [](const std::string&) { return false; };
        if (radius)
            ds::FindInRadius(lines, "10 00 00", "010 00 00", "1.5", never, progress);
        else
            ds::AreaScan(lines, "00 00 00", "90 00 00", "000 00 00", "359 59 59", never, progress);
        // i = 0, 20, 40 of 45: the truncated 100 x i / 45. The window itself
        // is opened and closed by the caller.
        EXPECT_EQ(progress.values, (std::vector<int>{0, 44, 88}));
        EXPECT_EQ(progress.starts, 0);
    }
}

} // namespace
