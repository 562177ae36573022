// Collation of sorted lists, the key sorts and the order-code sorts of
// station-list lines.
#include <gtest/gtest.h>

#include <algorithm>

#include "datasheet/list_lines.h"
#include "datasheet/list_sort.h"

namespace {

const char* const kKeys[] = {"bydist", "bypid", "bylat", "bylon", "byname"};

std::string line(const std::string& tag, const std::string& pid, const std::string& name,
                 const std::string& lat = "41 12 03.1", const std::string& lon = "073 09 12.4",
                 const std::string& h = "2", const std::string& v = "1")
{
    return ds::MakeListLine(tag, pid, h, v, lat, lon, name);
}

// The designation a key sort gives back: cut or padded to 30.
std::string name30(std::string name)
{
    name.resize(30, ' ');
    return name;
}

std::vector<std::string> pids(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const auto& l : lines)
        out.push_back(l.substr(6, 6));
    return out;
}

std::vector<std::string> sortedBy(std::vector<std::string> lines, const std::string& key)
{
    EXPECT_TRUE(ds::sortByKey(lines, key)) << key;
    return lines;
}

TEST(ListBoxLess, CaseBlindBlankPunctuationDigitsLettersThen8Bit)
{
    struct Case {
        std::string a, b;
        bool less;
    };
    const Case cases[] = {
        {"a", "B", true},      {"B", "a", false},     {"AB", "ab", false},   {"ab", "AB", false},
        {" ", "!", true},      {"|", "0", true},      {"9", "A", true},      {"z", "\xE9", true},
        {"\t", " ", true},     {"AB", "AB ", true},   {"  9.5", " 10.0", true},
        {"MARK 1", "mark 2", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ds::listBoxLess(c.a, c.b), c.less) << '"' << c.a << "\" < \"" << c.b << '"';
}

TEST(SortFields, SplitTakesFixedColumnsAndToleratesShortLines)
{
    struct Case {
        std::string line;
        ds::SortFields fields;
    };
    const std::string long35 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678";
    const Case cases[] = {
        {line("   ->", "AB1234", "MARK  "), {"   ->", "AB1234", "2", "1", "41 12 03.1", "073 09 12.4", "MARK  "}},
        {line("", "AB1234", long35), {"     ", "AB1234", "2", "1", "41 12 03.1", "073 09 12.4", long35.substr(0, 30)}},
        {line("", "", "", "", "", "", ""), {"     ", "      ", " ", " ", "          ", "           ", ""}},
        {"", {}},
        {"ab", {"ab", "", "", "", "", "", ""}},
        {"   ->|AB12", {"   ->", "AB12", "", "", "", "", ""}},
        // Cut in the latitude; cut just before the designation.
        {"  1.5|AB1234|A-1|41 1", {"  1.5", "AB1234", "A", "1", "41 1", "", ""}},
        {line("", "AB1234", "").substr(0, 39), {"     ", "AB1234", "2", "1", "41 12 03.1", "073 09 12.4", ""}},
        // Separator columns are not read: wrong ones lose no field.
        {"  1.5#AB1234#A#1#41 12 03.1#073 09 12.4#NAME", {"  1.5", "AB1234", "A", "1", "41 12 03.1", "073 09 12.4", "NAME"}},
        // A field ends at a NUL; 8-bit text passes.
        {line("", "AB1234", "") + std::string("CAF\xC9\0REST", 9), {"     ", "AB1234", "2", "1", "41 12 03.1", "073 09 12.4", "CAF\xC9"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + c.line + '"');
        EXPECT_EQ(ds::splitListLine(c.line), c.fields);
    }
}

TEST(SortFields, KeyLinesOfTheFiveKeys)
{
    const ds::SortFields f{"  1.5", "AB12", "", "1", "41 12", "073", "MARK"};
    const std::string n = name30("MARK");
    EXPECT_EQ(ds::makeKeyLine(f, "bydist"), "  1.5|" + n + "|AB12  | |1|41 12     |073        ");
    EXPECT_EQ(ds::makeKeyLine(f, "bypid"), "AB12  |" + n + "| |1|41 12     |073        |  1.5");
    EXPECT_EQ(ds::makeKeyLine(f, "bylat"), "41 12     |" + n + "|AB12  | |1|073        |  1.5");
    EXPECT_EQ(ds::makeKeyLine(f, "bylon"), "073        |" + n + "|AB12  | |1|41 12     |  1.5");
    EXPECT_EQ(ds::makeKeyLine(f, "byname"), n + "|AB12   |1|41 12     |073        |  1.5");
    EXPECT_EQ(ds::makeKeyLine({"X", "", "", "", "", "", ""}, "bypid").substr(65), "    X"); // tag right-aligned
    EXPECT_EQ(ds::makeKeyLine(f, "byPid"), "");
    EXPECT_FALSE(ds::isSortKey("byhorder"));

    // Split back, each field comes at its full width; rebuilt, the line of
    // MakeListLine with the designation padded to 30.
    const ds::SortFields padded{"  1.5", "AB12  ", " ", "1", "41 12     ", "073        ", n};
    for (const char* key : kKeys) {
        SCOPED_TRACE(key);
        const ds::SortFields back = ds::splitKeyLine(ds::makeKeyLine(f, key), key);
        EXPECT_EQ(back, padded);
        EXPECT_EQ(ds::rebuildListLine(back), ds::MakeListLine("1.5", "AB12", "", "1", "41 12", "073", n));
    }
}

TEST(SortByKey, OrdersByItsFieldThenByDesignation)
{
    struct Case {
        const char* key;
        std::vector<std::string> lines;
        std::vector<std::string> pidOrder;
    };
    const Case cases[] = {
        {"bypid", {line("", "MX4273", "A"), line("", "AB0001", "B"), line("", "MX0001", "C")},
         {"AB0001", "MX0001", "MX4273"}},
        // Without regard to case.
        {"bypid", {line("", "MX0001", "A"), line("", "ab0002", "B"), line("", "AB0001", "C")},
         {"AB0001", "ab0002", "MX0001"}},
        {"byname", {line("", "ZZ0001", "SAME"), line("", "AA0002", "SAME"), line("", "MM0003", "OTHER")},
         {"MM0003", "AA0002", "ZZ0001"}},
        {"byname", {line("", "AA0001", "mark b"), line("", "AA0002", "MARK A"), line("", "AA0003", "MARK")},
         {"AA0003", "AA0002", "AA0001"}},
        // The distance in the tag is right-aligned, so 9.5 comes before 10.0;
        // equal distances go by designation.
        {"bydist", {line(" 10.0", "AA0001", "A"), line("  9.5", "AA0002", "Z"), line("  9.5", "AA0003", "B"),
                    line("  0.0", "AA0004", "Y"), line("100.2", "AA0005", "A")},
         {"AA0004", "AA0003", "AA0002", "AA0001", "AA0005"}},
        {"bylat", {line("", "AA0001", "B", "41 12 03.1"), line("", "AA0002", "A", "41 12 03.1"),
                   line("", "AA0003", "Z", "40 59 59.9"), line("", "AA0004", "Z", "39 00 00.0")},
         {"AA0004", "AA0003", "AA0002", "AA0001"}},
        {"bylon", {line("", "AA0001", "B", "", "073 09 12.4"), line("", "AA0002", "A", "", "073 09 12.4"),
                   line("", "AA0003", "Z", "", "072 00 00.0")},
         {"AA0003", "AA0002", "AA0001"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key + (" " + c.lines.front()));
        EXPECT_EQ(pids(sortedBy(c.lines, c.key)), c.pidOrder);
    }
}

TEST(SortByKey, RewritesEveryLineWithItsDesignationCutOrPaddedTo30)
{
    const std::string long35 = "THIRTY FIVE CHARACTER DESIGNATION X";
    const std::string short12 = "TWELVE CHARS";
    ASSERT_EQ(long35.size(), 35u);
    ASSERT_EQ(short12.size(), 12u);
    const std::vector<std::string> lines = {
        line("   ->", "MX4273", long35, "41 12 03.1", "073 09 12.4", "A", "1"),
        line("     ", "AB0001", short12, "40 00 00.0", "072 00 00.0", "B", "?"),
        line("   ->", "KK0001", "", "", "", "", ""),
        line("  2.5", "ZZ9999", "CAF\xC9 \xFF", "39 00 00.0", "074 00 00.0", "3", "a"),
        "   ->|AB12", // short: filled out to all columns
        "",
    };
    std::vector<std::string> expected = {
        line("   ->", "MX4273", long35.substr(0, 30), "41 12 03.1", "073 09 12.4", "A", "1"),
        line("     ", "AB0001", short12 + std::string(18, ' '), "40 00 00.0", "072 00 00.0", "B", "?"),
        line("   ->", "KK0001", name30(""), "", "", "", ""),
        line("  2.5", "ZZ9999", name30("CAF\xC9 \xFF"), "39 00 00.0", "074 00 00.0", "3", "a"),
        line("   ->", "AB12", name30(""), "", "", "", ""),
        line("", "", name30(""), "", "", "", ""),
    };
    std::sort(expected.begin(), expected.end());
    for (const char* key : kKeys) {
        SCOPED_TRACE(key);
        std::vector<std::string> sorted = sortedBy(lines, key);
        for (const auto& l : sorted)
            EXPECT_EQ(l.size(), 70u) << l;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, expected);
    }
}

TEST(SortByKey, EqualKeyLinesKeepTheirOrderAndUnknownKeysChangeNothing)
{
    // Equal but for the case of the designation: list order stays.
    const std::vector<std::string> lines = {
        line("", "BB0002", "Mark"), line("", "AA0001", "MARK"), line("", "AA0001", "mark"), line("", "AA0001", "Mark"),
    };
    for (const char* key : kKeys) {
        const std::vector<std::string> sorted = sortedBy(lines, key);
        ASSERT_EQ(sorted.size(), 4u);
        EXPECT_EQ(sorted[0].substr(40, 4), "MARK") << key;
        EXPECT_EQ(sorted[1].substr(40, 4), "mark") << key;
        EXPECT_EQ(sorted[2].substr(40, 4), "Mark") << key;
        EXPECT_EQ(sorted[3].substr(6, 6), "BB0002") << key;
    }

    // Enough equal key lines that an unstable sort would show: the case of
    // the designation spells the line's number in binary.
    std::vector<std::string> many;
    for (int i = 0; i < 256; ++i) {
        std::string name = "MARKMARK";
        for (int bit = 0; bit < 8; ++bit)
            if (i & (1 << bit))
                name[7 - bit] = static_cast<char>(name[7 - bit] - 'A' + 'a');
        many.push_back(line("", i % 3 ? "AA0001" : "BB0002", name));
    }
    std::vector<std::string> expected;
    for (const auto& l : many)
        if (l.substr(6, 6) == "AA0001")
            expected.push_back(l.substr(0, 40) + name30(l.substr(40)));
    for (const auto& l : many)
        if (l.substr(6, 6) == "BB0002")
            expected.push_back(l.substr(0, 40) + name30(l.substr(40)));
    for (const char* key : kKeys)
        EXPECT_EQ(sortedBy(many, key), expected) << key;

    std::vector<std::string> untouched = lines;
    EXPECT_FALSE(ds::sortByKey(untouched, "byhorder"));
    EXPECT_EQ(untouched, lines);
    std::vector<std::string> none;
    EXPECT_TRUE(ds::sortByKey(none, "bypid"));
    EXPECT_TRUE(none.empty());
}

std::string codes(const std::vector<std::string>& lines, std::size_t index)
{
    std::string out;
    for (const auto& l : lines)
        out += index < l.size() ? l[index] : '#';
    return out;
}

TEST(SortByOrderCode, BucketsInTableOrderThenTheRest)
{
    struct Case {
        bool vertical;
        std::string codesIn;
        std::string codesOut;
    };
    const Case cases[] = {
        {true, "?a1x3", "13a?x"},
        {true, "?nfedcba321", "123abcdefn?"},
        // Case-sensitive; blanks, letters of the other kind and the rest last, in list order.
        {true, "xA1 BC?a", "1a?xA BC"},
        {false, "3BA? ", "AB3? "},
        {false, "?321BA", "AB123?"},
        {false, "ab2cA1", "A12abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codesIn);
        std::vector<std::string> lines;
        for (char code : c.codesIn) {
            const std::string s(1, code);
            lines.push_back(c.vertical ? line("", "AA0001", "M", "", "", "", s) : line("", "AA0001", "M", "", "", s, ""));
        }
        if (c.vertical)
            ds::sortByVOrder(lines);
        else
            ds::sortByHOrder(lines);
        EXPECT_EQ(codes(lines, c.vertical ? 15 : 13), c.codesOut);
    }
}

TEST(SortByOrderCode, KeepsRelativeOrderAndMovesLinesUnchanged)
{
    const std::string long40 = "FORTY CHARACTER DESIGNATION IS KEPT WHOL";
    const std::vector<std::string> lines = {
        line("   ->", "AA0001", long40, "", "", "2", "2"),
        line("", "AA0002", "X  ", "", "", "A", "1"),
        line("", "AA0003", "Y", "", "", "2", "x"),
        line("  1.5", "AA0004", "Z", "", "", "A", "2"),
        line("", "AA0005", "W", "", "", "2", "1"),
        "   ->|AA0006|", // too short for either code column
        line("", "AA0007", "V", "", "", "x", "x"),
        "",
    };
    std::vector<std::string> v = lines;
    ds::sortByVOrder(v);
    EXPECT_EQ(v, (std::vector<std::string>{lines[1], lines[4], lines[0], lines[3], lines[2], lines[5], lines[6], lines[7]}));
    std::vector<std::string> h = lines;
    ds::sortByHOrder(h);
    EXPECT_EQ(h, (std::vector<std::string>{lines[1], lines[3], lines[0], lines[2], lines[4], lines[5], lines[6], lines[7]}));

    // After a key sort, an order sort orders by code, then by the earlier key.
    std::vector<std::string> both = {
        line("", "CC0003", "M", "", "", "1", ""), line("", "BB0002", "M", "", "", "A", ""),
        line("", "AA0001", "M", "", "", "1", ""), line("", "DD0004", "M", "", "", "A", ""),
    };
    ds::sortByKey(both, "bypid");
    ds::sortByHOrder(both);
    EXPECT_EQ(pids(both), (std::vector<std::string>{"BB0002", "DD0004", "AA0001", "CC0003"}));
}

} // namespace
