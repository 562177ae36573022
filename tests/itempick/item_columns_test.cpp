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

// Fixed Field: a multi-line item that writes inside the record takes the
// same width in every record, its line present, partial or absent, so that
// every column after it starts where it does in every other record.
// Where STATE, the last item, starts in each record of an output.
std::vector<std::size_t> stateColumns(const std::string& out)
{
    std::vector<std::size_t> columns;
    for (std::size_t at = 0, end; (end = out.find("\r\n", at)) != std::string::npos; at = end + 2)
        columns.push_back(out.substr(at, end - at).rfind("KS"));
    return columns;
}

TEST(ItemColumns, FixedFieldRecordsLineUpPresentPartialAndAbsent)
{
    // Four stations: every item's line whole (AB0001), none (AB0002), cut
    // short (AB0003), and the dated kinds of the superseded heights with a
    // history agency of the full six characters (AB0004).
    const std::string header = "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\r\n";
    auto station = [&](std::string_view pid, std::initializer_list<std::string> lines) {
        std::string text = header + line({{7, "  PID         - "}, {24, pid}}, pid) + "\r\n" +
                           line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO"}}, pid) + "\r\n";
        for (const std::string& l : lines)
            text += l + "\r\n";
        return text;
    };
    const std::string nad83 = "  NAD 83(1986)";
    const std::string data =
        station("AB0001",
                {line({{7, "  HISTORY     - "}, {23, "2003"}, {32, "GOOD"}, {49, "QGB"}}, "AB0001"),
                 line({{7, "  ELLIP HT    - "}, {29, "  856.43"}, {64, "GPS OBS"}, {76, "1 2"}}, "AB0001"),
                 line({{7, "  NGVD 29     - "}, {27, "  875.123"}, {64, "ADJUSTED"}, {76, "1 2"}}, "AB0001"),
                 line({{7, "  NAVD 88 (09/09/97)"}, {28, "   876.35"}, {64, "ADJUSTED"}, {76, "1 2"}}, "AB0001"),
                 line({{7, nad83}, {21, "-"}, {24, "38 47 50.69606(N)"}, {45, "098 12 31.74075(W) AD(       ) 2"}},
                      "AB0001"),
                 line({{7, "  NAD 27"}, {21, "-"}, {24, "38 47 51.00000(N)"}, {45, "098 12 29.00000(W) AD(       ) 1"}},
                      "AB0001")}) +
        station("AB0002", {}) +
        station("AB0003",
                {line({{7, "  HISTORY     - "}, {23, "19940902"}, {32, "POOR"}}, "AB0003"),
                 line({{7, "  ELLIP HT    - "}, {29, "  856.43"}}, "AB0003"),
                 line({{7, "  NGVD 29     - "}, {27, "  875.123"}}, "AB0003"),
                 line({{7, "  NAVD 88 (09/09/97)"}, {28, "   876.35"}, {64, "ADJUSTED"}, {76, "1"}}, "AB0003"),
                 line({{7, nad83}, {21, "-"}, {24, "38 47 50.69606(N)"}, {45, "098 12 31.74075(W)"}}, "AB0003"),
                 line({{7, "  NAD 27"}, {21, "-"}, {24, "38 47 51.00000(N)"}, {45, "098 12 29.00000(W)"}}, "AB0003")}) +
        station("AB0004",
                {line({{7, "  HISTORY     - "}, {23, "1986"}, {32, "MONUMENTED"}, {49, "GEOCAC"}}, "AB0004"),
                 line({{7, "  ELLIP H (02/02/95)"}, {27, "  855.9"}, {64, "GPS OBS"}, {76, "2 1"}}, "AB0004"),
                 line({{7, "  NGVD 29 (01/01/70)"}, {28, "  875.1"}, {64, "ADJUSTED"}, {76, "1 1"}}, "AB0004")});
    testsupport::TempDir dir;
    const std::string path = dir.file("four.dat");
    testsupport::writeFile(path, data);

    const auto blanks = [](std::size_t n) { return std::string(n, ' '); };
    const std::string nad83Empty = "      |    |" + blanks(14) + "| |" + blanks(15) + "| |" + blanks(11) + "| ";
    const std::string nad27Empty = "      |" + blanks(14) + "| |" + blanks(15) + "| |" + blanks(11) + "| ";
    // Per item, the item's column in the four records: the width every
    // record gives it, and its text there (shorter texts end in blanks up
    // to the width).
    const struct {
        const char* item;
        std::size_t width;
        const char* columns[4];
    } cases[] = {
        {"LAST HISTORY", 30,
         {"2003    |GOOD          |QGB   ", "        |              |      ", "19940902|POOR          |      ",
          "1986    |MONUMENTED    |GEOCAC"}},
        {"LAST REC_DATE", 8, {"2003", "", "19940902", "1986"}},
        {"LAST REC_COND", 16, {"GOOD", "", "POOR", "MONUMENTED"}},
        {"LAST REC_AGENCY", 6, {"QGB", "", "", "GEOCAC"}},
        {"SUPER_ELLIP_DATA", 100,
         {"  856.43 |GPS OBS    |1|2", "", "  856.43 |           | | ", "02/02/95|  855.9  |GPS OBS    |2|1"}},
        {"SUPER_NGVD29_DATA", 100,
         {"NGVD 29|  875.123|ADJUSTED   |1|2", "", "NGVD 29|  875.123|           | | ",
          "NGVD 29|01/01/70|  875.1  |ADJUSTED   |1|1"}},
        {"SUPER_NAVD88_DATA", 100,
         {"NAVD 88|09/09/97|   876.35|ADJUSTED   |1|2", "", "NAVD 88|09/09/97|   876.35|ADJUSTED   |1| ", ""}},
        {"SUPER_NAD83_DATA", 60,
         {"NAD 83|1986|38 47 50.69606|N|098 12 31.74075|W|AD(       )|2", nad83Empty.c_str(),
          "NAD 83|1986|38 47 50.69606|N|098 12 31.74075|W|           | ", nad83Empty.c_str()}},
        {"SUPER_1927_DATA", 55,
         {"NAD 27|38 47 51.00000|N|098 12 29.00000|W|AD(       )|1", nad27Empty.c_str(),
          "NAD 27|38 47 51.00000|N|098 12 29.00000|W|           | ", nad27Empty.c_str()}},
    };
    const std::vector<std::string> pids = {"AB0001", "AB0002", "AB0003", "AB0004"};
    for (const auto& c : cases) {
        const std::string item = c.item;
        for (const itempick::Build* build : {&itempick::kKavroItems, &itempick::kMorvaneItems}) {
            for (char delimiter : {'|', '\t'}) {
                SCOPED_TRACE(item + (build->isMorvane() ? " Morvane" : " Kavro") + (delimiter == '|' ? " bar" : " tab"));
                Settings settings = settingsFor({"PID", c.item, "STATE"}, *build);
                settings.fieldDelim = delimiter;
                settings.fixedField = true;
                settings.includeHeader = false;
                const std::string out = build->isMorvane() ? itemtest::join({path}, settings, "X-0")
                                                           : itemtest::save(path, settings, pids);
                // Morvane writes a second delimiter after a superseded item.
                const std::string after(build->isMorvane() && item.starts_with("SUPER_") ? 2 : 1, delimiter);
                std::string expected;
                for (std::size_t k = 0; k < pids.size(); ++k) {
                    std::string column = c.columns[k];
                    column.resize(c.width, ' ');
                    for (char& ch : column)
                        if (ch == '|')
                            ch = delimiter;
                    expected += pids[k] + delimiter + column + after + "KS\r\n";
                }
                EXPECT_EQ(out, expected);
                // So STATE starts in the same column of every record; with
                // Single Line Only too, whichever delimiter ends the item.
                EXPECT_EQ(stateColumns(out), std::vector<std::size_t>(4, 7 + c.width + after.size()));
                settings.singleLine = true;
                settings.lineDelim = '~';
                const std::string single = build->isMorvane() ? itemtest::join({path}, settings, "X-0")
                                                              : itemtest::save(path, settings, pids);
                const std::vector<std::size_t> columns = stateColumns(single);
                ASSERT_EQ(columns.size(), 4u) << single;
                EXPECT_EQ(columns, std::vector<std::size_t>(4, columns[0])) << single;
            }
        }
    }
}

} // namespace
