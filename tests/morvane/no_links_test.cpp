// Splits and joins on a file system without hard links or a rename that
// refuses to replace (vfat, some network mounts), as the failed calls of
// such a file system show it: they give the same files as anywhere else.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "morvane/core/join.h"
#include "morvane/core/output_pieces.h"
#include "morvane/core/splits.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/progress.h"
#include "tests/support/child_report.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;

// A sample file of 20 stations to split, and two sample files to join.
const std::string kInput = std::string(DS_SAMPLES_DIR) + "/DATA/AZ/AZ003.DAT";
const Lines kJoined = {std::string(DS_SAMPLES_DIR) + "/DATA/AZ/AZ001.DAT", kInput};

// Every file of the directory by name, with its bytes.
std::map<std::string, std::string> filesIn(const std::string& dir)
{
    std::map<std::string, std::string> files;
    Lines names;
    platform::listDirectory(dir, names);
    for (const auto& name : names)
        files[name] = readFile(dir + "/" + name);
    return files;
}

// The notices of a run, after "done" or "failed".
std::string reportOf(bool done, const platform::RecordingNotices& notices)
{
    std::string report = done ? "done" : "failed";
    for (const auto& notice : notices.recorded())
        report += "|" + notice.text;
    return report;
}

// Runs `work` in a child, under the failures of a file system without hard
// links when `noLinks`; returns its report.
std::string run(bool noLinks, const std::function<std::string()>& work)
{
    const testsupport::ChildEnd end = testsupport::inChild([&] {
        if (noLinks)
            testsupport::failLinksAndNoReplaceRenames();
        return work();
    });
    EXPECT_TRUE(testsupport::endedWell(end)) << end.status;
    return end.report;
}

// A split onto pieces that exist (one of them with a second name, so
// written in place) and into an empty directory.
TEST(NoHardLinks, ASplitGivesTheSamePieces)
{
    for (const bool onOldPieces : {true, false}) {
        SCOPED_TRACE(onOldPieces ? "onto old pieces" : "into an empty directory");
        std::map<std::string, std::string> results[2];
        for (const bool noLinks : {false, true}) {
            testsupport::TempDir dir;
            const std::string out = dir.file("out");
            std::filesystem::create_directory(out);
            if (onOldPieces) {
                testsupport::writeFile(out + "/dsdata.001", "old 1\r\n");
                testsupport::writeFile(out + "/dsdata.002", "old 2\r\n");
                ASSERT_EQ(::link((out + "/dsdata.002").c_str(), (out + "/second").c_str()), 0);
            }
            const std::string report = run(noLinks, [&] {
                platform::RecordingNotices notices;
                platform::NullProgress progress;
                const bool done = morvane::SplitByCount(
                    {morvane::CountKind::Stations, 1, true, 1, kInput, out}, notices, progress);
                return reportOf(done, notices);
            });
            EXPECT_EQ(report, "done");
            results[noLinks] = filesIn(out);
        }
        EXPECT_EQ(results[1], results[0]);
        EXPECT_GT(results[1].size(), 3u);
        if (onOldPieces) {
            EXPECT_EQ(results[1]["second"], results[1]["dsdata.002"]);
        }
    }
}

// A join that replaces its output, and one that appends to an output with a
// second name (written in place).
TEST(NoHardLinks, AJoinGivesTheSameOutput)
{
    for (const bool append : {false, true}) {
        SCOPED_TRACE(append ? "append, in place" : "overwrite");
        std::map<std::string, std::string> results[2];
        for (const bool noLinks : {false, true}) {
            testsupport::TempDir dir;
            const std::string output = dir.file("out.txt");
            testsupport::writeFile(output, "old\r\n");
            if (append) {
                ASSERT_EQ(::link(output.c_str(), dir.file("second.txt").c_str()), 0);
            }
            const std::string report = run(noLinks, [&] {
                morvane::JoinRequest request;
                request.inputs = kJoined;
                request.output = output;
                request.append = append;
                request.settings.format = 0;
                request.settings.typeCode = "X-0";
                platform::RecordingNotices notices;
                platform::NullProgress progress;
                return reportOf(morvane::JoinFiles(request, notices, progress), notices);
            });
            EXPECT_EQ(report, "done");
            results[noLinks] = filesIn(dir.path());
        }
        EXPECT_EQ(results[1], results[0]);
        EXPECT_EQ(results[1]["out.txt"],
                  (append ? "old\r\n" : "") + readFile(kJoined[0]) + readFile(kJoined[1]));
    }
}

} // namespace
