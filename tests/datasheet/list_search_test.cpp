// Reading the PID and name inputs, and the scans of the station list.
#include <gtest/gtest.h>

#include "datasheet/list_lines.h"
#include "datasheet/list_search.h"

namespace {

std::string station(std::string_view tag, std::string_view pid, std::string_view designation)
{
    return ds::MakeListLine(tag, pid, "2", "1", "41 12 03.1", "073 09 12.4", designation);
}

struct PidInputCase {
    std::string typed;
    std::string pid;
    int check;
};

TEST(ListSearch, PidInputIsCutUpperCasedAndChecked)
{
    const PidInputCase cases[] = {
        {"MX4273", "MX4273", 0},
        {"mx4273", "MX4273", 0},
        {"mX4273", "MX4273", 0},
        {"MX42731", "MX4273", 0}, // a seventh character takes no part
        {"MX427", "MX427", 1},    // too short
        {"M14273", "M14273", 1},
        {"1X4273", "1X4273", 1},
        {"MXA273", "MXA273", 1},
        {"mx427a", "MX427a", 1}, // only the first two places change case
        {"MX 273", "MX 273", 1},
        {" ", " ", 1},
        {"", "", 1},
        {"\xE9X4273", "\xE9X4273", 1}, // 8-bit: no letter, case left alone
        {"MX\xB2\xB3\xB9\xB9", "MX\xB2\xB3\xB9\xB9", 1}, // superscript digits are no digits
    };
    for (const auto& c : cases) {
        const std::string pid = ds::normalisePid(c.typed);
        EXPECT_EQ(pid, c.pid) << '"' << c.typed << '"';
        EXPECT_EQ(ds::checkPid(pid), c.check) << '"' << c.typed << '"';
    }
}

TEST(ListSearch, PidScanTakesTheFirstEqualPidField)
{
    const std::vector<std::string> lines = {
        station("", "AB1234", "FIRST"),
        station("   ->", "MX4273", "MARKED TWIN"),
        station("", "MX4273", "SECOND TWIN"),
        station("", "mx4273", "LOWER CASE"),
        "     |MX42", // too short to hold a PID
        station("", "CD5678", "MX4273 IN THE NAME"),
    };
    EXPECT_EQ(ds::findPid(lines, "MX4273"), std::optional<std::size_t>(1));
    EXPECT_EQ(ds::findPid(lines, "AB1234"), std::optional<std::size_t>(0));
    EXPECT_EQ(ds::findPid(lines, "CD5678"), std::optional<std::size_t>(5));
    EXPECT_EQ(ds::findPid(lines, "MX4274"), std::nullopt);
    EXPECT_EQ(ds::findPid({}, "MX4273"), std::nullopt);
    EXPECT_EQ(ds::findPid({"     |MX42"}, "MX4273"), std::nullopt);
}

struct NameInputCase {
    std::string typed;
    std::string name;
    int check;
    std::string cut;
};

TEST(ListSearch, NameInputIsCutUpperCasedCheckedAndEndedAtAStar)
{
    const NameInputCase cases[] = {
        {"state capitol", "STATE CAPITOL", 0, "STATE CAPITOL"},
        {"STATE  ", "STATE  ", 0, "STATE  "}, // trailing blanks stay
        {"State*", "STATE*", 0, "STATE"},
        {"*capitol*bldg", "*CAPITOL*BLDG", 0, "*CAPITOL"},
        {"*", "*", 0, "*"},
        {"**", "**", 0, "*"},
        {"9th st", "9TH ST", 0, "9TH ST"},
        {"caf\xE9 \xFF", "CAF\xE9 \xFF", 0, "CAF\xE9 \xFF"}, // 8-bit characters pass unchanged
        {std::string(35, 'a'), std::string(30, 'A'), 0, std::string(30, 'A')},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ1234*", "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234", 0,
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234"}, // a star past 30 characters never counts
        {" ", " ", 1, " "},
        {" STATE", " STATE", 1, " STATE"},
        {"-STATE", "-STATE", 1, "-STATE"},
        {"\xC9" "COLE", "\xC9" "COLE", 1, "\xC9" "COLE"},
        {"", "", 1, ""},
    };
    for (const auto& c : cases) {
        const std::string name = ds::normaliseName(c.typed);
        EXPECT_EQ(name, c.name) << '"' << c.typed << '"';
        EXPECT_EQ(ds::checkNameStart(name), c.check) << '"' << c.typed << '"';
        EXPECT_EQ(ds::cutNameAtStar(name), c.cut) << '"' << c.typed << '"';
    }
}

struct NameScanCase {
    std::string name;
    std::vector<std::size_t> hits;
};

TEST(ListSearch, NameScanMatchesPrefixOrStarredSubstringFromTheDesignation)
{
    const std::vector<std::string> lines = {
        station("", "AA0001", "STATE CAPITOL BUILDING"),
        station("   ->", "AA0002", "STATE CAPITOL DOME"),
        station("", "AA0003", "OLD STATE CAPITOL"),
        station("", "AA0004", "STATES LINE"),
        station("", "AA0005", "CAF\xC9 NOIR"),
        station("", "AA0006", ""),
        "     |AA0007", // no designation at all
        station("", "AA0008", std::string(200, '.') + "FAR OUT"),
        station("", "AA0009", "state capitol"),
        station("", "AA0010", "STATE"),
    };
    const NameScanCase cases[] = {
        {"*", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"STATE CAPITOL", {0, 1}},
        {"STATE", {0, 1, 3, 9}},
        {"STATE ", {0, 1}}, // a trailing blank must be there in the designation
        {"*CAPITOL", {0, 1, 2}},
        {"*ATE CAP", {0, 1, 2}},
        {"CAPITOL", {}},
        {"CAF\xC9", {4}},
        {"*FAR OUT", {7}}, // far beyond the old line buffer
        {"*AA000", {}},    // the PID is no part of the designation
        {"*2-1", {}},
        {"STATE CAPITOL BUILDINGS", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ds::findName(lines, c.name), c.hits) << '"' << c.name << '"';
    EXPECT_TRUE(ds::findName({}, "*").empty());
}

} // namespace
