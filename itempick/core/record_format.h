#pragma once
// The pieces ITEMPICK output is made of: fields cut from datasheet lines,
// values fitted to item widths, the header texts, and the two writers of
// collected lines.
#include <span>
#include <string>
#include <string_view>

#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"

namespace itempick {

// Widths the writers fit to: PID, and every collected line (the width of
// SUPER_NAD83_DATA).
inline constexpr int kPidWidth = 6;
inline constexpr int kCollectedLineWidth = 100;

// TFSelect::CutLineEnd: the line up to its first CR or LF.
std::string_view CutLineEnd(std::string_view line);

// TFSelect::TrimTrailing: removes trailing blanks, NULs and ASCII control
// characters. Bytes of 128 and above are text and stay.
void TrimTrailing(std::string& text);

// `count` characters of the line from `at`; fewer when the line ends
// sooner, none when it ends before `at`.
std::string_view Field(std::string_view line, std::size_t at, std::size_t count);
// The same, trimmed by TrimTrailing.
std::string TrimmedField(std::string_view line, std::size_t at, std::size_t count);

// printf's "%-W.Ws": cut to `width`, blank-padded to it.
void AppendFixed(std::string& out, std::string_view text, std::size_t width);

// One field of an output line and its width in the fixed layout.
struct FieldPart {
    std::string_view text;
    std::size_t width;
};

// The fields joined by the delimiter: fixed, each as "%-W.Ws"; otherwise
// as they are.
std::string JoinFields(char delimiter, std::span<const FieldPart> parts, bool fixed);

// TFSelect::PadItem with the item's width: the value cut to the width and,
// with Fixed Field, blank-padded to exactly that width (empty for a width
// below 1).
std::string PadItem(std::string_view value, int width, bool fixedField);

// The header text of one selected item: its name (with Fixed Field cut and
// padded to its width), or the fixed text of the builder the name begins
// with. Kavro's record writer and Morvane's header writer (`morvaneHeader`:
// the REC_DATE, REC_COND and REC_AGENCY items keep their names) differ.
std::string HeaderText(const Build& build, const Settings& settings, const ItemChoice& item, bool morvaneHeader);

// The header builders, by the Fixed Field and Single Line Only options.
std::string GpsSuitHeader(const Settings& settings);
std::string PlaneCoordHeader(const Settings& settings);
std::string CombFactorHeader(const Settings& settings);
std::string SuperNad83Header(const Build& build, const Settings& settings);
std::string SuperNad27Header(const Build& build, const Settings& settings);
std::string RecoveryTextHeader(const Settings& settings);
// `name` is the item's name; a LAST form is headed by the texts of its
// fields alone, since its record holds no PID.
std::string HistoryHeader(const Build& build, const Settings& settings, std::string_view name);
std::string BoxScoreHeader(const Settings& settings);

// TFSelect::WriteRecLine (REC_DATE, REC_COND, REC_AGENCY): the line cut to
// the item's width and trimmed; with Single Line Only followed by the line
// delimiter (ALL) or the field delimiter (LAST); otherwise a LAST item's
// line and the field delimiter, an ALL item's line as a separate line "PID,
// field delimiter, line" ended by CR LF.
void WriteRecLine(std::string& out, const Settings& settings, std::string_view pid, const ItemChoice& item,
                  std::string_view line);
// TFSelect::WriteListLine (every other multi-line item): the line cut to
// 100 characters and trimmed; with Single Line Only followed by the line
// delimiter; otherwise a LAST or SUPER_ item's line and the field
// delimiter, any other item's line as a separate line.
void WriteListLine(std::string& out, const Settings& settings, std::string_view pid, std::string_view name,
                   std::string_view line);
// The field of a LAST or SUPER_ item without a collected line: `fields`
// (EmptyCollectedLine) as they are, or for an item of one column an empty
// value fitted to the item's width; then the delimiter WriteRecLine
// (`recLine`) or WriteListLine would put after a line. Not trimmed, so that
// a blank or TAB delimiter stays.
void WriteEmptyLine(std::string& out, const Settings& settings, const ItemChoice& item, bool recLine,
                    std::string_view fields);
// With Fixed Field, a collected line of a LAST or SUPER_ item, which
// stands inside the record: cut and blank-padded to `width`, its column's,
// and not trimmed, so that the columns after it start where they do in a
// record without the item's line; then the delimiter WriteEmptyLine puts.
void WriteColumnLine(std::string& out, const Settings& settings, const ItemChoice& item, bool recLine,
                     std::string_view line, std::size_t width);
// TFSelect::WriteItemValue: the value, with Fixed Field fitted to the width.
void WriteItemValue(std::string& out, const Settings& settings, const ItemChoice& item, std::string_view value);

} // namespace itempick
