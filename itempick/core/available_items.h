#pragma once
// The available-item table (every item name that can be chosen, with its
// output width) and the selection table that OK fills from the Selected
// list, with its LAST/ALL conflict check.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"
#include "platform/notices.h"

namespace itempick {

// Rows of a table of 100; the rows after the last filled one are free.
inline constexpr std::size_t kTableRows = 100;
inline constexpr std::size_t kCurrentRows = 72;  // without the obsolete items
inline constexpr std::size_t kObsoleteRows = 21; // inserted after SUPER_NGVD29_DATA
// Separator rows are items like any other, of width 20.
inline constexpr std::string_view kSeparator = "------------------";

struct AvailableItem {
    std::string_view name;
    int width;
    bool operator==(const AvailableItem&) const = default;
};

class AvailableTable {
public:
    // BuildAvailable: the 72 rows of the build, or 93 with the obsolete rows.
    AvailableTable(const Build& build, bool includeObsolete);

    // The filled rows in order: row i is line i of the Available list.
    const std::vector<AvailableItem>& rows() const { return rows_; }
    int size() const { return static_cast<int>(rows_.size()); }

    // 1 when the name equals a row's name exactly (case-sensitive), else 0.
    // An empty name is no item (the free rows' empty names are not names).
    int ItemKnown(std::string_view name) const;
    // Index of the first row with the name, or -1 (also for an empty name).
    int ItemLookup(std::string_view name) const;
    // The row's width, 0 when the name is not in the table.
    int ItemWidth(std::string_view name) const;

    // The name with the width it has in this table.
    ItemChoice choice(std::string_view name) const { return {std::string(name), ItemWidth(name)}; }

private:
    std::vector<AvailableItem> rows_;
};

// The kinds of multi-line data, in the order of their line counters.
enum class LineKind : std::uint8_t {
    BoxScore,
    History,
    RecoveryText,
    RecDate,
    RecCond,
    RecAgency,
    SuperNad83,
    SuperNad27,
    SuperEllip,
    SuperNgvd29,
    SuperNavd88,
};
inline constexpr std::size_t kLineKinds = 11;

// The selection table that OK fills, one AddSelection per Selected line.
class Selection {
public:
    // ClearSelection: no entries; SelectOK back to 1 (OK sets it so first).
    void ClearSelection();

    // Adds the name as the next entry (unless it is empty or the table
    // holds 100 entries): one entry per Selected line, so two separators
    // are two entries. Then
    // checks the whole table for the four LAST/ALL pairs, in the order
    // HISTORY, REC_DATE, REC_COND, REC_AGENCY; each pair present shows its
    // "Cannot Select both ..." box (caption "ITEMPICK ERROR") and clears
    // SelectOK, which stays 0 until the next ClearSelection. Returns
    // SelectOK.
    std::uint8_t AddSelection(std::string_view name, platform::NoticeSink& notices);

    std::uint8_t selectOK() const { return selectOK_; }
    const std::vector<std::string>& names() const { return names_; }
    // The entries with their widths in the table, for the Settings.
    std::vector<ItemChoice> choices(const AvailableTable& table) const;

private:
    std::vector<std::string> names_;
    std::uint8_t selectOK_ = 1;
};

// The four conflict texts, in check order.
extern const std::array<std::string_view, 4> kConflictTexts;
inline constexpr std::string_view kConflictCaption = "ITEMPICK ERROR";

} // namespace itempick
