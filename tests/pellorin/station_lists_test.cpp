#include "pellorin/core/station_lists.h"

#include <gtest/gtest.h>

#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/test_files.h"

using pellorin_test::station;
using Lines = std::vector<std::string>;

TEST(StationLists, TagsTellWhichStationsTheUpdateChangesOrAdds)
{
    testsupport::TempDir dir;
    // The old file: A, a station without DESIGNATION, B, B again; the update:
    // B, D, a station without DESIGNATION, D again, and a last one without.
    testsupport::writeFile(dir.file("old.dat"), station("AA0001", "o") + station("ZZ0000", "o", "\r\n", false) +
                                                    station("BB0002", "o") + station("BB0002", "o2"));
    testsupport::writeFile(dir.file("up.dat"), station("BB0002", "u") + station("DD0004", "u") +
                                                   station("YY0000", "u", "\r\n", false) + station("DD0004", "u2") +
                                                   station("XX0000", "u", "\r\n", false));
    pellorin::UpdateLists lists;
    ASSERT_TRUE(pellorin_test::loadBoth(lists, dir.file("old.dat"), dir.file("up.dat")));

    // An empty PID is in neither list.
    EXPECT_EQ(pellorin_test::tags(lists.oldList),
              (Lines{"      |AA0001", "      |      ", "change|BB0002", "change|BB0002"}));
    EXPECT_EQ(pellorin_test::tags(lists.upList),
              (Lines{"change|BB0002", "   NEW|DD0004", "   NEW|      ", "   NEW|DD0004"}));
    EXPECT_EQ(lists.oldList.at(0),
              "      |AA0001|1- |34 59 29.7|108 53 56.6|NAME OF AA0001");
    EXPECT_EQ(lists.upLocList.size(), 4u);
    EXPECT_EQ(lists.upLocList.at(1), "DD0004|" + std::to_string(station("BB0002", "u").size()));
    ASSERT_TRUE(lists.upUndesignated.has_value());
    EXPECT_EQ(lists.upUndesignated->offset,
              testsupport::readFile(dir.file("up.dat")).size() - station("XX0000", "u", "\r\n", false).size());
    EXPECT_FALSE(lists.oldIdentity.known == false);

    pellorin::ListPids pids(lists.upList);
    EXPECT_TRUE(pids.contains("DD0004"));
    EXPECT_TRUE(pids.contains("DD00")); // compared over the PID's length
    EXPECT_FALSE(pids.contains(""));
    EXPECT_FALSE(pids.contains("AA0001"));
}

TEST(StationLists, AFileThatCannotBeOpenedLeavesItsListsEmpty)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("old.dat"), station("AA0001", "o"));
    pellorin::UpdateLists lists;
    platform::NullProgress progress;
    ASSERT_TRUE(lists.LoadOldList(dir.file("old.dat"), progress));
    EXPECT_EQ(lists.oldList.size(), 1u);
    EXPECT_FALSE(lists.LoadOldList(dir.file("missing.dat"), progress));
    EXPECT_TRUE(lists.oldList.empty());
    EXPECT_TRUE(lists.oldLocList.empty());
}
