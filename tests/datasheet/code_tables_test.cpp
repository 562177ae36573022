// The state code tables and the country table with its two-way lookup.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "datasheet/code_tables.h"

namespace {

struct CodeCase {
    const char* code;
    bool state, pacific, outside, stateDir;
};

TEST(CodeTables, WhichTableHoldsACode)
{
    const CodeCase cases[] = {
        {"AZ", true, false, false, true},
        {"az", true, false, false, true},   // upper-cased before the search
        {"aZ", true, false, false, true},
        {"AL", true, false, false, true},   // first and last of the state texts
        {"VQ", true, false, false, true},
        {"DC", true, false, false, true},
        {"PR", true, false, false, true},
        {"GU", false, true, false, true},
        {"CQ", false, true, false, true},
        {"gu", false, true, false, true},
        {"SR", false, false, true, true},
        {"TD", false, false, true, true},
        {"AA", false, false, true, true},
        {"AZX", true, false, false, false}, // the first two characters are the code
        {"GUAM", false, true, false, false},
        {"A", false, false, false, false},  // a letter inside an entry is no code
        {"Z", false, false, false, false},
        {"", false, false, false, false},
        {"..", false, false, false, false},
        {"Z|", false, false, false, false}, // straddles two entries of the text
        {"|A", false, false, false, false},
        {"ZZ", false, false, false, false},
        {"VI", false, false, false, false}, // a country, not a directory code
        {"Pacific", true, false, false, false}, // "PA": a state code, but no directory name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ds::IsStateCode(c.code), c.state);
        EXPECT_EQ(ds::IsPacificCode(c.code), c.pacific);
        EXPECT_EQ(ds::IsOutsideCode(c.code), c.outside);
        EXPECT_EQ(ds::isStateDir(c.code), c.stateDir);
    }
    EXPECT_EQ(ds::codeTableOf("az"), ds::CodeTable::State);
    EXPECT_EQ(ds::codeTableOf("BQ"), ds::CodeTable::Pacific);
    EXPECT_EQ(ds::codeTableOf("jm"), ds::CodeTable::Outside);
    EXPECT_EQ(ds::codeTableOf(""), ds::CodeTable::None);
}

TEST(CountryTable, RowsInTableOrder)
{
    const auto& rows = ds::countryRows();
    ASSERT_EQ(rows.size(), 81u);
    EXPECT_EQ(rows.front(), "AA|ARUBA");
    EXPECT_EQ(rows.back(), "TQ|TRUST TERRITORY OF THE PACIFIC ISLANDS");
    EXPECT_EQ(rows[70], "VI|BRITISH VIRGIN ISLANDS");
    EXPECT_EQ(rows[75], "VI|BRITISH VIRGIN ISLANDS");
    EXPECT_EQ(std::count(rows.begin(), rows.end(), "VI|BRITISH VIRGIN ISLANDS"), 2);
    EXPECT_EQ(std::find(rows.begin(), rows.end(), "TD|TRINIDAD and TOBAGO") - rows.begin(), 60);
    const std::regex shape("[A-Z]{2}\\|[A-Za-z ()]+");
    for (const auto& row : rows) {
        EXPECT_TRUE(std::regex_match(row, shape)) << row;
        EXPECT_NE(row.substr(0, 2), "SR");
    }
}

TEST(CountryTable, CodeLookupBothWays)
{
    struct Case {
        const char* text;
        const char* direction;
        const char* result;
    };
    const Case cases[] = {
        {"VI", "to_name", "BRITISH VIRGIN ISLANDS"},
        {"GU", "to_name", "GUAM"},
        {"AA", "to_name", "ARUBA"},
        {"TQ", "to_name", "TRUST TERRITORY OF THE PACIFIC ISLANDS"},
        {"XX", "to_name", ""},
        {"SR", "to_name", ""},   // outside territory without a country row
        {"gu", "to_name", ""},   // codes are compared as given
        {"A", "to_name", ""},    // "A|" stands inside "AA|ARUBA"
        {"U", "to_name", ""},
        {"", "to_name", ""},
        {"GUAM", "to_name", ""},
        {"GERMANY", "to_code", "GE"}, // first row containing it: GE|WEST GERMANY
        {"GUAM", "to_code", "GU"},
        {"TRINIDAD and TOBAGO", "to_code", "TD"},
        {"ATLANTIS", "to_code", ""},
        {"", "to_code", ""},
        {"GU", "to_name ", ""},
        {"GU", "TO_NAME", ""},
        {"GERMANY", "code", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.direction);
        EXPECT_EQ(ds::CodeLookup(ds::countryRows(), c.text, c.direction), c.result);
    }
    EXPECT_EQ(ds::CodeLookup({}, "GU", "to_name"), "");
}

} // namespace
