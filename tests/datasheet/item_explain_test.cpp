// Item explanations: the clicked piece, the keyword table, the readme's
// acceptance, its places and its sections.
#include <gtest/gtest.h>

#include "datasheet/item_explain.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::TempDir;
using testsupport::writeFile;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = OCTOBER 14, 2004";

std::string crlf(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

std::size_t positionOf(const Lines& lines, std::size_t line, std::size_t column)
{
    std::size_t position = 0;
    for (std::size_t i = 0; i < line; ++i)
        position += lines[i].size() + 2;
    return position + column;
}

TEST(ItemTitle, KeywordTableInOrder)
{
    const std::pair<std::string, std::string> cases[] = {
        {" AB1234  DESIGNATION -  B 27", "DATA ITEM: Designation"},
        {" AB1234  PID         -  AB1234", "DATA ITEM: Station Permanent Identifier (PID)"},
        {" AB1234  COUNTRY     -  UNITED STATES", "DATA ITEM: STATE/COUNTY"},
        {" AB1234  STATE/COUNTY-  AZ/APACHE", "DATA ITEM: STATE/COUNTY"},
        {" AB1234  TIDLE BM    -  X", "DATA ITEM: Special Control Station Header"},
        {" AB1234  ____________________________________", "DATA ITEM: Current Survey Control"},
        {" AB1234* NAD 83(1986)-  35 19 49.27128(N)", "DATA ITEM: Current Survey Control"},
        {" AB1234  Z           -  -5,480,915.543", "DATA ITEM: X, Y, Z"},
        {" AB1234  VERT ORDER  -  SECOND", "DATA ITEM: Survey Control Order and Class"},
        {" AB1234  NAD 27 - 35 19 49.1", "DATA ITEM: Superseded Survey Control"},
        {" AB1234  HISTORY     - 1962 MONUMENTED", "DATA ITEM: Recovery History Records"},
        {" AB1234_STAMPING: B 27 1962", "DATA ITEM: Mark Setting Information"},
        // ";" comes before the text rows, so a grid line with a sentence is a grid line.
        {" AB1234;SPC AZ W.The horizontal", "DATA ITEM: Grid Coordinate Systems:"},
        {" AB1234:PRIMARY AZ", "DATA ITEM: Grid Azimuth for Primary Reference Object"},
        {" AB1234|-----|", "DATA ITEM: Box Score"},
        {" AB1234.The horizontal position was fixed", "DATA ITEM: Text regarding Horizontal Control"},
        {" AB1234.The orthometric height", "DATA ITEM: Text regarding Vertical Control"},
        {" AB1234.The geoid height", "DATA ITEM: Text regarding Other Data Control"},
        {" AB1234  STATION DESCRIPTION", "DATA ITEM: Description and Recovery text"},
        {" AB1234'DESCRIBED BY BUREAU 1962", "DATA ITEM: Description and Recovery text"},
        {" AB1234  100% OF NOTHING", ""},
        {"", ""},
    };
    for (const auto& [piece, title] : cases)
        EXPECT_EQ(ds::itemTitle(piece), title) << piece;
}

TEST(ClickedPiece, FromPositionToTheLineEndOrOnIntoTheNext)
{
    const Lines lines = {kHeader, " AB1234  DESIGNATION -  B 27", "", " AB1234  PID         -  AB1234",
                         " AB1234  HI", " AB1234;SPC"};
    // From the PID of a line: to its end.
    EXPECT_EQ(ds::clickedPiece(lines, positionOf(lines, 1, 1)), "AB1234  DESIGNATION -  B 27");
    // An empty line reads on into the next line.
    EXPECT_EQ(ds::clickedPiece(lines, positionOf(lines, 2, 0)), "\r\n AB1234  PID         -  AB1234");
    // Four characters before the end still read on; five do not.
    EXPECT_EQ(ds::clickedPiece(lines, positionOf(lines, 4, 7)), "  HI\r\n AB1234;SPC");
    EXPECT_EQ(ds::clickedPiece(lines, positionOf(lines, 4, 6)), "4  HI\r");
    EXPECT_EQ(ds::itemTitle(ds::clickedPiece(lines, positionOf(lines, 4, 8))), "DATA ITEM: Grid Coordinate Systems:");
    // At most 149 characters; past the end nothing.
    const Lines longLine = {kHeader, " AB1234  " + std::string(300, 'x')};
    EXPECT_EQ(ds::clickedPiece(longLine, positionOf(longLine, 1, 0)).size(), 149u);
    EXPECT_EQ(ds::clickedPiece(lines, 10000), "");
}

TEST(WordStart, BackToABlankOrTheLineStart)
{
    EXPECT_EQ(ds::wordStart(" AB1234  DESIGNATION", 4), 1u);
    EXPECT_EQ(ds::wordStart(" AB1234  DESIGNATION", 12), 9u);
    EXPECT_EQ(ds::wordStart("AB1234;SPC", 8), 0u);
    EXPECT_EQ(ds::wordStart(" AB1234  DESIGNATION", 0), 0u);
    EXPECT_EQ(ds::wordStart("ABC", 99), 0u);
}

TEST(MemoHoldsDatasheet, HeaderInTheFirstSevenLines)
{
    Lines lines(6, "text 100%");
    EXPECT_FALSE(ds::memoHoldsDatasheet(lines));
    lines.push_back(kHeader);
    EXPECT_TRUE(ds::memoHoldsDatasheet(lines));
    lines.insert(lines.begin(), "x");
    EXPECT_FALSE(ds::memoHoldsDatasheet(lines));
    EXPECT_FALSE(ds::memoHoldsDatasheet({}));
}

TEST(Readme, AcceptedOnlyWithAnItemHeadingInTheFirst200Lines)
{
    TempDir dir;
    Lines lines(199, "intro");
    lines.push_back("DATA ITEM: Designation");
    writeFile(dir.file("on200"), crlf(lines));
    lines.insert(lines.begin(), "one more");
    writeFile(dir.file("on201"), crlf(lines));
    // A long line counts as one line.
    Lines longFirst(199, "intro");
    longFirst[0] = std::string(1000, 'x');
    longFirst.push_back("DATA ITEM: Designation");
    writeFile(dir.file("long"), crlf(longFirst));
    EXPECT_TRUE(ds::readmeHasItems(dir.file("on200")));
    EXPECT_FALSE(ds::readmeHasItems(dir.file("on201")));
    EXPECT_TRUE(ds::readmeHasItems(dir.file("long")));
    EXPECT_FALSE(ds::readmeHasItems(dir.file("missing")));
    EXPECT_FALSE(ds::readmeHasItems(dir.path()));
}

TEST(Readme, SectionRunsToTheNextHeadingOrTheEnd)
{
    TempDir dir;
    const std::string wide(200, 'w');
    writeFile(dir.file("DSDATA.TXT"), "intro\r\n"
                                      "DATA ITEM: Designation\r\n"
                                      "The name of the mark.\r\n" +
                                          wide +
                                          "\r\n"
                                          "See DATA ITEM: Designation again.\n"
                                          "DATA ITEM: Station Permanent Identifier (PID)\r\n"
                                          "Six characters.\r\n"
                                          "DATA ITEM: Designation\r\n"
                                          "A second heading is never reached.\r\n"
                                          "DATA ITEM: Box Score\r\n"
                                          "Last section, 100% %s.");
    Lines section;
    ASSERT_TRUE(ds::readItemSection(dir.file("DSDATA.TXT"), "DATA ITEM: Designation", section));
    EXPECT_EQ(section, (Lines{"DATA ITEM: Designation", "The name of the mark.", wide,
                              "See DATA ITEM: Designation again."}));
    section.clear();
    ASSERT_TRUE(ds::readItemSection(dir.file("DSDATA.TXT"), "DATA ITEM: Box Score", section));
    EXPECT_EQ(section, (Lines{"DATA ITEM: Box Score", "Last section, 100% %s."}));
    section.clear();
    EXPECT_FALSE(ds::readItemSection(dir.file("DSDATA.TXT"), "DATA ITEM: Geoid Height", section));
    EXPECT_FALSE(ds::readItemSection(dir.file("DSDATA.TXT"), "", section));
    EXPECT_TRUE(section.empty());
}

TEST(Readme, PlacesByTheDataPathAndTheDrive)
{
    TempDir disc;
    TempDir work;
    writeFile(disc.file("data/dsdata.txt"), "DATA ITEM: X\r\n");
    writeFile(work.file("DsData.Txt"), "DATA ITEM: X\r\n");
    const std::string onDisc = disc.file("data/dsdata.txt");
    const std::string local = work.file("DsData.Txt");
    EXPECT_EQ(ds::readmePlaces(disc.file("data/AZ/AZ001.DAT"), disc.path(), work.path()), (Lines{onDisc, local}));
    EXPECT_EQ(ds::readmePlaces(disc.file("Data/x"), disc.path(), work.path()), (Lines{onDisc, local}));
    // A disk file, or no drive chosen: only the current directory.
    EXPECT_EQ(ds::readmePlaces("/home/user/kansas.txt", disc.path(), work.path()), (Lines{local, local}));
    EXPECT_EQ(ds::readmePlaces(disc.file("DATA/AZ/AZ001.DAT"), "", work.path()), (Lines{local, local}));
    // Names absent on the disc are kept as built, so opening them fails.
    TempDir empty;
    EXPECT_EQ(ds::readmePlaces("/DATA/x", empty.path(), empty.path()),
              (Lines{empty.path() + "/DATA/DSDATA.TXT", empty.path() + "/DSDATA.TXT"}));
}

class ExplainItem : public ::testing::Test {
protected:
    TempDir disc;
    TempDir work;
    const Lines sheet = {kHeader, " AB1234  DESIGNATION -  B 27", " AB1234  HORZ ORDER  -  SECOND 100%"};
    std::string data() const { return disc.file("DATA/AZ/AZ001.DAT"); }
};

TEST_F(ExplainItem, SectionOfTheClickedLineFromTheDiscOrTheCurrentDirectory)
{
    writeFile(work.file("DSDATA.TXT"), "DATA ITEM: Designation\r\nfrom the current directory\r\n");
    auto shown = ds::explainItem(sheet, positionOf(sheet, 1, 1), data(), disc.path(), work.path());
    ASSERT_EQ(shown.result, ds::ItemExplanation::Result::Shown);
    EXPECT_EQ(shown.lines, (Lines{"DATA ITEM: Designation", "from the current directory"}));

    writeFile(disc.file("DATA/DSDATA.TXT"), "DATA ITEM: Designation\r\nfrom the disc\r\nDATA ITEM: PID\r\n");
    shown = ds::explainItem(sheet, positionOf(sheet, 1, 1), data(), disc.path(), work.path());
    EXPECT_EQ(shown.lines, (Lines{"DATA ITEM: Designation", "from the disc"}));
    // A line of an item without a section, and a line no keyword claims.
    shown = ds::explainItem(sheet, positionOf(sheet, 2, 1), data(), disc.path(), work.path());
    EXPECT_EQ(shown.title, "DATA ITEM: Survey Control Order and Class");
    EXPECT_EQ(shown.lines, (Lines{"No Information found for this Item."}));
    shown = ds::explainItem(sheet, positionOf(sheet, 0, 0), data(), disc.path(), work.path());
    EXPECT_EQ(shown.title, "");
    EXPECT_EQ(shown.lines, (Lines{"No Information found for this Item."}));
}

TEST_F(ExplainItem, NoReadmeOrNoDatasheet)
{
    writeFile(disc.file("DATA/DSDATA.TXT"), crlf(Lines(200, "no heading")) + "DATA ITEM: Designation\r\n");
    EXPECT_EQ(ds::explainItem(sheet, 1, data(), disc.path(), work.path()).result,
              ds::ItemExplanation::Result::NoReadme);
    writeFile(work.file("DSDATA.TXT"), "DATA ITEM: Designation\r\n");
    EXPECT_EQ(ds::explainItem({"plain text", " AB1234  DESIGNATION -"}, 1, data(), disc.path(), work.path()).result,
              ds::ItemExplanation::Result::NotDatasheet);
    EXPECT_EQ(ds::readmeNotFoundText().substr(0, 23), "       File Not Found.\n");
}

} // namespace
