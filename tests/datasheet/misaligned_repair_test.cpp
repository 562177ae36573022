// Files whose PIDs were shifted into the first column: the probe and the repair.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "datasheet/misaligned_repair.h"
#include "datasheet/raw_file.h"
#include "platform/file_identity.h"
#include "tests/support/as_nobody.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::fixture;
using testsupport::readFile;
using testsupport::writeFile;

TEST(MisalignedRepair, RepairsToTheExpectedBytesInPlace)
{
    testsupport::TempDir dir;
    std::string path = dir.file("county.dat");
    writeFile(path, readFile(fixture("misaligned.dat")));
    ::chmod(path.c_str(), 0640);

    EXPECT_EQ(ds::probeMisaligned(path), ds::ProbeResult::Misaligned);
    platform::RecordingProgress progress;
    EXPECT_EQ(ds::repairMisaligned(path, progress), ds::RepairResult::Fixed);
    EXPECT_EQ(readFile(path), readFile(fixture("misaligned_fixed.dat")));
    EXPECT_EQ(ds::probeMisaligned(path), ds::ProbeResult::Aligned);
    EXPECT_EQ(progress.values.back(), 100);

    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // Nothing is left beside the file.
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"county.dat"});
}

TEST(MisalignedRepair, ProbeLooksAtTheFirst500ReadsOnly)
{
    testsupport::TempDir dir;
    std::string lines;
    for (int i = 0; i < 499; ++i)
        lines += " AB1234  fine\r\n";
    writeFile(dir.file("at500"), lines + "AB1234  shifted\r\n");
    writeFile(dir.file("at501"), lines + " AB1234  fine\r\nAB1234  shifted\r\n");
    writeFile(dir.file("lower"), "ab1234  not a PID\r\nAB123X  nor this\r\n");
    EXPECT_EQ(ds::probeMisaligned(dir.file("at500")), ds::ProbeResult::Misaligned);
    EXPECT_EQ(ds::probeMisaligned(dir.file("at501")), ds::ProbeResult::Aligned);
    EXPECT_EQ(ds::probeMisaligned(dir.file("lower")), ds::ProbeResult::Aligned);
    EXPECT_EQ(ds::probeMisaligned(dir.file("missing")), ds::ProbeResult::CannotOpen);
}

// A line longer than 149 characters is read in pieces; the piece that
// continues it is no line start, even when it begins like a PID.
TEST(MisalignedRepair, ProbeAndRepairJudgeLineStartsOnly)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("long.dat");
    const std::string longLine = " AB1234  " + std::string(149 - 9, 'x') + "CD5678 more";
    const std::string bytes = "1        Quarndale Geomark Bureau,\r\n" + longLine + "\r\n AB1234  next\r\n";
    writeFile(path, bytes);
    EXPECT_EQ(ds::probeMisaligned(path), ds::ProbeResult::Aligned);

    // A repair that would change nothing writes nothing: the file keeps its inode and time.
    const auto before = platform::FileIdentity::of(path);
    platform::NullProgress progress;
    EXPECT_EQ(ds::repairMisaligned(path, progress), ds::RepairResult::Unchanged);
    EXPECT_TRUE(before.matches(path));
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // LF line ends are a change: the repair writes CR LF.
    writeFile(path, "1        Quarndale Geomark Bureau,\n AB1234  next\n");
    EXPECT_EQ(ds::repairMisaligned(path, progress), ds::RepairResult::Fixed);
    EXPECT_EQ(readFile(path), "1        Quarndale Geomark Bureau,\r\n AB1234  next\r\n");
}

TEST(MisalignedRepair, FailedWriteLeavesTheFileUntouched)
{
    testsupport::TempDir dir;
    std::string path = dir.file("county.dat");
    std::string original = readFile(fixture("misaligned.dat"));
    writeFile(path, original);
    // A file size limit makes the copy's writes fail, even for root.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tiny = saved;
    tiny.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    platform::NullProgress progress;
    auto result = ds::repairMisaligned(path, progress);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, ds::RepairResult::CannotWriteTemp);
    EXPECT_EQ(readFile(path), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(MisalignedRepair, UnwritableDirectoryLeavesTheFileUntouched)
{
    testsupport::TempDir dir;
    std::string sub = dir.file("ro");
    std::filesystem::create_directory(sub);
    std::string path = sub + "/county.dat";
    std::string original = readFile(fixture("misaligned.dat"));
    writeFile(path, original);
    testsupport::giveToNobody(dir.path());
    testsupport::giveToNobody(sub);
    testsupport::giveToNobody(path);
    ::chmod(sub.c_str(), 0555); // no temporary file can be made beside it
    const std::string results = testsupport::asNobody([&] {
        platform::NullProgress progress;
        std::string r;
        r += ds::repairMisaligned(path, progress) == ds::RepairResult::CannotWriteTemp ? 'T' : 't';
        r += ds::repairMisaligned(sub + "/missing", progress) == ds::RepairResult::CannotReadData ? 'R' : 'r';
        return r;
    });
    ::chmod(sub.c_str(), 0755);
    EXPECT_EQ(results, "TR");
    EXPECT_EQ(readFile(path), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(sub), {}), 1);
}

TEST(RawFile, WholeLinesWithoutLineEnds)
{
    testsupport::TempDir dir;
    std::string longLine(400, 'z');
    writeFile(dir.file("notes.txt"), "first\r\n" + longLine + "\nthird 100%");
    std::vector<std::string> lines;
    platform::RecordingProgress progress;
    ASSERT_TRUE(ds::readRawFile(dir.file("notes.txt"), progress, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"first", longLine, "third 100%"}));
    EXPECT_EQ(progress.values, std::vector<int>{0});
    lines.clear();
    EXPECT_FALSE(ds::readRawFile(dir.file("missing"), progress, lines));
    // A file that opens but cannot be read: this process's memory file fails
    // with an I/O error at offset 0.
    EXPECT_FALSE(ds::readRawFile("/proc/self/mem", progress, lines));
}

} // namespace
