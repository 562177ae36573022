#pragma once
// The collectors of multi-line items: each cuts one datasheet line into its
// item's fields, formats them into one output line and adds it to the
// entry's list. A LAST list keeps one line, the last collected.
#include <string>
#include <string_view>
#include <vector>

#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"

namespace itempick {

using LineList = std::vector<std::string>;

struct CollectContext {
    const Build& build;
    const Settings& settings;
};

// History lines ("  HISTORY     - " at 7); the column title line (holding
// "Condition") adds nothing. `name` decides LAST (one line) or ALL.
void CollectHistory(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines);
void CollectRecDate(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines);
void CollectRecCond(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines);
void CollectRecAgency(const CollectContext& context, std::string_view line, std::string_view name,
                      LineList& lines);
// What a multi-line item that writes inside the record (a LAST or SUPER_
// item) stands for when the station has no line of it: one empty field for
// each column of its header, in its collector's layout (fixed fields at
// their widths). Empty for the items headed by one column.
std::string EmptyCollectedLine(const CollectContext& context, std::string_view name);

// Box-score lines ("| " at 7) of a reference mark (APPROX or METERS).
void CollectBoxScore(const CollectContext& context, std::string_view line, LineList& lines);
// Superseded positions.
void CollectSuperNad83(const CollectContext& context, std::string_view line, LineList& lines);
void CollectSuperNad27(const CollectContext& context, std::string_view line, LineList& lines);
// Superseded heights (always the fixed layouts).
void CollectEllipHeight(const CollectContext& context, std::string_view line, LineList& lines);
void CollectEllipDated(const CollectContext& context, std::string_view line, LineList& lines);
void CollectNgvd29(const CollectContext& context, std::string_view line, LineList& lines);
void CollectNgvd29Dated(const CollectContext& context, std::string_view line, LineList& lines);
void CollectNavd88(const CollectContext& context, std::string_view line, LineList& lines);
// Description and recovery text: text lines, title lines and the line
// after each title, from index 8, at most 80 characters; with Single Line
// Only a title line begins with the description delimiter instead.
void CollectRecoveryText(const CollectContext& context, std::string_view line, LineList& lines);

} // namespace itempick
