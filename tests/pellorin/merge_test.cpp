#include "pellorin/core/merge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <functional>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>

#include "datasheet/datasheet_reader.h"
#include "datasheet/offset_index.h"
#include "platform/file_steps.h"
#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/as_nobody.h"
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
    pellorin::CommitResult committed;
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
        return pellorin::MergeFiles(input, mergeLists, notices, progress, committed);
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
    EXPECT_EQ(run.committed.merged, platform::FileIdentity::of(run.oldPath));

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

namespace {

// Station text with other line ends, or other lines.
std::string lf(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

const std::string kLong(600, 'L');

struct MergeCase {
    const char* name;
    std::string oldBytes;
    std::string upBytes;
    std::string merged;
    Lines newLines; // tags and PIDs added to the old list
};

std::vector<MergeCase> mergeCases()
{
    const std::string A = station("AA0001", "o"), B = station("BB0002", "o"), C = station("CC0003", "o");
    const std::string B2 = station("BB0002", "o2");
    const std::string Bu = station("BB0002", "u"), Bu2 = station("BB0002", "u2"), D = station("DD0004", "u"),
                      E = station("EE0005", "u");
    const std::string X = station("XX0000", "o", "\r\n", false), Y = station("YY0000", "u", "\r\n", false),
                      Z = station("ZZ0000", "u", "\r\n", false);
    const std::string longOld = A + " AA0001.long " + kLong + "\r\n";
    const std::string longUp = station("AA0001", "u") + " AA0001.long " + kLong + kLong + "\r\n";
    // Lines that are neither header nor body lines go, but an old station's
    // first line after its header stays, and so do the lines before the
    // first header; body lines with another PID stay.
    const std::string header = pellorin_test::kHeader + "MARCH 2, 2004\r\n";
    const std::string odd = "text before the first station\r\n" + header + "first line after the header\r\n" +
                            " GG0007  DESIGNATION -  ODD ONE\r\n" + "lower case line\r\n" + "\r\n" +
                            " HH0008 a line of another station\r\n";
    // The empty line before HH0008's line is the damaged header of the
    // station that line opens: it stays, so that the station stays one.
    const std::string oddWritten = "text before the first station\r\n" + header + "first line after the header\r\n" +
                                   " GG0007  DESIGNATION -  ODD ONE\r\n" + "\r\n" +
                                   " HH0008 a line of another station\r\n";
    const std::string beforeFirst = "text before the first station\n AA0001  a body line before it\n\n";
    // A damaged header line makes B's lines follow A's; B still opens at its
    // first line, and A stays whether B is replaced or not.
    std::string nulHeader = station("BB0002", "o");
    nulHeader.replace(12, 3, std::string(3, '\0'));
    const std::string damagedB = "2" + B.substr(1);
    std::string noFinalEnd = B;
    noFinalEnd.resize(noFinalEnd.size() - 2);
    return {
        {"replaced kept and new from the last", A + B + C, Bu + D + E, A + Bu + C + E + D, {"   NEW|EE0005", "   NEW|DD0004"}},
        {"a PID twice in the old file", A + B + B2, Bu, A + Bu + B2, {}},
        {"a PID twice in the update", A + B, Bu + Bu2, A + Bu2 + Bu, {"   NEW|BB0002"}},
        {"stations without DESIGNATION", A + X + C + X, Y + D + Z, A + X + C + X + Z + D + Y,
         {"   NEW|      ", "   NEW|DD0004", "   NEW|      "}},
        {"long lines whole", longOld, longUp + D, longUp + D, {"   NEW|DD0004"}},
        {"LF-only inputs", lf(A + B + C), lf(Bu + D), A + Bu + C + D, {"   NEW|DD0004"}},
        {"lines between stations", odd + "\r\n" + A, D, oddWritten + A + D, {"   NEW|DD0004"}},
        // The text line is the damaged header of the station that the body
        // line after it opens; the empty line in that station goes.
        {"lines before the first header", beforeFirst + A + B, Bu,
         "text before the first station\r\n AA0001  a body line before it\r\n" + A + Bu, {}},
        {"a damaged header, the later station updated", A + damagedB + C, Bu + D,
         A + Bu + C + D, {"   NEW|DD0004"}},
        {"NUL bytes in a header, the later station updated", A + nulHeader + C, Bu, A + Bu + C, {}},
        // B keeps its damaged header line: without it B would read as part of A.
        {"a damaged header, the earlier station updated", A + damagedB + C, station("AA0001", "u"),
         station("AA0001", "u") + damagedB + C, {}},
        {"an old file without a header line", " AA0001  DESIGNATION -  NO HEADER\r\n AA0001.x\r\n", D,
         " AA0001  DESIGNATION -  NO HEADER\r\n AA0001.x\r\n" + D, {"   NEW|DD0004"}},
        {"no final line end", A + noFinalEnd, lf(D).substr(0, lf(D).size() - 1), A + B + D, {"   NEW|DD0004"}},
    };
}

} // namespace

TEST(Merge, FixturesByteForByte)
{
    for (const MergeCase& c : mergeCases()) {
        SCOPED_TRACE(c.name);
        MergeRun run(c.oldBytes, c.upBytes);
        const std::size_t oldCount = run.lists.oldList.size();
        ASSERT_TRUE(run.merge());
        EXPECT_TRUE(run.notices.recorded().empty());
        EXPECT_EQ(testsupport::readFile(run.oldPath), c.merged);
        EXPECT_EQ(testsupport::readFile(run.backupPath), c.oldBytes);
        const Lines tags = pellorin_test::tags(run.lists.oldList);
        EXPECT_EQ(Lines(tags.begin() + static_cast<long>(oldCount), tags.end()), c.newLines);
        EXPECT_TRUE(run.lists.upList.empty());
        EXPECT_EQ(namesIn(run.dir.file("data")), (std::set<std::string>{"old.dat", "up.dat"}));
        EXPECT_EQ(namesIn(run.dir.file("work")), (std::set<std::string>{"plrn0000.bak"}));

        // Every old list line points at its station in the merged file.
        ASSERT_EQ(run.lists.oldLocList.size(), run.lists.oldList.size());
        const std::string merged = testsupport::readFile(run.oldPath);
        for (std::size_t i = 0; i < run.lists.oldLocList.size(); ++i) {
            const auto offset = static_cast<std::size_t>(ds::locLineOffset(run.lists.oldLocList.at(i)));
            const std::string pid = run.lists.oldList.at(i).substr(7, 6);
            // A header line, or the first body line of a station whose
            // header is damaged (its PID, when it has a DESIGNATION line).
            EXPECT_TRUE(merged.compare(offset, 33, pellorin_test::kHeader.substr(0, 33)) == 0 ||
                        merged.compare(offset + 1, 6, pid) == 0 ||
                        (pid == "      " && merged.compare(offset, 1, " ") == 0 && std::isupper(merged[offset + 1])))
                << i;
            if (pid != "      ") {
                EXPECT_NE(merged.find(" " + pid, offset), std::string::npos);
            }
        }
    }
}

TEST(Merge, TheOldViewerShowsTheMergedDatasheets)
{
    MergeRun run(lf(station("AA0001", "o") + station("BB0002", "o")), lf(station("BB0002", "u") + station("DD0004", "u")));
    ASSERT_TRUE(run.merge());
    const auto b = shownOld(run, "BB0002");
    ASSERT_EQ(b.size(), 5u);
    EXPECT_EQ(b.back(), " BB0002.remark u");
    const auto d = shownOld(run, "DD0004");
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d.back(), " DD0004.remark u");
    EXPECT_EQ(shownOld(run, "AA0001").back(), " AA0001.remark o");
}

namespace {

// What must come through a failed Commit unchanged.
struct Snapshot {
    std::string oldBytes, upBytes, backupBytes;
    std::set<std::string> dataNames, workNames;
    Lines oldList, oldLocList, upList, upLocList;

    explicit Snapshot(MergeRun& run)
        : oldBytes(testsupport::readFile(run.oldPath)), upBytes(testsupport::readFile(run.upPath)),
          backupBytes(testsupport::readFile(run.backupPath)), dataNames(namesIn(run.dir.file("data"))),
          workNames(fs::exists(run.dir.file("work")) ? namesIn(run.dir.file("work")) : std::set<std::string>{}),
          oldList(run.lists.oldList.lines()), oldLocList(run.lists.oldLocList.lines()),
          upList(run.lists.upList.lines()), upLocList(run.lists.upLocList.lines())
    {
    }
    bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* os)
{
    *os << "old " << s.oldBytes.size() << " up " << s.upBytes.size() << " backup " << s.backupBytes.size()
        << " data files " << s.dataNames.size() << " work files " << s.workNames.size();
}

} // namespace

TEST(Merge, EveryFailureLeavesFilesAndListsAsTheyWere)
{
    struct Failure {
        const char* name;
        std::function<void(MergeRun&)> arrange;
        std::function<platform::Notice(MergeRun&)> notice;
        std::function<void()> undo;
    };
    const auto error = [](std::string text) { return platform::Notice{"ERROR", std::move(text), false}; };
    rlimit oldLimit{};
    const std::vector<Failure> failures = {
        {"read-only OLD file", [](MergeRun& r) { ::chmod(r.oldPath.c_str(), 0444); },
         [&](MergeRun& r) { return error(pellorin::readOnlyText("Yout Input file", r.oldPath)); }, {}},
        {"OLD file changed since the load", [](MergeRun& r) { testsupport::writeFile(r.oldPath, "other"); },
         [&](MergeRun& r) { return error(platform::fileChangedText(r.oldPath)); }, {}},
        {"OLD file gone since the load", [](MergeRun& r) { fs::remove(r.oldPath); },
         [&](MergeRun& r) { return error(pellorin::fileGoneText(r.oldPath)); }, {}},
        {"OLD file replaced by a read-only file since the load",
         [](MergeRun& r) {
             testsupport::writeFile(r.dir.file("data/new.dat"), station("AA0001", "n"));
             ::chmod(r.dir.file("data/new.dat").c_str(), 0444);
             fs::rename(r.dir.file("data/new.dat"), r.oldPath);
         },
         [&](MergeRun& r) { return error(platform::fileChangedText(r.oldPath)); }, {}},
        {"update file gone since the load", [](MergeRun& r) { fs::remove(r.upPath); },
         [&](MergeRun& r) { return error("\r\n     ERROR - Could not open input file " + r.upPath + " for read.\r\n"); },
         {}},
        {"no work directory", [](MergeRun& r) { r.backupPath = r.dir.file("gone/plrn0000.bak"); },
         [&](MergeRun& r) {
             return error("\r\n      ERROR - Could not rename\r\n         " + r.oldPath + "\r\n      to " + r.backupPath +
                          "\r\n      \r\n");
         },
         {}},
        {"full disk",
         [&](MergeRun&) {
             std::signal(SIGXFSZ, SIG_IGN);
             ::getrlimit(RLIMIT_FSIZE, &oldLimit);
             rlimit small = oldLimit;
             small.rlim_cur = 500; // the merged file has 708 bytes
             ::setrlimit(RLIMIT_FSIZE, &small);
         },
         [&](MergeRun& r) { return error("\r\n     ERROR - Could not open input file " + r.oldPath + " for write.\r\n"); },
         [&] { ::setrlimit(RLIMIT_FSIZE, &oldLimit); }},
        {"backup is the update file", [](MergeRun& r) { r.backupPath = r.upPath; },
         [&](MergeRun& r) {
             return platform::Notice{"NOTICE",
                                     "\r\n       ERROR - The Old file, the Update file and the backup file\r\n"
                                     "       must be three different files.\r\n\r\n       Old file    " +
                                         r.oldPath + "\r\n       Update file " + r.upPath + "\r\n       Backup file " +
                                         r.upPath + "\r\n\r\n       The backup file is that file itself: the backup is made in the\r\n"
                                         "       current directory, so start Pellorin in another directory.\r\n",
                                     false};
         },
         {}},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.name);
        MergeRun run(station("AA0001", "o") + station("BB0002", "o"), station("BB0002", "u") + station("DD0004", "u"));
        testsupport::writeFile(run.backupPath, "former backup");
        f.arrange(run);
        const Snapshot before(run);
        const bool merged = run.merge();
        if (f.undo)
            f.undo();
        EXPECT_FALSE(merged);
        EXPECT_EQ(Snapshot(run), before);
        EXPECT_EQ(testsupport::readFile(run.dir.file("work/plrn0000.bak")), "former backup");
        EXPECT_EQ(run.notices.recorded(), (std::vector<platform::Notice>{f.notice(run)}));
        EXPECT_EQ(run.progress.starts, run.progress.finishes);
    }
}

TEST(Merge, ACommitReplacesAFormerBackupAndKeepsTheFilesIdentity)
{
    MergeRun run(station("AA0001", "o"), station("AA0001", "u"));
    testsupport::writeFile(run.backupPath, "former backup");
    ::chmod(run.oldPath.c_str(), 0640);
    // A second name of the OLD file sees the merged file; a link to it stays a link.
    fs::create_hard_link(run.oldPath, run.dir.file("data/second.dat"));
    fs::create_symlink(run.oldPath, run.dir.file("data/link.dat"));
    run.oldPath = run.dir.file("data/link.dat");
    run.lists.oldIdentity = platform::FileIdentity::of(run.oldPath);
    ASSERT_TRUE(run.merge());
    EXPECT_TRUE(fs::is_symlink(run.oldPath));
    EXPECT_EQ(testsupport::readFile(run.dir.file("data/second.dat")), station("AA0001", "u"));
    EXPECT_EQ(testsupport::readFile(run.dir.file("data/old.dat")), station("AA0001", "u"));
    EXPECT_EQ(testsupport::readFile(run.backupPath), station("AA0001", "o"));
    EXPECT_EQ(fs::status(run.dir.file("data/old.dat")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(run.dir.file("data")), (std::set<std::string>{"old.dat", "up.dat", "second.dat", "link.dat"}));
    EXPECT_EQ(namesIn(run.dir.file("work")), (std::set<std::string>{"plrn0000.bak"}));

    // UNDO puts the old data back under every name.
    EXPECT_TRUE(pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed));
    EXPECT_TRUE(fs::is_symlink(run.oldPath));
    EXPECT_EQ(testsupport::readFile(run.dir.file("data/second.dat")), station("AA0001", "o"));
    EXPECT_EQ(testsupport::readFile(run.dir.file("data/old.dat")), station("AA0001", "o"));
    EXPECT_FALSE(fs::exists(run.backupPath));
    EXPECT_EQ(namesIn(run.dir.file("data")), (std::set<std::string>{"old.dat", "up.dat", "second.dat", "link.dat"}));
}

TEST(Merge, SaveAndUndo)
{
    const std::string oldBytes = station("AA0001", "o");
    {
        SCOPED_TRACE("UNDO puts the old file back");
        MergeRun run(oldBytes, station("AA0001", "u"));
        ::chmod(run.oldPath.c_str(), 0604);
        ASSERT_TRUE(run.merge());
        EXPECT_TRUE(pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed));
        EXPECT_EQ(testsupport::readFile(run.oldPath), oldBytes);
        EXPECT_FALSE(fs::exists(run.backupPath));
        EXPECT_EQ(fs::status(run.oldPath).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
        EXPECT_EQ(run.notices.recorded().back(),
                  (platform::Notice{"OKAY",
                                    "\r\n              File " + run.oldPath +
                                        "\r\n\r\n              has been Restored to Original.\r\n",
                                    false}));
    }
    {
        SCOPED_TRACE("UNDO without the merged file");
        MergeRun run(oldBytes, station("AA0001", "u"));
        ASSERT_TRUE(run.merge());
        fs::remove(run.oldPath);
        EXPECT_TRUE(pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed));
        EXPECT_EQ(testsupport::readFile(run.oldPath), oldBytes);
        // Again: the backup is gone now.
        EXPECT_FALSE(pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed));
        EXPECT_EQ(run.notices.recorded().back(),
                  (platform::Notice{"ERROR",
                                    "\r\n         Original file stored at\r\n            " + run.backupPath +
                                        "\r\n\r\n         could not be found.\r\n",
                                    false}));
        EXPECT_EQ(testsupport::readFile(run.oldPath), oldBytes);
    }
    {
        SCOPED_TRACE("UNDO over a read-only merged file");
        MergeRun run(oldBytes, station("AA0001", "u"));
        ASSERT_TRUE(run.merge());
        ::chmod(run.oldPath.c_str(), 0444);
        EXPECT_FALSE(pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed));
        EXPECT_EQ(run.notices.recorded().back().caption, "NOTICE");
        EXPECT_EQ(testsupport::readFile(run.backupPath), oldBytes);
        EXPECT_EQ(testsupport::readFile(run.oldPath), station("AA0001", "u"));
    }
    {
        SCOPED_TRACE("SAVE removes the backup");
        MergeRun run(oldBytes, station("AA0001", "u"));
        ASSERT_TRUE(run.merge());
        EXPECT_TRUE(pellorin::SaveMerge(run.oldPath, run.backupPath, run.notices));
        EXPECT_FALSE(fs::exists(run.backupPath));
        EXPECT_EQ(testsupport::readFile(run.oldPath), station("AA0001", "u"));
        EXPECT_FALSE(pellorin::SaveMerge(run.oldPath, run.backupPath, run.notices));
        EXPECT_EQ(run.notices.recorded().back(),
                  (platform::Notice{"WARNING",
                                    "\r\n   File\r\n      " + run.oldPath +
                                        "\r\n\r\n   has been updated and saved.\r\n   The System was unable to "
                                        "locate the temp file\r\n       " +
                                        run.backupPath + "\r\n",
                                    false}));
    }
}

TEST(Merge, TheThreeFilesMustBeThreeFilesWhateverTheirNames)
{
    // Another name of a file, by a hard link, a symbolic link or a linked
    // directory, is that file: each pair is refused before anything changes.
    // The notice says which two are one file, and what to do.
    const std::string oneFile =
        "\r\n       The Old file and the Update file are one file:\r\n       choose another Update file.\r\n";
    const std::string itself = "\r\n       The backup file is that file itself: the backup is made in the\r\n"
                               "       current directory, so start Pellorin in another directory.\r\n";
    const auto linkOf = [](const std::string& file) {
        return "\r\n       The backup file is another name (a link) of\r\n          " + file +
               "\r\n       as a Commit that was stopped could leave it.\r\n"
               "       Remove the backup file, then Commit again:\r\n"
               "       the file it names keeps its data.\r\n";
    };
    struct Case {
        const char* name;
        std::function<void(MergeRun&)> arrange;
        std::function<std::string(const MergeRun&)> why;
    };
    const std::vector<Case> cases = {
        {"OLD a hard link of UPDATE",
         [](MergeRun& r) {
             fs::create_hard_link(r.upPath, r.dir.file("data/second.dat"));
             r.oldPath = r.dir.file("data/second.dat");
         },
         [&](const MergeRun&) { return oneFile; }},
        {"OLD a symbolic link to UPDATE",
         [](MergeRun& r) {
             fs::create_symlink("up.dat", r.dir.file("data/link.dat"));
             r.oldPath = r.dir.file("data/link.dat");
         },
         [&](const MergeRun&) { return oneFile; }},
        {"UPDATE a symbolic link to OLD",
         [](MergeRun& r) {
             fs::create_symlink(r.oldPath, r.dir.file("data/link.dat"));
             r.upPath = r.dir.file("data/link.dat");
         },
         [&](const MergeRun&) { return oneFile; }},
        {"backup a hard link of OLD", [](MergeRun& r) { fs::create_hard_link(r.oldPath, r.backupPath); },
         [&](const MergeRun& r) { return linkOf(r.oldPath); }},
        {"backup a symbolic link to UPDATE", [](MergeRun& r) { fs::create_symlink(r.upPath, r.backupPath); },
         [&](const MergeRun& r) { return linkOf(r.upPath); }},
        {"backup in a linked directory, named as OLD",
         [](MergeRun& r) {
             fs::create_directory_symlink(r.dir.file("data"), r.dir.file("work/data"));
             r.backupPath = r.dir.file("work/data/old.dat");
         },
         [&](const MergeRun&) { return itself; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MergeRun run(station("AA0001", "o"), station("AA0001", "u"));
        c.arrange(run);
        run.lists.oldIdentity = platform::FileIdentity::of(run.oldPath);
        run.lists.upIdentity = platform::FileIdentity::of(run.upPath);
        const Snapshot before(run);
        EXPECT_FALSE(run.merge());
        EXPECT_EQ(Snapshot(run), before);
        EXPECT_EQ(testsupport::readFile(run.dir.file("data/old.dat")), station("AA0001", "o"));
        EXPECT_EQ(testsupport::readFile(run.dir.file("data/up.dat")), station("AA0001", "u"));
        EXPECT_EQ(run.notices.recorded(),
                  (std::vector<platform::Notice>{
                      {"NOTICE",
                       "\r\n       ERROR - The Old file, the Update file and the backup file\r\n"
                       "       must be three different files.\r\n\r\n       Old file    " +
                           run.oldPath + "\r\n       Update file " + run.upPath + "\r\n       Backup file " +
                           run.backupPath + "\r\n" + c.why(run),
                       false}}));
    }
}

TEST(Merge, UndoAsksBeforeItReplacesAMergedFileThatChangedSinceCommit)
{
    const std::string oldBytes = station("AA0001", "o");
    const std::string mergedBytes = station("AA0001", "u");
    const std::string edit = mergedBytes + " AA0001.remark added by hand\r\n";
    struct Case {
        const char* name;
        std::function<void(MergeRun&)> change;
        bool yes;
        bool asks;
    };
    const auto edited = [&](MergeRun& r) {
        std::ofstream out(r.oldPath, std::ios::binary | std::ios::app);
        out << " AA0001.remark added by hand\r\n";
    };
    const auto replaced = [&](MergeRun& r) {
        testsupport::writeFile(r.dir.file("data/new.dat"), edit);
        fs::rename(r.dir.file("data/new.dat"), r.oldPath);
    };
    const std::vector<Case> cases = {
        {"unchanged", [](MergeRun&) {}, false, false},
        {"edited, No", edited, false, true},
        {"edited, Yes", edited, true, true},
        {"replaced, No", replaced, false, true},
        {"replaced, Yes", replaced, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MergeRun run(oldBytes, mergedBytes);
        ASSERT_TRUE(run.merge());
        c.change(run);
        run.notices.queueAnswer(c.yes);
        const bool undone = pellorin::UndoMerge(run.oldPath, run.backupPath, run.notices, run.committed);
        std::vector<platform::Notice> expected;
        if (c.asks)
            expected.push_back({"WARNING", pellorin::changedSinceCommitText(run.oldPath, run.backupPath), true});
        if (!c.asks || c.yes) {
            expected.push_back({"OKAY",
                                "\r\n              File " + run.oldPath +
                                    "\r\n\r\n              has been Restored to Original.\r\n",
                                false});
            EXPECT_TRUE(undone);
            EXPECT_EQ(testsupport::readFile(run.oldPath), oldBytes);
            EXPECT_FALSE(fs::exists(run.backupPath));
        } else {
            EXPECT_FALSE(undone);
            EXPECT_EQ(testsupport::readFile(run.oldPath), edit);
            EXPECT_EQ(testsupport::readFile(run.backupPath), oldBytes);
        }
        EXPECT_EQ(run.notices.recorded(), expected);
    }
}

namespace {

// The names in the data and work directories at the last step of a
// Commit's write, before the merged file takes the OLD file's place; the
// hook then puts a directory in the OLD file's place, so that the rename fails.
std::string gDataDir, gWorkDir;
std::set<std::string> gDataNamesMidway, gWorkNamesMidway;

void blockTheRename(platform::FileStep step, const std::string& path)
{
    if (step != platform::FileStep::TempOnDisk || path.find("/old.dat.tmp") == std::string::npos)
        return;
    gDataNamesMidway = namesIn(gDataDir);
    gWorkNamesMidway = namesIn(gWorkDir);
    fs::rename(gDataDir + "/old.dat", gDataDir + "/moved.dat");
    fs::create_directory(gDataDir + "/old.dat");
}

bool hasNameStartingWith(const std::set<std::string>& names, const std::string& start)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return name.size() > start.size() && name.compare(0, start.size(), start) == 0;
    });
}

} // namespace

// The files a Commit makes on its way are named after the file they belong
// to, and a Commit that fails at its last step leaves none of them.
TEST(Merge, ACommitThatFailsAtTheRenameLeavesNoFileOfItsOwn)
{
    const std::string oldBytes = station("AA0001", "o");
    MergeRun run(oldBytes, station("AA0001", "u"));
    testsupport::writeFile(run.backupPath, "former backup");
    gDataDir = run.dir.file("data");
    gWorkDir = run.dir.file("work");
    const platform::FileStepHook previous = platform::setFileStepHook(blockTheRename);
    const bool merged = run.merge();
    platform::setFileStepHook(previous);
    EXPECT_FALSE(merged);
    EXPECT_EQ(run.notices.recorded(),
              (std::vector<platform::Notice>{
                  {"ERROR", "\r\n     ERROR - Could not open input file " + run.oldPath + " for write.\r\n", false}}));
    // Midway: the merged data beside the OLD file, the old file held beside
    // the former backup, which keeps its name.
    EXPECT_EQ(gDataNamesMidway.size(), 3u);
    EXPECT_TRUE(hasNameStartingWith(gDataNamesMidway, "old.dat.tmp"));
    EXPECT_EQ(gWorkNamesMidway.size(), 2u);
    EXPECT_TRUE(gWorkNamesMidway.count("plrn0000.bak"));
    EXPECT_TRUE(hasNameStartingWith(gWorkNamesMidway, "old.dat.old"));
    // Afterwards: the former backup back in its place, no other file.
    EXPECT_EQ(namesIn(gDataDir), (std::set<std::string>{"moved.dat", "old.dat", "up.dat"}));
    EXPECT_EQ(namesIn(gWorkDir), (std::set<std::string>{"plrn0000.bak"}));
    EXPECT_EQ(testsupport::readFile(run.backupPath), "former backup");
    EXPECT_EQ(testsupport::readFile(gDataDir + "/moved.dat"), oldBytes);
    EXPECT_EQ(run.lists.upList.size(), 1u);
}

// A user's Commit over a file of root's that the user may write: the
// backup is a second name of the old file, so the merged file is a new one,
// which cannot be root's. The Commit works and says what the file has now.
TEST(Merge, ACommitSaysWhenTheMergedFileCouldNotKeepItsOwner)
{
    const std::string oldBytes = station("AA0001", "o");
    MergeRun run(oldBytes, station("AA0001", "u"));
    ::chmod(run.oldPath.c_str(), 0646);
    ::chmod(run.dir.path().c_str(), 0755);
    testsupport::giveToNobody(run.dir.file("data"));
    testsupport::giveToNobody(run.dir.file("work"));
    const std::string shown = testsupport::asNobody([&] {
        std::string report = run.merge() ? "merged" : "failed";
        for (const auto& notice : run.notices.recorded())
            report += "\n" + notice.caption + "|" + notice.text;
        return report;
    });
    std::string expected = "merged";
    if (testsupport::runningAsRoot())
        expected += "\nWARNING|\r\n   File\r\n      " + run.oldPath + "\r\n\r\n   has been updated.\r\n" + run.oldPath +
                    " could not keep its owner, group and mode: it now has mode 0646, owner 65534, group "
                    "65534.\r\n";
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(testsupport::readFile(run.oldPath), station("AA0001", "u"));
    EXPECT_EQ(testsupport::readFile(run.backupPath), oldBytes);
    EXPECT_EQ(namesIn(run.dir.file("data")), (std::set<std::string>{"old.dat", "up.dat"}));
    EXPECT_EQ(namesIn(run.dir.file("work")), (std::set<std::string>{"plrn0000.bak"}));
}
