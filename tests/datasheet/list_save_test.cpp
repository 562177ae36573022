// Saving lists in the output formats, and merging datasheets into a file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/syscall.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/list_sort.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "platform/file_steps.h"
#include "platform/files.h"
#include "platform/line_list.h"
#include "tests/support/as_nobody.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::fixture;
using testsupport::readFile;
using testsupport::writeFile;

const platform::Notice kNotFoundZZ{"NOTICE", "Offset Location not found for ZZ0000", false};

std::string toLf(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

Lines entries(const std::string& directory)
{
    Lines names;
    platform::listDirectory(directory, names);
    return names;
}

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = MARCH 3, 2005";

// A station whose every line carries its PID: saved, it comes out as it stands.
std::string station(const std::string& pid, const Lines& texts)
{
    std::string bytes = kHeader + "\r\n";
    for (const auto& text : texts)
        bytes += " " + pid + "  " + text + "\r\n";
    return bytes;
}

// A loaded data file: its list lines and PID/offset index, as the windows hold them.
class SaveTest : public ::testing::Test {
protected:
    void SetUp() override { load(fixture("save_data.dat")); }

    void load(const std::string& path)
    {
        data = path;
        ds::LoadedStations loaded;
        platform::NullProgress quiet;
        ASSERT_TRUE(ds::loadStations(path, ds::kKavro, quiet, loaded));
        list = loaded.listLines;
        locList.assign(loaded.locLines);
    }

    ds::OffsetLookup lookup()
    {
        return [this](std::string_view pid) { return index.find(pid); };
    }

    bool save(const Lines& lines, int format, const std::string& target, bool append = false,
              std::string* identityNote = nullptr)
    {
        ds::ListSave request;
        request.target = target;
        request.append = append;
        request.format = format;
        request.dataPath = data;
        request.lookup = lookup();
        return ds::saveList(lines, request, notices, progress, identityNote);
    }

    bool merge(const Lines& pids, const std::string& target, std::string* identityNote = nullptr)
    {
        ds::ListMerge request;
        request.target = target;
        request.backup = backup;
        request.dataPath = data;
        request.lookup = lookup();
        return ds::mergeList(pids, request, notices, progress, identityNote);
    }

    static Lines pidsOf(const Lines& lines)
    {
        Lines pids;
        for (const auto& line : lines)
            pids.emplace_back(ds::listLinePid(line));
        return pids;
    }

    testsupport::TempDir dir;
    std::string data;
    Lines list;
    platform::LineList locList;
    ds::OffsetIndex index{locList};
    platform::RecordingNotices notices;
    platform::NullProgress progress;
    std::string backup = dir.file("dsdata0.bak");
};

TEST_F(SaveTest, EachFormatWritesTheExpectedFile)
{
    // Two marked stations: List keeps the tags, PINMAP starts at the PID.
    ASSERT_EQ(list.size(), 5u);
    list[1].replace(0, 5, "   ->");
    list[3].replace(0, 5, "   ->");
    struct Case {
        int format;
        const char* expected;
    };
    for (const Case& c : {Case{ds::kDatasheetFormat, "save_expected_datasheet.txt"},
                          Case{ds::kListFormat, "save_expected_list.txt"},
                          Case{ds::kPinmapFormat, "save_expected_pinmap.txt"}}) {
        SCOPED_TRACE(c.expected);
        const std::string out = dir.file("out.txt");
        ASSERT_TRUE(save(list, c.format, out));
        EXPECT_EQ(readFile(out), readFile(fixture(c.expected)));
        EXPECT_TRUE(notices.recorded().empty());
        EXPECT_EQ(entries(dir.path()), Lines{"out.txt"}); // no temporary file left
    }
}

TEST_F(SaveTest, DatasheetsComeOutTheSameInAnyOrderAndForLfLines)
{
    // Each station alone, then all of them backwards: the reads that jump
    // back and forth give the same datasheets as single reads.
    std::string singles;
    for (auto line = list.rbegin(); line != list.rend(); ++line) {
        ASSERT_TRUE(save({*line}, ds::kDatasheetFormat, dir.file("one.txt")));
        singles += readFile(dir.file("one.txt"));
    }
    ASSERT_TRUE(save(Lines(list.rbegin(), list.rend()), ds::kDatasheetFormat, dir.file("all.txt")));
    EXPECT_EQ(readFile(dir.file("all.txt")), singles);

    // An LF-only data file gives the same CR LF output.
    const std::string lf = dir.file("lf.dat");
    writeFile(lf, toLf(readFile(fixture("save_data.dat"))));
    load(lf);
    ASSERT_TRUE(save(list, ds::kDatasheetFormat, dir.file("lf.txt")));
    EXPECT_EQ(readFile(dir.file("lf.txt")), readFile(fixture("save_expected_datasheet.txt")));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SaveTest, LargeFilesWithLongLinesInAndOutOfFileOrder)
{
    // Stations of many sizes, one with a line of 2.5 MB, so that reads end
    // at every kind of place; saved in file order the file comes out whole.
    std::string bytes;
    Lines stations, all;
    locList.clear();
    for (int i = 0; i < 400; ++i) {
        char pid[8];
        std::snprintf(pid, sizeof pid, "AB%04d", i);
        Lines texts;
        for (int line = 0; line <= i % 7; ++line)
            texts.push_back(std::string(static_cast<std::size_t>(20 + (i * 37 + line * 11) % 260), 'a' + line));
        if (i == 123)
            texts.push_back(std::string(2'500'000, 'L'));
        locList.append({ds::MakeLocLine(pid, static_cast<std::int64_t>(bytes.size()))});
        stations.push_back(station(pid, texts));
        bytes += stations.back();
        all.push_back(std::string("     |") + pid + "|");
    }
    data = dir.file("big.dat");
    writeFile(data, bytes);
    ASSERT_TRUE(save(all, ds::kDatasheetFormat, dir.file("out.txt")));
    EXPECT_TRUE(readFile(dir.file("out.txt")) == bytes);

    std::string backwards;
    for (auto it = stations.rbegin(); it != stations.rend(); ++it)
        backwards += *it;
    ASSERT_TRUE(save(Lines(all.rbegin(), all.rend()), ds::kDatasheetFormat, dir.file("out.txt")));
    EXPECT_TRUE(readFile(dir.file("out.txt")) == backwards);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SaveTest, MergeFindsStationsAcrossTheEndsOfItsReads)
{
    // The target's second header begins at each place around the end of the
    // first read (4096 bytes); once, a kept and a new station have a line of 2.5 MB.
    const std::string target = dir.file("target.dat");
    for (std::size_t shift = 0; shift <= 40; ++shift) {
        SCOPED_TRACE(shift);
        const std::string longLine(shift == 0 ? 2'500'000 : 200, 'L');
        const std::string b = station("BB0002", {"old B", "second old B line"});
        const std::string c = station("CC0003", {"old C", longLine, "after the long line"});
        std::string a = station("AA0001", {"old A"});
        a += " AA0001  " + std::string(4096 - shift - a.size() - 11, 'x') + "\r\n";
        ASSERT_EQ(a.size(), 4096 - shift);
        const std::string newA = station("AA0001", {"new A", longLine});
        const std::string newB = station("BB0002", {"new B"});
        const std::string newC = station("CC0003", {"new C"});
        data = dir.file("new.dat");
        writeFile(data, newA + newB + newC);
        locList.assign({ds::MakeLocLine("AA0001", 0), ds::MakeLocLine("BB0002", static_cast<std::int64_t>(newA.size())),
                        ds::MakeLocLine("CC0003", static_cast<std::int64_t>(newA.size() + newB.size()))});
        struct Case {
            Lines pids;
            std::string expected;
        };
        for (const Case& m : {Case{{}, a + b + c}, Case{{"BB0002"}, a + newB + c}, Case{{"AA0001"}, newA + b + c},
                              Case{{"CC0003", "AA0001"}, newA + b + newC}}) {
            writeFile(target, a + b + c);
            ASSERT_TRUE(merge(m.pids, target));
            EXPECT_TRUE(readFile(target) == m.expected) << m.pids.size();
        }
    }
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_FALSE(platform::fileExists(backup));
}

TEST_F(SaveTest, AStationEndsAtTheNextHeaderWhateverItsPid)
{
    // A short station followed by more lines of its PID in the next station,
    // and a station whose PID does not follow its offset.
    const std::string header = "1        Quarndale Geomark Bureau, X";
    writeFile(dir.file("d.dat"), header + "\r\n AB1234  DESIGNATION -  ONE\r\n AB1234  two\r\n" + header +
                                     "\r\n CD5678  DESIGNATION -  OTHER\r\n AB1234  later line of the PID\r\n" +
                                     header + "\r\n AB1234  and another\r\n");
    load(dir.file("d.dat"));
    locList.append({"EF9012|0"}); // points at AB1234's header
    ASSERT_TRUE(save({"     |AB1234|", "     |EF9012|"}, ds::kDatasheetFormat, dir.file("out.txt")));
    EXPECT_EQ(readFile(dir.file("out.txt")), header + "\r\n AB1234  DESIGNATION -  ONE\r\n AB1234  two\r\n");
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SaveTest, AppendAddsAndAnEmptyListStillCompletes)
{
    const std::string out = dir.file("out.txt");
    const std::string old = "old content\r\n";
    writeFile(out, old);
    ASSERT_TRUE(save({list[0]}, ds::kListFormat, out, true));
    EXPECT_EQ(readFile(out), old + list[0] + "\r\n");

    writeFile(out, old);
    EXPECT_TRUE(save({}, ds::kListFormat, out, true));
    EXPECT_EQ(readFile(out), old);
    EXPECT_TRUE(save({}, ds::kListFormat, out, false));
    EXPECT_EQ(readFile(out), "");
    EXPECT_EQ(entries(dir.path()), Lines{"out.txt"});
}

TEST_F(SaveTest, ItemRecordsLoseTheLinesWithoutLettersOrDigits)
{
    const std::string longRecord = "ZZ|" + std::string(600, 'x') + "|";
    Lines calls;
    ds::ListSave request;
    request.target = dir.file("items.txt");
    request.format = ds::kItemPickFormat;
    request.dataPath = data;
    request.itemHeader = "PID|NAME|";
    request.stationItems = [&](std::string_view pid, std::size_t index, std::string& records) {
        calls.push_back(std::string(pid) + "#" + std::to_string(index));
        records += std::string(pid) + "|A NAME|\r\n||| ,;\n   \n\n" + longRecord;        return true;
    };
    ASSERT_TRUE(ds::saveList({list[0], list[2]}, request, notices, progress));
    EXPECT_EQ(calls, (Lines{"AA0001#0", "CC0003#1"}));
    EXPECT_EQ(readFile(request.target), "PID|NAME|\r\nAA0001|A NAME|\r\n" + longRecord + "\r\nCC0003|A NAME|\r\n" +
                                            longRecord + "\r\n");
    EXPECT_TRUE(notices.recorded().empty());

    // No header for an empty list, nor one without a letter or digit; and a
    // data file that cannot be read stops the save at once.
    ASSERT_TRUE(ds::saveList({}, request, notices, progress));
    EXPECT_EQ(readFile(request.target), "");
    request.itemHeader = "||";
    ASSERT_TRUE(ds::saveList({list[0]}, request, notices, progress));
    EXPECT_EQ(readFile(request.target), "AA0001|A NAME|\r\n" + longRecord + "\r\n");
    request.dataPath = dir.file("gone.dat");
    calls.clear();
    EXPECT_FALSE(ds::saveList({list[0], list[2]}, request, notices, progress));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + request.dataPath + " for read.", false}}));
    EXPECT_EQ(readFile(request.target), "AA0001|A NAME|\r\n" + longRecord + "\r\n");
    // A station writer that reports a failure (after its own notice) ends
    // the save there, the target as it was.
    request.dataPath = data;
    calls.clear();
    notices.clear();
    request.stationItems = [&](std::string_view pid, std::size_t index, std::string& records) {
        calls.push_back(std::string(pid) + "#" + std::to_string(index));
        records += "half a record\r\n";
        return index == 0;
    };
    for (bool append : {false, true}) {
        request.append = append;
        calls.clear();
        EXPECT_FALSE(ds::saveList({list[0], list[2], list[3]}, request, notices, progress));
        EXPECT_EQ(calls, (Lines{"AA0001#0", "CC0003#1"}));
        EXPECT_EQ(readFile(request.target), "AA0001|A NAME|\r\n" + longRecord + "\r\n");
        EXPECT_EQ(entries(dir.path()), Lines{"items.txt"}); // no temporary file left
    }
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_TRUE(ds::HasAlnum("  a  "));
    EXPECT_TRUE(ds::HasAlnum("|7|"));
    EXPECT_FALSE(ds::HasAlnum(" |,;\t\xe9"));
}

TEST_F(SaveTest, FailuresLeaveTheTargetAsItWas)
{
    const std::string out = dir.file("out.txt");
    const std::string old = "old content\r\n";
    const std::string missing = dir.file("gone.dat");
    struct Case {
        const char* name;
        std::string target;
        std::string dataFile;
        std::string notice;
    };
    const std::string noDirectory = dir.file("no such dir/out.txt");
    std::filesystem::create_directory(dir.file("a directory"));
    for (const Case& c : {
             Case{"the data file cannot be read", out, missing, "Cannot Open file " + missing + " for read."},
             Case{"the target is the data file", dir.path() + "/./data.dat", dir.file("data.dat"),
                  "Not saved: " + dir.path() + "/./data.dat\r\nis the datasheet file in use."},
             Case{"no temporary file", noDirectory, data, "SYSTEM ERROR -Cannot open temporary file."},
             Case{"the target cannot be replaced", dir.file("a directory"), data,
                  "Cannot write to file " + dir.file("a directory")},
         }) {
        SCOPED_TRACE(c.name);
        for (bool append : {false, true}) {
            notices.clear();
            writeFile(out, old);
            writeFile(dir.file("data.dat"), readFile(fixture("save_data.dat")));
            data = c.dataFile;
            EXPECT_FALSE(save(list, ds::kDatasheetFormat, c.target, append));
            EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", c.notice, false}}));
            EXPECT_EQ(readFile(out), old);
            EXPECT_EQ(readFile(dir.file("data.dat")), readFile(fixture("save_data.dat")));
            EXPECT_EQ(entries(dir.path()), (Lines{"a directory", "data.dat", "out.txt"}));
        }
    }
}

// From now on no file can be created: the disk is full.
void noRoomForNewFiles()
{
    testsupport::failCalls(SYS_openat, ENOSPC);
}

void fullOnceTheBackupIsMade(platform::FileStep step, const std::string& path)
{
    if (step == platform::FileStep::CopyNamed && path.find(ds::kMergeBackup) != std::string::npos)
        noRoomForNewFiles();
}

// A save, or a merge once it made its backup, that finds no room for its
// temporary file says that the disk is full; the target is as it was.
TEST_F(SaveTest, NoRoomForTheTemporaryFileSaysTheDiskIsFull)
{
    const std::string target = dir.file("target.dat");
    const std::string old = readFile(fixture("save_data.dat"));
    for (const bool merging : {false, true}) {
        SCOPED_TRACE(merging ? "merge" : "save");
        writeFile(target, old);
        const testsupport::ChildEnd end = testsupport::inChild([&] {
            if (merging)
                platform::setFileStepHook(fullOnceTheBackupIsMade);
            else
                noRoomForNewFiles();
            const bool done = merging ? merge(pidsOf(list), target) : save(list, ds::kDatasheetFormat, target);
            std::string report = done ? "done" : "failed";
            for (const auto& notice : notices.recorded())
                report += "|" + notice.text;
            return report;
        });
        ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
        const std::string& report = end.report;
        EXPECT_EQ(report, "failed|SYSTEM ERROR -Cannot open temporary file.\r\nThe disk is full.");
        EXPECT_EQ(readFile(target), old);
    }
}

// A data file that changed while it was loaded leaves the load an unknown
// identity: the saves that read it by offset refuse it, as they refuse one
// changed since; a request without an identity is not checked.
TEST_F(SaveTest, AnUnknownLoadIdentityIsRefusedLikeAChangedFile)
{
    const std::string out = dir.file("out.txt");
    const std::string target = dir.file("target.dat");
    const std::string text = readFile(fixture("save_target.dat"));
    const std::vector<platform::Notice> changed{{"NOTICE", platform::fileChangedText(data), false}};
    writeFile(out, "old\r\n");
    writeFile(target, text);

    ds::ListSave save;
    save.target = out;
    save.format = ds::kDatasheetFormat;
    save.dataPath = data;
    save.lookup = lookup();
    save.dataIdentity = platform::FileIdentity();
    EXPECT_FALSE(ds::saveList(list, save, notices, progress));
    EXPECT_EQ(notices.recorded(), changed);
    EXPECT_EQ(readFile(out), "old\r\n");

    // An empty list reads nothing from the data file: it is written as any save.
    notices.clear();
    EXPECT_TRUE(ds::saveList({}, save, notices, progress));
    EXPECT_EQ(readFile(out), "");
    writeFile(out, "old\r\n");

    notices.clear();
    ds::ListMerge merge;
    merge.target = target;
    merge.backup = backup;
    merge.dataPath = data;
    merge.lookup = lookup();
    merge.dataIdentity = platform::FileIdentity();
    EXPECT_FALSE(ds::mergeList(pidsOf(list), merge, notices, progress));
    EXPECT_EQ(notices.recorded(), changed);
    EXPECT_EQ(readFile(target), text);
    EXPECT_EQ(entries(dir.path()), (Lines{"out.txt", "target.dat"}));

    notices.clear();
    save.dataIdentity = platform::FileIdentity::of(data);
    EXPECT_TRUE(ds::saveList(list, save, notices, progress));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SaveTest, AStationMissingFromTheIndexIsLeftOut)
{
    const std::string out = dir.file("out.txt");
    ASSERT_TRUE(save({"     |ZZ0000|", list[3]}, ds::kDatasheetFormat, out));
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kNotFoundZZ});
    ASSERT_TRUE(save({list[3]}, ds::kDatasheetFormat, dir.file("d.txt")));
    EXPECT_EQ(readFile(out), readFile(dir.file("d.txt")));
}

TEST_F(SaveTest, MergeReplacesKeepsAndAddsInBufferOrder)
{
    // The list holds D, B, C and A; the target A, E, B and F. Added at the
    // end: D and C, in list order, or C and D when the buffer is sorted.
    const Lines pids{"DD0004", "BB0002", "CC0003", "AA0001"};
    Lines sorted = pids;
    std::stable_sort(sorted.begin(), sorted.end(), ds::listBoxLess);
    for (const auto& [order, expected] : {std::pair{pids, "save_expected_merge.dat"},
                                          std::pair{sorted, "save_expected_merge_sorted.dat"}}) {
        SCOPED_TRACE(expected);
        const std::string target = dir.file("target.dat");
        writeFile(target, readFile(fixture("save_target.dat")));
        ASSERT_TRUE(merge(order, target));
        EXPECT_EQ(readFile(target), readFile(fixture(expected)));
        EXPECT_TRUE(notices.recorded().empty());
        EXPECT_EQ(entries(dir.path()), Lines{"target.dat"}); // neither backup nor temporary file
    }
}

int gMergeKill = 0;
int gMergeSteps = 0;

void killMergeAtStep(platform::FileStep, const std::string&)
{
    if (gMergeSteps++ == gMergeKill)
        ::_exit(0);
}

// A kill at any step of a merge, the copy into dsdata0.bak included: the
// target holds its old or its merged bytes, and dsdata0.bak, when there,
// is whole: the former backup or the whole old target. Anything else left
// is a temporary file named after one of them.
TEST_F(SaveTest, AKillAtAnyStepOfAMergeLeavesTheTargetAndTheBackupWhole)
{
    const std::string target = dir.file("target.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    const std::string merged = readFile(fixture("save_expected_merge.dat"));
    const std::string former = "former backup\r\n";
    bool finished = false;
    for (int kill = 0; !finished && kill < 200; ++kill) {
        SCOPED_TRACE(kill);
        writeFile(target, old);
        writeFile(backup, former);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            gMergeKill = kill;
            platform::setFileStepHook(killMergeAtStep);
            ::_exit(merge({"DD0004", "BB0002", "CC0003", "AA0001"}, target) ? 10 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 1) << "the merge failed";
        finished = WEXITSTATUS(status) == 10;
        const std::string now = readFile(target);
        EXPECT_TRUE(now == old || now == merged);
        if (platform::fileExists(backup)) {
            const std::string held = readFile(backup);
            EXPECT_TRUE(held == former || held == old) << "dsdata0.bak is not whole";
        }
        for (const auto& name : entries(dir.path())) {
            if (name == "data.dat" || name == "target.dat" || name == "dsdata0.bak")
                continue;
            EXPECT_TRUE(name.rfind("dsdata0.bak.tmp", 0) == 0 || name.rfind("target.dat.tmp", 0) == 0) << name;
            platform::removeFile(dir.file(name));
        }
        if (finished) {
            EXPECT_EQ(now, merged);
            EXPECT_FALSE(platform::fileExists(backup));
        }
    }
    EXPECT_TRUE(finished);
}

TEST_F(SaveTest, MergeKeepsWhatItCannotReplace)
{
    // AA0001 has no datasheet at its offset, ZZ0000 no offset at all: the old
    // A stays and the backup is kept. The target ends without a line end.
    std::string old = readFile(fixture("save_target.dat"));
    old.resize(old.size() - 2);
    const std::string target = dir.file("target.dat");
    writeFile(target, old);
    locList.set(0, "AA0001|" + std::to_string(readFile(data).find(" BB0002")));
    ASSERT_TRUE(merge({"AA0001", "ZZ0000", "DD0004"}, target));
    ASSERT_TRUE(save({list[3]}, ds::kDatasheetFormat, dir.file("d.txt")));
    EXPECT_EQ(readFile(target), old + "\r\n" + readFile(dir.file("d.txt")));
    EXPECT_EQ(notices.recorded(), std::vector<platform::Notice>{kNotFoundZZ});
    EXPECT_EQ(readFile(backup), old);
}

TEST_F(SaveTest, MergeFailuresChangeNothing)
{
    const std::string target = dir.file("target.dat");
    const std::string text = readFile(fixture("save_target.dat"));
    const std::string missing = dir.file("gone.dat");
    const std::string notDatasheet = "just some text\r\n";
    struct Case {
        const char* name;
        std::string content; // of the target; empty: a directory
        std::string dataFile;
        std::string backupPath;
        std::string notice;
        bool backupKept;
        unsigned targetMode = 0644;
        // A backup of an earlier merge, without a write bit, lies there first.
        bool earlierBackup = false;
    };
    const std::string earlier = "earlier backup\r\n";
    const std::string bakDir = dir.file("bak dir");
    for (const Case& c : {
             Case{"empty target", "-", data, backup, "Syetem error, Could not Merge Files", false},
             Case{"target not readable and writable", "", data, backup, "Cannot write to file " + target, false},
             // Without a write bit a file is read-only for root too.
             Case{"target without a write bit", text, data, backup, "Cannot write to file " + target, false, 0444},
             Case{"earlier backup without a write bit", text, data, backup, "Cannot write to file " + backup, true,
                  0644, true},
             Case{"backup cannot be written", text, data, bakDir, "Cannot write to file " + bakDir, false},
             Case{"the backup would be the data file", text, dir.file("data.dat"), dir.file("data.dat"),
                  "Cannot write to file " + dir.file("data.dat"), false},
             Case{"target is the data file", text, target, backup,
                  "Not merged: " + target + "\r\nis the datasheet file in use.", false},
             Case{"target no datasheet file", notDatasheet, data, backup,
                  "Not merged: " + target + "\r\nis not a datasheet file.", false},
             Case{"data file cannot be read", text, missing, backup, "Cannot Open file " + missing + " for read.",
                  true},
         }) {
        SCOPED_TRACE(c.name);
        notices.clear();
        std::filesystem::remove_all(target);
        std::filesystem::remove_all(bakDir);
        std::filesystem::create_directory(bakDir);
        writeFile(dir.file("data.dat"), "data file\r\n");
        if (c.content.empty())
            std::filesystem::create_directory(target);
        else
            writeFile(target, c.content == "-" ? "" : c.content);
        if (!c.content.empty())
            ::chmod(target.c_str(), c.targetMode);
        if (c.earlierBackup) {
            writeFile(backup, earlier);
            ::chmod(backup.c_str(), 0444);
        }
        data = c.dataFile;
        const std::string before = c.content.empty() ? "" : readFile(target);
        ds::ListMerge request{target, c.backupPath, data, lookup(), {}};
        EXPECT_FALSE(ds::mergeList({"AA0001", "DD0004"}, request, notices, progress));
        EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", c.notice, false}}));
        if (!c.content.empty()) {
            EXPECT_EQ(readFile(target), before);
        }
        EXPECT_EQ(readFile(dir.file("data.dat")), "data file\r\n");
        Lines expected{"bak dir", "data.dat"};
        if (c.backupKept)
            expected.push_back("dsdata0.bak");
        expected.push_back("target.dat");
        EXPECT_EQ(entries(dir.path()), expected);
        if (c.backupKept) {
            EXPECT_EQ(readFile(backup), c.earlierBackup ? earlier : before);
        }
        std::filesystem::remove(backup);
    }
}

std::string gAddTo; // the file another program adds to, once
std::string gAddWhileCopying; // while this file is written by a copy

void addWhileCopied(platform::FileStep step, const std::string& path)
{
    if (step == platform::FileStep::BlockCopied && !gAddTo.empty() && path.rfind(gAddWhileCopying, 0) == 0) {
        const int fd = ::open(gAddTo.c_str(), O_WRONLY | O_APPEND);
        (void)::write(fd, "added\r\n", 7);
        ::close(fd);
        gAddTo.clear();
    }
}

void unreadableOnceTheBackupIsMade(platform::FileStep step, const std::string& path)
{
    if (step == platform::FileStep::CopyNamed && path.find(ds::kMergeBackup) != std::string::npos)
        testsupport::failCalls(SYS_read, EIO);
}

// A merge whose target another program adds to while the backup is copied,
// or that cannot be read once the backup is made, says what happened and
// that nothing changed: the target is as it was and no backup is left.
TEST_F(SaveTest, AMergeTellsWhyItStopped)
{
    const std::string target = dir.file("target.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    for (const bool added : {true, false}) {
        SCOPED_TRACE(added ? "added to while copied" : "cannot be read");
        writeFile(target, old);
        const testsupport::ChildEnd end = testsupport::inChild([&] {
            gAddTo = target;
            gAddWhileCopying = backup + ".tmp";
            platform::setFileStepHook(added ? addWhileCopied : unreadableOnceTheBackupIsMade);
            std::string report = merge(pidsOf(list), target) ? "done" : "failed";
            for (const auto& notice : notices.recorded())
                report += "|" + notice.text;
            return report;
        });
        ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
        EXPECT_EQ(end.report, added ? "failed|Syetem error, Could not Merge Files\r\n" + target +
                                          " changed while it was copied: nothing was changed."
                                    : "failed|Not merged: " + target + "\r\ncould not be read: nothing was changed.");
        EXPECT_EQ(readFile(target), old + (added ? "added\r\n" : ""));
        EXPECT_EQ(entries(dir.path()), Lines{"target.dat"});
    }
}

// On a file system without hard links or a rename that refuses to replace
// (vfat, some network mounts), saves and merges give the same files, also
// where the target is written in place (it has a second name, made before).
TEST_F(SaveTest, WithoutHardLinksSavesAndMergesGiveTheSameFiles)
{
    const std::string target = dir.file("target.dat");
    const std::string saved = dir.file("saved.txt");
    const std::string old = readFile(fixture("save_target.dat"));
    const std::string expectedSave = readFile(fixture("save_expected_datasheet.txt"));
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "target with a second name" : "target alone");
        writeFile(target, old);
        writeFile(saved, "old\r\n");
        Lines names{"saved.txt", "target.dat"};
        if (linked) {
            ASSERT_EQ(::link(target.c_str(), dir.file("second.dat").c_str()), 0);
            ASSERT_EQ(::link(saved.c_str(), dir.file("second.txt").c_str()), 0);
            names = {"saved.txt", "second.dat", "second.txt", "target.dat"};
        }
        const testsupport::ChildEnd end = testsupport::inChild([&] {
            testsupport::failLinksAndNoReplaceRenames();
            const bool appended = save(list, ds::kDatasheetFormat, saved, true);
            const bool merged = merge({"DD0004", "BB0002", "CC0003", "AA0001"}, target);
            std::string report = appended && merged ? "done" : "failed";
            for (const auto& notice : notices.recorded())
                report += "|" + notice.text;
            return report;
        });
        ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
        EXPECT_EQ(end.report, "done");
        EXPECT_EQ(readFile(saved), "old\r\n" + expectedSave);
        EXPECT_EQ(readFile(target), readFile(fixture("save_expected_merge.dat")));
        EXPECT_EQ(entries(dir.path()), names);
        if (linked) {
            EXPECT_EQ(readFile(dir.file("second.dat")), readFile(target));
            std::filesystem::remove(dir.file("second.dat"));
            std::filesystem::remove(dir.file("second.txt"));
        }
    }
}

} // namespace

namespace {

// Gives the target a second name once its temporary file is made, as a
// backup tool might while a save runs.
std::string gLinkTarget;
std::string gLinkName;

// The link comes once the target's own temporary file is made (not that of
// the merge's backup copy).
void linkTheTarget(platform::FileStep step, const std::string& path)
{
    if (step == platform::FileStep::TempMade && path.rfind(gLinkTarget + ".tmp", 0) == 0 && !gLinkName.empty()) {
        ::link(gLinkTarget.c_str(), gLinkName.c_str());
        gLinkName.clear();
    }
}

} // namespace

// A user's save over a file of root's that the user may write, which got a
// second name meanwhile: the file cannot be written in place (the second
// name keeps the old bytes) and a new file cannot be root's. The save
// works, and tells the caller what the file has now, for its notice.
TEST_F(SaveTest, ASaveOrMergeTellsWhatAReplacedFileCouldNotKeep)
{
    const std::string target = dir.file("target.dat");
    const std::string old = readFile(fixture("save_target.dat"));
    writeFile(dir.file("data.dat"), readFile(fixture("save_data.dat")));
    data = dir.file("data.dat");
    ::chmod(dir.path().c_str(), 0755);
    testsupport::giveToNobody(dir.path());
    const std::string note = testsupport::runningAsRoot()
                                 ? "\r\n" + target + " could not keep its owner, group and mode: it now has mode "
                                                     "0646, owner 65534, group 65534."
                                 : std::string();
    struct Case {
        const char* name;
        std::function<bool(std::string&)> write;
    };
    for (const Case& c : {
             Case{"Overwrite", [&](std::string& n) { return save(list, ds::kListFormat, target, false, &n); }},
             Case{"Append", [&](std::string& n) { return save(list, ds::kListFormat, target, true, &n); }},
             Case{"Merge", [&](std::string& n) { return merge({"DD0004", "AA0001"}, target, &n); }},
         }) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(target); // a new file of root's
        writeFile(target, old);
        ::chmod(target.c_str(), 0646);
        gLinkTarget = target;
        gLinkName = dir.file("held");
        const platform::FileStepHook previous = platform::setFileStepHook(linkTheTarget);
        const std::string told = testsupport::asNobody([&] {
            std::string identityNote = "unset";
            const bool done = c.write(identityNote);
            return std::string(done ? "done" : "failed") + "|" + identityNote;
        });
        platform::setFileStepHook(previous);
        EXPECT_EQ(told, "done|" + note);
        EXPECT_EQ(readFile(dir.file("held")), old);
        EXPECT_NE(readFile(target), old);
        EXPECT_EQ(entries(dir.path()), (Lines{"data.dat", "held", "target.dat"}));
        std::filesystem::remove(dir.file("held"));
    }
}

namespace {

// A station of `count` lines, each carrying the PID.
std::string numberedStation(const std::string& pid, const std::string& version, int count)
{
    Lines texts;
    for (int i = 1; i <= count; ++i)
        texts.push_back(version + " line " + std::to_string(i));
    return station(pid, texts);
}

// The header line of a station, damaged the ways a disc or a transfer does.
std::vector<std::pair<std::string, std::string>> damagedHeaders()
{
    std::string nul = kHeader;
    nul.replace(12, 4, std::string(4, '\0'));
    std::string lastOfThe33 = kHeader;
    lastOfThe33[32] = 'x';
    return {
        {"first character changed", "2" + kHeader.substr(1)},
        {"a letter of the name changed", kHeader.substr(0, 11) + "o" + kHeader.substr(12)},
        {"last of the 33 characters changed", lastOfThe33},
        {"NUL bytes in it", nul},
        {"a blank first", " " + kHeader.substr(1)},
    };
}

} // namespace

TEST_F(SaveTest, MergeKeepsTheStationAfterADamagedHeaderAsAStationOfItsOwn)
{
    // Forty lines of B follow A; B's header line is damaged, so B opens at
    // its first line. Replacing A, B or C must keep every other line.
    const std::string oldA = numberedStation("AA0001", "old A", 3);
    const std::string oldBLines = numberedStation("BB0002", "old B", 40).substr(kHeader.size() + 2);
    const std::string oldC = numberedStation("CC0003", "old C", 2);
    const std::string newA = numberedStation("AA0001", "new A", 2);
    const std::string newB = numberedStation("BB0002", "new B", 2);
    const std::string newC = numberedStation("CC0003", "new C", 2);
    data = dir.file("new.dat");
    writeFile(data, newA + newB + newC);
    locList.assign({ds::MakeLocLine("AA0001", 0), ds::MakeLocLine("BB0002", static_cast<std::int64_t>(newA.size())),
                    ds::MakeLocLine("CC0003", static_cast<std::int64_t>(newA.size() + newB.size()))});
    const std::string target = dir.file("target.dat");
    for (const auto& [name, damaged] : damagedHeaders()) {
        SCOPED_TRACE(name);
        const std::string b = damaged + "\r\n" + oldBLines;
        struct Case {
            Lines pids;
            std::string expected;
        };
        for (const Case& m : {Case{{}, oldA + b + oldC}, Case{{"AA0001"}, newA + b + oldC},
                              Case{{"BB0002"}, oldA + damaged + "\r\n" + newB + oldC},
                              Case{{"CC0003", "AA0001"}, newA + b + newC},
                              Case{{"AA0001", "BB0002"}, newA + damaged + "\r\n" + newB + oldC}}) {
            SCOPED_TRACE(m.pids.size());
            writeFile(target, oldA + b + oldC);
            ASSERT_TRUE(merge(m.pids, target));
            EXPECT_TRUE(readFile(target) == m.expected) << readFile(target);
            EXPECT_TRUE(notices.recorded().empty());
            EXPECT_FALSE(platform::fileExists(backup));
        }
    }

    // Without any line between them, B's lines are lines of A's station (a
    // stray line of another PID can stand there too): they stay, and a new B
    // goes to the end. Lines between a replaced station and the next stay
    // where they were.
    struct Case {
        const char* name;
        std::string old;
        Lines pids;
        std::string expected;
    };
    const std::string between = "\r\n*** a line between stations\r\n";
    for (const Case& c : {Case{"no header", oldA + oldBLines + oldC, {"AA0001"}, newA + oldBLines + oldC},
                          Case{"no header, both replaced", oldA + oldBLines + oldC, {"AA0001", "BB0002"},
                               newA + oldBLines + oldC + newB},
                          Case{"lines between", oldA + between + oldC, {"AA0001"}, newA + between + oldC},
                          Case{"lines between at the end", oldA + between, {"AA0001"}, newA + between}}) {
        SCOPED_TRACE(c.name);
        writeFile(target, c.old);
        ASSERT_TRUE(merge(c.pids, target));
        EXPECT_TRUE(readFile(target) == c.expected) << readFile(target);
        EXPECT_TRUE(notices.recorded().empty());
    }
}

TEST_F(SaveTest, ADatasheetEndsWhereALineHoldsAnotherPid)
{
    // In the data file, A's header is followed by two lines, the damaged
    // header of B, B's lines and one more line of A's PID: that line is
    // B's station's, not A's.
    const std::string newA = numberedStation("AA0001", "new A", 2);
    const std::string rest = "2" + kHeader.substr(1) + "\r\n BB0002  b line\r\n AA0001  stray line\r\n";
    data = dir.file("new.dat");
    writeFile(data, newA + rest + kHeader + "\r\n");
    locList.assign({ds::MakeLocLine("AA0001", 0)});
    ASSERT_TRUE(save({"     |AA0001|"}, ds::kDatasheetFormat, dir.file("out.txt")));
    EXPECT_EQ(readFile(dir.file("out.txt")), newA);
}

TEST_F(SaveTest, ATargetThatIsAnotherNameOfTheDataFileIsRefused)
{
    namespace fs = std::filesystem;
    const std::string dataFile = dir.file("data.dat");
    const std::string bytes = readFile(fixture("save_data.dat"));
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    };
    for (const Case& c : {Case{"hard link", [&](const std::string& p) { fs::create_hard_link(dataFile, p); }},
                          Case{"symbolic link", [&](const std::string& p) { fs::create_symlink(dataFile, p); }},
                          Case{"link to a link", [&](const std::string& p) {
                                   fs::create_symlink(dataFile, dir.file("step"));
                                   fs::create_symlink("step", p);
                               }}}) {
        SCOPED_TRACE(c.name);
        fs::remove(dir.file("step"));
        writeFile(dataFile, bytes);
        data = dataFile;
        const std::string target = dir.file("target.dat");
        fs::remove(target);
        c.make(target);
        for (bool append : {false, true}) {
            notices.clear();
            EXPECT_FALSE(save(list, ds::kDatasheetFormat, target, append));
            EXPECT_EQ(notices.recorded(),
                      (std::vector<platform::Notice>{
                          {"NOTICE", "Not saved: " + target + "\r\nis the datasheet file in use.", false}}));
        }
        notices.clear();
        EXPECT_FALSE(merge(pidsOf(list), target));
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{
                      {"NOTICE", "Not merged: " + target + "\r\nis the datasheet file in use.", false}}));
        EXPECT_EQ(readFile(dataFile), bytes);
        EXPECT_FALSE(platform::fileExists(backup));
        fs::remove(target);
    }
}
