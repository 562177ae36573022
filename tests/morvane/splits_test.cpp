// The index files and the splits: shapes, look-ups, default indexes, the
// index-driven split and the splits by bytes, lines and stations, on the
// sample county AZ003 (20 stations, 1389 lines) and on small fixtures.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "morvane/core/index_files.h"
#include "morvane/core/output_pieces.h"
#include "morvane/core/output_set.h"
#include "morvane/core/splits.h"
#include "platform/file_steps.h"
#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"
#include "tests/support/as_nobody.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using morvane::IndexKind;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = OCTOBER 14, 2004";

std::string az003()
{
    return std::string(DS_SAMPLES_DIR) + "/DATA/AZ/AZ003.DAT";
}

Lines station(const std::string& pid, const Lines& body)
{
    Lines lines{kHeader};
    for (const auto& text : body)
        lines.push_back(" " + pid + text);
    return lines;
}

std::string text(const std::vector<Lines>& stations, const std::string& end = "\r\n")
{
    std::string all;
    for (const auto& lines : stations)
        for (const auto& line : lines)
            all += line + end;
    return all;
}

// Blocks of datasheet text that each begin with a header line.
Lines datasheetsOf(const std::string& all)
{
    Lines blocks;
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t next = all.find("\n1        Quarndale Geomark Bureau", start);
        next = next == std::string::npos ? all.size() : next + 1;
        blocks.push_back(all.substr(start, next - start));
        start = next;
    }
    return blocks;
}

std::size_t headersIn(const std::string& all)
{
    std::size_t count = 0;
    for (const auto& block : datasheetsOf(all))
        count += block.starts_with("1        Quarndale") ? 1 : 0;
    return count;
}

// Every piece's bytes by name, in name order of the numbers.
std::map<std::string, std::string> piecesIn(const std::string& dir, int mode = morvane::kNumberedPieces)
{
    std::map<std::string, std::string> pieces;
    for (const auto& name : morvane::listPieces(dir, mode))
        pieces[name] = readFile(dir + "/" + name);
    return pieces;
}

Lines defaultIndex(const std::string& path, IndexKind kind)
{
    platform::LineReader input(0);
    EXPECT_TRUE(input.open(path));
    platform::NullProgress progress;
    return morvane::defaultNameIndex(input, kind, progress).lines;
}

bool splitByIndex(IndexKind kind, const Lines& index, const std::string& input, const std::string& dir,
                  platform::RecordingNotices& notices)
{
    platform::NullProgress progress;
    return morvane::SplitByIndex({kind, index, input, dir}, notices, progress);
}

bool splitByCount(morvane::CountKind kind, double limit, bool between, const std::string& input,
                  const std::string& dir, platform::RecordingNotices& notices, int prefixMode = 1)
{
    platform::NullProgress progress;
    return morvane::SplitByCount({kind, limit, between, prefixMode, input, dir}, notices, progress);
}

TEST(IndexShapes, EntriesOfEachKind)
{
    struct Case {
        const char* line;
        bool entry, name, area;
    };
    for (const Case& c : {Case{"|001|BIG SPRING", true, true, false}, Case{"|12|X", true, false, false},
                          Case{"|000|", true, true, false}, Case{"remark", false, false, false},
                          Case{"||", false, false, false}, Case{"x|y", true, false, false},
                          Case{"|001|310000 330000 1090000 1150000|S", true, true, true},
                          Case{"|001|310000 330000 1090000 115000|S", true, true, false},
                          Case{"|001|310000-330000 1090000 1150000|S", true, true, false},
                          Case{"|0a1|310000 330000 1090000 1150000|S", true, false, false}}) {
        EXPECT_EQ(morvane::isIndexEntry(c.line), c.entry) << c.line;
        if (!c.entry)
            continue;
        EXPECT_EQ(morvane::entryHasShape(c.line, IndexKind::Quad), c.name) << c.line;
        EXPECT_EQ(morvane::entryHasShape(c.line, IndexKind::Area), c.area) << c.line;
    }
    EXPECT_EQ(morvane::firstBadEntry({"remark", "|001|A", "", "|12|X", "|x"}, IndexKind::County), 4u);
    EXPECT_EQ(morvane::firstBadEntry({"|001|A", "|"}, IndexKind::County), 0u);
}

TEST(IndexLookups, NamesExactlyAndAreasInFileOrder)
{
    const std::string quad = "1234567  USGS QUAD   -  ";
    const morvane::IndexLookup names(IndexKind::Quad, {"|005|BIG SPRING", "|006|BIG SPRING", "|007", "|8|BAD"});
    EXPECT_EQ(names.find(quad + "BIG SPRING"), "005"); // the first entry wins
    EXPECT_EQ(names.find(quad + "BIG SPRING   "), ""); // exact: blanks count
    EXPECT_EQ(names.find(quad + "big spring"), "");
    EXPECT_EQ(names.find(quad + "1ST QUAD"), "000");
    EXPECT_EQ(names.find(quad), "000");
    EXPECT_EQ(names.find(quad + "BAD"), ""); // only entries of the right shape count

    // ANCHORAGE and SEWARD overlap: the first in file order holds the station.
    const auto& areas = morvane::defaultAreaIndex();
    const morvane::IndexLookup lookup(IndexKind::Area, areas);
    const auto at = [](const std::string& lat, const std::string& lon) {
        std::string line = " AA0001* NAD 83(1986)-  " + lat + "(N)    " + lon + "(W)     ADJUSTED";
        return line;
    };
    EXPECT_EQ(lookup.find(at("60 30 00.00000", "145 00 00.00000")), "005");
    EXPECT_EQ(lookup.find(at("59 30 00.00000", "145 00 00.00000")), "016");
    EXPECT_EQ(lookup.find(at("64 00 00.00000", "150 00 00.00000")), "004"); // maximum latitude is outside
    EXPECT_EQ(lookup.find(at("30 00 00.00000", "100 00 00.00000")), "");
    EXPECT_EQ(lookup.find(at("        ", "   ")), "000");
    EXPECT_TRUE(morvane::InCurrentArea("60000064000014030001513000", at("60 30 00.00000", "145 00 00.00000")));
    EXPECT_FALSE(morvane::InCurrentArea("00000000000000000000000000", at("60 30 00.00000", "145 00 00.00000")));
}

// The area split's position label is 17 characters, one blank longer than
// the station list's.
TEST(IndexKeyLines, AreaPositionLines)
{
    struct Case {
        const char* line;
        bool key;
    };
    for (const Case& c : {Case{" AA0001  POSITION    -  31 48 36.     (N) 109 00 00.     (W)", true},
                          Case{" AA0001  POSITION    - 31 48 36.     (N) 109 00 00.     (W)", false},
                          Case{" AA0001  POSITION    -", false},
                          Case{" AA0001* NAD 83(1986)-  31 48 36.39512(N) 109 00 00.12345(W)", true},
                          Case{" AA0001* NAD 83(1986) POSITION- 31 48 36.39512(N)", false},
                          Case{" AA0001  USGS QUAD   -  ALDER", false}}) {
        EXPECT_EQ(morvane::isKeyLine(c.line, IndexKind::Area), c.key) << c.line;
    }
}

TEST(DefaultIndexes, QuadAndCountyOfTheSampleAndTheAreaTable)
{
    EXPECT_EQ(defaultIndex(az003(), IndexKind::Quad),
              (Lines{"|000|UNDETERMINED", "|001|BRUSH EAGLE (1990)", "|002|CANYON WASH (1985)",
                     "|003|DRAW IRON (1966)", "|004|MESA CHALK (1952)", "|005|RIDGE BASALT (1969)",
                     "|006|SADDLE FORK (1954)"}));
    EXPECT_EQ(defaultIndex(az003(), IndexKind::County),
              (Lines{"|000|UNDETERMINED", "|001|AZ/COCHISE", "|002|UNITED STATES OF AMERICA"}));
    ASSERT_EQ(morvane::defaultAreaIndex().size(), 16u);
    EXPECT_EQ(morvane::defaultAreaIndex().front(), "|001|640000 680000 1370000 1470000|DAWSON");
    EXPECT_EQ(morvane::defaultAreaIndex().back(), "|016|590000 610000 1403000 1513000|SEWARD");
}

TEST(DefaultIndexes, CaseVariantsShareANumberAndNamesNeedALetter)
{
    testsupport::TempDir dir;
    const auto quad = [](const char* name) { return std::string("  USGS QUAD   -  ") + name; };
    writeFile(dir.file("in.dat"),
              text({station("AA0001", {quad("big spring")}), station("AA0002", {quad("BIG SPRING")}),
                    station("AA0003", {quad("Alder")}), station("AA0004", {quad("12 MILE")}),
                    station("AA0005", {quad("")}), station("AA0006", {quad("big spring")})},
                   "\n"));
    EXPECT_EQ(defaultIndex(dir.file("in.dat"), IndexKind::Quad),
              (Lines{"|000|UNDETERMINED", "|001|Alder", "|002|big spring", "|002|BIG SPRING"}));
    writeFile(dir.file("none.dat"), text({station("AA0001", {"  DESIGNATION -  X"})}));
    EXPECT_EQ(defaultIndex(dir.file("none.dat"), IndexKind::Quad), (Lines{"|000|UNDETERMINED"}));
}

TEST(DefaultIndexes, OverNineHundredNinetyNineNamesAreWrittenAndFlagged)
{
    testsupport::TempDir dir;
    std::vector<Lines> stations;
    for (int i = 0; i < 1001; ++i)
        stations.push_back(station("AA0001", {"  USGS QUAD   -  Q" + std::to_string(10000 + i)}));
    writeFile(dir.file("in.dat"), text(stations));
    platform::LineReader input(0);
    ASSERT_TRUE(input.open(dir.file("in.dat")));
    platform::NullProgress progress;
    const morvane::DefaultIndex index = morvane::defaultNameIndex(input, IndexKind::Quad, progress);
    ASSERT_EQ(index.lines.size(), 1002u);
    EXPECT_EQ(index.lines[1000], "|1000|Q10999");
    EXPECT_TRUE(index.needsRenumbering);
}

TEST(CountyIndexEntries, FromCountyListLines)
{
    EXPECT_EQ(morvane::countyIndexEntry("AZ001.DAT | APACHE"), "|001|AZ/APACHE");
    EXPECT_EQ(morvane::countyIndexEntry("nm003.DAT | CATRON"), "|003|NM/CATRON");
    EXPECT_EQ(morvane::countyIndexEntry("AZ001"), "|001|AZ/");
    EXPECT_EQ(morvane::countyIndexEntry("AZ01"), "");
}

class SampleSplit : public testing::Test {
protected:
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    const std::string input = readFile(az003());
};

TEST_F(SampleSplit, ByQuadSendsEachStationWholeToItsQuad)
{
    ASSERT_TRUE(splitByIndex(IndexKind::Quad, defaultIndex(az003(), IndexKind::Quad), az003(), dir.path(), notices));
    const auto pieces = piecesIn(dir.path());
    ASSERT_EQ(pieces.size(), 7u);
    EXPECT_EQ(pieces.at("dsdata.000"), "");
    std::vector<std::size_t> counts;
    Lines all;
    for (const auto& [name, bytes] : pieces) {
        if (name == "dsdata.000")
            continue;
        counts.push_back(headersIn(bytes));
        for (const auto& block : datasheetsOf(bytes))
            all.push_back(block);
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{3, 4, 3, 2, 3, 5}));
    // Each station as it is in the input.
    Lines inputBlocks = datasheetsOf(input);
    std::sort(inputBlocks.begin(), inputBlocks.end());
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, inputBlocks);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SampleSplit, ByCountyAndByArea)
{
    ASSERT_TRUE(
        splitByIndex(IndexKind::County, defaultIndex(az003(), IndexKind::County), az003(), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), input);
    EXPECT_EQ(piecesIn(dir.path()).size(), 2u);

    testsupport::TempDir areas;
    ASSERT_TRUE(splitByIndex(IndexKind::Area,
                             {"|001|310000 330000 1090000 1150000|S", "|002|330000 370000 1090000 1150000|N"}, az003(),
                             areas.path(), notices));
    EXPECT_EQ(headersIn(readFile(areas.file("dsdata.001"))), 8u);
    EXPECT_EQ(headersIn(readFile(areas.file("dsdata.002"))), 12u);
    EXPECT_EQ(readFile(areas.file("dsdata.000")), "");
}

TEST_F(SampleSplit, CountSplitsJoinBackToTheInput)
{
    struct Case {
        morvane::CountKind kind;
        double limit;
        bool between;
        std::size_t pieces;
    };
    for (const Case& c : {Case{morvane::CountKind::Stations, 5, true, 4}, Case{morvane::CountKind::Lines, 3, false, 463},
                          Case{morvane::CountKind::Bytes, morvane::byteLimit("0.01"), true, 0},
                          Case{morvane::CountKind::Bytes, 0, true, 20}, Case{morvane::CountKind::Lines, 0, true, 20}}) {
        testsupport::TempDir out;
        ASSERT_TRUE(splitByCount(c.kind, c.limit, c.between, az003(), out.path(), notices));
        const auto pieces = piecesIn(out.path());
        if (c.pieces) {
            EXPECT_EQ(pieces.size(), c.pieces);
        }
        std::string joined;
        // Pieces in number order (dsdata.1000 comes after dsdata.999).
        for (int n = 1; n <= static_cast<int>(pieces.size()); ++n) {
            const std::string bytes = pieces.at(morvane::pieceName(n));
            if (c.kind == morvane::CountKind::Stations) {
                EXPECT_EQ(headersIn(bytes), 5u);
            }
            if (c.kind == morvane::CountKind::Lines && !c.between) {
                EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3);
            }
            if (c.between) {
                EXPECT_TRUE(bytes.starts_with("1        Quarndale")) << n;
            }
            joined += bytes;
        }
        EXPECT_EQ(joined, input);
    }
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SampleSplit, OneStationPerPidPieceAndDsdata001Empty)
{
    ASSERT_TRUE(splitByCount(morvane::CountKind::Stations, 1, true, az003(), dir.path(), notices, 0));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "");
    const auto pieces = piecesIn(dir.path(), morvane::kPidPieces);
    ASSERT_EQ(pieces.size(), 20u);
    std::string joined;
    for (const auto& block : datasheetsOf(input)) {
        const std::string pid = block.substr(block.find("\r\n") + 3, 6);
        EXPECT_EQ(pieces.at(pid + ".out"), block);
    }
}

TEST(SplitFixtures, KeyLinesLongLinesAndPids)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    const std::string quad = "  USGS QUAD   -  ";
    Lines ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back("  LINE " + std::to_string(i));
    Lines late = ten;
    late.push_back(quad + "ALDER");
    const std::string longLine = "  " + std::string(3000, 'y');
    const std::string input = "before the first header\n" +
                              text({station("AA0001", late),                               // key after ten lines
                                    station("AA0002", {longLine, quad + "ALDER", "  END"}), // long line
                                    station("AA0003", {"  NO KEY"}),                         // no key line
                                    station("AA0004", {quad + "9 MILE"}),                    // not a name
                                    station("AA0005", {quad + "ZEBRA"}),                     // no entry
                                    station("AA0006", {"  STATE/COUNTY-  AZ/X", quad + "ALDER"})},
                                   "\n");
    writeFile(dir.file("in.dat"), input);
    ASSERT_TRUE(splitByIndex(IndexKind::Quad, {"|000|UNDETERMINED", "|001|ALDER"}, dir.file("in.dat"), dir.path(),
                             notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")),
              text({station("AA0001", late), station("AA0002", {longLine, quad + "ALDER", "  END"}),
                    station("AA0006", {"  STATE/COUNTY-  AZ/X", quad + "ALDER"})}));
    EXPECT_EQ(readFile(dir.file("dsdata.000")), text({station("AA0004", {quad + "9 MILE"})}));

    // A COUNTRY line after STATE/COUNTY does not cut the station.
    testsupport::TempDir county;
    ASSERT_TRUE(splitByIndex(IndexKind::County, {"|001|AZ/X", "|002|UNITED STATES OF AMERICA"}, dir.file("in.dat"),
                             county.path(), notices));
    EXPECT_EQ(readFile(county.file("dsdata.001")),
              text({station("AA0006", {"  STATE/COUNTY-  AZ/X", quad + "ALDER"})}));
    EXPECT_FALSE(platform::fileExists(county.file("dsdata.002")));

    // PID pieces: a repeated PID adds to its piece, no PID gives XX0000, a
    // PID of the wrong shape too; lines before the first header stay in dsdata.001.
    testsupport::TempDir pids;
    const std::string pidInput = "lead line\r\n" + text({station("AB1234", {"  A"}), station("AB1234", {"  B"}),
                                                           {kHeader, "no pid here"}, station("Ab1234", {"  C"}),
                                                           station("CD5678", {"  D"})});
    writeFile(pids.file("in.dat"), pidInput);
    ASSERT_TRUE(splitByCount(morvane::CountKind::Stations, 1, true, pids.file("in.dat"), pids.path(), notices, 0));
    EXPECT_EQ(readFile(pids.file("dsdata.001")), "lead line\r\n" + text({station("AB1234", {"  A"})}));
    EXPECT_EQ(readFile(pids.file("AB1234.out")), text({station("AB1234", {"  B"})}));
    EXPECT_EQ(readFile(pids.file("XX0000.out")), text({{kHeader, "no pid here"}, station("Ab1234", {"  C"})}));
    EXPECT_EQ(readFile(pids.file("CD5678.out")), text({station("CD5678", {"  D"})}));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST(SplitFailures, NothingChangesWhenASplitFails)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    writeFile(dir.file("dsdata.001"), "kept\r\n");
    // The input cannot be read.
    EXPECT_FALSE(splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("missing.dat"), dir.path(), notices));
    EXPECT_FALSE(splitByCount(morvane::CountKind::Lines, 3, false, dir.path(), dir.path(), notices));
    // The output directory does not exist.
    writeFile(dir.file("in.dat"), text({station("AA0001", {"  USGS QUAD   -  A"})}));
    EXPECT_FALSE(splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"), dir.file("none"), notices));
    EXPECT_FALSE(splitByCount(morvane::CountKind::Lines, 3, false, dir.file("in.dat"), dir.file("none"), notices));
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{
                  {"NOTICE", "Could not open file " + dir.file("missing.dat") + " for read.\n", false},
                  {"NOTICE", "Could not open file " + dir.path() + " for read.", false},
                  {"NOTICE", "Cannot Open file dsdata.000 for write.", false},
                  {"NOTICE", "Cannot Open file " + dir.file("none") + "/dsdata.001 for write.", false}}));
    // An output that is a directory: the others are put back.
    notices.clear();
    ::mkdir(dir.file("dsdata.002").c_str(), 0755);
    writeFile(dir.file("dsdata.002/x"), "");
    EXPECT_FALSE(splitByCount(morvane::CountKind::Lines, 1, false, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "kept\r\n");
    ASSERT_EQ(notices.recorded().size(), 1u);
    // No temporary file is left behind.
    std::vector<std::string> names;
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, (Lines{"dsdata.001", "dsdata.002", "in.dat"}));
}

TEST(SplitOutputs, KeptOutputsGetTheNewLinesAtTheirEnd)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    writeFile(dir.file("in.dat"), text({station("AA0001", {"  USGS QUAD   -  A"})}));
    writeFile(dir.file("dsdata.001"), "kept\r\n");
    ASSERT_TRUE(splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "kept\r\n" + readFile(dir.file("in.dat")));
}

TEST(SplitOutputs, ReplacedPiecesKeepModeAndOwnerNewOnesGetTheUmask)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    writeFile(dir.file("in.dat"), text({station("AA0001", {"  A"}), station("AA0002", {"  B"})}));
    writeFile(dir.file("dsdata.001"), "old\r\n");
    ASSERT_EQ(::chmod(dir.file("dsdata.001").c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(dir.file("dsdata.001").c_str(), 65534, 65534), 0);
    }
    ASSERT_TRUE(splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"), dir.path(), notices));
    struct stat replaced {};
    struct stat created {};
    ASSERT_EQ(::stat(dir.file("dsdata.001").c_str(), &replaced), 0);
    ASSERT_EQ(::stat(dir.file("dsdata.002").c_str(), &created), 0);
    EXPECT_EQ(readFile(dir.file("dsdata.001")), text({station("AA0001", {"  A"})}));
    EXPECT_EQ(replaced.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(replaced.st_uid, 65534u);
        EXPECT_EQ(replaced.st_gid, 65534u);
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(created.st_mode & 07777, 0666u & ~mask);
}

// A piece of another user, in a directory the user may write: a new file
// could not get its owner back, so the piece gets its new bytes in place, as
// every other file the programs write, and stays that user's; there is
// nothing to note. Both the count split (new bytes) and the index split (the
// new lines added to the kept piece).
TEST(SplitOutputs, APieceOfAnotherUserStaysTheirs)
{
    if (!testsupport::runningAsRoot())
        GTEST_SKIP() << "needs a file of another user";
    const std::string first = text({station("AA0001", {"  USGS QUAD   -  A"})});
    for (const bool byIndex : {false, true}) {
        SCOPED_TRACE(byIndex ? "index split" : "count split");
        testsupport::TempDir dir;
        writeFile(dir.file("in.dat"), first);
        writeFile(dir.file("dsdata.001"), "old\r\n");
        ASSERT_EQ(::chmod(dir.file("dsdata.001").c_str(), 0666), 0); // root's, writable by all
        testsupport::giveToNobody(dir.path());
        const std::string report = testsupport::asNobody([&] {
            platform::RecordingNotices notices;
            const bool done = byIndex ? splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"), dir.path(), notices)
                                      : splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"),
                                                     dir.path(), notices);
            std::string report = done ? "done" : "failed";
            for (const auto& notice : notices.recorded())
                report += "|" + notice.caption + "|" + notice.text;
            return report;
        });
        EXPECT_EQ(report, "done");
        EXPECT_EQ(readFile(dir.file("dsdata.001")), byIndex ? "old\r\n" + first : first);
        struct stat st {};
        ASSERT_EQ(::stat(dir.file("dsdata.001").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 0u);
        EXPECT_EQ(st.st_mode & 07777, 0666u);
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        EXPECT_EQ(names, (byIndex ? Lines{"dsdata.000", "dsdata.001", "in.dat"} : Lines{"dsdata.001", "in.dat"}));
    }
}

// A piece never replaces a file the user may not write (the split fails and
// nothing changes), and a piece whose name is a symbolic link writes the
// file the link names, which stays a link.
TEST(SplitOutputs, ReplacedPiecesHonourReadOnlyFilesAndLinks)
{
    const std::string first = text({station("AA0001", {"  A"})});
    {
        testsupport::TempDir dir;
        platform::RecordingNotices notices;
        writeFile(dir.file("in.dat"), text({station("AA0001", {"  A"}), station("AA0002", {"  B"})}));
        writeFile(dir.file("dsdata.001"), "old\r\n");
        ASSERT_EQ(::chmod(dir.file("dsdata.001").c_str(), 0444), 0);
        EXPECT_FALSE(splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"), dir.path(), notices));
        EXPECT_EQ(readFile(dir.file("dsdata.001")), "old\r\n");
        EXPECT_EQ(notices.recorded().size(), 1u);
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        EXPECT_EQ(names, (Lines{"dsdata.001", "in.dat"}));
    }
    {
        testsupport::TempDir dir;
        platform::RecordingNotices notices;
        ASSERT_EQ(::mkdir(dir.file("out").c_str(), 0777), 0);
        writeFile(dir.file("in.dat"), first);
        writeFile(dir.file("kept.dat"), "old\r\n");
        ASSERT_EQ(::symlink("../kept.dat", dir.file("out/dsdata.001").c_str()), 0);
        ASSERT_TRUE(splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"), dir.file("out"), notices));
        struct stat link {};
        ASSERT_EQ(::lstat(dir.file("out/dsdata.001").c_str(), &link), 0);
        EXPECT_TRUE(S_ISLNK(link.st_mode));
        EXPECT_EQ(readFile(dir.file("kept.dat")), first);
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        EXPECT_EQ(names, (Lines{"in.dat", "kept.dat", "out"}));
    }
}

// A piece whose name is one of several hard links of a file is written into
// that file: every name shows the piece.
TEST(SplitOutputs, ReplacedPieceWithSeveralNamesIsWrittenInPlace)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    const std::string first = text({station("AA0001", {"  A"})});
    writeFile(dir.file("in.dat"), first);
    writeFile(dir.file("dsdata.001"), "old\r\n");
    ASSERT_EQ(::link(dir.file("dsdata.001").c_str(), dir.file("other.dat").c_str()), 0);
    ASSERT_TRUE(splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), first);
    EXPECT_EQ(readFile(dir.file("other.dat")), first);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("other.dat").c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 2u);
    std::vector<std::string> names;
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, (Lines{"dsdata.001", "in.dat", "other.dat"}));
}

// A kept piece with several names gets the new lines in place, seen by every
// name; a later piece that fails cuts them off again.
TEST(SplitOutputs, KeptPieceWithSeveralNamesGetsTheLinesInPlace)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    const std::string first = text({station("AA0001", {"  USGS QUAD   -  A"})});
    writeFile(dir.file("in.dat"), first);
    writeFile(dir.file("dsdata.001"), "old\r\n");
    ASSERT_EQ(::link(dir.file("dsdata.001").c_str(), dir.file("other.dat").c_str()), 0);
    ASSERT_TRUE(splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "old\r\n" + first);
    EXPECT_EQ(readFile(dir.file("other.dat")), "old\r\n" + first);
    std::vector<std::string> names;
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, (Lines{"dsdata.000", "dsdata.001", "in.dat", "other.dat"}));

    writeFile(dir.file("in.dat"), first + text({station("AA0002", {"  USGS QUAD   -  B"})}));
    ASSERT_EQ(::mkdir(dir.file("dsdata.002").c_str(), 0755), 0);
    EXPECT_FALSE(splitByIndex(IndexKind::Quad, {"|001|A", "|002|B"}, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "old\r\n" + first);
    EXPECT_EQ(readFile(dir.file("other.dat")), "old\r\n" + first);
    EXPECT_EQ(readFile(dir.file("dsdata.000")), "");
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_NE(notices.recorded()[0].text.find("No file has changed."), std::string::npos);
    names.clear();
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, (Lines{"dsdata.000", "dsdata.001", "dsdata.002", "in.dat", "other.dat"}));
}

// A later piece that cannot be put in place undoes the in-place write of a
// file with several names: both names hold the old bytes, and no copy of
// them is left behind.
TEST(SplitOutputs, FailedSplitPutsBackAPieceWithSeveralNames)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    writeFile(dir.file("in.dat"), text({station("AA0001", {"  A"}), station("BB0002", {"  B"})}));
    writeFile(dir.file("dsdata.001"), "old\r\n");
    ASSERT_EQ(::link(dir.file("dsdata.001").c_str(), dir.file("other.dat").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.file("dsdata.002").c_str(), 0755), 0);
    EXPECT_FALSE(splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"), dir.path(), notices));
    EXPECT_EQ(readFile(dir.file("dsdata.001")), "old\r\n");
    EXPECT_EQ(readFile(dir.file("other.dat")), "old\r\n");
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_NE(notices.recorded()[0].text.find("No file has changed."), std::string::npos);
    std::vector<std::string> names;
    platform::listDirectory(dir.path(), names);
    EXPECT_EQ(names, (Lines{"dsdata.001", "dsdata.002", "in.dat", "other.dat"}));
}

// More outputs than files may be open: each is closed and opened again as
// lines come, and every output still gets its lines in order.
// A piece whose name is a symbolic or hard link to the input would write
// over the file being split, whichever split writes it: refused, and
// nothing changes.
TEST(SplitOutputs, APieceThatIsAnotherNameOfTheInputIsRefused)
{
    const std::string input = text({station("AA0001", {"  USGS QUAD   -  A"}), station("AA0002", {"  B"})});
    for (const bool symbolic : {true, false}) {
        for (const bool byIndex : {true, false}) {
            SCOPED_TRACE(std::string(symbolic ? "symbolic" : "hard") + (byIndex ? " link, index split" : " link, count split"));
            testsupport::TempDir dir;
            platform::RecordingNotices notices;
            ASSERT_EQ(::mkdir(dir.file("out").c_str(), 0777), 0);
            writeFile(dir.file("in.dat"), input);
            const std::string piece = dir.file("out/dsdata.001");
            ASSERT_EQ(symbolic ? ::symlink("../in.dat", piece.c_str()) : ::link(dir.file("in.dat").c_str(), piece.c_str()),
                      0);
            EXPECT_FALSE(byIndex ? splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"), dir.file("out"), notices)
                                 : splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"),
                                                dir.file("out"), notices));
            EXPECT_EQ(readFile(dir.file("in.dat")), input);
            EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{
                                              {"NOTICE",
                                               "Not split: " + piece + "\r\nis another name of the file to split, " +
                                                   dir.file("in.dat") + ".\r\nNo file has changed.",
                                               false}}));
            std::vector<std::string> names;
            platform::listDirectory(dir.file("out"), names);
            EXPECT_EQ(names, (Lines{"dsdata.001"}));
        }
    }
}

// Whether a name in the output directory is a piece or a temporary file or
// kept copy named after one ("dsdata.001.tmpXXXXXX", "dsdata.001.oldXXXXXX").
bool belongsToAPiece(const std::string& name)
{
    for (const char* kind : {".tmp", ".old"}) {
        const std::size_t at = name.find(kind);
        if (at != std::string::npos && name.size() == at + 4 + 6 && morvane::isPieceName(name.substr(0, at), morvane::kNumberedPieces))
            return true;
    }
    return morvane::isPieceName(name, morvane::kNumberedPieces);
}

// The kill test's step counter: every file step of the split (each block
// of a copy, each backup, rename and removal) counts.
int killStep = 0;
int stepsTaken = 0;

void countStep(platform::FileStep, const std::string&)
{
    if (stepsTaken++ == killStep)
        ::_exit(0);
}

// A kill at any step of putting the pieces in place: every piece name that
// held a file still holds one, with its old bytes or its new ones, never
// part of either; new pieces are there whole or not at all. The count split
// replaces pieces; the index split adds to kept ones, one of them larger
// than a block of the copy. A piece with a second name (outside the output
// directory) is written in place: a name of it may hold a mix only while a
// whole copy of its old bytes and the whole new file lie beside it.
// Whatever else lies in the directory is named after its piece. (The kill
// is an _exit of a child process at the step.)
TEST(SplitOutputs, AKillAtAnyStepLeavesEveryPieceWhole)
{
    const Lines stations[] = {station("AA0001", {"  USGS QUAD   -  A"}), station("AA0002", {"  USGS QUAD   -  B"}),
                              station("AA0003", {"  USGS QUAD   -  5"})};
    const std::string input = text({stations[0], stations[1], stations[2]});
    const std::string large = std::string(1500000, 'x') + "\r\n";
    struct Case {
        const char* name;
        bool byIndex;
        std::map<std::string, std::string> old;
        std::map<std::string, std::string> fresh;
        std::string linked; // a piece with a second name, "../second"
    };
    const Case cases[] = {
        {"count split",
         false,
         {{"dsdata.001", "old one\r\n"}, {"dsdata.002", "old two\r\n"}},
         {{"dsdata.001", text({stations[0]})}, {"dsdata.002", text({stations[1]})}, {"dsdata.003", text({stations[2]})}},
         ""},
        {"count split, a piece with two names",
         false,
         {{"dsdata.001", "old one\r\n"}, {"dsdata.002", large}},
         {{"dsdata.001", text({stations[0]})}, {"dsdata.002", text({stations[1]})}, {"dsdata.003", text({stations[2]})}},
         "dsdata.002"},
        {"index split",
         true,
         {{"dsdata.001", large}, {"dsdata.002", "old two\r\n"}},
         {{"dsdata.000", text({stations[2]})},
          {"dsdata.001", large + text({stations[0]})},
          {"dsdata.002", "old two\r\n" + text({stations[1]})}},
         ""},
        {"index split, a piece with two names",
         true,
         {{"dsdata.001", large}, {"dsdata.002", "old two\r\n"}},
         {{"dsdata.000", text({stations[2]})},
          {"dsdata.001", large + text({stations[0]})},
          {"dsdata.002", "old two\r\n" + text({stations[1]})}},
         "dsdata.001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool finished = false;
        for (int kill = 0; !finished && kill < 500; ++kill) {
            SCOPED_TRACE(kill);
            testsupport::TempDir dir;
            ASSERT_EQ(::mkdir(dir.file("out").c_str(), 0777), 0);
            writeFile(dir.file("in.dat"), input);
            for (const auto& [name, bytes] : c.old)
                writeFile(dir.file("out/" + name), bytes);
            if (!c.linked.empty()) {
                ASSERT_EQ(::link(dir.file("out/" + c.linked).c_str(), dir.file("second").c_str()), 0);
            }
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                killStep = kill;
                platform::setFileStepHook(countStep);
                platform::RecordingNotices notices;
                const bool done = c.byIndex ? splitByIndex(IndexKind::Quad, {"|001|A", "|002|B"}, dir.file("in.dat"),
                                                           dir.file("out"), notices)
                                            : splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"),
                                                           dir.file("out"), notices);
                ::_exit(done ? 10 + std::min(stepsTaken, 200) : 1);
            }
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            const int code = WEXITSTATUS(status);
            ASSERT_NE(code, 1) << "the split failed";
            finished = code >= 10;
            if (finished) {
                EXPECT_EQ(code - 10, kill); // the split took as many steps as were tried
            }

            std::vector<std::string> names;
            ASSERT_TRUE(platform::listDirectory(dir.file("out"), names));
            const auto besideWith = [&](const std::string& piece, const std::string& kind, const std::string& bytes) {
                for (const auto& name : names)
                    if (name.rfind(piece + kind, 0) == 0 && readFile(dir.file("out/" + name)) == bytes)
                        return true;
                return false;
            };
            const auto pieces = piecesIn(dir.file("out"));
            for (const auto& [name, fresh] : c.fresh) {
                const auto found = pieces.find(name);
                if (!c.old.count(name)) {
                    if (found != pieces.end()) {
                        EXPECT_EQ(found->second, fresh) << name;
                    }
                    continue;
                }
                ASSERT_NE(found, pieces.end()) << name << " missing";
                std::vector<std::string> now{found->second};
                if (name == c.linked)
                    now.push_back(readFile(dir.file("second")));
                for (const std::string& bytes : now) {
                    if (bytes == c.old.at(name) || bytes == fresh)
                        continue;
                    EXPECT_EQ(name, c.linked) << name << " holds a mix";
                    EXPECT_TRUE(besideWith(name, ".old", c.old.at(name))) << name << ": no whole copy of its old bytes";
                    EXPECT_TRUE(besideWith(name, ".tmp", fresh)) << name << ": no whole new file beside it";
                }
                if (name == c.linked) {
                    EXPECT_EQ(now[0], now[1]) << "the two names of " << name << " differ";
                }
            }
            for (const auto& name : names) {
                EXPECT_TRUE(belongsToAPiece(name)) << name;
                if (name.find(".old") != std::string::npos) {
                    EXPECT_EQ(readFile(dir.file("out/" + name)), c.old.at(name.substr(0, name.find(".old"))))
                        << name << " is not a whole copy";
                }
            }
            if (finished) {
                EXPECT_EQ(pieces, c.fresh);
                EXPECT_EQ(names.size(), c.fresh.size()); // nothing left beside the pieces
                if (!c.linked.empty()) {
                    EXPECT_EQ(readFile(dir.file("second")), c.fresh.at(c.linked));
                }
            }
        }
        EXPECT_TRUE(finished);
    }
}

using testsupport::failCalls;

// A piece that cannot be begun (its temporary file cannot be made, or an
// added-to piece's bytes cannot be copied into it) fails the split with no
// piece changed, and the notice gives the reason when the disk is full.
TEST(SplitOutputs, APieceThatCannotBeBegunSaysWhenTheDiskIsFull)
{
    struct Case {
        const char* name;
        bool byIndex;
        long number;
        int error;
        std::string notice; // "<dir>" stands for the output directory
    };
    const std::string full = "\r\nThe disk is full.";
    for (const auto& c : {
             Case{"index split, no room for a temporary file", true, SYS_openat, ENOSPC,
                  "Cannot Open file dsdata.000 for write." + full},
             Case{"index split, no room for a kept piece's bytes", true, SYS_copy_file_range, ENOSPC,
                  "Cannot Open file dsdata.000 for write." + full},
             Case{"index split, an input error", true, SYS_copy_file_range, EIO,
                  "Cannot Open file dsdata.000 for write."},
             Case{"count split, no room for a temporary file", false, SYS_openat, ENOSPC,
                  "Cannot Open file <dir>/dsdata.001 for write." + full},
             Case{"count split, an input error", false, SYS_openat, EIO, "Cannot Open file <dir>/dsdata.001 for write."},
         }) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        ASSERT_EQ(::mkdir(dir.file("out").c_str(), 0777), 0);
        writeFile(dir.file("in.dat"), text({station("AA0001", {"  USGS QUAD   -  A"})}));
        writeFile(dir.file("out/dsdata.000"), "kept 0\r\n");
        writeFile(dir.file("out/dsdata.001"), "kept 1\r\n");
        const testsupport::ChildEnd end = testsupport::inChild([&] {
            failCalls(c.number, c.error);
            platform::RecordingNotices notices;
            const bool done = c.byIndex ? splitByIndex(IndexKind::Quad, {"|001|A"}, dir.file("in.dat"),
                                                       dir.file("out"), notices)
                                        : splitByCount(morvane::CountKind::Stations, 1, true, dir.file("in.dat"),
                                                       dir.file("out"), notices);
            std::string report = done ? "done" : "failed";
            for (const auto& notice : notices.recorded())
                report += "|" + notice.text;
            return report;
        });
        ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
        const std::string& report = end.report;
        std::string notice = c.notice;
        if (const auto at = notice.find("<dir>"); at != std::string::npos)
            notice.replace(at, 5, dir.file("out"));
        EXPECT_EQ(report, "failed|" + notice);
        EXPECT_EQ(readFile(dir.file("out/dsdata.000")), "kept 0\r\n");
        EXPECT_EQ(readFile(dir.file("out/dsdata.001")), "kept 1\r\n");
        std::vector<std::string> names;
        ASSERT_TRUE(platform::listDirectory(dir.file("out"), names));
        EXPECT_EQ(names.size(), 2u);
    }
}

TEST(SplitOutputs, MoreOutputsThanOpenFiles)
{
    for (const auto mode : {morvane::OutputSet::Mode::Add, morvane::OutputSet::Mode::Replace}) {
        testsupport::TempDir dir;
        writeFile(dir.file("out3"), "kept\r\n");
        std::map<std::string, std::string> expected{{"out3", mode == morvane::OutputSet::Mode::Add ? "kept\r\n" : ""}};
        {
            morvane::OutputSet outputs(dir.path(), mode, 2);
            const std::string longLine(70000, 'x'); // more than a block
            for (int round = 0; round < 3; ++round) {
                for (int n = 0; n < 5; ++n) {
                    const std::string name = "out" + std::to_string(n);
                    const int output = outputs.output(name);
                    ASSERT_GE(output, 0);
                    const std::string line = name + " line " + std::to_string(round);
                    outputs.WriteTrimmedLine(output, line + "\t\n");
                    outputs.WriteTrimmedLines(output, round == 1 && n == 2 ? longLine + "\n" : "run\r\nend");
                    expected[name] += line + "\r\n" + (round == 1 && n == 2 ? longLine : "run\r\nend") + "\r\n";
                    if (n == 4)
                        outputs.finish(output);
                }
            }
            ASSERT_TRUE(outputs.ok());
            ASSERT_TRUE(outputs.commit());
        }
        std::vector<std::string> names;
        platform::listDirectory(dir.path(), names);
        EXPECT_EQ(names, (Lines{"out0", "out1", "out2", "out3", "out4"}));
        for (const auto& [name, bytes] : expected)
            EXPECT_EQ(readFile(dir.file(name)), bytes) << name;
    }
}

// Many outputs filled in turns, blocks full many times over, and outputs
// finished part way (their block memory taken again by others, and their
// next lines in a fresh block): every file holds its own lines in order.
TEST(SplitOutputs, BlocksOfManyOutputsKeepTheirOwnLines)
{
    testsupport::TempDir dir;
    constexpr int kOutputs = 40;
    std::vector<std::string> expected(kOutputs);
    {
        morvane::OutputSet outputs(dir.path(), morvane::OutputSet::Mode::Replace);
        std::uint64_t state = 7;
        for (int i = 0; i < 30000; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const int n = static_cast<int>((state >> 33) % kOutputs);
            const std::size_t length = (state >> 20) % 300;
            const int output = outputs.output("out" + std::to_string(n));
            ASSERT_GE(output, 0);
            std::string line(length, static_cast<char>('a' + i % 26));
            line.insert(0, std::to_string(i));
            outputs.WriteTrimmedLine(output, line + (i % 3 == 0 ? "\r\n" : "\x01"));
            expected[static_cast<std::size_t>(n)] += line + "\r\n";
            if ((state >> 12) % 500 == 0)
                outputs.finish(output);
        }
        ASSERT_TRUE(outputs.ok());
        ASSERT_TRUE(outputs.commit());
    }
    for (int n = 0; n < kOutputs; ++n)
        EXPECT_EQ(readFile(dir.file("out" + std::to_string(n))), expected[static_cast<std::size_t>(n)]) << n;
}

TEST(SplitLimits, TextsReadInTheCLocale)
{
    EXPECT_DOUBLE_EQ(morvane::byteLimit("1.4"), 1400000.0);
    EXPECT_DOUBLE_EQ(morvane::byteLimit(" 0.01x"), 10000.0);
    EXPECT_DOUBLE_EQ(morvane::byteLimit("abc"), 0.0);
    EXPECT_DOUBLE_EQ(morvane::countLimit("20000"), 20000.0);
    EXPECT_DOUBLE_EQ(morvane::countLimit("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(morvane::countLimit("x"), 0.0);
    EXPECT_EQ(morvane::pieceName(1), "dsdata.001");
    EXPECT_EQ(morvane::pieceName(1000), "dsdata.1000");
    EXPECT_EQ(morvane::trimmedLine("ab \t\r"), "ab ");
    EXPECT_EQ(morvane::trimmedLine("caf\xe9"), "caf\xe9");
}

} // namespace
