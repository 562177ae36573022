// Commit over damaged station boundaries: a damaged header line in the
// UPDATE or the OLD file at every position, a stray line of another PID and
// a bare CR. Every station is listed, replaced in place or appended once.
#include <gtest/gtest.h>

#include <filesystem>

#include "pellorin/core/merge.h"
#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/test_files.h"

using pellorin_test::station;
using Lines = std::vector<std::string>;

namespace {

// The station with its header line damaged (its first character changed).
std::string damaged(const std::string& text)
{
    return "2" + text.substr(1);
}

// The station's header line ended by a bare CR instead of CR LF.
std::string bareCrHeader(const std::string& text)
{
    const std::size_t end = text.find("\r\n");
    return text.substr(0, end) + "\r" + text.substr(end + 2);
}

// The station with a line of another PID among its lines.
std::string withStray(const std::string& text, const std::string& pid)
{
    const std::size_t second = text.find("\r\n", text.find("\r\n") + 2) + 2;
    return text.substr(0, second) + " " + pid + "  a stray line\r\n" + text.substr(second);
}

struct Case {
    const char* name;
    std::string oldBytes, upBytes;
    Lines oldTags, upTags; // tag and PID of each list line after the load
    std::string merged;
    Lines newTags; // the old list's lines added by Commit
};

std::vector<Case> cases()
{
    const std::string A = station("AA0001", "o"), B = station("BB0002", "o"), C = station("CC0003", "o");
    const std::string Au = station("AA0001", "u"), Bu = station("BB0002", "u"), Cu = station("CC0003", "u"),
                      D = station("DD0004", "u"), E = station("EE0005", "u");
    std::string aBareCr = A; // A's last line ends in a bare CR, B's header after it
    aBareCr.erase(aBareCr.size() - 1);
    const Lines oldABC{"      |AA0001", "change|BB0002", "      |CC0003"};
    return {
        {"update: damaged first header", A + B + C, damaged(Bu) + D, oldABC, {"change|BB0002", "   NEW|DD0004"},
         A + damaged(Bu) + C + D, {"   NEW|DD0004"}},
        {"update: damaged middle header", A + B + C, D + damaged(Bu) + E, oldABC,
         {"   NEW|DD0004", "change|BB0002", "   NEW|EE0005"}, A + damaged(Bu) + C + E + D,
         {"   NEW|EE0005", "   NEW|DD0004"}},
        {"update: damaged last header", A + B + C, D + damaged(Bu), oldABC, {"   NEW|DD0004", "change|BB0002"},
         A + damaged(Bu) + C + D, {"   NEW|DD0004"}},
        {"update: damaged header of a new station", A + B + C, D + damaged(E),
         {"      |AA0001", "      |BB0002", "      |CC0003"}, {"   NEW|DD0004", "   NEW|EE0005"},
         A + B + C + damaged(E) + D, {"   NEW|EE0005", "   NEW|DD0004"}},
        {"update: damaged header ending in a bare CR", A + B + C, D + bareCrHeader(damaged(Bu)), oldABC,
         {"   NEW|DD0004", "change|BB0002"}, A + damaged(Bu) + C + D, {"   NEW|DD0004"}},
        {"old: damaged first header", damaged(A) + B, Au, {"change|AA0001", "      |BB0002"}, {"change|AA0001"},
         Au + B, {}},
        {"old: damaged first header, the next replaced", damaged(A) + B, Bu, {"      |AA0001", "change|BB0002"},
         {"change|BB0002"}, damaged(A) + Bu, {}},
        {"old: damaged middle header", A + damaged(B) + C, Bu + Cu,
         {"      |AA0001", "change|BB0002", "change|CC0003"}, {"change|BB0002", "change|CC0003"}, A + Bu + Cu, {}},
        {"old: damaged last header", A + damaged(B), Au, {"change|AA0001", "      |BB0002"}, {"change|AA0001"},
         Au + damaged(B), {}},
        // The real CC0003 is replaced; the stray line stays in AA0001.
        {"old: stray line of another PID", withStray(A, "CC0003") + B + C, Cu,
         {"      |AA0001", "      |BB0002", "change|CC0003"}, {"change|CC0003"}, withStray(A, "CC0003") + B + Cu,
         {}},
        {"old: stray line, its station replaced", withStray(A, "CC0003") + B + C, Au,
         {"change|AA0001", "      |BB0002", "      |CC0003"}, {"change|AA0001"}, Au + B + C, {}},
        // The header after the bare CR stays with B.
        {"old: bare CR before a header, the station before replaced", aBareCr + B + C, Au,
         {"change|AA0001", "      |BB0002", "      |CC0003"}, {"change|AA0001"}, Au + B + C, {}},
        {"old: bare CR before a header, the station after replaced", aBareCr + B + C, Bu, oldABC,
         {"change|BB0002"}, A + Bu + C, {}},
        {"old: damaged header ending in a bare CR", A + bareCrHeader(damaged(B)) + C, Au,
         {"change|AA0001", "      |BB0002", "      |CC0003"}, {"change|AA0001"}, Au + damaged(B) + C, {}},
        // Accepted limit: one station of the PID on both sides of the damage.
        {"old: the same PID across a damaged header", A + damaged(station("AA0001", "o2")) + C, Au,
         {"change|AA0001", "      |CC0003"}, {"change|AA0001"}, Au + C, {}},
    };
}

} // namespace

TEST(StationRule, CommitReplacesListsAndAppendsEveryStationOnce)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const std::string oldPath = dir.file("old.dat"), upPath = dir.file("up.dat");
        testsupport::writeFile(oldPath, c.oldBytes);
        testsupport::writeFile(upPath, c.upBytes);
        pellorin::UpdateLists lists;
        ASSERT_TRUE(pellorin_test::loadBoth(lists, oldPath, upPath));
        EXPECT_EQ(pellorin_test::tags(lists.oldList), c.oldTags);
        EXPECT_EQ(pellorin_test::tags(lists.upList), c.upTags);
        const std::size_t oldCount = lists.oldList.size();

        pellorin::MergeLists mergeLists{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        const pellorin::MergeInput input{oldPath,          upPath,          dir.file("plrn0000.bak"),
                                         lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
        platform::RecordingNotices notices;
        platform::NullProgress progress;
        pellorin::CommitResult merged;
        ASSERT_TRUE(pellorin::MergeFiles(input, mergeLists, notices, progress, merged));
        EXPECT_TRUE(notices.recorded().empty());
        EXPECT_EQ(testsupport::readFile(oldPath), c.merged);
        const Lines tags = pellorin_test::tags(lists.oldList);
        EXPECT_EQ(Lines(tags.begin() + static_cast<long>(oldCount), tags.end()), c.newTags);

        // The merged file lists as the lists now stand.
        pellorin::UpdateLists again;
        platform::NullProgress quiet;
        ASSERT_TRUE(again.LoadOldList(oldPath, quiet));
        ASSERT_EQ(again.oldLocList.size(), lists.oldLocList.size());
        for (std::size_t i = 0; i < again.oldLocList.size(); ++i) {
            EXPECT_EQ(again.oldLocList.at(i), lists.oldLocList.at(i)) << i;
            EXPECT_EQ(again.oldList.at(i).substr(7), lists.oldList.at(i).substr(7)) << i;
        }
    }
}
