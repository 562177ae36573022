#include "itempick/core/available_items.h"

#include <algorithm>

namespace itempick {

namespace {

// The 72 rows in Kavro's order; Morvane's build swaps rows 25-27.
constexpr AvailableItem kCurrent[kCurrentRows] = {
    {"DESIGNATION", 35},
    {"PID", 6},
    {"STATE", 2},
    {"COUNTY", 25},
    {"USGS_QUAD", 45},
    {kSeparator, 20},
    {"HORZ_DATUM", 7},
    {"DATUM_TAG", 4},
    {"LATITUDE", 14},
    {"LATITUDE_DIR", 1},
    {"LONGITUDE", 15},
    {"LONGITUDE_DIR", 1},
    {"POS_SRC", 10},
    {"HORZ_ORDER", 1},
    {"EPOCH_DATE", 7},
    {"SPECIAL_STATUS", 1},
    {"HORZ_NO_CHECK", 1},
    {kSeparator, 20},
    {"X", 14},
    {"Y", 14},
    {"Z", 14},
    {"ELLIP_HEIGHT", 9},
    {"ELLP_ORDER", 1},
    {"ELLP_CLASS", 1},
    {"ELLP_SRC", 10},
    {"GEOID_HEIGHT", 6},
    {"GEOID_SRC", 10},
    {"MODELED_GRAV", 9},
    {"GPS_SUITABILITY", 10},
    {"LAPLACE_CORR", 6},
    {kSeparator, 20},
    {"VERT_DATUM", 7},
    {"HEIGHT", 9},
    {"HEIGHT_SRC", 10},
    {"VERT_ORDER", 1},
    {"VERT_CLASS", 1},
    {"VERT_NO_CHECK", 1},
    {"DYNAMIC_HT", 9},
    {kSeparator, 20},
    {"SPC_MT", 65},
    {"SPC_SFT", 65},
    {"SPC_IFT", 65},
    {"UTM", 70},
    {"SPC_COMBINED_FACTOR", 46},
    {"UTM_COMBINED_FACTOR", 46},
    {kSeparator, 20},
    {"SUPER_NAD83_DATA", 100},
    {"SUPER_1927_DATA", 100},
    {"SUPER_ELLIP_DATA", 100},
    {"SUPER_NAVD88_DATA", 100},
    {"SUPER_NGVD29_DATA", 100},
    {kSeparator, 20},
    {"U.S. NATIONAL GRID", 23},
    {"STAMPING", 50},
    {"MONUMENTATION", 2},
    {"SETTING", 2},
    {"PROJECTION", 15},
    {"ROD/PIPE-DEPTH", 13},
    {"SLEEVE-DEPTH", 13},
    {"MAGNETIC", 1},
    {"MARK_LOGO", 6},
    {"STABILITY", 1},
    {"LAST HISTORY", 30},
    {"LAST REC_DATE", 8},
    {"LAST REC_COND", 16},
    {"LAST REC_AGENCY", 6},
    {"ALL HISTORY", 30},
    {"ALL REC_DATE", 8},
    {"ALL REC_COND", 16},
    {"ALL REC_AGENCY", 6},
    {"BOX_SCORE", 68},
    {"RECOVERY TEXT", 80},
};

constexpr AvailableItem kObsolete[kObsoleteRows] = {
    {"SUPER_HORZ_DATUM83", 6},
    {"SUPER_LAT83", 14},
    {"SUPER_LAT_DIR83", 1},
    {"SUPER_LON83", 15},
    {"SUPER_LON_DIR83", 1},
    {"SUPER_POS_SRC83", 11},
    {"SUPER_POS_ORDER83", 1},
    {kSeparator, 20},
    {"SUPER_HORZ_DATUM", 6},
    {"SUPER_LAT", 14},
    {"SUPER_LAT_DIR", 1},
    {"SUPER_LON", 15},
    {"SUPER_LON_DIR", 1},
    {"SUPER_POS_SRC", 11},
    {"SUPER_POS_ORDER", 1},
    {kSeparator, 20},
    {"SUPER_VERT_DATUM", 7},
    {"SUPER_HEIGHT", 9},
    {"SUPER_HEIGHT_SRC", 8},
    {"SUPER_HGT_ORDER", 1},
    {"SUPER_HGT_CLASS", 1},
};

// The obsolete rows go in after row 51 (SUPER_NGVD29_DATA).
constexpr std::size_t kObsoleteAfter = 51;

// The conflicting names, as LAST/ALL pairs in check order.
constexpr std::string_view kPairs[4][2] = {
    {"LAST HISTORY", "ALL HISTORY"},
    {"LAST REC_DATE", "ALL REC_DATE"},
    {"LAST REC_COND", "ALL REC_COND"},
    {"LAST REC_AGENCY", "ALL REC_AGENCY"},
};

} // namespace

const std::array<std::string_view, 4> kConflictTexts = {
    "Cannot Select both 'LAST HISTORY' and 'ALL HISTORY' \nat the same time",
    "Cannot Select both 'LAST REC_DATE' and 'ALL REC_DATE' \nat the same time",
    "Cannot Select both 'LAST REC_COND' and 'ALL REC_COND' \nat the same time",
    "Cannot Select both 'LAST REC_AGENCY' and 'ALL REC_AGENCY' \nat the same time",
};

AvailableTable::AvailableTable(const Build& build, bool includeObsolete)
{
    rows_.reserve(kCurrentRows + kObsoleteRows);
    for (std::size_t i = 0; i < kCurrentRows; ++i) {
        if (i == kObsoleteAfter && includeObsolete)
            rows_.insert(rows_.end(), std::begin(kObsolete), std::end(kObsolete));
        rows_.push_back(kCurrent[i]);
    }
    if (build.geoidRowsFirst) {
        // Rows 25, 26, 27 (indexes 24-26): ELLP_SRC moves behind the two GEOID rows.
        std::rotate(rows_.begin() + 24, rows_.begin() + 25, rows_.begin() + 27);
    }
}

int AvailableTable::ItemLookup(std::string_view name) const
{
    if (name.empty())
        return -1;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == name)
            return static_cast<int>(i);
    return -1;
}

int AvailableTable::ItemKnown(std::string_view name) const
{
    return ItemLookup(name) >= 0 ? 1 : 0;
}

int AvailableTable::ItemWidth(std::string_view name) const
{
    const int row = ItemLookup(name);
    return row < 0 ? 0 : rows_[static_cast<std::size_t>(row)].width;
}

void Selection::ClearSelection()
{
    names_.clear();
    selectOK_ = 1;
}

std::uint8_t Selection::AddSelection(std::string_view name, platform::NoticeSink& notices)
{
    // An empty name fills no entry: the entry it would take stays free.
    if (!name.empty() && names_.size() < kTableRows)
        names_.emplace_back(name);
    for (std::size_t pair = 0; pair < 4; ++pair) {
        const bool last = std::find(names_.begin(), names_.end(), kPairs[pair][0]) != names_.end();
        const bool all = std::find(names_.begin(), names_.end(), kPairs[pair][1]) != names_.end();
        if (last && all) {
            notices.notice(kConflictCaption, kConflictTexts[pair]);
            selectOK_ = 0;
        }
    }
    return selectOK_;
}

std::vector<ItemChoice> Selection::choices(const AvailableTable& table) const
{
    std::vector<ItemChoice> result;
    result.reserve(names_.size());
    for (const std::string& name : names_)
        result.push_back(table.choice(name));
    return result;
}

} // namespace itempick
