// The join and the splits over damaged station boundaries: a station whose
// header line is damaged goes where its own filter or key sends it, with
// its damaged header line; a stray line of another PID stays in its station.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "datasheet/list_save.h"
#include "morvane/core/join.h"
#include "morvane/core/splits.h"
#include "platform/notices.h"
#include "platform/progress.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::readFile;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = OCTOBER 14, 2004";

// A station in quad `quad`, of first horizontal order when `first`.
std::string station(const std::string& pid, const std::string& quad, bool first = false)
{
    return kHeader + "\r\n " + pid + "  DESIGNATION -  MARK " + pid + "\r\n " + pid + "  USGS QUAD   -  " + quad +
           "\r\n " + pid + "  HORZ ORDER  -  " + (first ? "FIRST" : "THIRD") + "\r\n " + pid + "  remark\r\n";
}

std::string damaged(const std::string& text)
{
    return "2" + text.substr(1);
}

std::string withStray(const std::string& text, const std::string& pid)
{
    const std::size_t second = text.find("\r\n", text.find("\r\n") + 2) + 2;
    return text.substr(0, second) + " " + pid + "  a stray line\r\n" + text.substr(second);
}

struct Layout {
    const char* name;
    std::string A, B, C; // the three stations as the file holds them
};

std::vector<Layout> layouts()
{
    const std::string A = station("AA0001", "NORTH"), B = station("BB0002", "SOUTH", true),
                      C = station("CC0003", "NORTH");
    return {
        {"damaged first header", damaged(A), B, C},
        {"damaged middle header", A, damaged(B), C},
        {"damaged last header", A, B, damaged(C)},
        {"two damaged headers", A, damaged(B), damaged(C)},
        {"stray line of another PID", withStray(A, "BB0002"), B, C},
    };
}

std::string joined(const std::string& input, int format, const std::string& typeCode)
{
    testsupport::TempDir dir;
    writeFile(dir.file("in.dat"), input);
    morvane::JoinRequest request;
    request.inputs = {dir.file("in.dat")};
    request.output = dir.file("out.txt");
    request.settings.format = format;
    request.settings.typeCode = typeCode;
    platform::RecordingNotices notices;
    platform::NullProgress progress;
    EXPECT_TRUE(morvane::JoinFiles(request, notices, progress));
    EXPECT_TRUE(notices.recorded().empty());
    return readFile(request.output);
}

} // namespace

TEST(StationRule, JoinCopiesAndSkipsEachStationByItsOwnFilter)
{
    for (const Layout& l : layouts()) {
        SCOPED_TRACE(l.name);
        const std::string input = l.A + l.B + l.C;
        EXPECT_EQ(joined(input, ds::kDatasheetFormat, "X-0"), input);
        EXPECT_EQ(joined(input, ds::kDatasheetFormat, "H-1"), l.B);
        const std::string listed = joined(input, ds::kListFormat, "H-1");
        EXPECT_EQ(listed.substr(0, 13), "     |BB0002|");
        EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 1);
        const std::string all = joined(input, ds::kListFormat, "X-0");
        EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 3);
    }
}

TEST(StationRule, SplitsSendEachStationWhereItsKeySays)
{
    for (const Layout& l : layouts()) {
        SCOPED_TRACE(l.name);
        testsupport::TempDir dir;
        const std::string input = dir.file("in.dat");
        writeFile(input, l.A + l.B + l.C);
        platform::RecordingNotices notices;
        platform::NullProgress progress;

        std::filesystem::create_directories(dir.file("quad"));
        morvane::IndexSplit quad;
        quad.kind = morvane::IndexKind::Quad;
        quad.indexLines = {"|001|NORTH", "|002|SOUTH"};
        quad.input = input;
        quad.outDir = dir.file("quad");
        ASSERT_TRUE(morvane::SplitByIndex(quad, notices, progress));
        EXPECT_EQ(readFile(dir.file("quad/dsdata.001")), l.A + l.C);
        EXPECT_EQ(readFile(dir.file("quad/dsdata.002")), l.B);
        EXPECT_EQ(readFile(dir.file("quad/dsdata.000")), "");

        std::filesystem::create_directories(dir.file("pid"));
        morvane::CountSplit byPid;
        byPid.kind = morvane::CountKind::Stations;
        byPid.limit = 1;
        byPid.prefixMode = 0;
        byPid.input = input;
        byPid.outDir = dir.file("pid");
        ASSERT_TRUE(morvane::SplitByCount(byPid, notices, progress));
        EXPECT_EQ(readFile(dir.file("pid/AA0001.out")), l.A);
        EXPECT_EQ(readFile(dir.file("pid/BB0002.out")), l.B);
        EXPECT_EQ(readFile(dir.file("pid/CC0003.out")), l.C);
        EXPECT_EQ(readFile(dir.file("pid/dsdata.001")), "");

        std::filesystem::create_directories(dir.file("count"));
        morvane::CountSplit byTwo = byPid;
        byTwo.limit = 2;
        byTwo.prefixMode = 1;
        byTwo.outDir = dir.file("count");
        ASSERT_TRUE(morvane::SplitByCount(byTwo, notices, progress));
        EXPECT_EQ(readFile(dir.file("count/dsdata.001")), l.A + l.B);
        EXPECT_EQ(readFile(dir.file("count/dsdata.002")), l.C);
        EXPECT_TRUE(notices.recorded().empty());
    }
}
