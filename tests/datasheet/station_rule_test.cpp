// Where stations begin and end for every reader: a damaged header line, a
// stray line of another PID and a bare CR, through the loader, the viewer,
// Save As and Merge/Replace.
#include <gtest/gtest.h>

#include "datasheet/datasheet_format.h"
#include "datasheet/datasheet_reader.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = MARCH 3, 2005";
const std::string kDamaged = "1        Quarndale Geomxrk Bureau,   Retrieval Date = MARCH 3, 2005";

// A station's body: its DESIGNATION line and `count` more lines of its PID.
std::string body(const std::string& pid, const std::string& version, int count = 3)
{
    std::string text = " " + pid + "  DESIGNATION -  " + version + " " + pid + "\r\n";
    for (int i = 1; i <= count; ++i)
        text += " " + pid + "  " + version + " line " + std::to_string(i) + "\r\n";
    return text;
}

std::string station(const std::string& pid, const std::string& version, int count = 3)
{
    return kHeader + "\r\n" + body(pid, version, count);
}

// The station as Save As writes it when its header line is damaged.
std::string headless(const std::string& pid, const std::string& version, int count = 3)
{
    return "\r\n" + body(pid, version, count);
}

struct Layout {
    const char* name;
    std::string file;
    // Each listed station: PID and where its list entry opens.
    std::vector<std::pair<std::string, std::size_t>> entries;
    // Save As of the whole list, datasheet format.
    std::string saved;
};

std::size_t at(const std::string& file, const std::string& text)
{
    return file.find(text);
}

std::vector<Layout> layouts()
{
    const std::string A = station("AA0001", "old"), C = station("CC0003", "old");
    const std::string Bbody = body("BB0002", "old");
    std::vector<Layout> out;
    const auto add = [&](const char* name, const std::string& file, const Lines& pids, const Lines& opens,
                         const std::string& saved) {
        Layout l{name, file, {}, saved};
        for (std::size_t i = 0; i < pids.size(); ++i)
            l.entries.emplace_back(pids[i], at(file, opens[i]));
        out.push_back(l);
    };
    add("damaged header in the middle", A + kDamaged + "\r\n" + Bbody + C, {"AA0001", "BB0002", "CC0003"},
        {A, Bbody, C}, A + headless("BB0002", "old") + C);
    add("damaged first header", kDamaged + "\r\n" + Bbody + A, {"BB0002", "AA0001"}, {Bbody, A},
        headless("BB0002", "old") + A);
    add("damaged last header", A + kDamaged + "\r\n" + Bbody, {"AA0001", "BB0002"}, {A, Bbody},
        A + headless("BB0002", "old"));
    add("NUL bytes in the header", A + std::string(12, '\0') + "\r\n" + Bbody + C,
        {"AA0001", "BB0002", "CC0003"}, {A, Bbody, C}, A + headless("BB0002", "old") + C);
    // Two damaged headers in a row.
    add("two damaged headers", A + kDamaged + "\r\n" + Bbody + kDamaged + "\r\n" + body("CC0003", "old"),
        {"AA0001", "BB0002", "CC0003"}, {A, Bbody, body("CC0003", "old")},
        A + headless("BB0002", "old") + headless("CC0003", "old"));
    // A stray line of CC0003 inside AA0001: no station of its own.
    const std::string stray = " CC0003  a stray line\r\n";
    const std::string strayA = kHeader + "\r\n" + body("AA0001", "old", 2) + stray + " AA0001  after it 1\r\n" +
                               " AA0001  after it 2\r\n";
    add("stray line inside a station", strayA + C, {"AA0001", "CC0003"}, {strayA, C},
        kHeader + "\r\n" + body("AA0001", "old", 2) + " AA0001  after it 1\r\n AA0001  after it 2\r\n" + C);
    // A bare CR before a header: the header follows the CR.
    std::string crBefore = A;
    crBefore.pop_back(); // " AA0001  old line 3\r" then the next header
    add("bare CR before a header", crBefore + C, {"AA0001", "CC0003"}, {A.substr(0, 20), C}, A + C);
    // A damaged header that ends in a bare CR, its first line after it.
    add("bare CR after a damaged header", A + kDamaged + "\r" + Bbody + C, {"AA0001", "BB0002", "CC0003"},
        {A, Bbody, C}, A + headless("BB0002", "old") + C);
    // Accepted limit: the same PID on both sides of a damaged header.
    add("same PID across a damaged header", A + kDamaged + "\r\n" + body("AA0001", "second") + C,
        {"AA0001", "CC0003"}, {A, C},
        A + body("AA0001", "second") + C);
    return out;
}

class StationRuleTest : public testing::Test {
protected:
    ds::LoadedStations load(const std::string& path)
    {
        ds::LoadedStations loaded;
        platform::NullProgress quiet;
        EXPECT_TRUE(ds::loadStations(path, ds::kKavro, quiet, loaded));
        locList.assign(loaded.locLines);
        return loaded;
    }

    ds::OffsetLookup lookup()
    {
        return [this](std::string_view pid) { return index.find(pid); };
    }

    testsupport::TempDir dir;
    platform::LineList locList;
    ds::OffsetIndex index{locList};
    platform::RecordingNotices notices;
    platform::NullProgress progress;
};

} // namespace

TEST(StationRule, OpeningsLineByLine)
{
    struct Row {
        const char* line;
        ds::StationRule::Opening opening;
        bool breaksInside = false;
    };
    using O = ds::StationRule::Opening;
    // Fed in order from the start of a file.
    const Row rows[] = {
        {" ZZ0009  DESIGNATION - labels before the first station", O::None},
        {"1        Quarndale Geomark Bureau,", O::Header},
        {"        no PID yet", O::None},
        {" AA0001  first PID line after the header", O::None},
        {" CC0003  a stray line", O::None},
        {" AA0001  back to the station", O::None},
        {"", O::None},
        {" AA0001  the same PID after a line without one", O::None},
        {"2        Quarndale Geomark Bureau, damaged", O::None},
        {" BB0002  opens at its first body line", O::Body},
        {" BB0002  and goes on", O::None},
        // A stray line leaves the station its PID: the next station's PID
        // after a damaged header still opens it.
        {" CC0003  a stray last line of the next PID", O::None},
        {"2        Quarndale Geomark Bureau, damaged", O::None},
        {" CC0003  opens", O::Body},
        // A line of the station, its LF lost, then a damaged header: the
        // CR ends the line for the rule.
        {" CC0003  last line\r1        Quarndale G_omark", O::None, true},
        {" DD0004  opens", O::Body},
        {" DD0004  goes on", O::None},
    };
    ds::StationRule rule;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.line);
        EXPECT_EQ(rule.next(r.line, r.breaksInside), r.opening);
    }
    EXPECT_EQ(rule.pid(), "DD0004");

    // A first header damaged: its lines open the file's first station.
    ds::StationRule first;
    EXPECT_EQ(first.next("2        Quarndale Geomark Bureau,", false), O::None);
    EXPECT_FALSE(first.inStation());
    EXPECT_EQ(first.next(" BB0002  line", false), O::Body);
    EXPECT_TRUE(first.inStation());
}

TEST(StationRule, HiddenLinesAfterABareCr)
{
    struct Row {
        std::string line;
        Lines parts;
        std::vector<bool> breaks; // each part's breaksInside
    };
    const Row rows[] = {
        {" AA0001  line\r\n", {" AA0001  line\r\n"}, {false}},
        {" AA0001  line\r" + kHeader + "\r\n", {" AA0001  line\r", kHeader + "\r\n"}, {false, false}},
        {kDamaged + "\r BB0002  first\r\n", {kDamaged + "\r", " BB0002  first\r\n"}, {false, false}},
        {kHeader + "\r BB0002  first\r BB0002  second", {kHeader + "\r", " BB0002  first\r", " BB0002  second"},
         {false, false, false}},
        // A CR before text that opens nothing stays inside the line, which
        // the station rule reads as two.
        {" AA0001  BEFORE\rAFTER\r\n", {" AA0001  BEFORE\rAFTER\r\n"}, {true}},
        {kHeader + "\rREST\r\r\n", {kHeader + "\rREST\r\r\n"}, {true}},
        {" AA0001  last\r" + kDamaged + "\r BB0002  first\r\n", {" AA0001  last\r" + kDamaged + "\r", " BB0002  first\r\n"},
         {true, false}},
    };
    for (const Row& r : rows) {
        Lines parts;
        std::vector<bool> breaks;
        std::size_t next = 0;
        ds::forEachLineIn(r.line, [&](std::string_view part, std::size_t index, bool breaksInside) {
            EXPECT_EQ(index, next);
            next = index + part.size();
            parts.emplace_back(part);
            breaks.push_back(breaksInside);
            return true;
        });
        EXPECT_EQ(parts, r.parts) << r.line;
        EXPECT_EQ(breaks, r.breaks) << r.line;
        EXPECT_EQ(next, r.line.size());
    }
}

TEST_F(StationRuleTest, EveryStationIsListedViewedAndSaved)
{
    for (const Layout& l : layouts()) {
        SCOPED_TRACE(l.name);
        const std::string data = dir.file("data.dat");
        writeFile(data, l.file);
        const ds::LoadedStations loaded = load(data);
        ASSERT_EQ(loaded.locLines.size(), l.entries.size());
        for (std::size_t i = 0; i < l.entries.size(); ++i) {
            EXPECT_EQ(loaded.locLines[i], ds::MakeLocLine(l.entries[i].first,
                                                          static_cast<std::int64_t>(l.entries[i].second)));
            EXPECT_EQ(std::string(ds::listLinePid(loaded.listLines[i])), l.entries[i].first);
            // The viewer finds the station's lines at its entry.
            std::vector<std::string> shown;
            ASSERT_TRUE(ds::readStationDatasheet(data, l.entries[i].second, l.entries[i].first, shown));
            ASSERT_GT(shown.size(), 1u);
            EXPECT_EQ(shown[1], " " + l.entries[i].first + "  DESIGNATION -  old " + l.entries[i].first);
        }
        ds::ListSave request;
        request.target = dir.file("saved.txt");
        request.format = ds::kDatasheetFormat;
        request.dataPath = data;
        request.lookup = lookup();
        ASSERT_TRUE(ds::saveList(loaded.listLines, request, notices, progress));
        EXPECT_EQ(readFile(request.target), l.saved);
        EXPECT_TRUE(notices.recorded().empty());
    }
}

TEST_F(StationRuleTest, MergeReplacesEachStationInPlace)
{
    // The new datasheets: one file of every PID.
    const std::string newData = station("AA0001", "new", 1) + station("BB0002", "new", 1) +
                                station("CC0003", "new", 1);
    const std::string data = dir.file("new.dat");
    writeFile(data, newData);
    load(data);
    const std::string A = station("AA0001", "old"), C = station("CC0003", "old");
    const std::string nA = station("AA0001", "new", 1), nB = station("BB0002", "new", 1),
                      nC = station("CC0003", "new", 1);
    const std::string Bbody = body("BB0002", "old");
    const std::string stray = " CC0003  a stray line\r\n";
    const std::string strayA = kHeader + "\r\n" + body("AA0001", "old", 2) + stray + " AA0001  after it\r\n";
    std::string crBefore = A;
    crBefore.pop_back();
    struct Case {
        const char* name;
        std::string target;
        Lines pids;
        std::string merged;
    };
    const std::string damaged = kDamaged + "\r\n";
    const Case cases[] = {
        {"damaged first header, replaced", damaged + Bbody + A, {"BB0002"}, damaged + nB + A},
        {"damaged first header, the next replaced", damaged + Bbody + A, {"AA0001"}, damaged + Bbody + nA},
        {"damaged middle header, replaced", A + damaged + Bbody + C, {"BB0002"}, A + damaged + nB + C},
        {"damaged middle header, its neighbours replaced", A + damaged + Bbody + C, {"AA0001", "CC0003"},
         nA + damaged + Bbody + nC},
        {"damaged last header, replaced", A + damaged + Bbody, {"BB0002"}, A + damaged + nB},
        {"stray line, its PID's own station replaced", strayA + C, {"CC0003"}, strayA + nC},
        {"stray line, its station replaced", strayA + C, {"AA0001"}, nA + C},
        {"stray line, both replaced", strayA + C, {"CC0003", "AA0001"}, nA + nC},
        // The header after a bare CR stays with its station.
        {"bare CR before a header, the station before replaced", crBefore + C, {"AA0001"}, nA + C},
        {"bare CR before a header, the station after replaced", crBefore + C, {"CC0003"}, A + nC},
        {"bare CR before a header, untouched", crBefore + C, {"BB0002"}, crBefore + C + nB},
        {"bare CR after a damaged header, replaced", A + kDamaged + "\r" + Bbody + C, {"BB0002"},
         A + damaged + nB + C},
        {"bare CR after a damaged header, the station before replaced", A + kDamaged + "\r" + Bbody + C,
         {"AA0001"}, nA + kDamaged + "\r" + Bbody + C},
    };
    const std::string target = dir.file("target.dat");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(target, c.target);
        ds::ListMerge request;
        request.target = target;
        request.backup = dir.file("dsdata0.bak");
        request.dataPath = data;
        request.lookup = lookup();
        ASSERT_TRUE(ds::mergeList(c.pids, request, notices, progress));
        EXPECT_EQ(readFile(target), c.merged);
        EXPECT_TRUE(notices.recorded().empty());
    }
}
