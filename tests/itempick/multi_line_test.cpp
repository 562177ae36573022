// Multi-line items in Kavro's records: history, box score, superseded
// positions and heights, recovery text; inside the record or as separate
// lines, with and without Single Line Only and Fixed Field.
#include <gtest/gtest.h>

#include "itempick/core/collectors.h"
#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::line;
using itemtest::save;
using itemtest::settingsFor;
using itempick::Settings;

const std::string kTwo = testsupport::fixture("itempick_two.dat");

Settings noHeader(Settings settings)
{
    settings.includeHeader = false;
    return settings;
}

// A one-station file of the given body lines (PID AB1234).
class Station {
public:
    explicit Station(const std::vector<std::string>& body)
    {
        std::string bytes = "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002\r\n";
        for (const std::string& text : body)
            bytes += text + "\r\n";
        testsupport::writeFile(path(), bytes);
    }
    std::string path() const { return dir_.file("station.dat"); }
    std::string save(const Settings& settings) const { return itemtest::save(path(), settings, {"AB1234"}); }

private:
    testsupport::TempDir dir_;
};

TEST(HistoryItems, AllHistoryWritesSeparateLines)
{
    const Settings settings = settingsFor({"PID", "ALL HISTORY", "STATE"});
    EXPECT_EQ(save(kTwo, settings, {"MX4260", "MX4261"}),
              "PID|PID|REC_DATE|CONDITION     |AGENCY|STATE\r\n"
              "MX4260|MX4260|1986|MONUMENTED|QGB\r\n"
              "MX4260|19940902|GOOD|QGB\r\n"
              "MX4260|19960802|POOR|COUNTY\r\n"
              "MX4260|2003|GOOD|QGB\r\n"
              "KS\r\n"
              "MX4261|MX4261|1939|MONUMENTED|QGB\r\n"
              "US\r\n");
}

TEST(HistoryItems, SingleLineJoinsTheRecords)
{
    Settings settings = settingsFor({"PID", "ALL HISTORY", "STATE"});
    settings.singleLine = true;
    settings.lineDelim = '~';
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}),
              "PID|REC_DATE|CONDITION     |AGENCY|STATE\r\n"
              "MX4260|1986|MONUMENTED|QGB~19940902|GOOD|QGB~19960802|POOR|COUNTY~2003|GOOD|QGB~KS\r\n");
}

TEST(HistoryItems, FixedFieldPadsDateAndCondition)
{
    Settings settings = noHeader(settingsFor({"PID", "ALL HISTORY"}));
    settings.fixedField = true;
    EXPECT_EQ(save(kTwo, settings, {"MX4261"}), "MX4261|MX4261|1939    |MONUMENTED    |QGB\r\n\r\n");
}

TEST(HistoryItems, LastHistoryKeepsTheMostRecent)
{
    const Settings settings = settingsFor({"PID", "LAST HISTORY", "STATE"});
    // Headed by its fields alone: the record holds no PID for it.
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}),
              "PID|REC_DATE|CONDITION     |AGENCY|STATE\r\n"
              "MX4260|2003|GOOD|QGB|KS\r\n");
}

TEST(HistoryItems, LastItemWithoutHistoryKeepsItsColumns)
{
    const Station station({line({{7, "  PID         - "}, {24, "AB1234"}}),
                           line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO"}})});
    Settings settings = noHeader(settingsFor({"PID", "LAST HISTORY", "LAST REC_DATE", "STATE"}));
    EXPECT_EQ(station.save(settings), "AB1234|||||KS\r\n");
    // With Fixed Field every empty field at its width.
    settings.fixedField = true;
    EXPECT_EQ(station.save(settings), "AB1234|        |              |      |        |KS\r\n");
}

TEST(HistoryItems, RecordFieldsTakenAlone)
{
    // LAST REC_COND and ALL REC_DATE together: the last condition in the
    // record, every date on a line of its own.
    const Settings settings = settingsFor({"PID", "LAST REC_COND", "ALL REC_DATE", "STATE"});
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}),
              "PID|REC_COND|PID|REC_DATE|STATE\r\n"
              "MX4260|GOOD|MX4260|1986\r\n"
              "MX4260|19940902\r\n"
              "MX4260|19960802\r\n"
              "MX4260|2003\r\n"
              "KS\r\n");
    Settings single = settings;
    single.singleLine = true;
    EXPECT_EQ(save(kTwo, single, {"MX4260"}),
              "PID|REC_COND|REC_DATE|STATE\r\n"
              "MX4260|GOOD|1986~19940902~19960802~2003~KS\r\n");
}

TEST(HistoryItems, ConditionCutTo14AndTitleLinePassedOver)
{
    const Station station({line({{7, "  HISTORY     - Date     Condition        Report By"}}),
                           line({{7, "  HISTORY     - "}, {23, "20010203"}, {32, "NOT FOUND BUT SEARCHED"}, {55, "X"}})});
    EXPECT_EQ(station.save(noHeader(settingsFor({"ALL REC_COND"}))), "AB1234|NOT FOUND BUT\r\n\r\n");
}

TEST(SupersededItems, KavroWritesThemInsideTheRecord)
{
    const Settings settings = settingsFor({"PID", "SUPER_NAD83_DATA", "SUPER_NAVD88_DATA"});
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}),
              "PID|SUP83_DTM|SUP83_TAG|SUP83_LAT|SUP83_LATDIR|SUP83_LON|SUP83_LON_DIR|SUP83_SRC|SUP83_ORD|"
              "SUPER_NAVD88_DATA\r\n"
              "MX4260|NAD 83|1986|38 47 50.69606|N|098 12 31.74075|W|AD(       )|2|"
              "NAVD 88|09/09/97|   876.35|ADJUSTED   |1|2|\r\n");
}

TEST(SupersededItems, PositionsFollowThePositionFormat)
{
    Settings settings = noHeader(settingsFor({"SUPER_NAD83_DATA"}));
    settings.positionFormat = itempick::kDecimalDegreePositions;
    settings.decimals = "5 decimals";
    settings.westSign = 1;
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}), "NAD 83|1986|38.79742|N|-98.20882|W|AD(       )|2|\r\n");
    settings.decimals = " ";
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}), "NAD 83|1986||N||W|AD(       )|2|\r\n");
}

TEST(SupersededItems, HeightsAlwaysFixed)
{
    const Station station({
        line({{7, "  ELLIP HT    - "}, {29, "  856.43"}, {64, "GPS OBS"}, {76, "1 2"}}),
        line({{7, "  ELLIP H (02/02/95)"}, {27, "  855.9"}, {64, "GPS OBS"}, {76, "2 1"}}),
        line({{7, "  NGVD 29     - "}, {27, "  875.123"}, {64, "ADJUSTED"}, {76, "1 2"}}),
        line({{7, "  NGVD 29 (01/01/70)"}, {28, "  875.1"}, {64, "ADJUSTED"}, {76, "1 1"}}),
        line({{7, "  NAD 27"}, {21, "-"}, {24, "38 47 51.00000(N)"}, {45, "098 12 29.00000(W) AD(       ) 1"}}),
    });
    const Settings settings = noHeader(settingsFor({"SUPER_ELLIP_DATA", "SUPER_NGVD29_DATA", "SUPER_1927_DATA"}));
    const std::string expected = "  856.43 |GPS OBS    |1|2|02/02/95|  855.9  |GPS OBS    |2|1|"
                                 "NGVD 29|  875.123|ADJUSTED   |1|2|NGVD 29|01/01/70|  875.1  |ADJUSTED   |1|1|"
                                 "NAD 27|38 47 51.00000|N|098 12 29.00000|W|AD(       )|1|\r\n";
    EXPECT_EQ(station.save(settings), expected);
}

TEST(BoxScore, OneLinePerMarkWithItsUnit)
{
    EXPECT_EQ(save(kTwo, noHeader(settingsFor({"BOX_SCORE"})), {"MX4260"}),
              "MX4260||WELL 40 RM 1|    42.931|MT|2103354.9\r\n"
              // The name column reaches into the APPROX word at 49.
              "MX4260||WELL 40 RM 2                     AP|4.9|KM|1130306.8\r\n"
              "\r\n");
    Settings single = settingsFor({"BOX_SCORE", "PID"});
    single.singleLine = true;
    single.fixedField = true;
    EXPECT_EQ(save(kTwo, single, {"MX4260"}),
              "TO_PID|TO_NAME                            |DISTANCE  |UT|AZIMUTH|PID   \r\n"
              "      |WELL 40 RM 1                       |    42.931|MT|2103354.9~"
              "      |WELL 40 RM 2                     AP|4.9       |KM|1130306.8~|MX4260\r\n");
}

TEST(BoxScore, MorvaneTakesTheColumnsAsTheyStand)
{
    Settings settings = noHeader(settingsFor({"BOX_SCORE"}, itempick::kMorvaneItems));
    EXPECT_EQ(save(kTwo, settings, {"MX4260"}, *std::make_unique<platform::RecordingNotices>(),
                   itempick::kMorvaneItems),
              "MX4260|      |WELL 40 RM 1                       |    42.931|MT|2103354.9\r\n"
              "MX4260|      |WELL 40 RM 2                     AP|4.9 |KM|1130306.8\r\n"
              "\r\n");
}

TEST(RecoveryText, TitlesTheLineAfterAndTheText)
{
    const std::string longText = "'" + std::string(79, 'A') + "BCDEF";
    const Station station({
        line({{31, "  STATION DESCRIPTION"}}),
        line({{7, "  HISTORY     - "}, {23, "1999"}}), // the line after a title, whatever it is
        line({{7, "'THE MARK IS A DISK."}}),
        line({{7, longText}}),
        line({{31, "  STATION RECOVERY (2003)"}}),
        line({}),
        line({{7, "'RECOVERED AS DESCRIBED."}}),
    });
    const Settings settings = noHeader(settingsFor({"RECOVERY TEXT", "ALL HISTORY", "PID"}));
    EXPECT_EQ(station.save(settings),
              "AB1234|                         STATION DESCRIPTION\r\n"
              "AB1234| HISTORY     - 1999\r\n"
              "AB1234|THE MARK IS A DISK.\r\n"
              "AB1234|" + std::string(79, 'A') + "B\r\n"
              "AB1234|                         STATION RECOVERY (2003)\r\n"
              "AB1234|\r\n"
              "AB1234|RECOVERED AS DESCRIBED.\r\n"
              "|\r\n");
    Settings single = settings;
    single.singleLine = true;
    single.descDelim = '#';
    EXPECT_EQ(station.save(single),
              "#                         STATION DESCRIPTION~ HISTORY     - 1999~THE MARK IS A DISK.~" +
                  std::string(79, 'A') + "B~#                         STATION RECOVERY (2003)~~RECOVERED AS DESCRIBED.~|\r\n");
}

TEST(RecoveryText, TheLineAfterATitleKeepsAnInnerCr)
{
    // Only its line end goes, CR LF or LF; a CR inside it is text.
    const std::string title = line({{31, "  STATION DESCRIPTION"}});
    const std::string after = line({{7, "'THE DISK IS SET\rIN A BOULDER."}});
    const std::string text = line({{7, "'FOUND."}});
    const Settings settings = noHeader(settingsFor({"RECOVERY TEXT"}));
    for (const char* end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end[0] == '\r' ? "CR LF" : "LF");
        testsupport::TempDir dir;
        const std::string path = dir.file("station.dat");
        testsupport::writeFile(path, "1        Quarndale Geomark Bureau,\r\n" + title + end + after + end + text + end);
        EXPECT_EQ(save(path, settings, {"AB1234"}),
                  "AB1234|                         STATION DESCRIPTION\r\n"
                  "AB1234|THE DISK IS SET\rIN A BOULDER.\r\n"
                  "AB1234|FOUND.\r\n"
                  "\r\n");
    }
}

TEST(RepeatedItems, EachCopyWritesItsOwnLines)
{
    // Settings made by hand may name an item twice: each copy collects and
    // writes its own lines, no count of one is read for the other.
    const Settings settings = noHeader(settingsFor({"ALL HISTORY", "PID", "ALL HISTORY", "LAST HISTORY"}));
    EXPECT_EQ(save(kTwo, settings, {"MX4261"}),
              "MX4261|1939|MONUMENTED|QGB\r\n"
              "MX4261|MX4261|1939|MONUMENTED|QGB\r\n"
              "1939|MONUMENTED|QGB|\r\n");
}

} // namespace
