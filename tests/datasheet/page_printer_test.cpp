// The page printer on the recording printer: pages, positions, eject, the
// paper's height, failures and the progress bar.
#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

#include "datasheet/page_printer.h"
#include "platform/recording_printer.h"

namespace {

using Lines = std::vector<std::string>;

// 11 pixels on a 600 pixels-an-inch recording printer: lines 69 apart.
const platform::PrintFont kListFont{"Monospace", 11, 0, false, false, true};
constexpr int kTop = 300; // half of 600
constexpr int kLineHeight = 69;

Lines numbered(int count, const std::string& prefix = "line ")
{
    Lines lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(prefix + std::to_string(i));
    return lines;
}

Lines concat(Lines a, const Lines& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Printed {
    platform::RecordingPrinter printer;
    platform::RecordingProgress progress;
    platform::RecordingNotices notices;
    bool ok = false;

    std::vector<int> pageSizes() const
    {
        std::vector<int> sizes;
        for (const auto& job : printer.jobs)
            sizes.push_back(static_cast<int>(job.texts.size()));
        return sizes;
    }
    Lines allLines() const
    {
        Lines all;
        for (const auto& job : printer.jobs)
            for (const auto& text : job.texts)
                all.push_back(text.text);
        return all;
    }
};

void print(Printed& out, const Lines& lines, ds::PageOptions options, const platform::PrintFont& font = kListFont)
{
    out.ok = ds::printPages(lines, font, options, out.printer, out.progress, out.notices);
}

ds::PageOptions pages(int linesPerPage, bool eject = false)
{
    ds::PageOptions options;
    options.linesPerPage = linesPerPage;
    options.pageEject = eject;
    return options;
}

struct PaginationCase {
    const char* name;
    Lines lines;
    ds::PageOptions options;
    std::vector<int> sizes;
};

TEST(PagePrinter, Pagination)
{
    const Lines ejectAtFirst{"1        Quarndale Geomark Bureau,", " KA0001 a", " KA0001 b"};
    const Lines threeHeaders{"1 first", "x", "1 second", "y", "z", "1 third"};
    const std::vector<PaginationCase> cases{
        {"120 lines at 58", numbered(120), pages(58), {59, 59, 2}},
        {"118 lines at 58: the last page break begins an empty job", numbered(118), pages(58), {59, 59, 0}},
        {"empty source", {}, pages(58), {0}},
        {"L = 0", numbered(3), pages(0), {1, 1, 1, 0}},
        {"L = -5", numbered(3), pages(-5), {1, 1, 1, 0}},
        {"L = 50", numbered(120), pages(50), {51, 51, 18}},
        {"eject at the first line", ejectAtFirst, pages(58, true), {3}},
        {"eject at three lines", threeHeaders, pages(58, true), {2, 3, 1}},
        {"eject right after a full page", concat(numbered(59), {"1 next", "after"}), pages(58, true), {59, 2}},
        {"eject at the second page's first line", concat(numbered(60), {"1 next"}), pages(58, true), {59, 1, 1}},
        {"eject off", threeHeaders, pages(58, false), {6}},
    };
    for (const auto& c : cases) {
        Printed out;
        print(out, c.lines, c.options);
        EXPECT_TRUE(out.ok) << c.name;
        EXPECT_EQ(out.pageSizes(), c.sizes) << c.name;
        EXPECT_EQ(out.allLines(), c.lines) << c.name;
        EXPECT_EQ(out.printer.printouts, 1) << c.name;
        EXPECT_FALSE(out.printer.inJob) << c.name;
        EXPECT_EQ(out.printer.strayCalls, 0) << c.name;
        EXPECT_TRUE(out.notices.recorded().empty()) << c.name;
    }
}

TEST(PagePrinter, PositionsAndFont)
{
    Printed out;
    print(out, numbered(61), pages(58));
    ASSERT_EQ(out.printer.jobs.size(), 2u);
    for (const auto& job : out.printer.jobs) {
        for (std::size_t k = 0; k < job.texts.size(); ++k) {
            EXPECT_EQ(job.texts[k].x, 10);
            EXPECT_EQ(job.texts[k].y, kTop + static_cast<int>(k) * kLineHeight);
        }
        // Every page's canvas has the source's font.
        ASSERT_FALSE(job.fonts.empty());
        EXPECT_EQ(job.fonts.back(), kListFont);
    }
}

TEST(PagePrinter, LargeFontEndsPagesAtThePapersHeight)
{
    // 40 pixels: 250 printer pixels a line; from 300 down to 6300, 24 lines fit.
    const platform::PrintFont large{"Monospace", 40, 0, false, false, true};
    Printed out;
    print(out, numbered(60), pages(58), large);
    EXPECT_EQ(out.pageSizes(), (std::vector<int>{24, 24, 12}));
    for (const auto& job : out.printer.jobs)
        for (const auto& text : job.texts)
            EXPECT_LE(text.y + 250, out.printer.printableHeight());

    // A font in points: 36 points at 600 an inch is 300 pixels; 20 lines fit.
    const platform::PrintFont points{"Serif", 0, 36, false, false, false};
    Printed inPoints;
    print(inPoints, numbered(25), pages(58), points);
    EXPECT_EQ(inPoints.pageSizes(), (std::vector<int>{20, 5}));

    // A line taller than the paper (and narrow enough for it) still prints, one a page.
    platform::PrintFont huge{"Serif", 0, 1000, false, false, false};
    Printed tall;
    print(tall, {"a", "b"}, pages(58), huge);
    EXPECT_EQ(tall.pageSizes(), (std::vector<int>{1, 1, 0}));
}

TEST(PagePrinter, LinesPrintWholeAndUnchanged)
{
    const Lines lines{std::string(300, 'x') + "END", "100% of %s and %d %n", "", std::string("\xE9t\xE9 8-bit\t")};
    Printed out;
    print(out, lines, pages(58));
    // The long line on three rows of the smallest size (149 characters a row).
    EXPECT_EQ(out.allLines(), concat({std::string(149, 'x'), std::string(149, 'x'), "xxEND"},
                                     Lines(lines.begin() + 1, lines.end())));
}

// The right end of every printed text, in the font of its page.
int rightmost(const platform::RecordingPrinter& recorded)
{
    platform::RecordingPrinter measure(recorded.pixelsPerInch(), recorded.printableWidth(),
                                       recorded.printableHeight());
    int right = 0;
    for (const auto& job : recorded.jobs) {
        measure.setFont(job.fonts.back());
        for (const auto& text : job.texts)
            right = std::max(right, text.x + measure.textWidth(text.text));
    }
    return right;
}

TEST(PagePrinter, WideLinesPrintSmallerUntilTheWidestFits)
{
    // 4800 pixels wide from x = 10: 140 characters of 34 pixels fit in the
    // list's font, 141 do not.
    const platform::PrintFont large{"Monospace", 40, 0, false, false, true}; // 250 high: 24 lines a page
    struct WidthCase {
        const char* name;
        Lines lines;
        platform::PrintFont font;
        bool smaller;
        int lineHeight; // of the font printed in
        std::vector<int> sizes;
    };
    const std::vector<WidthCase> cases{
        {"140 characters fit", concat(numbered(2), {std::string(140, 'x')}), kListFont, false, 69, {3}},
        {"141 characters", concat(numbered(2), {std::string(140, 'x') + "M"}), kListFont, true, 67, {3}},
        {"84 characters in 40 pixels", concat({std::string(81, 'x') + " MI"}, numbered(59)), large, true, 114,
         {52, 8}},
        {"the widest line anywhere", concat(numbered(70), {std::string(145, 'y') + "END"}), kListFont, true, 65,
         {59, 12}},
    };
    for (const auto& c : cases) {
        Printed out;
        print(out, c.lines, pages(58), c.font);
        EXPECT_TRUE(out.ok) << c.name;
        EXPECT_EQ(out.allLines(), c.lines) << c.name;
        EXPECT_EQ(out.pageSizes(), c.sizes) << c.name;
        EXPECT_LE(rightmost(out.printer), out.printer.printableWidth()) << c.name;
        // One font for the whole printout: the source's, or the same face in points.
        const platform::PrintFont printed = out.printer.jobs.front().fonts.back();
        for (const auto& job : out.printer.jobs)
            for (const auto& font : job.fonts)
                EXPECT_EQ(font, printed) << c.name;
        if (!c.smaller) {
            EXPECT_EQ(printed, c.font) << c.name;
        } else {
            EXPECT_EQ(printed.family, c.font.family) << c.name;
            EXPECT_EQ(printed.fixedPitch, c.font.fixedPitch) << c.name;
            EXPECT_EQ(printed.pixelSize, 0) << c.name;
            EXPECT_GT(printed.pointSize, 0) << c.name;
        }
        const auto& texts = out.printer.jobs.front().texts;
        ASSERT_GE(texts.size(), 2u) << c.name;
        EXPECT_EQ(texts[1].y - texts[0].y, c.lineHeight) << c.name;
    }
}

// `length` characters that tell their places apart.
std::string counted(std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

// Lines wider than the paper make the printout smaller only down to the size
// at which a line of the program's length fills the width (149 characters,
// 254 in Pellorin); a longer line goes on, in that size, on the rows below.
// The recording printer's characters are half their height wide, at 600
// pixels an inch; from x = 10 an A4 page (190 mm) has 4478 pixels, a Letter
// page (8 inches) 4790.
TEST(PagePrinter, TheFontShrinksToAFloorAndLongerLinesWrap)
{
    struct Paper {
        const char* name;
        int width;
        int height;
    };
    const Paper a4{"A4", 4488, 6543};
    const Paper letter{"Letter", 4800, 6300};
    struct FloorCase {
        Paper paper;
        std::size_t floor;
        std::size_t length;
        int lineHeight;                // of the font printed in
        std::vector<std::size_t> rows; // the long line's rows, in characters
    };
    // The floor in Kavro: A4 61 pixels high (30 a character: 149 a row),
    // Letter 65 (32: 149 a row). In Pellorin: A4 35 (17: 263 a row),
    // Letter 37 (18: 266 a row). A line that fits in a larger size takes it.
    const std::vector<FloorCase> cases{
        {a4, 149, 149, 61, {149}},
        {a4, 149, 254, 61, {149, 105}},
        {a4, 149, 300, 61, {149, 149, 2}},
        {a4, 149, 3000, 61, {149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149,
                             149, 149, 149, 20}},
        {letter, 149, 149, 65, {149}},
        {letter, 149, 254, 65, {149, 105}},
        {letter, 149, 300, 65, {149, 149, 2}},
        {letter, 149, 3000, 65, {149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149, 149,
                                 149, 149, 149, 149, 20}},
        {a4, 254, 149, 61, {149}},
        {a4, 254, 254, 35, {254}},
        {a4, 254, 300, 35, {263, 37}},
        {a4, 254, 3000, 35, {263, 263, 263, 263, 263, 263, 263, 263, 263, 263, 263, 107}},
        {letter, 254, 149, 65, {149}},
        {letter, 254, 254, 37, {254}},
        {letter, 254, 300, 37, {266, 34}},
        {letter, 254, 3000, 37, {266, 266, 266, 266, 266, 266, 266, 266, 266, 266, 266, 74}},
    };
    for (const FloorCase& c : cases) {
        SCOPED_TRACE(std::string(c.paper.name) + ", floor " + std::to_string(c.floor) + ", " +
                     std::to_string(c.length) + " characters");
        const std::string wide = counted(c.length);
        const Lines lines{"short", wide, "after"};
        Printed out{platform::RecordingPrinter(600, c.paper.width, c.paper.height), {}, {}};
        ds::PageOptions options = pages(58);
        options.floorCharacters = c.floor;
        print(out, lines, options);
        EXPECT_TRUE(out.ok);
        ASSERT_EQ(out.printer.jobs.size(), 1u);
        const auto& texts = out.printer.jobs[0].texts;
        ASSERT_EQ(texts.size(), c.rows.size() + 2);
        EXPECT_EQ(texts.front().text, "short");
        EXPECT_EQ(texts.back().text, "after");
        std::string joined;
        for (std::size_t k = 0; k < c.rows.size(); ++k) {
            EXPECT_EQ(texts[k + 1].text.size(), c.rows[k]) << "row " << k;
            joined += texts[k + 1].text;
        }
        EXPECT_EQ(joined, wide);
        for (std::size_t k = 0; k < texts.size(); ++k) {
            EXPECT_EQ(texts[k].x, 10);
            EXPECT_EQ(texts[k].y, kTop + static_cast<int>(k) * c.lineHeight);
        }
        EXPECT_LE(rightmost(out.printer), c.paper.width);
    }
}

// Each row counts against the lines per page and the paper's height, so a
// page may end inside a wrapped line; page eject looks at the starts of
// lines only, never at a row that goes on with one.
TEST(PagePrinter, WrappedRowsFillPages)
{
    const std::string ones(300, '1'); // rows of 149, 149 and 2 characters
    const platform::PrintFont large{"Monospace", 40, 0, false, false, true};
    const std::vector<PaginationCase> cases{
        {"rows count against L", concat(numbered(57), {ones, "after"}), pages(58), {59, 2}},
        {"the last row ends a full page", {"a", counted(3000)}, pages(10), {11, 11, 0}},
        {"eject at the line, not at its rows", concat(numbered(57), {ones, "1 next"}), pages(58, true), {57, 3, 1}},
        {"a wrapped line after a full page", concat(numbered(59), {ones}), pages(58, true), {59, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Printed out;
        print(out, c.lines, c.options);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.pageSizes(), c.sizes);
        std::string joined, source;
        for (const auto& line : out.allLines())
            joined += line;
        for (const auto& line : c.lines)
            source += line;
        EXPECT_EQ(joined, source);
    }

    // In a large font the rows of 3000-character lines end pages at the
    // paper's height: at the floor, 93 rows of 64 pixels fit from 300 down
    // to 6300.
    Printed tall;
    print(tall, {counted(3000), counted(3000), counted(3000), counted(3000), counted(3000)}, pages(200), large);
    EXPECT_EQ(tall.pageSizes(), (std::vector<int>{93, 12}));
    for (const auto& job : tall.printer.jobs)
        for (const auto& text : job.texts)
            EXPECT_LE(text.y + 64, tall.printer.printableHeight());
}

TEST(PagePrinter, ProgressBar)
{
    Printed every20th;
    print(every20th, numbered(45), pages(58));
    // Before lines 0, 20 and 40, then the finish.
    EXPECT_EQ(every20th.progress.values, (std::vector<int>{0, 44, 88, 100}));
    EXPECT_EQ(every20th.progress.finishes, 1);

    Printed afterEach;
    ds::PageOptions options = pages(58);
    options.progressAfterEveryLine = true;
    print(afterEach, numbered(3), options);
    EXPECT_EQ(afterEach.progress.values, (std::vector<int>{33, 66, 100, 100}));
    EXPECT_EQ(afterEach.progress.finishes, 1);

    Printed empty;
    print(empty, {}, pages(58));
    EXPECT_EQ(empty.progress.values, (std::vector<int>{100}));
}

TEST(PagePrinter, FailuresStopWithANotice)
{
    const std::vector<platform::Notice> notice{{"NOTICE", "Could not print to Recording Printer", false}};
    struct FailCase {
        const char* name;
        bool failPrintout;
        int failBegin;
        int failEnd;
        std::size_t jobs; // jobs recorded before the stop
    };
    const std::vector<FailCase> cases{
        {"printout cannot begin", true, 0, 0, 0},
        {"first job cannot begin", false, 1, 0, 0},
        {"second job cannot begin", false, 2, 0, 1},
        {"first job fails", false, 0, 1, 1},
        {"last job fails", false, 0, 3, 3},
    };
    for (const auto& c : cases) {
        Printed out;
        out.printer.failBeginPrintout = c.failPrintout;
        out.printer.failBeginJob = c.failBegin;
        out.printer.failEndJob = c.failEnd;
        print(out, numbered(120), pages(58));
        EXPECT_FALSE(out.ok) << c.name;
        EXPECT_EQ(out.notices.recorded(), notice) << c.name;
        EXPECT_EQ(out.printer.jobs.size(), c.jobs) << c.name;
        EXPECT_FALSE(out.printer.inPrintout) << c.name;
        // The progress window is closed.
        EXPECT_EQ(out.progress.finishes, 1) << c.name;
    }
}

} // namespace
