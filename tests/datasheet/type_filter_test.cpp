// The station-type test: the rules of every code, where the test starts and
// stops reading, and what it leaves of the reader.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "datasheet/station_loader.h"
#include "datasheet/type_filter.h"
#include "platform/line_reader.h"
#include "tests/support/test_files.h"

namespace {

const std::string kHeader = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004";

std::string pad(std::string line, std::size_t column)
{
    line.resize(std::max(line.size(), column), ' ');
    return line;
}

// A body line of the PID with the text at index 9.
std::string body(const std::string& pid, const std::string& text)
{
    return " " + pid + "  " + text;
}

std::string lines(const std::vector<std::string>& all)
{
    std::string text;
    for (const auto& line : all)
        text += line + "\r\n";
    return text;
}

std::string station(const std::string& pid, const std::vector<std::string>& texts)
{
    std::vector<std::string> all{kHeader, body(pid, "DESIGNATION -  MARK " + pid)};
    for (const auto& text : texts)
        all.push_back(body(pid, text));
    all.push_back(body(pid, "DESCRIPTION - a mark in the ground"));
    return lines(all);
}

// The kinds of line the rules tell apart.
enum Kind {
    FbnControl, Fbn, FbnShort, CbnControl, Cbn, Cors, Pacs, Sacs,
    HorzA, HorzB, HorzFirst, HorzSecond, HorzThird, HorzCors,
    VertA, VertB, VertFirst, VertSecond, VertThird, VertUnknown, VertPosted, VertReadjust,
    Ellipsoid, Gps, GpsWithoutMark, Plain, kKinds
};

std::string kindLine(Kind kind, const std::string& pid)
{
    switch (kind) {
    case FbnControl: return body(pid, "FBN CONTROL -  This station is part of the FBN");
    case Fbn: return body(pid, "FBN         -  This station is part of the FBN");
    case FbnShort: return body(pid, "FBN CONTROL - This station is part of the FBN");
    case CbnControl: return body(pid, "CBN CONTROL -  This station is part of the CBN");
    case Cbn: return body(pid, "CBN         -  This station is part of the CBN");
    case Cors: return body(pid, "CORS        -  This station is a CORS");
    case Pacs: return body(pid, "PACS        -  Primary airport control");
    case Sacs: return body(pid, "SACS        -  Secondary airport control");
    case HorzA: return body(pid, "HORZ ORDER  -  A");
    case HorzB: return body(pid, "HORZ ORDER  -  B");
    case HorzFirst: return body(pid, "HORZ ORDER  -  FIRST");
    case HorzSecond: return body(pid, "HORZ ORDER  -  SECOND");
    case HorzThird: return body(pid, "HORZ ORDER  -  THIRD");
    case HorzCors: return body(pid, "HORZ ORDER  -  SPECIAL (CORS)");
    case VertA: return body(pid, "VERT ORDER  -  A");
    case VertB: return body(pid, "VERT ORDER  -  B");
    case VertFirst: return body(pid, "VERT ORDER  -  FIRST     CLASS II");
    case VertSecond: return body(pid, "VERT ORDER  -  SECOND    CLASS 0");
    case VertThird: return body(pid, "VERT ORDER  -  THIRD");
    case VertUnknown: return body(pid, "VERT ORDER  -  ?");
    case VertPosted: return body(pid, "VERT ORDER  -  * POSTED, Code B");
    case VertReadjust: return body(pid, "VERT ORDER  -  * READJUST");
    case Ellipsoid: return body(pid, "ELLIP HEIGHT-    -12.345 (meters)");
    case Gps: return pad(" " + pid + "_DATE OF LAST VISIT", 41) + "REPORTED AS SUITABLE FOR GPS";
    case GpsWithoutMark: return pad(" " + pid + " DATE OF LAST VISIT", 41) + "REPORTED AS SUITABLE FOR GPS";
    case Plain: return body(pid, "MARKER: DD = SURVEY DISK");
    case kKinds: break;
    }
    return {};
}

std::string pidOf(int kind)
{
    std::string number = std::to_string(1000 + kind);
    return "TK" + number;
}

struct RuleCase {
    const char* code;
    const ds::Profile* profile;
    std::set<Kind> passing;
};

void PrintTo(const RuleCase& c, std::ostream* out)
{
    *out << c.code << (c.profile == &ds::kMorvane ? " (Morvane)" : "");
}

const std::vector<RuleCase> kRuleCases = {
    {"FBN", &ds::kKavro, {FbnControl, Fbn}},
    {"CBN", &ds::kKavro, {CbnControl, Cbn}},
    {"COR", &ds::kKavro, {Cors}},
    {"PAC", &ds::kKavro, {Pacs}},
    {"SAC", &ds::kKavro, {Sacs}},
    {"H-0", &ds::kKavro, {HorzA, HorzB, HorzFirst, HorzSecond, HorzThird, HorzCors}},
    {"H-A", &ds::kKavro, {HorzA, HorzCors}},
    {"H-B", &ds::kKavro, {HorzA, HorzB, HorzCors}},
    {"H-1", &ds::kKavro, {HorzA, HorzB, HorzFirst, HorzCors}},
    {"H-2", &ds::kKavro, {HorzA, HorzB, HorzFirst, HorzSecond, HorzCors}},
    {"H-3", &ds::kKavro, {HorzThird}},
    {"V-0", &ds::kKavro, {VertA, VertB, VertFirst, VertSecond, VertThird, VertUnknown, VertPosted, VertReadjust}},
    {"V-1", &ds::kKavro, {VertA, VertB, VertFirst}},
    {"V-2", &ds::kKavro, {VertA, VertB, VertFirst, VertSecond}},
    {"V-3", &ds::kKavro, {VertThird, VertUnknown, VertPosted, VertReadjust}},
    {"V-P", &ds::kKavro, {VertPosted}},
    {"V-M", &ds::kKavro, {VertReadjust}},
    {"GPS", &ds::kKavro, {Gps}},
    {"ELL", &ds::kKavro, {Ellipsoid}},
    // The first letter picks the family of any other code.
    {"GXX", &ds::kKavro, {Gps}},
    {"E-1", &ds::kKavro, {Ellipsoid}},
    // Codes of no rule.
    {"X-1", &ds::kKavro, {}},
    {"H-9", &ds::kKavro, {}},
    {"H", &ds::kKavro, {}},
    {"FBX", &ds::kKavro, {}},
    {"COR ", &ds::kKavro, {}},
    // Morvane's build differs in V-3 only.
    {"V-3", &ds::kMorvane, {VertThird, VertUnknown}},
    {"V-0", &ds::kMorvane, {VertA, VertB, VertFirst, VertSecond, VertThird, VertUnknown, VertPosted, VertReadjust}},
    {"V-P", &ds::kMorvane, {VertPosted}},
    {"H-2", &ds::kMorvane, {HorzA, HorzB, HorzFirst, HorzSecond, HorzCors}},
};

class TypeRules : public testing::TestWithParam<RuleCase> {
protected:
    static void SetUpTestSuite()
    {
        dir = new testsupport::TempDir;
        std::string text;
        for (int kind = 0; kind < kKinds; ++kind) {
            const std::string pid = pidOf(kind);
            offsets.push_back(text.size());
            text += lines({kHeader, body(pid, "DESIGNATION -  MARK " + pid), body(pid, "PID         -  " + pid),
                           kindLine(static_cast<Kind>(kind), pid), body(pid, "DESCRIPTION - a mark in the ground")});
        }
        testsupport::writeFile(dir->file("kinds.dat"), text);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        offsets.clear();
    }
    static testsupport::TempDir* dir;
    static std::vector<std::uint64_t> offsets;
};

testsupport::TempDir* TypeRules::dir = nullptr;
std::vector<std::uint64_t> TypeRules::offsets;

TEST_P(TypeRules, EachCodePassesItsLinesOnly)
{
    const RuleCase& c = GetParam();
    platform::LineReader reader(c.profile->readLength());
    ASSERT_TRUE(reader.open(dir->file("kinds.dat")));
    for (int kind = 0; kind < kKinds; ++kind) {
        const bool expected = c.passing.count(static_cast<Kind>(kind)) > 0;
        EXPECT_EQ(ds::StationMatchesType(c.code, pidOf(kind), reader, offsets[kind], *c.profile), expected)
            << kindLine(static_cast<Kind>(kind), pidOf(kind));
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, TypeRules, testing::ValuesIn(kRuleCases));

class TypeFilterFile : public testing::Test {
protected:
    void write(const std::string& text)
    {
        content = text;
        testsupport::writeFile(dir.file("f.dat"), text);
        ASSERT_TRUE(reader.open(dir.file("f.dat")));
    }
    bool matches(const std::string& code, const std::string& pid, std::uint64_t offset)
    {
        return ds::StationMatchesType(code, pid, reader, offset, ds::kKavro);
    }
    testsupport::TempDir dir;
    std::string content;
    platform::LineReader reader{ds::kKavro.readLength()};
};

TEST_F(TypeFilterFile, OffsetAtIntoOrAfterTheHeaderTestsTheSameLines)
{
    const std::string before = station("AB0001", {"HORZ ORDER  -  THIRD"});
    const std::string own = station("AB0002", {"HORZ ORDER  -  FIRST"});
    write(before + own + station("AB0003", {"HORZ ORDER  -  THIRD"}));
    const std::uint64_t header = before.size();
    const std::uint64_t firstBody = header + kHeader.size() + 2;
    // The last line of the station before, and the middle of that line.
    const std::uint64_t beforeTail = header - body("AB0001", "DESCRIPTION - a mark in the ground").size() - 2;
    for (std::uint64_t offset : {header, header + 5, firstBody, beforeTail, header - 10}) {
        SCOPED_TRACE(offset);
        EXPECT_TRUE(matches("H-1", "AB0002", offset));
        EXPECT_FALSE(matches("H-3", "AB0002", offset)); // the next station's THIRD is not read
    }
    // From an earlier header the first header met is that station's.
    EXPECT_FALSE(matches("H-1", "AB0002", 0));
}

TEST_F(TypeFilterFile, AStrayLineOfAnotherPidNeitherPassesNorEndsTheStation)
{
    // AB0001's body runs straight into a line of another PID, with no header
    // between: a stray line; AB0001's lines after it are still its station's.
    write(station("AB0001", {"PID         -  AB0001"}) + lines({body("CD0002", "HORZ ORDER  -  FIRST")}) +
          lines({body("AB0001", "VERT ORDER  -  FIRST")}));
    EXPECT_FALSE(matches("H-0", "AB0001", 0));
    EXPECT_TRUE(matches("V-0", "AB0001", 0));
    // Lines of the PID before the header line are tested too.
    write(lines({body("AB0001", "HORZ ORDER  -  FIRST"), body("CD0002", "VERT ORDER  -  FIRST")}) +
          station("AB0001", {}));
    EXPECT_TRUE(matches("H-0", "AB0001", 0));
    EXPECT_FALSE(matches("V-0", "AB0001", 0));
    // Lines that are neither header nor body lines neither end nor pass a station.
    write(station("AB0001", {}) + lines({"", "  HORZ ORDER", "ab0001  HORZ ORDER  -  A", body("AB0001", "HORZ ORDER")}));
    EXPECT_TRUE(matches("H-0", "AB0001", 0));
}

TEST_F(TypeFilterFile, EndOfFileAndStationsThatCannotBeFound)
{
    write(station("AB0001", {"HORZ ORDER  -  FIRST"}) + kHeader + "\r\n" + body("AB0002", "DESIGNATION -  LAST"));
    const std::uint64_t last = content.find(kHeader, 1);
    EXPECT_FALSE(matches("H-0", "AB0002", last)); // the file ends inside the station
    EXPECT_FALSE(matches("H-0", "AB0001", last)); // not the PID at the offset
    EXPECT_FALSE(matches("H-0", "AB0001", content.size()));
    EXPECT_FALSE(matches("H-0", "AB0001", content.size() + 1000));
    EXPECT_FALSE(matches("H-0", "", 0)); // a station without DESIGNATION has no PID
    EXPECT_TRUE(matches("H-0", "AB0001", 0));
}

TEST_F(TypeFilterFile, ReadsPiecesOf149Characters)
{
    // A 149-character line carries the next piece, which reads as a body line of the PID.
    const std::string longLine = pad(body("AB0001", "DESCRIPTION - a long line"), 149);
    write(station("AB0001", {longLine.substr(9) + body("AB0001", "HORZ ORDER  -  THIRD")}));
    platform::LineReader wholeLines(0);
    ASSERT_TRUE(wholeLines.open(dir.file("f.dat")));
    EXPECT_TRUE(ds::StationMatchesType("H-3", "AB0001", wholeLines, 0, ds::kKavro));
    EXPECT_EQ(wholeLines.pieceLength(), 0u);
}

TEST_F(TypeFilterFile, PutsTheReaderBackWhereItWas)
{
    const std::string first = station("AB0001", {"HORZ ORDER  -  FIRST"});
    write(first + station("AB0002", {"VERT ORDER  -  FIRST"}) + station("AB0003", {}));
    std::string_view piece;
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(reader.next(piece));
    const std::uint64_t position = reader.position();
    const std::string expectedNext = content.substr(position, content.find('\n', position) + 1 - position);

    EXPECT_TRUE(matches("H-1", "AB0001", 0));
    EXPECT_EQ(reader.position(), position);
    EXPECT_FALSE(matches("V-1", "AB0003", content.rfind(kHeader)));
    EXPECT_FALSE(matches("V-1", "AB0003", content.size() + 10)); // past the end
    EXPECT_EQ(reader.position(), position);
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, expectedNext);
    EXPECT_EQ(reader.pieceOffset(), position);
}

TEST(TypeFilter, AnyTypeReadsNothing)
{
    platform::LineReader closed(149);
    for (const char* code : {"X-0", ""}) {
        EXPECT_TRUE(ds::isAnyType(code));
        EXPECT_TRUE(ds::StationMatchesType(code, "AB0001", closed, 1234, ds::kKavro));
        EXPECT_FALSE(ds::makeTypeTest(code, closed, ds::kKavro));
    }
    EXPECT_EQ(closed.position(), 0u);
    EXPECT_FALSE(ds::StationMatchesType("H-0", "AB0001", closed, 0, ds::kKavro));
}

TEST(TypeFilter, OrderCharacterReplacesTheCodesTail)
{
    EXPECT_EQ(ds::typeCodeWithOrder("H-0", '2'), "H-2");
    EXPECT_EQ(ds::typeCodeWithOrder("FBN", 'P'), "F-P");
    EXPECT_EQ(ds::typeCodeWithOrder("V", '1'), "V-1");
    EXPECT_EQ(ds::typeCodeWithOrder("", '1'), "");
}

TEST(TypeFilter, FilteredLoadKeepsTheMatchingStations)
{
    testsupport::TempDir dir;
    std::string text;
    std::vector<std::string> expected;
    for (int i = 0; i < 60; ++i) {
        const std::string pid = "QA" + std::to_string(1000 + i);
        const char* order = i % 3 == 0 ? "THIRD" : i % 3 == 1 ? "FIRST" : nullptr;
        text += station(pid, order ? std::vector<std::string>{std::string("HORZ ORDER  -  ") + order}
                                   : std::vector<std::string>{});
        if (i % 3 == 0)
            expected.push_back(pid);
    }
    testsupport::writeFile(dir.file("f.dat"), text);

    platform::LineReader typeFile(ds::kKavro.readLength());
    ASSERT_TRUE(typeFile.open(dir.file("f.dat")));
    platform::NullProgress progress;
    ds::LoadedStations loaded;
    ASSERT_TRUE(ds::loadStations(dir.file("f.dat"), ds::kKavro, progress, loaded,
                                 ds::makeTypeTest("H-3", typeFile, ds::kKavro)));
    std::vector<std::string> pids;
    for (const auto& line : loaded.listLines)
        pids.push_back(line.substr(6, 6));
    EXPECT_EQ(pids, expected);
    EXPECT_FALSE(typeFile.failed());
}

TEST(TypeFilter, EveryListedStationIsTestedOnItsOwnLines)
{
    // Each PID's station holds the one line of its kind: AA0001 horizontal,
    // BB0002 vertical, CC0003 ellipsoidal.
    const std::map<std::string, std::string> kinds = {{"H-0", "AA0001"}, {"V-0", "BB0002"}, {"ELL", "CC0003"}};
    const auto kind = [](const std::string& pid) {
        return pid == "AA0001" ? "HORZ ORDER  -  FIRST" : pid == "BB0002" ? "VERT ORDER  -  FIRST" : "ELLIP HEIGHT-  -12.345";
    };
    const auto full = [&](const std::string& pid) { return station(pid, {kind(pid)}); };
    // A station whose header line is damaged: the line, then the station's lines.
    const auto headless = [&](const std::string& pid) {
        return lines({"1        Quarndale Geomxrk Bureau,", body(pid, "DESIGNATION -  MARK " + pid), body(pid, kind(pid))});
    };
    std::string crBefore = full("AA0001");
    crBefore.pop_back(); // its last line ends in a bare CR, the next header after it
    struct Layout {
        const char* name;
        std::string file;
    };
    const Layout layouts[] = {
        {"damaged first header", headless("BB0002") + full("AA0001") + full("CC0003")},
        {"damaged middle header", full("AA0001") + headless("BB0002") + full("CC0003")},
        {"damaged last header", full("AA0001") + full("CC0003") + headless("BB0002")},
        // The stray line holds CC0003's kind; AA0001's own comes after it.
        {"stray line", lines({kHeader, body("AA0001", "DESIGNATION -  MARK AA0001"), body("CC0003", kind("CC0003")),
                              body("AA0001", kind("AA0001")), body("AA0001", "DESCRIPTION - after the stray line")}) +
                           full("BB0002") + full("CC0003")},
        {"bare CR before a header", crBefore + full("BB0002") + full("CC0003")},
        {"bare CR after a header", full("AA0001") + kHeader + "\r" +
                                       lines({body("BB0002", kind("BB0002")), body("BB0002", "DESIGNATION -  MARK BB0002")}) +
                                       full("CC0003")},
    };
    testsupport::TempDir dir;
    const std::string path = dir.file("f.dat");
    platform::NullProgress progress;
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.name);
        testsupport::writeFile(path, l.file);
        ds::LoadedStations all;
        ASSERT_TRUE(ds::loadStations(path, ds::kKavro, progress, all));
        ASSERT_EQ(all.listLines.size(), 3u);
        platform::LineReader typeFile(ds::kKavro.readLength());
        ASSERT_TRUE(typeFile.open(path));
        for (const auto& [code, pid] : kinds) {
            SCOPED_TRACE(code);
            // The type reload lists exactly the loader's line of the one station.
            ds::LoadedStations filtered;
            ASSERT_TRUE(ds::loadStations(path, ds::kKavro, progress, filtered, ds::makeTypeTest(code, typeFile, ds::kKavro)));
            std::vector<std::string> expected, expectedLoc;
            for (std::size_t i = 0; i < all.listLines.size(); ++i)
                if (all.listLines[i].substr(6, 6) == pid) {
                    expected.push_back(all.listLines[i]);
                    expectedLoc.push_back(all.locLines[i]);
                }
            EXPECT_EQ(filtered.listLines, expected);
            EXPECT_EQ(filtered.locLines, expectedLoc);
            // The same answers from just inside a header line and from a
            // damaged header line, where Morvane's readers start.
            for (const std::string& loc : all.locLines) {
                const std::string listed = loc.substr(0, 6);
                const std::uint64_t at = std::stoull(loc.substr(7));
                const bool header = l.file.compare(at, 33, kHeader, 0, 33) == 0;
                const std::uint64_t other = header ? at + 1 : l.file.rfind('\n', at - 2) + 1;
                EXPECT_EQ(ds::StationMatchesType(code, listed, typeFile, other, ds::kKavro), listed == pid) << listed;
            }
        }
    }
}

} // namespace
