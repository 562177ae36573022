// Marking, unmarking, clearing and grabbing station-list lines, and the
// marks of the search results.
#include <gtest/gtest.h>

#include "datasheet/list_marks.h"

namespace {

const std::string kRest = "|AB1234|2-1|41 12 03.1|073 09 12.4|CAF\xC9 \xFF MARK  ";

struct ToggleCase {
    std::string line;
    std::string toggled;
};

TEST(ListMarks, RightClickRewritesOnlyTheTag)
{
    const ToggleCase cases[] = {
        {"     " + kRest, "   ->" + kRest},
        {"   ->" + kRest, "     " + kRest},
        {"  2.5" + kRest, "   ->" + kRest}, // a distance is replaced like any other tag
        {"    X" + kRest, "   ->" + kRest},
        {"    >" + kRest, "   ->" + kRest}, // only the exact arrow tag unmarks
        {"   ->", "     "},
        {"", "   ->"}, // shorter than the tag: the line becomes the tag alone
        {"ab", "   ->"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ds::toggledMark(c.line), c.toggled) << '"' << c.line << '"';
}

TEST(ListMarks, ClearCountsAnArrowAtIndexFour)
{
    EXPECT_TRUE(ds::hasMarkArrow("   ->" + kRest));
    EXPECT_TRUE(ds::hasMarkArrow("    >" + kRest));
    EXPECT_FALSE(ds::hasMarkArrow("     " + kRest));
    EXPECT_FALSE(ds::hasMarkArrow("  ->|" + kRest));
    EXPECT_FALSE(ds::hasMarkArrow("   >"));
    EXPECT_FALSE(ds::hasMarkArrow(""));
}

TEST(ListMarks, GrabTakesMarkedLinesInOrderWithBlankTags)
{
    const std::vector<std::string> lines = {
        "     |AA0001|rest", "   ->|AA0002|rest", "  1.5|AA0003|rest", "   ->|AA0004|\xE9", "    >|AA0005|rest",
    };
    EXPECT_EQ(ds::grabMarked(lines), (std::vector<std::string>{"     |AA0002|rest", "     |AA0004|\xE9"}));
    EXPECT_TRUE(ds::grabMarked({"     |AA0001|rest"}).empty());
}

TEST(FoundMarks, RightClickRewritesOnlyTheTag)
{
    const ToggleCase cases[] = {
        {"     " + kRest, "    X" + kRest},
        {"    X" + kRest, "     " + kRest},
        {" 12.5" + kRest, "    X" + kRest}, // the distance is gone for good
        {"   ->" + kRest, "    X" + kRest}, // a station-list mark too
        {"   AX" + kRest, "    X" + kRest}, // only the exact tag unmarks
        {"    X", "     "},
        {"", "    X"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ds::toggledFoundMark(c.line), c.toggled) << '"' << c.line << '"';
}

TEST(FoundMarks, RemoveTakesTheExactTagAndClearAnXAtIndexFour)
{
    struct Case {
        std::string line;
        bool removed;
        bool cleared;
    };
    const Case cases[] = {
        {"    X" + kRest, true, true},
        {"   AX" + kRest, false, true},
        {"   ->" + kRest, false, false},
        {"  2.5" + kRest, false, false},
        {"     " + kRest, false, false},
        {"X    " + kRest, false, false},
        {"    X", true, true},
        {"   X", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ds::isFoundMarked(c.line), c.removed) << '"' << c.line << '"';
        EXPECT_EQ(ds::hasFoundMarkX(c.line), c.cleared) << '"' << c.line << '"';
    }
}

} // namespace
