// Every reader against one reading of a damaged file: damaged and cut
// headers, bare CR and LF-only line ends, stray lines of other PIDs (in the
// middle of a station, as its last line, of the next station's PID), alone
// and two in one place, at the first and the last station. The stations are
// found here by a reading of their own (below), and each reader is held to
// them:
// - the loader lists exactly those stations, at their first lines;
// - a Save As of the whole list holds every line of each station's own PID
//   once;
// - an unfiltered join and every split hold every line that holds a PID
//   once (the quad split leaves out the stations it finds no key for); the
//   PID split puts a station's own lines into its PID's piece, the quad
//   split into its quad's piece;
// - Kavro's Merge/Replace and Pellorin's Commit keep every PID line of each
//   station they do not replace, in order, and hold each replaced PID once.
// Fixed cases first (faults found before), then random files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "datasheet/datasheet_format.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "morvane/core/join.h"
#include "morvane/core/splits.h"
#include "pellorin/core/merge.h"
#include "pellorin/core/station_lists.h"
#include "platform/line_list.h"
#include "platform/notices.h"
#include "platform/progress.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = MARCH 3, 2005";

enum class Head { Good, Damaged, Cut20, Cut30 };

// One station of a generated file. Its lines: the header (as `head` says),
// DESIGNATION, USGS QUAD, `bodyLines` remarks; a stray line of another PID
// after the first remark (`strayInside`) and as its last line (`strayLast`).
struct Spec {
    std::string pid;
    Head head = Head::Good;
    int bodyLines = 2;
    std::string strayInside;
    std::string strayLast;
    std::string headEnd = "\r\n"; // the header line's end
    std::string lastEnd = "\r\n"; // the station's last line's end
    std::string bodyEnd = "\r\n"; // every other line's
};

std::string pidOf(int n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%c%c%04d", 'A' + n / 26 % 26, 'A' + n % 26, n);
    return text;
}

std::string quadOf(const std::string& pid)
{
    return pid.back() % 2 ? "NORTH" : "SOUTH";
}

// The file's bytes; every line that holds a PID holds a serial number of its
// own, so that it can be found in an output whatever its line end there.
std::string build(const std::vector<Spec>& specs, const std::string& version = "o")
{
    std::string bytes;
    int serial = 0;
    for (const Spec& s : specs) {
        std::string head = kHeader;
        if (s.head == Head::Damaged)
            head = "1        Quarndale G_omark Bureau,   Retrieval Date = MARCH 3, 2005";
        else if (s.head == Head::Cut20)
            head = kHeader.substr(0, 20);
        else if (s.head == Head::Cut30)
            head = kHeader.substr(0, 30);
        Lines lines;
        const auto line = [&](const std::string& pid, const std::string& text) {
            char number[16];
            std::snprintf(number, sizeof number, " %s%05d.", version.c_str(), ++serial);
            lines.push_back(" " + pid + "  " + text + number);
        };
        line(s.pid, "DESIGNATION -  MARK " + s.pid);
        // The key line holds the quad name alone (each version its own).
        lines.push_back(" " + s.pid + "  USGS QUAD   -  " + (version == "o" ? "" : "NEW") + quadOf(s.pid));
        for (int i = 0; i < s.bodyLines; ++i) {
            line(s.pid, "remark");
            if (i == 0 && !s.strayInside.empty())
                line(s.strayInside, "a stray line");
        }
        if (!s.strayLast.empty())
            line(s.strayLast, "a stray last line");
        bytes += head + s.headEnd;
        for (std::size_t i = 0; i < lines.size(); ++i)
            bytes += lines[i] + (i + 1 == lines.size() ? s.lastEnd : s.bodyEnd);
    }
    return bytes;
}

// --- the reading the readers are held to ---

struct Line {
    std::string text; // without its line end
    std::uint64_t offset;
};

struct Station {
    std::string pid; // its own: that of its first line holding one
    std::uint64_t offset;
    Lines pidLines;  // its lines that hold a PID, in order
    Lines ownLines;  // those of them that hold its own PID
};

// Lines end at an LF and at a CR that no LF follows.
std::vector<Line> linesOf(const std::string& bytes)
{
    std::vector<Line> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool lf = bytes[i] == '\n';
        const bool bareCr = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
        if (!lf && !bareCr)
            continue;
        std::string text = bytes.substr(start, i - start);
        if (lf && !text.empty() && text.back() == '\r')
            text.pop_back();
        out.push_back({text, start});
        start = i + 1;
    }
    if (start < bytes.size())
        out.push_back({bytes.substr(start), start});
    return out;
}

std::string pidIn(const std::string& text)
{
    if (text.size() < 7 || text[0] != ' ')
        return {};
    for (int i = 1; i < 7; ++i)
        if (!(i < 3 ? std::isupper(static_cast<unsigned char>(text[i])) : std::isdigit(static_cast<unsigned char>(text[i]))))
            return {};
    return text.substr(1, 6);
}

// A station opens at a header line, or at a line holding a PID other than
// the station's own when the line before it holds none.
std::vector<Station> stationsOf(const std::string& bytes)
{
    std::vector<Station> out;
    bool beforePid = true; // the file's start counts as a line holding a PID
    for (const Line& line : linesOf(bytes)) {
        const std::string pid = pidIn(line.text);
        if (line.text.compare(0, ds::kHeaderStart.size(), ds::kHeaderStart) == 0) {
            out.push_back({"", line.offset, {}, {}});
            beforePid = false;
            continue;
        }
        if (!pid.empty()) {
            if (!beforePid && (out.empty() || (!out.back().pid.empty() && pid != out.back().pid)))
                out.push_back({pid, line.offset, {}, {}});
            if (out.empty())
                continue;
            Station& s = out.back();
            if (s.pid.empty())
                s.pid = pid;
            s.pidLines.push_back(line.text);
            if (pid == s.pid)
                s.ownLines.push_back(line.text);
        }
        beforePid = !pid.empty();
    }
    return out;
}

std::size_t occurrences(const std::string& haystack, const std::string& needle)
{
    std::size_t count = 0;
    for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1))
        ++count;
    return count;
}

// Each of the lines once in the output.
void expectEachOnce(const std::string& output, const Lines& lines, const char* what)
{
    for (const std::string& line : lines)
        EXPECT_EQ(occurrences(output, line), 1u) << what << ": " << line;
}

// The lines in the output in their order.
void expectInOrder(const std::string& output, const Lines& lines, const char* what)
{
    std::size_t at = 0;
    for (const std::string& line : lines) {
        const std::size_t found = output.find(line, at);
        EXPECT_NE(found, std::string::npos) << what << ": " << line;
        if (found != std::string::npos)
            at = found + line.size();
    }
}

Lines allPidLines(const std::vector<Station>& stations)
{
    Lines out;
    for (const Station& s : stations)
        out.insert(out.end(), s.pidLines.begin(), s.pidLines.end());
    return out;
}

// A merge: kept stations keep their PID lines in order; a replaced one's
// own lines are gone and the new datasheet is there once.
void expectMerged(const std::string& merged, const std::vector<Station>& old, const std::set<std::string>& replaced,
                  const std::vector<Station>& fresh, const char* what)
{
    Lines kept;
    for (const Station& s : old) {
        if (replaced.count(s.pid)) {
            for (const std::string& line : s.ownLines)
                EXPECT_EQ(occurrences(merged, line), 0u) << what << ", replaced: " << line;
        } else {
            kept.insert(kept.end(), s.pidLines.begin(), s.pidLines.end());
        }
    }
    expectInOrder(merged, kept, what);
    for (const Station& s : fresh)
        expectEachOnce(merged, s.ownLines, what);
}

struct Fixture;
std::string said(const Fixture& f);

struct Fixture {
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    platform::NullProgress progress;

    std::string path(const std::string& name) const { return dir.file(name); }

    std::string piecesIn(const std::string& directory)
    {
        std::string all;
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(directory))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        for (const auto& name : names)
            all += readFile(directory + "/" + name);
        return all;
    }

    std::string freshDir(const std::string& name)
    {
        const std::string d = path(name);
        std::filesystem::remove_all(d);
        std::filesystem::create_directories(d);
        return d;
    }
};

Spec plain(const std::string& pid)
{
    Spec spec;
    spec.pid = pid;
    return spec;
}

std::vector<Spec> plainFile(int count)
{
    std::vector<Spec> specs;
    for (int i = 1; i <= count; ++i)
        specs.push_back(plain(pidOf(i)));
    return specs;
}

std::string said(const Fixture& f)
{
    std::string text;
    for (const auto& n : f.notices.recorded())
        text += n.caption + ": " + n.text + "\n";
    return text;
}

// Runs every reader over the file and checks it against the stations found
// above; the merges replace the PIDs of `replace` from a file of the new
// datasheets, which holds one PID more.
// The new datasheets of the merges: each replaced PID, and one more.
std::vector<Spec> freshSpecs(const std::set<std::string>& replace)
{
    std::vector<Spec> specs;
    for (const std::string& pid : replace)
        specs.push_back(plain(pid));
    specs.push_back(plain(pidOf(600)));
    return specs;
}

void checkEveryReader(const std::string& bytes, const std::set<std::string>& replace,
                      const std::vector<Spec>& freshSpecs)
{
    Fixture f;
    const std::vector<Station> stations = stationsOf(bytes);
    const std::string data = f.path("data.dat");
    writeFile(data, bytes);

    // The list.
    ds::LoadedStations loaded;
    ASSERT_TRUE(ds::loadStations(data, ds::kKavro, f.progress, loaded));
    {
        Lines expected, got;
        for (const Station& s : stations)
            expected.push_back(ds::MakeLocLine(s.pid, static_cast<std::int64_t>(s.offset)));
        got = loaded.locLines;
        EXPECT_EQ(got, expected) << "the list";
    }

    // Save As of the whole list.
    platform::LineList locList;
    locList.assign(loaded.locLines);
    ds::OffsetIndex index(locList);
    const ds::OffsetLookup lookup = [&](std::string_view pid) { return index.find(pid); };
    {
        ds::ListSave request;
        request.target = f.path("saved.txt");
        request.format = ds::kDatasheetFormat;
        request.dataPath = data;
        request.lookup = lookup;
        ASSERT_TRUE(ds::saveList(loaded.listLines, request, f.notices, f.progress)) << said(f);
        const std::string saved = readFile(request.target);
        for (const Station& s : stations)
            expectEachOnce(saved, s.ownLines, "Save As");
    }

    // The join.
    const Lines pidLines = allPidLines(stations);
    {
        morvane::JoinRequest request;
        request.inputs = {data};
        request.output = f.path("joined.txt");
        request.settings.format = ds::kDatasheetFormat;
        request.settings.typeCode = "X-0";
        ASSERT_TRUE(morvane::JoinFiles(request, f.notices, f.progress)) << said(f);
        expectEachOnce(readFile(request.output), pidLines, "join");
    }

    // The splits.
    struct Count {
        const char* name;
        morvane::CountKind kind;
        double limit;
        bool between;
        int prefixMode;
    };
    const Count counts[] = {
        {"bytes split", morvane::CountKind::Bytes, 700, true, 1},
        {"bytes split anywhere", morvane::CountKind::Bytes, 700, false, 1},
        {"lines split", morvane::CountKind::Lines, 9, true, 1},
        {"lines split anywhere", morvane::CountKind::Lines, 9, false, 1},
        {"stations split", morvane::CountKind::Stations, 2, true, 1},
        {"PID split", morvane::CountKind::Stations, 1, true, 0},
    };
    for (const Count& c : counts) {
        morvane::CountSplit split;
        split.kind = c.kind;
        split.limit = c.limit;
        split.betweenDatasheets = c.between;
        split.prefixMode = c.prefixMode;
        split.input = data;
        split.outDir = f.freshDir("split");
        ASSERT_TRUE(morvane::SplitByCount(split, f.notices, f.progress)) << said(f) << c.name;
        expectEachOnce(f.piecesIn(split.outDir), pidLines, c.name);
        if (c.prefixMode == 0)
            for (const Station& s : stations)
                expectEachOnce(readFile(split.outDir + "/" + s.pid + ".out"), s.ownLines, "PID split, own piece");
    }
    {
        morvane::IndexSplit quad;
        quad.kind = morvane::IndexKind::Quad;
        quad.indexLines = {"|001|NORTH", "|002|SOUTH"};
        quad.input = data;
        quad.outDir = f.freshDir("quad");
        ASSERT_TRUE(morvane::SplitByIndex(quad, f.notices, f.progress)) << said(f);
        // A station whose key is not in the index is left out; so is one
        // whose key line lost its LF (its key then reads on past the CR).
        const std::string pieces = f.piecesIn(quad.outDir);
        for (const std::string& line : pidLines)
            EXPECT_LE(occurrences(pieces, line), 1u) << "quad split: " << line;
        for (const Station& s : stations) {
            const std::string key = " " + s.pid + "  USGS QUAD   -  " + quadOf(s.pid);
            const std::size_t at = bytes.find(key);
            const std::size_t after = at + key.size();
            const bool whole = at != std::string::npos &&
                               (after == bytes.size() || bytes[after] == '\n' || bytes.compare(after, 2, "\r\n") == 0);
            if (whole)
                expectEachOnce(readFile(quad.outDir + (quadOf(s.pid) == "NORTH" ? "/dsdata.001" : "/dsdata.002")),
                               s.ownLines, "quad split, own piece");
        }
    }

    const std::string freshBytes = build(freshSpecs, "n");
    const std::vector<Station> fresh = stationsOf(freshBytes);
    const std::string freshPath = f.path("fresh.dat");
    writeFile(freshPath, freshBytes);

    // Kavro's Merge/Replace.
    {
        ds::LoadedStations freshList;
        ASSERT_TRUE(ds::loadStations(freshPath, ds::kKavro, f.progress, freshList));
        platform::LineList freshLoc;
        freshLoc.assign(freshList.locLines);
        ds::OffsetIndex freshIndex(freshLoc);
        const std::string target = f.path("target.dat");
        writeFile(target, bytes);
        ds::ListMerge request;
        request.target = target;
        request.backup = f.path("dsdata0.bak");
        request.dataPath = freshPath;
        request.lookup = [&](std::string_view pid) { return freshIndex.find(pid); };
        Lines pids;
        for (const Station& s : fresh)
            pids.push_back(s.pid);
        ASSERT_TRUE(ds::mergeList(pids, request, f.notices, f.progress)) << said(f);
        expectMerged(readFile(target), stations, replace, fresh, "Kavro merge");
    }

    // Pellorin's Commit.
    {
        const std::string oldPath = f.path("old.dat");
        writeFile(oldPath, bytes);
        pellorin::UpdateLists lists;
        ASSERT_TRUE(lists.LoadUpList(freshPath, f.progress));
        ASSERT_TRUE(lists.LoadOldList(oldPath, f.progress));
        lists.upList.clear();
        ASSERT_TRUE(lists.LoadUpList(freshPath, f.progress));
        pellorin::MergeLists mergeLists{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        const pellorin::MergeInput input{oldPath,          freshPath,        f.path("plrn0000.bak"),
                                         lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
        pellorin::CommitResult committed;
        ASSERT_TRUE(pellorin::MergeFiles(input, mergeLists, f.notices, f.progress, committed)) << said(f);
        expectMerged(readFile(oldPath), stations, replace, fresh, "Commit");
    }
    for (const auto& n : f.notices.recorded())
        ADD_FAILURE() << n.caption << ": " << n.text;
}

} // namespace

TEST(DamagedFiles, FixedCasesThroughEveryReader)
{
    struct Case {
        const char* name;
        std::vector<Spec> specs;
        std::set<std::string> replace;
    };
    std::vector<Case> cases;
    {
        // A damaged header between two bare CRs: the line before it and the
        // header itself lost their LFs.
        auto specs = plainFile(12);
        specs[3].lastEnd = "\r";
        specs[4].head = Head::Damaged;
        specs[4].headEnd = "\r";
        cases.push_back({"damaged header with a bare CR on each side", specs, {pidOf(5), pidOf(9)}});
    }
    {
        // A stray line of the next PID closes a station, then that station's
        // header is damaged.
        auto specs = plainFile(12);
        specs[4].strayLast = pidOf(6);
        specs[5].head = Head::Damaged;
        cases.push_back({"stray line of the next PID before its damaged header", specs, {pidOf(5)}});
        cases.push_back({"the same, the next station replaced", specs, {pidOf(6)}});
    }
    {
        auto specs = plainFile(4);
        specs[0].head = Head::Cut20;
        specs[0].strayInside = pidOf(3);
        specs[3].head = Head::Cut30;
        specs[3].headEnd = "\n";
        specs[3].strayLast = pidOf(1);
        specs[3].lastEnd = "\r";
        cases.push_back({"cut headers at the first and last station", specs, {pidOf(1), pidOf(4)}});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        checkEveryReader(build(c.specs), c.replace, freshSpecs(c.replace));
    }
}

// Random damage of a file's stations; a stray line holds the PID of one of
// them. A file none of whose reads begins with a whole header is no
// datasheet file (the merges refuse it; a header after a bare CR does not
// begin a read): one header stays whole.
class Damage {
public:
    explicit Damage(unsigned seed) : random_(seed) {}

    bool chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

    void apply(std::vector<Spec>& specs)
    {
        const std::size_t count = specs.size();
        const auto anyPid = [&] { return specs[random_() % count].pid; };
        for (std::size_t i = 0; i < count; ++i) {
            Spec& s = specs[i];
            const int head = static_cast<int>(random_() % 10);
            s.head = head < 5 ? Head::Good : head < 7 ? Head::Damaged : head < 8 ? Head::Cut20 : Head::Cut30;
            s.bodyLines = static_cast<int>(random_() % 4);
            s.headEnd = end();
            s.lastEnd = end();
            s.bodyEnd = chance(80) ? "\r\n" : "\n";
            if (s.bodyLines > 0 && chance(20))
                s.strayInside = anyPid();
            if (chance(20)) // often the next station's PID: the case that hid stations
                s.strayLast = chance(50) && i + 1 < count ? specs[i + 1].pid : anyPid();
            if (s.strayInside == s.pid)
                s.strayInside.clear();
            if (s.strayLast == s.pid)
                s.strayLast.clear();
        }
        for (std::size_t i = 0; i < count; ++i)
            if (specs[i].head == Head::Good && (i == 0 || specs[i - 1].lastEnd != "\r"))
                return;
        const std::size_t i = random_() % count;
        specs[i].head = Head::Good;
        if (i > 0)
            specs[i - 1].lastEnd = "\r\n";
    }

private:
    std::string end()
    {
        const int pick = static_cast<int>(random_() % 10);
        return pick < 6 ? "\r\n" : pick < 8 ? "\n" : "\r";
    }

    std::mt19937 random_;
};

TEST(DamagedFiles, RandomDamageThroughEveryReader)
{
    Damage damage(20261211);
    for (int round = 0; round < 150; ++round) {
        std::vector<Spec> specs = plainFile(2 + static_cast<int>(round % 8));
        damage.apply(specs);
        std::set<std::string> replace;
        for (const Spec& s : specs)
            if (damage.chance(30))
                replace.insert(s.pid);
        // The new datasheets are damaged too.
        std::vector<Spec> fresh = freshSpecs(replace);
        damage.apply(fresh);
        const std::string bytes = build(specs);
        SCOPED_TRACE("round " + std::to_string(round) + ":\n" + bytes + "\nthe new datasheets:\n" + build(fresh, "n"));
        checkEveryReader(bytes, replace, fresh);
        if (testing::Test::HasFailure())
            break;
    }
}
