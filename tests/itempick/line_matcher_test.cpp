// The datasheet line matcher: which item takes which line, and what it takes.
#include <gtest/gtest.h>

#include "itempick/core/extractor.h"
#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::line;
using itemtest::settingsFor;
using itempick::Extractor;
using itempick::Settings;
using itempick::StationData;

const std::string kCurrentNad83 = " MX4260* NAD 83(1992)-  38 47 48.99469(N)    098 12 30.87742(W)     ADJUSTED";
const std::string kSupersededNad83 = " MX4260  NAD 83(1986)-  38 47 50.69606(N)    098 12 31.74075(W) AD(       ) 2";
const std::string kNad27 = line({{7, "  NAD 27"}, {21, "-"}, {24, "38 47 51.00000"}, {38, "(N)"},
                                 {45, "098 12 29.00000"}, {60, "(W)"}, {64, "AD(       )"}, {76, "1"}},
                                "MX4260");
const std::string kSpc = " MX4260;SPC KS E     -   240,411.374   322,520.006   MT  0.99961802   +0 01 05.2";

// Runs the lines through an extractor of the settings; the values of the entries.
std::vector<std::string> extract(const Settings& settings, const std::vector<std::string>& lines,
                                 const itempick::Build& build = itempick::kKavroItems)
{
    const Extractor extractor(build, settings);
    StationData data;
    data.reset(extractor.entries().size());
    std::size_t next = 0;
    const itempick::NextLine nextLine = [&](std::string& text) {
        if (next >= lines.size())
            return false;
        text = lines[next++];
        return true;
    };
    while (next < lines.size()) {
        const std::string text = lines[next++];
        extractor.ExtractLineItems(text, nextLine, data);
    }
    return data.values;
}

std::string valueOf(std::string_view name, const std::string& text)
{
    return extract(settingsFor({name}), {text}).at(0);
}

struct RuleCase {
    const char* item;
    std::string line;
    std::string value;
};

TEST(LineMatcher, EachRuleTakesItsLine)
{
    const RuleCase cases[] = {
        {"DESIGNATION", line({{7, "  DESIGNATION - "}, {24, "WELL 40"}}), "WELL 40"},
        {"PID", line({{7, "  PID         - "}, {24, "MX4260"}}), "MX4260"},
        {"STATE", line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO"}}), "KS"},
        {"STATE", line({{7, "  COUNTRY     - "}, {24, "GERMANY"}}), "GE"},
        {"COUNTY", line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO COUNTY WITH A LONG NAME"}}), "RENO COUNTY WITH A LONG N"},
        {"USGS_QUAD", line({{7, "  USGS QUAD   - "}, {24, "SADDLE SHALE (1986)"}}), "SADDLE SHALE (1986)"},
        {"HORZ_DATUM", kCurrentNad83, "NAD 83 "},
        {"DATUM_TAG", kCurrentNad83, "1992"},
        {"VERT_DATUM", line({{7, "* NAVD 88     - "}}), "NAVD 88"},
        {"VERT_DATUM", line({{7, "* LOCAL TIDAL - "}}), "LOCAL T"},
        {"POS_SRC", kCurrentNad83, "ADJUSTED"},
        {"HEIGHT", line({{7, "* NAVD 88     - "}, {27, "   876.44 (meters)"}}), "   876.44"},
        {"HEIGHT_SRC", line({{7, "* NAVD 88     - "}, {68, "ADJUSTED"}}), "ADJUSTED"},
        {"STAMPING", line({{7, "_STAMPING: 2320 LEDGE 1939"}}), "2320 LEDGE 1939"},
        {"PROJECTION", line({{7, "_PROJECTION: RECESSED 3 CENTIMETERS"}}), "RECESSED 3 CENT"},
        {"ROD/PIPE-DEPTH", line({{7, "_ROD/PIPE-DEPTH: 3.5 meters"}}), "3.5 meters"},
        {"SLEEVE-DEPTH", line({{7, "_SLEEVE-DEPTH  : 1.2 meters"}}), "1.2 meters"},
        {"GPS_SUITABILITY", line({{7, "_SATELLITE: THE SITE LOCATION WAS REPORTED AS SUITABLE FOR"}}), "Y"},
        {"GPS_SUITABILITY", line({{7, "_SATELLITE: THE SITE LOCATION WAS REPORTED AS NOT SUITABLE"}}), "N"},
        {"GPS_SUITABILITY", line({{7, "+SATELLITE: SATELLITE OBSERVATIONS - 1990"}}), "|1990"},
        {"LAPLACE_CORR", line({{7, "  LAPLACE CORR- "}, {31, "-3.81 (seconds)"}}), "-3.81 "},
        {"SETTING", line({{7, "_SETTING: 49 = STEEL ROD"}}), "49"},
        {"SETTING", line({{7, "_SETTING: 7 = BEDROCK"}}), " 7"},
        {"SETTING", line({{7, "_SETTING: XX"}}), " 0"},
        {"MAGNETIC", line({{7, "_MAGNETIC: O = OTHER"}}), "O"},
        {"MARK_LOGO", line({{7, "_MARK LOGO: QGBX   "}}), "QGBX  "},
        {"U.S. NATIONAL GRID", line({{7, "_U.S. NATIONAL GRID SPATIAL ADDRESS: 14SBA8076609277(NAD 83)"}}),
         "14SBA8076609277(NAD 83)"},
        {"MONUMENTATION", line({{7, "_MARKER: DB = BENCH MARK DISK"}}), "DB"},
        {"STABILITY", line({{7, "_STABILITY: D = STABILITY UNKNOWN"}}), "D"},
        {"GEOID_HEIGHT", line({{7, "  GEOID HEIGHT- "}, {31, "-20.01"}, {68, "QGEOID04"}}), "-20.01"},
        {"GEOID_SRC", line({{7, "  GEOID HEIGHT- "}, {31, "-20.01"}, {68, "QGEOID04"}}), "QGEOID04"},
        {"ELLIP_HEIGHT", line({{7, "  ELLIP HEIGHT- "}, {29, "  856.43 (meters)"}}), "  856.43 "},
        {"DYNAMIC_HT", line({{7, "  DYNAMIC HT  - "}, {29, "  626.780  (meters)"}}), "  626.780"},
        {"MODELED_GRAV", line({{7, "  MODELED GRAV- "}, {27, "978,865.7    (mgal)"}}), "978,865.7"},
        {"HORZ_ORDER", line({{7, "  HORZ ORDER  -  THIRD"}}), "3"},
        {"SPC_MT", kSpc, "SPC KS E|  240,411.374|  322,520.006| MT| 0.99961802|+0 01 05.2"},
        {"SPC_SFT", line({{7, ";SPC KS E     - 1,347,981.526   496,394.492  sFT  1.00001380   -0 22 18.4"}}),
         "SPC KS E|1,347,981.526|  496,394.492|sFT| 1.00001380|-0 22 18.4"},
        {"SPC_IFT", line({{7, ";SPC KS E     - 1,347,981.526   496,394.492  iFT  1.00001380   -0 22 18.4"}}),
         "SPC KS E|1,347,981.526|  496,394.492|iFT| 1.00001380|-0 22 18.4"},
        {"SPC_COMBINED_FACTOR", line({{7, "!SPC KS E     -   0.99986558 x    0.99961802  =   0.99948365"}}),
         "SPC KS E| 0.99986558| 0.99961802| 0.99948365"},
        {"UTM_COMBINED_FACTOR", line({{7, "!UTM  14      -   0.99986558 x    1.00006575  =   0.99993132"}}),
         "UTM  14| 0.99986558| 1.00006575| 0.99993132"},
        {"EPOCH_DATE", line({{7, "  EPOCH DATE  - "}, {30, "2002.00"}}), "2002.00"},
        {"VERT_ORDER", line({{7, "  VERT ORDER  -  FIRST     CLASS II"}}), "1"},
        {"VERT_CLASS", line({{7, "  VERT ORDER  -  FIRST     CLASS II"}}), "2"},
        {"ELLP_SRC", line({{7, "  ELLIP HEIGHT- "}, {68, "GPS OBS"}}), "GPS OBS"},
        {"ELLP_ORDER", line({{7, "  ELLP ORDER  -  FOURTH    CLASS I"}}), "4"},
        {"ELLP_CLASS", line({{7, "  ELLP ORDER  -  FOURTH    CLASS I"}}), "1"},
        {"SPECIAL_STATUS", line({{7, ".This is a SPECIAL STATUS station."}}), "Y"},
        {"X", line({{7, "  X           - "}, {24, "-1,234,567.890"}}), "-1,234,567.890"},
        {"Y", line({{7, "  Y           - "}, {24, "-4,567,890.123"}}), "-4,567,890.123"},
        {"Z", line({{7, "  Z           - "}, {24, " 3,970,123.456"}}), " 3,970,123.456"},
        {"LATITUDE", kCurrentNad83, "38 47 48.99469"},
        {"LATITUDE_DIR", kCurrentNad83, "N"},
        {"LONGITUDE", kCurrentNad83, "098 12 30.87742"},
        {"LONGITUDE_DIR", kCurrentNad83, "W"},
        {"SUPER_LAT83", kSupersededNad83, "38 47 50.69606"},
        {"SUPER_LAT_DIR83", kSupersededNad83, "N"},
        {"SUPER_LON83", kSupersededNad83, "098 12 31.74075"},
        {"SUPER_LON_DIR83", kSupersededNad83, "W"},
        {"SUPER_LAT", kNad27, "38 47 51.00000"},
        {"SUPER_LAT_DIR", kNad27, "N"},
        {"SUPER_LON", kNad27, "098 12 29.00000"},
        {"SUPER_LON_DIR", kNad27, "W"},
        {"SUPER_HORZ_DATUM83", kSupersededNad83, "NAD 83"},
        {"SUPER_HORZ_DATUM", kNad27, "NAD 27"},
        {"SUPER_POS_SRC83", kSupersededNad83, "AD(       )"},
        {"SUPER_POS_SRC", kNad27, "AD(       )"},
        {"SUPER_POS_ORDER83", kSupersededNad83, "2"},
        {"SUPER_POS_ORDER", kNad27, "1"},
        {"SUPER_HEIGHT", line({{7, "  NGVD 29     - "}, {27, "  875.123"}, {64, "ADJUSTED"}, {76, "1 2"}}),
         "  875.123"},
        {"SUPER_HEIGHT_SRC", line({{7, "  LOCAL TIDAL - "}, {64, "ADJUSTED"}}), "ADJUSTED"},
        {"SUPER_HGT_ORDER", line({{7, "  NGVD 29     - "}, {76, "1 2"}}), "1"},
        {"SUPER_HGT_CLASS", line({{7, "  NGVD 29     - "}, {76, "1 2"}}), "2"},
        {"SUPER_VERT_DATUM", line({{7, "  NGVD 29     - "}}), "NGVD 29"},
        {"UTM", line({{7, ";UTM  14      - 4,311,551.913   754,669.346   MT  1.00006575   -0 19 08.9"}}),
         "UTM  14|4,311,551.913|  754,669.346| MT| 1.00006575|-0 19 08.9"},
        {"HORZ_NO_CHECK", line({{7, ".No horizontal observational check was made."}}), "N"},
        {"VERT_NO_CHECK", line({{7, ".No vertical observational check was made."}}), "N"},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(valueOf(c.item, c.line), c.value) << c.item << " from " << c.line;
}

TEST(LineMatcher, LinesOfOtherKindsLeaveItemsEmpty)
{
    // Near misses: a label one blank off, a current NAD 83 line for the
    // NAD 27 items, a superseded one for the current items.
    const RuleCase cases[] = {
        {"DESIGNATION", line({{7, " DESIGNATION  - WELL"}}), ""},
        {"SUPER_LAT", kCurrentNad83, ""},
        {"SUPER_LAT", kSupersededNad83, ""},
        {"SUPER_POS_SRC", kSupersededNad83, ""},
        {"LATITUDE", kSupersededNad83, ""},
        {"SUPER_LAT83", kCurrentNad83, ""},
        {"SPC_SFT", kSpc, ""},
        {"HORZ_ORDER", line({{7, "  HORZ ORDER  -  TENTH"}}), ""},
        {"STATE", line({{7, "  STATE/COUNTY-"}}), ""},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(valueOf(c.item, c.line), c.value) << c.item << " from " << c.line;
}

TEST(LineMatcher, SharedLinesGoOnToLaterEntries)
{
    const Settings settings = settingsFor({"HORZ_DATUM", "DATUM_TAG", "LATITUDE", "LATITUDE_DIR", "LONGITUDE",
                                           "LONGITUDE_DIR", "POS_SRC"});
    EXPECT_EQ(extract(settings, {kCurrentNad83}),
              (std::vector<std::string>{"NAD 83 ", "1992", "38 47 48.99469", "N", "098 12 30.87742", "W",
                                        "ADJUSTED"}));
    // A stop rule ends the line: the DESIGNATION line reaches no later entry.
    const std::string designation = line({{7, "  DESIGNATION - "}, {24, "  PID         - "}});
    EXPECT_EQ(extract(settingsFor({"DESIGNATION", "PID"}), {designation}),
              (std::vector<std::string>{"  PID         - ", ""}));
}

TEST(LineMatcher, CountryReplacesState)
{
    const std::string stateLine = line({{7, "  STATE/COUNTY- "}, {24, "KS/RENO"}});
    const auto state = [&](const std::string& country) {
        return extract(settingsFor({"STATE", "COUNTY"}), {stateLine, country});
    };
    EXPECT_EQ(state(line({{7, "  COUNTRY     - "}, {24, "UNITED STATES OF AMERICA"}})),
              (std::vector<std::string>{"US", "RENO"}));
    EXPECT_EQ(state(line({{7, "  COUNTRY     - "}, {24, "ATLANTIS"}})), (std::vector<std::string>{"", "RENO"}));
    // Trailing blanks belong to the searched text.
    EXPECT_EQ(state(line({{7, "  COUNTRY     - "}, {24, "GERMANY  "}})), (std::vector<std::string>{"", "RENO"}));
    // An empty country text matches no row (it used to match the first).
    EXPECT_EQ(state(line({{7, "  COUNTRY     - "}})), (std::vector<std::string>{"", "RENO"}));
}

TEST(LineMatcher, CollectorEarlierInTheTableTakesTheSharedLine)
{
    EXPECT_EQ(extract(settingsFor({"SUPER_NAD83_DATA", "SUPER_LAT83"}), {kSupersededNad83})[1], "");
    EXPECT_EQ(extract(settingsFor({"SUPER_LAT83", "SUPER_NAD83_DATA"}), {kSupersededNad83})[0], "38 47 50.69606");
    // GEOID_HEIGHT and GEOID_SRC share their line in either order.
    const std::string geoid = line({{7, "  GEOID HEIGHT- "}, {31, "-20.01"}, {68, "QGEOID04"}});
    EXPECT_EQ(extract(settingsFor({"GEOID_SRC", "GEOID_HEIGHT"}), {geoid}),
              (std::vector<std::string>{"QGEOID04", "-20.01"}));
}

TEST(LineMatcher, MorvaneKnowsNad27LinesByTheirLabel)
{
    // "(W)" at 60 on a line that is no NAD line at all: Kavro's test takes
    // it, Morvane's wants "  NAD" at 7.
    const std::string other = line({{7, "  OTHER"}, {21, "-"}, {24, "38 47 51.00000"}, {60, "(W)"}});
    const Settings settings = settingsFor({"SUPER_LAT"}, itempick::kMorvaneItems);
    EXPECT_EQ(extract(settings, {other}, itempick::kKavroItems)[0], "38 47 51.00000");
    EXPECT_EQ(extract(settings, {other}, itempick::kMorvaneItems)[0], "");
    EXPECT_EQ(extract(settings, {kNad27}, itempick::kMorvaneItems)[0], "38 47 51.00000");
    EXPECT_EQ(extract(settings, {kSupersededNad83}, itempick::kMorvaneItems)[0], "");
}

TEST(LineMatcher, OrdersFollowTheBuild)
{
    // FIFTH ellipsoid order: in Kavro's table, not in Morvane's.
    const std::string fifth = line({{7, "  ELLP ORDER  -  FIFTH     CLASS I"}});
    EXPECT_EQ(extract(settingsFor({"ELLP_ORDER"}), {fifth}, itempick::kKavroItems)[0], "5");
    EXPECT_EQ(extract(settingsFor({"ELLP_ORDER"}), {fifth}, itempick::kMorvaneItems)[0], "");
}

TEST(LineMatcher, ItemsOutsideTheTableCopyNothing)
{
    Settings settings;
    settings.items = {{"SUPER_LAT", 0}};
    EXPECT_EQ(extract(settings, {kNad27})[0], "");
}

TEST(LineMatcher, TheSelectionEndsAtItsFirstFreeEntry)
{
    Settings settings = settingsFor({"PID", "", "DESIGNATION"});
    settings.items[1] = {"", 0};
    EXPECT_EQ(Extractor(itempick::kKavroItems, settings).entries().size(), 1u);
    settings.items.assign(150, {"PID", 6});
    EXPECT_EQ(Extractor(itempick::kKavroItems, settings).entries().size(), 100u);
}

TEST(LineMatcher, CopiesEndWithTheLine)
{
    // The value holds what the line has, no more.
    EXPECT_EQ(valueOf("DESIGNATION", line({{7, "  DESIGNATION - "}, {24, "AB"}})), "AB");
    EXPECT_EQ(valueOf("POS_SRC", " MX4260* NAD 83(1992)-  38 47 48.99469(N)"), "");
    // A long line is read whole: characters past 149 are there to copy.
    std::string longLine = line({{7, "  DESIGNATION - "}, {24, std::string(300, 'W')}});
    EXPECT_EQ(valueOf("DESIGNATION", longLine), std::string(35, 'W'));
}

} // namespace
