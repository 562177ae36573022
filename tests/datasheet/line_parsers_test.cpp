// The header test and the four line parsers.
#include <gtest/gtest.h>

#include "datasheet/datasheet_format.h"
#include "datasheet/line_parsers.h"
#include "tests/support/test_files.h"

namespace {

// " " + PID + the text from index 7.
std::string body(const std::string& pid, const std::string& fromSeven)
{
    return " " + pid + fromSeven;
}

// The line padded with blanks to `column`, then the text.
std::string place(std::string line, std::size_t column, const std::string& text)
{
    if (line.size() < column)
        line.resize(column, ' ');
    return line + text;
}

struct OrderCase {
    const char* fromSeven;
    const char* horizontal;
    const char* vertical;
    const char* ellipsoid;
};

TEST(ParseOrder, PhraseTableFirstMatchWins)
{
    const OrderCase cases[] = {
        {"  HORZ ORDER  -  A", "A", "", ""},
        {"  HORZ ORDER  -  AA", "A", "", ""}, // prefix match
        {"  HORZ ORDER  -  B", "B", "", ""},
        {"  HORZ ORDER  -  FIRST", "1", "", ""},
        {"  HORZ ORDER  -  SECOND", "2", "", ""},
        {"  HORZ ORDER  -  THIRD", "3", "", ""},
        {"  HORZ ORDER  -  SPECIAL (CORS)", "A", "", ""},
        {"  HORZ ORDER  -  SPECIAL", "", "", ""},
        {"  VERT ORDER  -  FIRST     CLASS II", "", "1", ""},
        {"  VERT ORDER  -  SECOND", "", "2", ""},
        {"  VERT ORDER  -  THIRD ?", "", "?", ""},
        {"  VERT ORDER  -  THIRD", "", "3", ""},
        {"  VERT ORDER  -  * POSTED, Code A", "", "a", ""},
        {"  VERT ORDER  -  * POSTED, Code F", "", "f", ""},
        {"  VERT ORDER  -  * POSTED, Code N", "", "n", ""},
        {"  VERT ORDER  -  ?", "", "?", ""},
        {"  ELLP ORDER  -  FOURTH    CLASS I", "", "", "4"},
        {"  ELLP ORDER  -  FIFTH", "", "", "5"},
        {"  ELLP ORDER  -  SIXTH", "", "", ""},
        {"  DESIGNATION -  FIRST", "", "", ""},
    };
    for (const auto& c : cases) {
        std::string h, v, e;
        ds::ParseOrder(body("AB1234", c.fromSeven), h, e, v);
        EXPECT_EQ(h, c.horizontal) << c.fromSeven;
        EXPECT_EQ(v, c.vertical) << c.fromSeven;
        EXPECT_EQ(e, c.ellipsoid) << c.fromSeven;
    }
}

TEST(ParseOrder, LeavesOtherCodesAndShortLinesAlone)
{
    std::string h = "X", v = "Y", e = "Z";
    ds::ParseOrder(body("AB1234", "  VERT ORDER  -  SECOND"), h, e, v);
    EXPECT_EQ(h, "X");
    EXPECT_EQ(v, "2");
    EXPECT_EQ(e, "Z");
    ds::ParseOrder(" AB1234  HORZ ORDER  - ", h, e, v); // 23 characters
    EXPECT_EQ(h, "X");
}

TEST(ParseOrder, ProgramProfilesDropEllipsoidRows)
{
    std::string h, v, e;
    ds::ParseOrder(body("AB1234", "  ELLP ORDER  -  FIFTH"), h, e, v, ds::kMorvane);
    EXPECT_EQ(e, "");
    ds::ParseOrder(body("AB1234", "  ELLP ORDER  -  FOURTH"), h, e, v, ds::kMorvane);
    EXPECT_EQ(e, "4");
    e.clear();
    ds::ParseOrder(body("AB1234", "  ELLP ORDER  -  FIRST"), h, e, v, ds::kPellorin);
    EXPECT_EQ(e, "");
}

TEST(ParseClass, VerticalAndEllipsoidPhrases)
{
    struct Case {
        std::string line;
        const char* vertical;
        const char* ellipsoid;
    };
    const std::string vert = body("AB1234", "  VERT ORDER  -  FIRST");
    const std::string ellp = body("AB1234", "  ELLP ORDER  -  FIRST");
    const Case cases[] = {
        {place(vert, 34, "CLASS III"), "3", "e"},
        {place(vert, 34, "CLASS II"), "2", "e"},
        {place(vert, 34, "CLASS I"), "1", "e"},
        {place(vert, 34, "CLASS 0"), "0", "e"},
        {body("AB1234", "  VERT ORDER  -  * POSTED, Code N"), "", "e"}, // "Code" empties it
        {place(vert, 34, "CLASS X"), "v", "e"},
        {place(ellp, 34, "CLASS II"), "v", "2"},
        {place(ellp, 34, "CLASS 0"), "v", "e"}, // no CLASS 0 for ellipsoid
        {place(body("AB1234", "  HORZ ORDER  -  FIRST"), 34, "CLASS I"), "v", "e"},
    };
    for (const auto& c : cases) {
        std::string v = "v", e = "e";
        ds::ParseClass(c.line, v, e);
        EXPECT_EQ(v, c.vertical) << c.line;
        EXPECT_EQ(e, c.ellipsoid) << c.line;
    }
}

TEST(ParseDesignation, CutsAndTrims)
{
    struct Case {
        std::string line;
        const char* pid;
        const char* designation;
    };
    const std::string label = body("AB1234", "  DESIGNATION -  ");
    const Case cases[] = {
        {label + "SMITH\r\n", "AB1234", "SMITH"},
        {label + "SMITH   ", "AB1234", "SMITH   "}, // trailing blanks stay
        {label + std::string(45, 'X'), "AB1234", "XXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXXX"},
        {label, "AB1234", "old"},           // 24 characters: PID only
        {" AB12", "old", "old"},           // shorter than 7: nothing
        {label + "\r\n", "AB1234", "\r"},  // the first character is never removed
        {label + "M\xDC" "LLER\xE9", "AB1234", "M\xDC" "LLER\xE9"}, // 8-bit text kept
    };
    for (const auto& c : cases) {
        std::string pid = "old", designation = "old";
        ds::ParseDesignation(c.line, pid, designation);
        EXPECT_EQ(pid, c.pid) << c.line;
        EXPECT_EQ(designation, c.designation) << c.line;
    }
}

TEST(ParsePosition, FixedColumnsFromLinesOf57)
{
    std::string line = place(place(" AB1234* NAD 83(1992)-", 24, "32 13 45.12345(N)"), 45, "110 58 12.34567(W)");
    std::string lat, lon;
    ds::ParsePosition(line, lat, lon);
    EXPECT_EQ(lat, "32 13 45.1");
    EXPECT_EQ(lon, "110 58 12.3");
    EXPECT_TRUE(ds::isPositionLine(line));

    std::string shortLine = line.substr(0, 56);
    lat = lon = "old";
    ds::ParsePosition(shortLine, lat, lon);
    EXPECT_EQ(lat, "old");
    EXPECT_EQ(lon, "old");

    EXPECT_TRUE(ds::isPositionLine(body("AB1234", "  POSITION    - ")));
    EXPECT_FALSE(ds::isPositionLine(" AB1234* NAD 83(1992) x"));
}

TEST(IsDatasheetFile, HeaderWithinTheFirstHundredReads)
{
    testsupport::TempDir dir;
    const std::string header = "1        Quarndale Geomark Bureau   (no comma)\r\n";
    std::string ninetyNine;
    for (int i = 0; i < 99; ++i)
        ninetyNine += "some text\r\n";
    testsupport::writeFile(dir.file("at100"), ninetyNine + header);
    testsupport::writeFile(dir.file("at101"), ninetyNine + "one more\r\n" + header);
    // A 200-character line takes two reads of 149 and 51 (+ CR LF) in Kavro, one in Pellorin.
    std::string longLines;
    for (int i = 0; i < 50; ++i)
        longLines += std::string(200, 'x') + "\r\n";
    testsupport::writeFile(dir.file("long"), longLines + header);

    EXPECT_TRUE(ds::IsDatasheetFile(dir.file("at100")));
    EXPECT_FALSE(ds::IsDatasheetFile(dir.file("at101")));
    EXPECT_FALSE(ds::IsDatasheetFile(dir.file("long")));
    EXPECT_TRUE(ds::IsDatasheetFile(dir.file("long"), ds::kPellorin));
    EXPECT_FALSE(ds::IsDatasheetFile(dir.file("missing")));
    EXPECT_FALSE(ds::IsDatasheetFile(dir.path()));
}

} // namespace
