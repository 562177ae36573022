// The available table of each build, the delimiter rule of OK and the
// selection table with its LAST/ALL conflicts.
#include <gtest/gtest.h>

#include "itempick/core/available_items.h"
#include "itempick/core/item_settings.h"

namespace {

using itempick::AvailableTable;
using itempick::kKavroItems;
using itempick::kMorvaneItems;

TEST(AvailableTable, HasTheRowsOfEachBuildInOrder)
{
    const AvailableTable kavro(kKavroItems, false);
    const AvailableTable morvane(kMorvaneItems, false);
    ASSERT_EQ(kavro.size(), 72);
    ASSERT_EQ(morvane.size(), 72);
    EXPECT_EQ(kavro.rows().front(), (itempick::AvailableItem{"DESIGNATION", 35}));
    EXPECT_EQ(kavro.rows().back(), (itempick::AvailableItem{"RECOVERY TEXT", 80}));
    // Rows 25-27.
    EXPECT_EQ(kavro.rows()[24].name, "ELLP_SRC");
    EXPECT_EQ(kavro.rows()[25].name, "GEOID_HEIGHT");
    EXPECT_EQ(kavro.rows()[26].name, "GEOID_SRC");
    EXPECT_EQ(morvane.rows()[24], (itempick::AvailableItem{"GEOID_HEIGHT", 6}));
    EXPECT_EQ(morvane.rows()[25], (itempick::AvailableItem{"GEOID_SRC", 10}));
    EXPECT_EQ(morvane.rows()[26], (itempick::AvailableItem{"ELLP_SRC", 10}));
    for (int i = 0; i < 72; ++i)
        if (i < 24 || i > 26) {
            EXPECT_EQ(kavro.rows()[i], morvane.rows()[i]) << i;
        }
}

TEST(AvailableTable, ObsoleteRowsGoInAfterSuperNgvd29)
{
    const AvailableTable table(kKavroItems, true);
    ASSERT_EQ(table.size(), 93);
    EXPECT_EQ(table.rows()[50].name, "SUPER_NGVD29_DATA");
    EXPECT_EQ(table.rows()[51], (itempick::AvailableItem{"SUPER_HORZ_DATUM83", 6}));
    EXPECT_EQ(table.rows()[71], (itempick::AvailableItem{"SUPER_HGT_CLASS", 1}));
    EXPECT_EQ(table.rows()[72].name, itempick::kSeparator);
    EXPECT_EQ(table.rows()[92].name, "RECOVERY TEXT");
    EXPECT_EQ(table.ItemWidth("SUPER_HEIGHT_SRC"), 8);
}

TEST(AvailableTable, LooksNamesUpExactly)
{
    const AvailableTable current(kKavroItems, false);
    EXPECT_EQ(current.ItemKnown("PID"), 1);
    EXPECT_EQ(current.ItemKnown("pid"), 0);
    EXPECT_EQ(current.ItemKnown("PID "), 0);
    EXPECT_EQ(current.ItemKnown(""), 0);
    EXPECT_EQ(current.ItemKnown("SUPER_LAT"), 0); // obsolete rows left out
    EXPECT_EQ(current.ItemLookup("STATE"), 2);
    EXPECT_EQ(current.ItemLookup(itempick::kSeparator), 5); // the first separator
    EXPECT_EQ(current.ItemLookup("NOPE"), -1);
    EXPECT_EQ(current.ItemWidth("GPS_SUITABILITY"), 10);
    EXPECT_EQ(current.ItemWidth(itempick::kSeparator), 20);
    EXPECT_EQ(current.ItemWidth("SUPER_LAT"), 0);
    EXPECT_EQ(current.choice("UTM"), (itempick::ItemChoice{"UTM", 70}));
}

TEST(DelimiterRule, OnlyTheFirstCharacterCounts)
{
    const struct {
        const char* text;
        char delimiter;
    } cases[] = {
        {"|", '|'}, {",", ','}, {":", ':'}, {";", ';'}, {"tab", '\t'}, {"^", '^'}, {"~", '~'},
        {"NONE", ' '}, {"", ' '}, {"x", 'x'}, {"Tab", 'T'}, {"n", 'n'}, {"Nothing", ' '}, {"#;", '#'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(itempick::DelimiterFromText(c.text), c.delimiter) << c.text;
}

TEST(Selection, ReportsEachConflictAfterEveryLaterEntry)
{
    platform::RecordingNotices notices;
    itempick::Selection selection;
    selection.ClearSelection();
    EXPECT_EQ(selection.AddSelection("LAST HISTORY", notices), 1);
    EXPECT_EQ(selection.AddSelection("ALL HISTORY", notices), 0);
    EXPECT_EQ(selection.AddSelection("PID", notices), 0);
    ASSERT_EQ(notices.recorded().size(), 2u);
    for (const auto& notice : notices.recorded()) {
        EXPECT_EQ(notice.caption, "ITEMPICK ERROR");
        EXPECT_EQ(notice.text, "Cannot Select both 'LAST HISTORY' and 'ALL HISTORY' \nat the same time");
    }
    // A fresh OK starts again from 1.
    selection.ClearSelection();
    EXPECT_EQ(selection.AddSelection("PID", notices), 1);
}

TEST(Selection, ChecksTheFourPairsInOrder)
{
    platform::RecordingNotices notices;
    itempick::Selection selection;
    for (const char* name : {"ALL REC_AGENCY", "ALL REC_COND", "ALL REC_DATE", "LAST REC_AGENCY",
                             "LAST REC_COND", "LAST REC_DATE", "LAST HISTORY"})
        selection.AddSelection(name, notices);
    EXPECT_EQ(selection.AddSelection("ALL HISTORY", notices), 0);
    std::vector<std::string> last;
    for (std::size_t i = notices.recorded().size() - 4; i < notices.recorded().size(); ++i)
        last.push_back(notices.recorded()[i].text);
    EXPECT_EQ(last, (std::vector<std::string>(itempick::kConflictTexts.begin(), itempick::kConflictTexts.end())));
}

TEST(Selection, OneEntryPerSelectedLineWithItsWidth)
{
    // Two separators are two entries; an empty name takes none.
    platform::RecordingNotices notices;
    itempick::Selection selection;
    for (std::string_view name : {std::string_view("PID"), itempick::kSeparator, std::string_view("STATE"),
                                  itempick::kSeparator, std::string_view(""), std::string_view("SUPER_LAT")})
        selection.AddSelection(name, notices);
    const std::string separator(itempick::kSeparator);
    EXPECT_EQ(selection.names(), (std::vector<std::string>{"PID", separator, "STATE", separator, "SUPER_LAT"}));
    const AvailableTable current(kKavroItems, false);
    EXPECT_EQ(selection.choices(current), (std::vector<itempick::ItemChoice>{
                                              {"PID", 6}, {separator, 20}, {"STATE", 2}, {separator, 20}, {"SUPER_LAT", 0}}));
    EXPECT_TRUE(notices.recorded().empty());
}

} // namespace
