#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "bench/datasheet_generator.h"

namespace {

const std::string kHeader = "1        Quarndale Geomark Bureau,";

dsgen::Options optionsFor(std::size_t stations, std::uint64_t seed = 1)
{
    dsgen::Options options;
    options.stations = stations;
    options.seed = seed;
    return options;
}

// Lines without their CR LF.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool isHeader(const std::string& line) { return line.compare(0, kHeader.size(), kHeader) == 0; }

bool at(const std::string& line, std::size_t index, std::string_view text)
{
    return line.size() >= index + text.size() && line.compare(index, text.size(), text) == 0;
}

bool digits(const std::string& line, std::size_t index, std::size_t count)
{
    if (line.size() < index + count)
        return false;
    for (std::size_t i = index; i < index + count; ++i)
        if (line[i] < '0' || line[i] > '9')
            return false;
    return true;
}

// "dd mm ss" at the index: the shape the position parsers read.
bool angleAt(const std::string& line, std::size_t index, std::size_t degreeDigits)
{
    const std::size_t m = index + degreeDigits + 1;
    return digits(line, index, degreeDigits) && line[m - 1] == ' ' && digits(line, m, 2) && line[m + 2] == ' '
        && digits(line, m + 3, 2) && line[m + 5] == '.';
}

TEST(DatasheetGenerator, OutputDependsOnTheOptionsAlone)
{
    const std::string first = dsgen::generateString(optionsFor(40, 7));
    EXPECT_EQ(first, dsgen::generateString(optionsFor(40, 7)));
    EXPECT_NE(first, dsgen::generateString(optionsFor(40, 8)));
    // A longer run begins with the same bytes.
    const std::string longer = dsgen::generateString(optionsFor(45, 7));
    EXPECT_EQ(first, longer.substr(0, first.size()));

    std::ostringstream stream;
    EXPECT_EQ(40u, dsgen::generate(optionsFor(40, 7), stream));
    EXPECT_EQ(first, stream.str());
}

TEST(DatasheetGenerator, LineEnds)
{
    dsgen::Options options = optionsFor(30);
    const std::string crlf = dsgen::generateString(options);
    options.lineEnd = dsgen::LineEnd::Lf;
    const std::string lf = dsgen::generateString(options);

    ASSERT_FALSE(crlf.empty());
    EXPECT_EQ("\r\n", crlf.substr(crlf.size() - 2));
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\n') {
            ASSERT_TRUE(i > 0 && crlf[i - 1] == '\r') << "bare LF at " << i;
        }
        if (crlf[i] == '\r') {
            ASSERT_TRUE(i + 1 < crlf.size() && crlf[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    std::string stripped;
    for (char c : crlf)
        if (c != '\r')
            stripped += c;
    EXPECT_EQ(stripped, lf);
}

TEST(DatasheetGenerator, StationsAndPids)
{
    dsgen::Options options = optionsFor(4);
    options.pidPrefix = "QZ";
    options.firstPidNumber = 9998;
    options.retrievalDate = "SEPTEMBER 17, 2003";
    const std::vector<std::string> expected = {"QZ9998", "QZ9999", "RA0000", "RA0001"};

    std::vector<std::string> pids;
    std::size_t station = 0;
    for (const std::string& line : linesOf(dsgen::generateString(options))) {
        if (isHeader(line)) {
            EXPECT_EQ(options.retrievalDate, line.substr(54));
            ++station;
            continue;
        }
        // Every body line, the lines above the designation too, has the PID.
        ASSERT_TRUE(station >= 1 && station <= expected.size());
        ASSERT_EQ(" " + expected[station - 1], line.substr(0, 7)) << line;
        if (at(line, 7, "  DESIGNATION - "))
            pids.push_back(line.substr(1, 6));
    }
    EXPECT_EQ(expected, pids);
}

TEST(DatasheetGenerator, TargetSizeEndsWithTheStationThatReachesIt)
{
    dsgen::Options options = optionsFor(0);
    options.targetBytes = 200000;
    const std::string text = dsgen::generateString(options);
    ASSERT_GE(text.size(), options.targetBytes);
    const std::size_t lastHeader = text.rfind(kHeader);
    ASSERT_NE(std::string::npos, lastHeader);
    EXPECT_LT(lastHeader, options.targetBytes);
}

// The columns that the loaders, the type filter and the item extraction read.
TEST(DatasheetGenerator, LinesHaveTheFixedColumns)
{
    dsgen::Options options = optionsFor(400, 3);
    options.state = "nm";
    int positions = 0;
    for (const std::string& line : linesOf(dsgen::generateString(options))) {
        ASSERT_LE(line.size(), 149u) << line;
        if (isHeader(line)) {
            ASSERT_GT(line.size(), 54u);
            EXPECT_EQ("   Retrieval Date = ", line.substr(34, 20));
            continue;
        }
        ASSERT_TRUE(line[0] == ' ' && line[1] >= 'A' && line[1] <= 'Z' && line[2] >= 'A' && line[2] <= 'Z'
                    && digits(line, 3, 4)) << line;
        if (line.size() > 8 && line[7] == ' ') {
            ASSERT_EQ(' ', line[8]) << line;
        }
        if (at(line, 7, "* NAD") || at(line, 7, "  POSITION    - ") || (at(line, 7, "  NAD") && line[21] == '-')) {
            ++positions;
            EXPECT_EQ('-', line[21]) << line;
            EXPECT_TRUE(angleAt(line, 24, 2) && at(line, 38, "(N)")) << line;
            EXPECT_TRUE(angleAt(line, 45, 3) && at(line, 60, "(W)")) << line;
        }
        if (at(line, 7, "  STATE/COUNTY- ")) {
            EXPECT_TRUE(at(line, 24, "NM/COUNTY 001")) << line;
        }
        if (at(line, 7, "  VERT ORDER  - ") || at(line, 7, "  ELLP ORDER  - ")) {
            EXPECT_TRUE(line.size() <= 34 || at(line, 34, "CLASS ") || at(line, 34, "Code ") || line[24] == '*') << line;
        }
        if (line[7] == '_' && line.find("SUITABLE FOR") != std::string::npos) {
            EXPECT_TRUE(at(line, 41, "REPORTED AS")) << line;
        }
        if (at(line, 7, ";SPC ") || at(line, 7, ";UTM ")) {
            EXPECT_TRUE(at(line, 53, "MT") || at(line, 52, "sFT") || at(line, 52, "iFT")) << line;
            EXPECT_TRUE(line[70] == '+' || line[70] == '-') << line;
        }
        if (at(line, 7, "  HISTORY     - ") && line.find("Condition") == std::string::npos) {
            EXPECT_TRUE(digits(line, 23, 4)) << line;
        }
        if (at(line, 31, "  STATION DESCRIPTION") || at(line, 31, "  STATION RECOVERY")) {
            EXPECT_EQ(std::string(24, ' '), line.substr(7, 24)) << line;
        }
    }
    EXPECT_GT(positions, 400);
}

// Enough variety that tests of the filter and the parsers find every case.
TEST(DatasheetGenerator, CoversTheStationKinds)
{
    const std::vector<std::string> wanted = {
        "  FBN         -  ", "  FBN CONTROL -  ", "  CBN         -  ", "  CBN CONTROL -  ", "  CORS        -  ",
        "  PACS        -  ", "  SACS        -  ", "  ELLIP HEIGHT- ", "  POSITION    - ",
        "  HORZ ORDER  -  A", "  HORZ ORDER  -  B", "  HORZ ORDER  -  FIRST", "  HORZ ORDER  -  SECOND",
        "  HORZ ORDER  -  THIRD", "  HORZ ORDER  -  SPECIAL (CORS)",
        "  VERT ORDER  -  FIRST", "  VERT ORDER  -  SECOND", "  VERT ORDER  -  THIRD ?", "  VERT ORDER  -  ?",
        "  VERT ORDER  -  * POSTED, Code", "  VERT ORDER  -  * READJUST",
        "  ELLP ORDER  -  FIRST", "  ELLP ORDER  -  FOURTH", "  ELLP ORDER  -  FIFTH",
        "_SATELLITE: ", "+SATELLITE: ", "| ", ";SPC ", ";UTM ", "!SPC ", "  NAD 27", "  NGVD 29 (", ".This is a SPECIAL STATUS",
    };
    std::set<std::string> seen;
    int withoutHorizontal = 0;
    int withoutVertical = 0;
    bool horizontal = true;
    bool vertical = true;
    for (const std::string& line : linesOf(dsgen::generateString(optionsFor(400, 5)))) {
        if (isHeader(line)) {
            withoutHorizontal += !horizontal;
            withoutVertical += !vertical;
            horizontal = vertical = false;
            continue;
        }
        horizontal = horizontal || at(line, 7, "  HORZ ORDER  - ");
        vertical = vertical || at(line, 7, "  VERT ORDER  - ");
        for (const std::string& text : wanted)
            if (at(line, 7, text))
                seen.insert(text);
    }
    for (const std::string& text : wanted) {
        EXPECT_TRUE(seen.count(text)) << "no line with \"" << text << "\" at index 7";
    }
    EXPECT_GT(withoutHorizontal, 0);
    EXPECT_GT(withoutVertical, 0);
}

TEST(DatasheetGenerator, LongLinesOnlyWhenAsked)
{
    dsgen::Options options = optionsFor(40);
    auto longLines = [](const std::string& text) {
        std::vector<std::string> found;
        for (const std::string& line : linesOf(text))
            if (line.size() > 149)
                found.push_back(line);
        return found;
    };
    EXPECT_TRUE(longLines(dsgen::generateString(options)).empty());

    options.longLines = true;
    const std::string text = dsgen::generateString(options);
    const std::vector<std::string> found = longLines(text);
    ASSERT_FALSE(found.empty());
    EXPECT_LT(text.find(found.front()), text.find(kHeader, 1)) << "the first station has one";
    for (const std::string& line : found) {
        EXPECT_EQ('\'', line[7]);
        EXPECT_LE(line.size(), 300u);
    }
}

// The committed samples are generator output (bench/make_samples.sh); a
// generator that draws its numbers in another order, e.g. built by another
// compiler, no longer reproduces them.
TEST(DatasheetGenerator, ReproducesTheCommittedSample)
{
    dsgen::Options options;
    options.state = "AZ";
    options.county = 1;
    options.countyName = "APACHE";
    options.stations = 12;
    options.seed = 101;
    options.pidPrefix = "FA";
    options.retrievalDate = "OCTOBER 14, 2004";
    std::ifstream file(DS_SAMPLES_DIR "/DATA/AZ/AZ001.DAT", std::ios::binary);
    ASSERT_TRUE(file) << "missing sample file";
    const std::string committed{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(committed == dsgen::generateString(options));
}

TEST(DatasheetGenerator, RejectsBadOptions)
{
    const auto bad = [](auto change) {
        dsgen::Options options = optionsFor(1);
        change(options);
        return options;
    };
    EXPECT_THROW(dsgen::generateString(bad([](dsgen::Options& o) { o.state = "A"; })), std::invalid_argument);
    EXPECT_THROW(dsgen::generateString(bad([](dsgen::Options& o) { o.state = "A1"; })), std::invalid_argument);
    EXPECT_THROW(dsgen::generateString(bad([](dsgen::Options& o) { o.pidPrefix = "qa"; })), std::invalid_argument);
    EXPECT_THROW(dsgen::generateString(bad([](dsgen::Options& o) { o.firstPidNumber = 10000; })), std::invalid_argument);
    EXPECT_THROW(dsgen::generateString(bad([](dsgen::Options& o) { o.county = 1000; })), std::invalid_argument);
}

} // namespace
