// Commit and UNDO on a file system without hard links or a rename that
// refuses to replace (vfat, some network mounts), as the failed calls of
// such a file system show it: they give the same files as anywhere else.
#include "pellorin/core/merge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "platform/notices.h"
#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/child_report.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace {

using pellorin_test::station;
namespace fs = std::filesystem;

// Every file under the directory by its path there, with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), dir).string()] = testsupport::readFile(entry.path().string());
    return files;
}

// A Commit of an OLD file in data/ (with a second name when asked, so
// written in place) with plrn0000.bak in work/, a former one there when
// asked; then, when asked, its UNDO. Under the failures of a file system
// without hard links when `noLinks`. Returns the child's report and leaves
// the files in `dir`.
std::string commit(const testsupport::TempDir& dir, bool noLinks, bool secondName, bool former, bool undo)
{
    const std::string oldPath = dir.file("data/old.dat");
    const std::string upPath = dir.file("data/up.dat");
    const std::string backupPath = dir.file("work/plrn0000.bak");
    testsupport::writeFile(oldPath, station("AA0001", "o") + station("BB0002", "o"));
    testsupport::writeFile(upPath, station("AA0001", "u") + station("ZZ0001", "u"));
    fs::create_directories(dir.file("work"));
    if (former)
        testsupport::writeFile(backupPath, "former backup\r\n");
    if (secondName)
        fs::create_hard_link(oldPath, dir.file("data/second.dat"));
    const testsupport::ChildEnd end = testsupport::inChild([&] {
        pellorin::UpdateLists lists;
        if (!pellorin_test::loadBoth(lists, oldPath, upPath))
            return std::string("not loaded");
        if (noLinks)
            testsupport::failLinksAndNoReplaceRenames();
        platform::RecordingNotices notices;
        platform::NullProgress progress;
        pellorin::CommitResult committed;
        pellorin::MergeLists mergeLists{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        const pellorin::MergeInput input{oldPath,          upPath,          backupPath,
                                         lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
        bool done = pellorin::MergeFiles(input, mergeLists, notices, progress, committed);
        if (done && undo)
            done = pellorin::UndoMerge(oldPath, backupPath, notices, committed);
        std::string report = done ? "done" : "failed";
        for (auto notice : notices.recorded()) {
            for (std::size_t at; (at = notice.text.find(dir.path())) != std::string::npos;)
                notice.text.replace(at, dir.path().size(), "<dir>");
            report += "|" + notice.caption + "|" + notice.text;
        }
        return report;
    });
    EXPECT_TRUE(testsupport::endedWell(end)) << end.status;
    return end.report;
}

TEST(NoHardLinks, CommitAndUndoGiveTheSameFiles)
{
    for (const bool secondName : {false, true}) {
        for (const bool former : {false, true}) {
            for (const bool undo : {false, true}) {
                SCOPED_TRACE(testing::Message() << "second name " << secondName << " former backup " << former
                                                << " undo " << undo);
                testsupport::TempDir usual;
                testsupport::TempDir noLinks;
                const std::string report = commit(usual, false, secondName, former, undo);
                EXPECT_TRUE(report.starts_with("done")) << report;
                EXPECT_EQ(commit(noLinks, true, secondName, former, undo), report);
                const auto files = filesUnder(noLinks.path());
                EXPECT_EQ(files, filesUnder(usual.path()));
                const std::string old = station("AA0001", "o") + station("BB0002", "o");
                EXPECT_EQ(files.count("work/plrn0000.bak") ? files.at("work/plrn0000.bak") : "", undo ? "" : old);
                if (undo) {
                    EXPECT_EQ(files.at("data/old.dat"), old);
                }
            }
        }
    }
}

} // namespace
