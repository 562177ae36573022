#pragma once
// The datasheet line matcher: for one line of a station's datasheet, which
// selected items take it and what they take. Single values go into the
// entry's value; multi-line items append one formatted line to the entry's
// list of their kind.
//
// Each entry's rules are resolved once, when the extractor is made; a line
// is then tested only against the rules its entries can use.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "itempick/core/available_items.h"
#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"

namespace itempick {

// How the record writer writes an entry's field.
enum class FieldKind : std::uint8_t {
    Value,      // WriteItemValue
    GpsSuit,    // its value, or the empty two-field form
    PlaneCoords,    // its value, or the six-field form with every field empty
    CombinedFactor, // its value, or the four-field form with every field empty
    ListLines,  // WriteListLine for each collected line
    RecLines,   // WriteRecLine for each collected line
};

// One entry of the selection table with what was resolved for it.
struct ResolvedEntry {
    std::string name;
    int width = 0;
    FieldKind field = FieldKind::Value;
    LineKind kind = LineKind::BoxScore; // for ListLines, RecLines and the history rule
    bool last = false;                  // a LAST form: one line, the last collected
    // Kavro's record writer puts the field delimiter after the item unless
    // its name holds "ALL ", "LAST " or "_DATA".
    bool delimiterAfter = true;
    // Morvane's: unless it holds "ALL " or "LAST ".
    bool morvaneDelimiterAfter = true;
    // A LAST or SUPER_ item: its lines stand inside the record, and a
    // station without one writes the item's empty fields.
    bool inRecord = false;
    // With Fixed Field, the width each line of an item inside the record
    // takes: that of its empty fields (EmptyCollectedLine), or for an item
    // of one column the item's width. 0 otherwise.
    std::size_t fixedColumn = 0;
    std::vector<std::uint8_t> rules; // rule numbers, in table order
};

// What the extraction gathers for one station: per entry its value and its
// collected lines (one list per entry; the kind is the entry's).
struct StationData {
    std::vector<std::string> values;
    std::vector<std::vector<std::string>> lines;
    // GPS_SUITABILITY: 1 when a date line made the value, which then holds
    // both its fields; 0 while it is the letter alone (or nothing).
    std::vector<std::uint8_t> dated;

    void reset(std::size_t entries);
};

// Reads the line after the current one (rule 82: the line after a recovery
// text title). False at the end of the input.
using NextLine = std::function<bool(std::string& line)>;

class Extractor {
public:
    Extractor(const Build& build, const Settings& settings);

    const std::vector<ResolvedEntry>& entries() const { return entries_; }
    const Build& build() const { return build_; }
    const Settings& settings() const { return settings_; }

    // TFSelect::ExtractLineItems. `line` is cut at its first CR or LF.
    void ExtractLineItems(std::string_view line, const NextLine& next, StationData& data) const;

    // TFSelect::PadItem with a width: the value cut to it, and with Fixed
    // Field blank-padded to exactly that width (empty for a width below 1).
    std::string PadItem(std::string_view value, int width) const;

private:
    // One (entry, rule) pair to try; pairs stand in entry order, each
    // entry's rules in table order.
    struct Candidate {
        std::uint16_t entry;
        std::uint8_t rule;
    };

    const Build& build_;
    const Settings& settings_;
    std::vector<ResolvedEntry> entries_;
    // By the character at index 7 (0 for a line that ends sooner), the
    // pairs whose rule can hold for such a line: most lines meet few.
    std::array<std::vector<Candidate>, 256> candidates_;
};

} // namespace itempick
