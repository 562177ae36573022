#include "datasheet/datasheet_reader.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kHeader = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004";
const std::string kHeaderNoComma = "1        Quarndale Geomark Bureau           Retrieval Date = NOVEMBER 3, 2004";
const Lines kFirst{" AB1234  DESIGNATION -  FIRST MARK", " AB1234  HORZ ORDER  -  SECOND"};
const Lines kMiddle{" CD5678  DESIGNATION -  SECOND MARK", " CD5678* NAD 83(1986)- 100% %s %d", " CD5678  STAMPING: CD 1"};
const Lines kLast{" EF9012  DESIGNATION -  LAST MARK", " EF9012  MARKER: DD"};

struct FileShape {
    std::string middleHeader = kHeader;
    Lines middle = kMiddle;
    std::string lineEnd = "\r\n";
    bool finalBreak = true;
};

std::string fileText(const FileShape& shape)
{
    Lines lines{kHeader};
    lines.insert(lines.end(), kFirst.begin(), kFirst.end());
    lines.push_back(shape.middleHeader);
    lines.insert(lines.end(), shape.middle.begin(), shape.middle.end());
    lines.push_back(kHeader);
    lines.insert(lines.end(), kLast.begin(), kLast.end());
    std::string text;
    for (const auto& line : lines)
        text += line + shape.lineEnd;
    if (!shape.finalBreak)
        text.resize(text.size() - shape.lineEnd.size());
    return text;
}

Lines withHeader(const std::string& header, const Lines& body)
{
    Lines lines{header};
    lines.insert(lines.end(), body.begin(), body.end());
    return lines;
}

struct ReadCase {
    const char* name;
    FileShape file;
    std::string at;     // the offset is where this text first begins in the file,
    bool headerOfIt;    // or, when set, where the header line before it begins
    std::string pid;
    Lines expected;
};

const std::string kLong = " CD5678  " + std::string(300, 'x');

const ReadCase kCases[] = {
    {"MiddleStation", {}, " CD5678  DES", true, "CD5678", withHeader(kHeader, kMiddle)},
    {"LastStationWithFinalBreak", {}, " EF9012  DES", true, "EF9012", withHeader(kHeader, kLast)},
    {"LastStationWithoutFinalBreak", {.finalBreak = false}, " EF9012  DES", true, "EF9012",
     withHeader(kHeader, kLast)},
    {"LineFeedOnlyFile", {.lineEnd = "\n"}, " CD5678  DES", true, "CD5678", withHeader(kHeader, kMiddle)},
    {"HeaderWithoutCommaGivesAnEmptyFirstLine", {.middleHeader = kHeaderNoComma}, kHeaderNoComma, false, "CD5678",
     withHeader("", kMiddle)},
    {"OffsetAtABodyLine", {}, " CD5678* NAD", false, "CD5678", {"", kMiddle[1], kMiddle[2]}},
    {"OtherStationsLinesBeforeThePidAreSkipped", {}, " AB1234  HORZ", false, "CD5678",
     withHeader(kHeader, kMiddle)},
    {"PidNotAfterTheOffsetGivesUpAtTheSecondHeader", {}, kHeader, false, "EF9012", {}},
    {"LongLineIsWholeAndTheStationGoesOn",
     {.middle = {kMiddle[0], kLong, kMiddle[2]}},
     " CD5678  DES",
     true,
     "CD5678",
     {kHeader, kMiddle[0], kLong, kMiddle[2]}},
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class StationRead : public testing::TestWithParam<ReadCase> {};

TEST_P(StationRead, GivesTheStationsLines)
{
    const ReadCase& c = GetParam();
    testsupport::TempDir dir;
    const std::string path = dir.file("county.dat");
    const std::string text = fileText(c.file);
    testsupport::writeFile(path, text);
    std::size_t offset = text.find(c.at);
    ASSERT_NE(offset, std::string::npos);
    if (c.headerOfIt)
        offset = text.rfind(kHeader, offset);

    Lines lines{"stale"};
    ASSERT_TRUE(ds::readStationDatasheet(path, offset, c.pid, lines));
    EXPECT_EQ(lines, c.expected);
}

INSTANTIATE_TEST_SUITE_P(DatasheetReader, StationRead, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(DatasheetReader, OneOpenFileServesStationAfterStation)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("county.dat");
    const std::string text = fileText({});
    testsupport::writeFile(path, text);
    const std::size_t middle = text.find(kHeader, 1);
    const std::size_t last = text.find(kHeader, middle + 1);

    ds::DatasheetReader reader;
    ASSERT_TRUE(reader.open(path));
    EXPECT_EQ(reader.read(last, "EF9012"), withHeader(kHeader, kLast));
    EXPECT_EQ(reader.read(0, "AB1234"), withHeader(kHeader, kFirst));
    EXPECT_EQ(reader.read(middle, "CD5678"), withHeader(kHeader, kMiddle));
    EXPECT_EQ(reader.read(text.size() + 10, "CD5678"), Lines{});
    std::size_t passed = 0;
    EXPECT_EQ(reader.read(middle, "CD5678", [&](std::string_view) { ++passed; }), kMiddle.size());
    EXPECT_EQ(passed, kMiddle.size() + 1);
    EXPECT_FALSE(reader.failed());
}

TEST(DatasheetReader, MissingFileCannotBeOpened)
{
    testsupport::TempDir dir;
    Lines lines{"kept"};
    EXPECT_FALSE(ds::readStationDatasheet(dir.file("gone.dat"), 0, "AB1234", lines));
    EXPECT_EQ(lines, Lines{"kept"});
    // Opens, but reading fails (this process's memory file at offset 0).
    EXPECT_FALSE(ds::readStationDatasheet("/proc/self/mem", 0, "AB1234", lines));
    EXPECT_EQ(lines, Lines{"kept"});
}

} // namespace
