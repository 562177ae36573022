// The join engine: the datasheet copy with the type filter, the list and
// PINMAP summaries, and the per-file loop with its failures, on the sample
// CD-ROM and on small fixtures.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "morvane/core/join.h"
#include "platform/file_steps.h"
#include "platform/notices.h"
#include "platform/progress.h"
#include "tests/support/as_nobody.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::readFile;
using testsupport::writeFile;
using Lines = std::vector<std::string>;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = OCTOBER 14, 2004";

std::string sample(const std::string& path)
{
    return std::string(DS_SAMPLES_DIR) + "/" + path;
}

// A datasheet: the header, the DESIGNATION line, then the PID's body lines.
Lines station(const std::string& pid, const Lines& body = {}, const std::string& designation = "MARK")
{
    Lines lines{kHeader, " " + pid + "  DESIGNATION -  " + designation};
    for (const auto& text : body)
        lines.push_back(text.empty() ? text : " " + pid + text);
    return lines;
}

std::string join(const std::vector<Lines>& stations, const std::string& end = "\r\n")
{
    std::string text;
    for (const auto& lines : stations)
        for (const auto& line : lines)
            text += line + end;
    return text;
}

// Splits datasheet text into blocks that each begin with a header line.
Lines datasheetsOf(const std::string& text)
{
    Lines blocks;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t next = text.find("\n1        Quarndale Geomark Bureau", start);
        next = next == std::string::npos ? text.size() : next + 1;
        blocks.push_back(text.substr(start, next - start));
        start = next;
    }
    return blocks;
}

struct Joined {
    bool done = false;
    std::string output;
    platform::RecordingNotices notices;
    Lines started;
    std::string identityNote;
};

void runJoin(Joined& result, const Lines& inputs, const std::string& output, int format,
             const std::string& typeCode = "", bool append = false)
{
    morvane::JoinRequest request;
    request.inputs = inputs;
    request.output = output;
    request.append = append;
    request.settings.format = format;
    request.settings.typeCode = typeCode;
    request.fileStarted = [&result](std::size_t n, std::size_t m) {
        result.started.push_back(std::to_string(n) + "/" + std::to_string(m));
    };
    platform::NullProgress progress;
    result.done = morvane::JoinFiles(request, result.notices, progress, &result.identityNote);
    result.output = readFile(output);
}

const Lines kThree = {sample("DATA/AZ/AZ001.DAT"), sample("DATA/AZ/AZ003.DAT"), sample("DATA/CO/CO001.DAT")};

TEST(JoinSamples, AnyTypeDatasheetsEqualTheFilesOneAfterTheOther)
{
    testsupport::TempDir dir;
    Joined r;
    runJoin(r, kThree, dir.file("out.txt"), 0, "X-0");
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.output, readFile(kThree[0]) + readFile(kThree[1]) + readFile(kThree[2]));
    EXPECT_EQ(r.started, (Lines{"1/3", "2/3", "3/3"}));
    EXPECT_TRUE(r.notices.recorded().empty());
}

TEST(JoinSamples, FilterKeepsWholeDatasheetsInFileOrder)
{
    testsupport::TempDir dir;
    Joined r;
    runJoin(r, kThree, dir.file("out.txt"), 0, "H-1");
    ASSERT_TRUE(r.done);
    const Lines got = datasheetsOf(r.output);
    ASSERT_EQ(got.size(), 25u);
    // Each output datasheet is one of the inputs', in order, 8, 13 and 4 of them.
    std::size_t at = 0;
    std::vector<int> perFile;
    for (const auto& input : kThree) {
        int count = 0;
        for (const auto& block : datasheetsOf(readFile(input)))
            if (at < got.size() && got[at] == block) {
                ++at;
                ++count;
            }
        perFile.push_back(count);
    }
    EXPECT_EQ(at, got.size());
    EXPECT_EQ(perFile, (std::vector<int>{8, 13, 4}));
}

TEST(JoinSamples, ListAndPinmapLinesAndAppend)
{
    testsupport::TempDir dir;
    Joined list;
    runJoin(list, kThree, dir.file("list.txt"), 1);
    ASSERT_TRUE(list.done);
    const Lines lines = datasheetsOf(list.output); // no headers: one block
    std::vector<std::string> rows;
    for (std::size_t start = 0; start < list.output.size();) {
        const std::size_t end = list.output.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        rows.push_back(list.output.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(rows.size(), 44u);
    EXPECT_EQ(rows[0], "     |FA0001|B-2|35 19 49.2|114 50 13.4|B");

    Joined pinmap;
    runJoin(pinmap, kThree, dir.file("pinmap.txt"), 2);
    std::string expected;
    for (const auto& row : rows)
        expected += row.substr(6) + "\r\n";
    EXPECT_EQ(pinmap.output, expected);

    // Append: the old bytes first, then the join.
    Joined again;
    runJoin(again, kThree, dir.file("pinmap.txt"), 2, "", true);
    EXPECT_EQ(again.output, expected + expected);
}

TEST(JoinSamples, DiskFilesWithLfOnlyLinesGetCrLf)
{
    testsupport::TempDir dir;
    Joined r;
    runJoin(r, {sample("disk/datasheets.txt"), sample("disk/lf_only.txt")}, dir.file("out.txt"), 0);
    ASSERT_TRUE(r.done);
    std::string lf = readFile(sample("disk/lf_only.txt"));
    std::string crlf;
    for (char c : lf) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(r.output, readFile(sample("disk/datasheets.txt")) + crlf);
}

struct FixtureCase {
    const char* name;
    std::string input;
    const char* typeCode;
    std::string expected;
};

void PrintTo(const FixtureCase& c, std::ostream* out)
{
    *out << c.name;
}

class JoinFixtures : public testing::TestWithParam<FixtureCase> {};

TEST_P(JoinFixtures, CopiesTheExpectedBytes)
{
    const FixtureCase& c = GetParam();
    testsupport::TempDir dir;
    writeFile(dir.file("in.dat"), c.input);
    Joined r;
    runJoin(r, {dir.file("in.dat")}, dir.file("out.txt"), 0, c.typeCode);
    ASSERT_TRUE(r.done);
    EXPECT_EQ(r.output, c.expected);
}

const Lines kFirst = {"  HORZ ORDER  -  FIRST"};
const Lines kThird = {"  HORZ ORDER  -  THIRD"};
const std::string kLong(5000, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinFixtures,
    testing::Values(
        FixtureCase{"CrLf", join({station("AA0001", kFirst), station("AA0002", kThird), station("AA0003", kFirst)}),
                    "H-1", join({station("AA0001", kFirst), station("AA0003", kFirst)})},
        FixtureCase{"LfOnly",
                    join({station("AA0001", kFirst), station("AA0002", kThird), station("AA0003", kFirst)}, "\n"),
                    "H-1", join({station("AA0001", kFirst), station("AA0003", kFirst)})},
        // The skipped station ends at the next header even when that is the
        // first line the skip reads.
        FixtureCase{"DesignationLastLineOfSkipped",
                    join({station("AA0001", kFirst), {kHeader, " AA0002  HORZ ORDER  -  THIRD",
                                                       " AA0002  DESIGNATION -  LAST"},
                          station("AA0003", kFirst)}),
                    "H-1", join({station("AA0001", kFirst), station("AA0003", kFirst)})},
        // A blank line ends the copy; the rest of the station is not copied.
        FixtureCase{"BlankLineInDatasheet",
                    join({station("AA0001", {"  HORZ ORDER  -  FIRST", "", "  AFTER BLANK"}),
                          station("AA0002", kFirst)}),
                    "X-0", join({station("AA0001", kFirst), station("AA0002", kFirst)})},
        FixtureCase{"LongLines",
                    join({station("AA0001", {"  HORZ ORDER  -  FIRST", "  " + kLong}), station("AA0002", kThird)}),
                    "H-1", join({station("AA0001", {"  HORZ ORDER  -  FIRST", "  " + kLong})})},
        FixtureCase{"AllFilteredOut", join({station("AA0001", kThird), station("AA0002", kThird)}), "H-1", ""},
        // The last line may lack its line end; a CR inside a line cuts it.
        FixtureCase{"LastLineWithoutLineEnd", join({station("AA0001", kFirst)}) + " AA0001  LAST", "X-0",
                    join({station("AA0001", {"  HORZ ORDER  -  FIRST", "  LAST"})})},
        FixtureCase{"CrInsideALine", join({station("AA0001", {"  BEFORE\rAFTER", "  HORZ ORDER  -  FIRST"})}),
                    "X-0", join({station("AA0001", {"  BEFORE", "  HORZ ORDER  -  FIRST"})})},
        // The header line is kept whole: a CR inside it stays, only its line end goes.
        FixtureCase{"CrInsideTheHeader",
                    join({{kHeader + "\rREST", " AA0001  DESIGNATION -  MARK", " AA0001  HORZ ORDER  -  FIRST"}}),
                    "X-0",
                    join({{kHeader + "\rREST", " AA0001  DESIGNATION -  MARK", " AA0001  HORZ ORDER  -  FIRST"}})},
        FixtureCase{"CrInsideTheHeaderLfOnly",
                    join({{kHeader + "\rREST", " AA0001  DESIGNATION -  MARK"}, station("AA0002", kFirst)}, "\n"),
                    "X-0", join({{kHeader + "\rREST", " AA0001  DESIGNATION -  MARK"}, station("AA0002", kFirst)})},
        // A stray line of another PID stays in the station, and so do the
        // station's lines after it.
        FixtureCase{"StrayLineStaysInTheCopy",
                    join({station("AA0001", {"  HORZ ORDER  -  FIRST"}), {" BB0001  STRAY", " AA0001  LATER"},
                          station("AA0002", kFirst)}),
                    "X-0",
                    join({station("AA0001", kFirst), {" BB0001  STRAY", " AA0001  LATER"},
                          station("AA0002", kFirst)})},
        // Lines before the first header are not datasheets.
        FixtureCase{"TextBeforeFirstHeader", "notes\r\n" + join({station("AA0001", kFirst)}), "H-1",
                    join({station("AA0001", kFirst)})}));

TEST(JoinFailures, OutputThatCannotBeWrittenIsLeftAsItWas)
{
    testsupport::TempDir dir;
    const std::string output = dir.file("missing/out.txt");
    Joined r;
    runJoin(r, kThree, output, 0);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Could not open file " + output + " for Write", false}}));
    EXPECT_TRUE(r.started.empty());
}

// The output is refused when it is an input under any name: another
// spelling, a symbolic link to it, a hard link of it, or the file that an
// input's symbolic link names.
TEST(JoinFailures, OutputThatIsAnInputIsRefused)
{
    const std::string bytes = join({station("AA0001", kFirst)});
    enum class Name { Spelling, SymbolicLink, HardLink, InputIsALink };
    for (const Name name : {Name::Spelling, Name::SymbolicLink, Name::HardLink, Name::InputIsALink}) {
        for (const bool append : {false, true}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(name)) + (append ? " append" : " overwrite"));
            testsupport::TempDir dir;
            std::string input = dir.file("in.dat");
            std::string output = dir.file("out.txt");
            writeFile(input, bytes);
            switch (name) {
            case Name::Spelling:
                output = dir.path() + "/./in.dat";
                break;
            case Name::SymbolicLink:
                ASSERT_EQ(::symlink("in.dat", output.c_str()), 0);
                break;
            case Name::HardLink:
                ASSERT_EQ(::link(input.c_str(), output.c_str()), 0);
                break;
            case Name::InputIsALink:
                ::rename(input.c_str(), output.c_str());
                ASSERT_EQ(::symlink("out.txt", input.c_str()), 0);
                break;
            }
            Joined r;
            runJoin(r, {dir.file("other.dat"), input}, output, 0, "", append);
            EXPECT_FALSE(r.done);
            EXPECT_EQ(r.notices.recorded(),
                      (std::vector<platform::Notice>{
                          {"NOTICE", "Not saved: " + output + "\r\nis one of the files to join.", false}}));
            EXPECT_EQ(readFile(input), bytes);
            EXPECT_TRUE(r.started.empty());
        }
    }
}

TEST(JoinFailures, MissingInputAndDirectoryGiveTwoMessagesAndTheJoinGoesOn)
{
    testsupport::TempDir dir;
    const std::string good = dir.file("good.dat");
    writeFile(good, join({station("AA0001", kFirst)}));
    const std::string missing = dir.file("missing.dat");
    Joined r;
    runJoin(r, {missing, dir.path(), good}, dir.file("out.txt"), 0);
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.output, readFile(good));
    EXPECT_EQ(r.notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot Open file " + missing + " for read.", false},
                                             {"NOTICE", "Could not open file " + missing, false},
                                             {"NOTICE", "Cannot Open file " + dir.path() + " for read.", false},
                                             {"NOTICE", "Could not open file " + dir.path(), false}}));
    EXPECT_EQ(r.started, (Lines{"1/3", "2/3", "3/3"}));
}

TEST(JoinFailures, UnwritableDirectoryKeepsTheOldOutput)
{
    testsupport::TempDir dir;
    const std::string output = dir.file("out.txt");
    writeFile(output, "old\r\n");
    testsupport::giveToNobody(dir.path());
    testsupport::giveToNobody(output);
    ::chmod(dir.path().c_str(), 0555);
    const std::string done = testsupport::asNobody([&] {
        Joined r;
        runJoin(r, kThree, output, 0);
        return std::string(r.done ? "done" : "refused");
    });
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(done, "refused");
    EXPECT_EQ(readFile(output), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// A name that another program gives the output while the join writes it.
std::string linkAtCommit;

void linkTheOutput(platform::FileStep step, const std::string&)
{
    if (step == platform::FileStep::TempWritten && !linkAtCommit.empty())
        ::link(linkAtCommit.c_str(), (linkAtCommit + ".link").c_str());
}

// A join onto another user's file, in a directory the user may write: the
// new bytes go into that file, which stays the owner's, and there is nothing
// to note. Only when the file gets another name during the join is it
// replaced by a new file of the user's, and the note says so.
TEST(JoinOutputs, AnOutputThatCannotKeepItsOwnerIsNamedInTheNote)
{
    if (!testsupport::runningAsRoot())
        GTEST_SKIP() << "needs a file of another user";
    for (const bool linked : {false, true}) {
        SCOPED_TRACE(linked ? "a name added during the join" : "in place");
        testsupport::TempDir dir;
        const std::string output = dir.file("out.txt");
        writeFile(output, "old\r\n");
        ASSERT_EQ(::chmod(output.c_str(), 0666), 0); // root's, writable by all
        testsupport::giveToNobody(dir.path());
        const std::string report = testsupport::asNobody([&] {
            linkAtCommit = linked ? output : "";
            platform::setFileStepHook(linkTheOutput);
            Joined r;
            runJoin(r, {kThree[0]}, output, 0);
            return std::string(r.done ? "done" : "failed") + "|" + r.identityNote;
        });
        const std::string note = "\r\n" + output + " could not keep its owner, group and mode: it now has mode 0666, "
                                                   "owner 65534, group 65534.";
        EXPECT_EQ(report, "done|" + (linked ? note : std::string()));
        EXPECT_EQ(readFile(output), readFile(kThree[0]));
        struct stat st {};
        ASSERT_EQ(::stat(output.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, linked ? testsupport::kNobody : 0u);
    }
}

// A join onto an output with two names writes the new bytes into the file
// itself. When that copy fails (here the file size limit, set once the new
// data is complete and on the disk, stops it), both names hold the old bytes
// again, the temporary file holds the whole new data, and the notice names it.
std::uint64_t gSizeLimit = 0;

void limitSizeOnceOnDisk(platform::FileStep step, const std::string&)
{
    if (step == platform::FileStep::TempOnDisk && gSizeLimit != 0) {
        const rlimit limit{gSizeLimit, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
}

TEST(JoinFailures, AFailedCopyIntoALinkedOutputNamesTheTemporaryFileItKeeps)
{
    testsupport::TempDir dir;
    const std::string output = dir.file("out.txt");
    writeFile(output, "old\r\n");
    ASSERT_EQ(::link(output.c_str(), dir.file("second.txt").c_str()), 0);
    const std::string joined = readFile(kThree[0]);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previousSignal = ::signal(SIGXFSZ, SIG_IGN); // as the programs do: a write error
    gSizeLimit = joined.size() / 2;
    const auto previousHook = platform::setFileStepHook(limitSizeOnceOnDisk);
    Joined r;
    runJoin(r, {kThree[0]}, output, 0);
    platform::setFileStepHook(previousHook);
    gSizeLimit = 0;
    ::setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(r.done);
    EXPECT_EQ(readFile(output), "old\r\n");
    EXPECT_EQ(readFile(dir.file("second.txt")), "old\r\n");
    std::vector<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        if (entry.path().filename().string().rfind("out.txt.", 0) == 0)
            kept.push_back(entry.path().string());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].rfind(output + ".tmp", 0), 0u) << kept[0];
    EXPECT_EQ(readFile(kept[0]), joined);
    ASSERT_EQ(r.notices.recorded().size(), 1u);
    EXPECT_NE(r.notices.recorded()[0].text.find(kept[0]), std::string::npos) << r.notices.recorded()[0].text;
}

// A directory in the output's place is refused before anything is joined.
TEST(JoinFailures, OutputThatIsADirectoryIsRefused)
{
    testsupport::TempDir dir;
    const std::string output = dir.file("out.txt");
    ::mkdir(output.c_str(), 0755);
    testsupport::writeFile(output + "/inside", "kept");
    Joined r;
    runJoin(r, kThree, output, 0);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.notices.recorded(), (std::vector<platform::Notice>{
                                        {"NOTICE", "Could not open file " + output + " for Write", false}}));
    EXPECT_EQ(readFile(output + "/inside"), "kept");
}

TEST(JoinSummary, FieldsOfEachStationAndItsFilter)
{
    testsupport::TempDir dir;
    // No POSITION and no order lines: blank fields. A file without headers: nothing.
    const std::string input =
        join({station("AA0001", {"* NAD 83(1986)-  35 19 49.27128(N)    114 50 13.46962(W)     ADJUSTED",
                                 "  HORZ ORDER  -  FIRST", "  VERT ORDER  -  SECOND    CLASS I"},
                      "ONE"),
              station("AA0002", {}, "TWO")});
    writeFile(dir.file("in.dat"), input);
    writeFile(dir.file("none.dat"), " AA0009  DESIGNATION -  NONE\r\n");
    Joined all;
    runJoin(all, {dir.file("in.dat"), dir.file("none.dat")}, dir.file("all.txt"), 1);
    EXPECT_EQ(all.output, "     |AA0001|1-2|35 19 49.2|114 50 13.4|ONE\r\n"
                          "     |AA0002| - |          |           |TWO\r\n");
    Joined first;
    runJoin(first, {dir.file("in.dat")}, dir.file("first.txt"), 2, "H-1");
    EXPECT_EQ(first.output, "AA0001|1-2|35 19 49.2|114 50 13.4|ONE\r\n");
}

TEST(JoinEntries, PathIsTheTextUpToTheFirstBlankOrBar)
{
    EXPECT_EQ(morvane::entryPath("/d/DATA/AZ/AZ001.DAT | APACHE"), "/d/DATA/AZ/AZ001.DAT");
    EXPECT_EQ(morvane::entryPath("AZ001.DAT|APACHE"), "AZ001.DAT");
    EXPECT_EQ(morvane::entryPath(""), "");
}

} // namespace
