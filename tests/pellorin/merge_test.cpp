#include "pellorin/core/merge.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

#include "datasheet/datasheet_reader.h"
#include "datasheet/offset_index.h"
#include "pellorin/core/file_swap.h"
#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/test_files.h"

using pellorin_test::station;
using pellorin_test::written;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

std::string samples(const std::string& name)
{
    return std::string(DS_SAMPLES_DIR) + "/disk/" + name;
}

std::set<std::string> namesIn(const std::string& directory)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// The lines of a file from `first` to `last` (1-based), as they are.
std::string fileLines(const std::string& path, int first, int last)
{
    const std::string text = testsupport::readFile(path);
    std::string out;
    int number = 1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        if (number >= first && number <= last)
            out += text.substr(start, end - start);
        ++number;
        start = end;
    }
    return out;
}

// Line numbers of the header lines of a file, 1-based, and one past its end.
std::vector<int> headerLines(const std::string& path)
{
    const std::string text = testsupport::readFile(path);
    std::vector<int> numbers;
    int number = 1;
    for (std::size_t start = 0; start < text.size(); ++number) {
        if (text.compare(start, 33, pellorin_test::kHeader.substr(0, 33)) == 0)
            numbers.push_back(number);
        const std::size_t end = text.find('\n', start);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    numbers.push_back(number);
    return numbers;
}

struct MergeRun {
    testsupport::TempDir dir;
    pellorin::UpdateLists lists;
    platform::RecordingNotices notices;
    platform::RecordingProgress progress;
    platform::FileIdentity merged;
    std::string oldPath = dir.file("data/old.dat");
    std::string upPath = dir.file("data/up.dat");
    std::string backupPath = dir.file("work/plrn0000.bak");

    MergeRun(const std::string& oldBytes, const std::string& upBytes)
    {
        testsupport::writeFile(oldPath, oldBytes);
        testsupport::writeFile(upPath, upBytes);
        fs::create_directories(dir.file("work"));
        EXPECT_TRUE(pellorin_test::loadBoth(lists, oldPath, upPath));
    }

    bool merge()
    {
        pellorin::MergeLists mergeLists{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        const pellorin::MergeInput input{oldPath,          upPath,          backupPath,
                                         lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
        return pellorin::MergeFiles(input, mergeLists, notices, progress, merged);
    }
};

// The datasheet that the old offset list points at for a PID.
std::vector<std::string> shownOld(MergeRun& run, const std::string& pid)
{
    ds::OffsetIndex index(run.lists.oldLocList);
    std::vector<std::string> lines;
    const std::int64_t offset = index.find(pid);
    if (offset >= 0)
        ds::readStationDatasheet(run.oldPath, static_cast<std::uint64_t>(offset), pid, lines);
    return lines;
}

} // namespace

TEST(Merge, SampleFilesTakeTheUpdateAndAppendItsNewStationsFromTheLast)
{
    MergeRun run(testsupport::readFile(samples("datasheets.txt")), testsupport::readFile(samples("update.txt")));
    const std::string oldBytes = testsupport::readFile(run.oldPath);
    ASSERT_EQ(run.lists.oldList.size(), 12u);
    ASSERT_EQ(run.lists.upList.size(), 8u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(run.lists.oldList.at(i).substr(0, 6), i >= 8 ? "change" : "      ") << i;
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(run.lists.upList.at(i).substr(0, 6), i >= 4 ? "   NEW" : "change") << i;

    ASSERT_TRUE(run.merge());
    EXPECT_TRUE(run.notices.recorded().empty());
    const std::vector<int> up = headerLines(run.upPath);
    const std::string expected = fileLines(run.backupPath, 1, 640) +
                                 fileLines(run.upPath, up[0], up[4] - 1) + fileLines(run.upPath, up[7], up[8] - 1) +
                                 fileLines(run.upPath, up[6], up[7] - 1) + fileLines(run.upPath, up[5], up[6] - 1) +
                                 fileLines(run.upPath, up[4], up[5] - 1);
    const std::string mergedBytes = testsupport::readFile(run.oldPath);
    EXPECT_EQ(mergedBytes.size(), 57145u);
    EXPECT_EQ(mergedBytes, expected);
    EXPECT_EQ(testsupport::readFile(run.backupPath), oldBytes);
    EXPECT_EQ(run.merged, platform::FileIdentity::of(run.oldPath));

    ASSERT_EQ(run.lists.oldList.size(), 16u);
    EXPECT_EQ(pellorin_test::tags(run.lists.oldList).back(), "   NEW|KA0013");
    EXPECT_EQ(run.lists.oldList.at(12).substr(0, 13), "   NEW|KA0016");
    EXPECT_TRUE(run.lists.upList.empty());
    EXPECT_TRUE(run.lists.upLocList.empty());
    EXPECT_EQ(run.progress.starts, 1);
    EXPECT_EQ(run.progress.finishes, 1);

    // The old offsets now point into the merged file, the new stations too.
    ASSERT_EQ(run.lists.oldLocList.size(), 16u);
    const auto ka0009 = shownOld(run, "KA0009");
    ASSERT_FALSE(ka0009.empty());
    EXPECT_NE(ka0009.front().find("JUNE 21, 2005"), std::string::npos);
    const auto ka0001 = shownOld(run, "KA0001");
    ASSERT_FALSE(ka0001.empty());
    EXPECT_NE(ka0001.front().find("MARCH 2, 2004"), std::string::npos);
    const auto ka0014 = shownOld(run, "KA0014");
    ASSERT_GT(ka0014.size(), 1u);
    EXPECT_NE(ka0014.front().find("JUNE 21, 2005"), std::string::npos);
    EXPECT_EQ(ka0014.back().substr(1, 6), "KA0014");
}
