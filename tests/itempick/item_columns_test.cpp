// Items whose lines a station lacks still fill the columns their header
// names, so the items after them stay under their own names: in Kavro's
// records and in Morvane's, delimited and Fixed Field.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::line;
using itemtest::settingsFor;
using itempick::Settings;

std::vector<std::string> split(std::string_view text, std::string_view delimiters)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (delimiters.find(c) != std::string_view::npos)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// The first two lines of an output, without their line ends.
std::vector<std::string> headerAndRecord(const std::string& out)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (int i = 0; i < 2; ++i) {
        const std::size_t end = out.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << out;
        lines.push_back(out.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(ItemColumns, AbsentOrPartialItemsKeepTheirColumns)
{
    // A station with a suitability line but no date line, and no line of
    // any other item below.
    testsupport::TempDir dir;
    const std::string path = dir.file("bare.dat");
    testsupport::writeFile(path, "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\r\n" +
                                     line({{7, "  PID         - "}, {24, "AB1234"}}) + "\r\n" +
                                     line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO"}}) + "\r\n" +
                                     line({{7, "_SATELLITE: THE SITE LOCATION WAS REPORTED AS SUITABLE FOR"}}) +
                                     "\r\n");
    // The item's fields with Fixed Field: those of its record layout; the
    // superseded heights, headed by their name alone, take one field of
    // the item's width.
    const struct {
        const char* item;
        std::vector<std::size_t> widths;
    } cases[] = {
        {"GPS_SUITABILITY", {1, 8}},
        {"SPC_MT", {10, 13, 13, 3, 11, 10}},
        {"UTM_COMBINED_FACTOR", {10, 11, 11, 11}},
        {"SUPER_NAD83_DATA", {6, 4, 14, 1, 15, 1, 11, 1}},
        {"SUPER_1927_DATA", {6, 14, 1, 15, 1, 11, 1}},
        {"SUPER_ELLIP_DATA", {100}},
        {"SUPER_NGVD29_DATA", {100}},
        {"SUPER_NAVD88_DATA", {100}},
        {"LAST HISTORY", {8, 14, 6}},
        {"LAST REC_DATE", {8}},
        {"LAST REC_COND", {16}},
        {"LAST REC_AGENCY", {6}},
    };
    for (const auto& c : cases) {
        const std::string item = c.item;
        for (const itempick::Build* build : {&itempick::kKavroItems, &itempick::kMorvaneItems}) {
            for (char delimiter : {'|', '\t'}) {
                for (bool fixed : {false, true}) {
                    SCOPED_TRACE(item + (build->isMorvane() ? " Morvane" : " Kavro") +
                                 (delimiter == '|' ? " bar" : " tab") + (fixed ? " fixed" : ""));
                    Settings settings = settingsFor({"PID", c.item, "STATE"}, *build);
                    settings.fieldDelim = delimiter;
                    settings.fixedField = fixed;
                    const std::vector<std::string> lines = headerAndRecord(
                        build->isMorvane() ? itemtest::join({path}, settings, "X-0")
                                           : itemtest::save(path, settings, {"AB1234"}));
                    // The header texts hold their own bars, whatever the delimiter.
                    const std::size_t columns = split(lines[0], std::string(1, delimiter) + "|").size();
                    ASSERT_EQ(columns, c.widths.size() + 2);
                    const std::vector<std::string> fields = split(lines[1], std::string(1, delimiter));
                    // Morvane writes a second delimiter after a superseded
                    // item, present or not.
                    const bool second = build->isMorvane() && item.starts_with("SUPER_");
                    EXPECT_EQ(fields.size(), columns + (second ? 1 : 0)) << lines[1];
                    if (fields.size() != columns + (second ? 1 : 0))
                        continue;
                    EXPECT_EQ(fields.front(), "AB1234");
                    EXPECT_EQ(fields.back(), "KS");
                    // Morvane's history lines are in fixed fields always.
                    const bool fixedLayout = fixed || (build->isMorvane() && item == "LAST HISTORY");
                    for (std::size_t k = 0; k < c.widths.size(); ++k) {
                        std::string expected = item == "GPS_SUITABILITY" && k == 0 ? "Y" : "";
                        if (fixedLayout)
                            expected.resize(c.widths[k], ' ');
                        EXPECT_EQ(fields[1 + k], expected) << k;
                    }
                }
            }
        }
    }
}

} // namespace
