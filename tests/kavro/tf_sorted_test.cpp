// The sort window: which list a sort rewrites, how it rewrites it, and the
// sort buffer that the merge reads after it.
#include "datasheet/list_lines.h"
#include "datasheet/list_sort.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_sorted.h"
#include "tests/kavro/kavro_fixture.h"

namespace {

std::string station(const std::string& tag, const std::string& pid, const std::string& name,
                    const std::string& h = "2", const std::string& v = "1")
{
    return ds::MakeListLine(tag, pid, h, v, "41 12 03.1", "073 09 12.4", name);
}

std::vector<std::string> pids(const platform::LineList& list)
{
    std::vector<std::string> out;
    for (const auto& l : list.lines())
        out.push_back(l.substr(6, 6));
    return out;
}

// Counts what a view of the list would hear.
struct ChangeCounter : platform::LineList::Observer {
    int resets = 0, inserts = 0, removes = 0, changes = 0;
    void aboutToReset() override { ++resets; }
    void didReset() override {}
    void aboutToInsert(std::size_t, std::size_t) override { ++inserts; }
    void didInsert() override {}
    void aboutToRemove(std::size_t, std::size_t) override { ++removes; }
    void didRemove() override {}
    void didChange(std::size_t) override { ++changes; }
};

class SortWindow : public KavroTest {
protected:
    platform::LineList& marks() { return FList->MarksList->lines(); }
    platform::LineList& found() { return FFound->FoundList->lines(); }
    platform::LineList& buffer() { return FSorted->SortedList->lines(); }
    const std::vector<std::string> kStations = {
        station("", "MX4273", "NORTH", "B", "2"),
        station("   ->", "AB0001", "WEST", "A", "1"),
        station("", "MX0001", "EAST", "3", "a"),
    };
};

TEST_F(SortWindow, KeySortRewritesTheStationListInOneReset)
{
    marks().assign(kStations);
    found().assign({station("    X", "ZZ0001", "RESULT")});
    FList->MarksList->hide();
    ChangeCounter counter;
    marks().addObserver(&counter);

    FSorted->SortByKey("FList", "bypid");

    marks().removeObserver(&counter);
    EXPECT_EQ(pids(marks()), (std::vector<std::string>{"AB0001", "MX0001", "MX4273"}));
    EXPECT_EQ(marks().at(0), station("   ->", "AB0001", "WEST" + std::string(26, ' '), "A", "1"));
    EXPECT_EQ(counter.resets, 1);
    EXPECT_EQ(counter.inserts + counter.removes + counter.changes, 0);
    EXPECT_FALSE(marks().sorted());
    EXPECT_FALSE(FList->MarksList->isHidden());
    EXPECT_EQ(pids(found()), std::vector<std::string>{"ZZ0001"});
    EXPECT_TRUE(buffer().empty());
    EXPECT_FALSE(FSorted->isVisible());
}

TEST_F(SortWindow, ListNameChoosesResultsOrStationList)
{
    // A radius search leaves the results sorted by whole line; the sort must
    // switch that off or the lines written back would fall into text order.
    found().setSorted(true, ds::listBoxLess);
    found().assign({station("  0.5", "CC0003", "ZULU"), station("  1.5", "AA0001", "ALPHA"),
                    station("  2.5", "BB0002", "MIKE")});
    marks().assign(kStations);

    FSorted->SortByKey("FFound", "byname");
    EXPECT_EQ(pids(found()), (std::vector<std::string>{"AA0001", "BB0002", "CC0003"}));
    EXPECT_FALSE(found().sorted());
    EXPECT_EQ(marks().lines(), kStations);

    FSorted->SortByKey("FFound", "bydist");
    EXPECT_EQ(pids(found()), (std::vector<std::string>{"CC0003", "AA0001", "BB0002"}));

    // Any name but "FFound" is the station list; order sorts move lines unchanged.
    FSorted->SortByHOrder("anything");
    EXPECT_EQ(marks().lines(), (std::vector<std::string>{kStations[1], kStations[0], kStations[2]}));
    FSorted->SortByVOrder("FList");
    EXPECT_EQ(marks().lines(), (std::vector<std::string>{kStations[1], kStations[0], kStations[2]}));
    FSorted->SortByHOrder("FFound");
    EXPECT_EQ(pids(found()), (std::vector<std::string>{"CC0003", "AA0001", "BB0002"}));
}

TEST_F(SortWindow, BufferKeepsTheSortedFlagOfTheLastSort)
{
    EXPECT_FALSE(buffer().sorted());
    marks().assign(kStations);
    const std::vector<std::string> mergePids = {"MX4273", "ab0002", "AB0001"};

    FSorted->SortByKey("FList", "bylat");
    EXPECT_TRUE(buffer().sorted());
    for (const auto& pid : mergePids)
        buffer().add(pid);
    EXPECT_EQ(buffer().lines(), (std::vector<std::string>{"AB0001", "ab0002", "MX4273"}));

    // The next sort clears what the merge left; an order sort switches it off.
    FSorted->SortByVOrder("FList");
    EXPECT_TRUE(buffer().empty());
    EXPECT_FALSE(buffer().sorted());
    for (const auto& pid : mergePids)
        buffer().add(pid);
    EXPECT_EQ(buffer().lines(), mergePids);

    FSorted->SortByKey("FList", "byname");
    EXPECT_TRUE(buffer().empty());
    EXPECT_TRUE(buffer().sorted());
    FSorted->SortByHOrder("FList");
    EXPECT_FALSE(buffer().sorted());

    // An unknown key does nothing at all.
    buffer().add("MX4273");
    const std::vector<std::string> before = marks().lines();
    FSorted->SortByKey("FList", "bypId");
    EXPECT_EQ(marks().lines(), before);
    EXPECT_EQ(buffer().lines(), std::vector<std::string>{"MX4273"});
    EXPECT_FALSE(buffer().sorted());
}

TEST_F(SortWindow, EmptyListsSortToEmpty)
{
    for (const char* key : {"bydist", "bypid", "bylat", "bylon", "byname"})
        FSorted->SortByKey("FList", key);
    FSorted->SortByVOrder("FFound");
    FSorted->SortByHOrder("FFound");
    EXPECT_TRUE(marks().empty());
    EXPECT_TRUE(found().empty());
}

TEST_F(SortWindow, RemoveSortedEntryDeletesTheFirstExactMatch)
{
    buffer().assign({"AB0001", "ab0001", "AB0001", "MX4273"});
    struct Case {
        std::string text;
        int result;
        std::vector<std::string> left;
    };
    const Case cases[] = {
        {"ab0001", 1, {"AB0001", "AB0001", "MX4273"}},
        {"AB0001", 1, {"AB0001", "MX4273"}},
        {"AB000", 0, {"AB0001", "MX4273"}},
        {"AB0001 ", 0, {"AB0001", "MX4273"}},
        {"MX4273", 1, {"AB0001"}},
        {"AB0001", 1, {}},
        {"AB0001", 0, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FSorted->RemoveSortedEntry(c.text), c.result) << c.text;
        EXPECT_EQ(buffer().lines(), c.left) << c.text;
    }
}

} // namespace
