#pragma once
// What differs between Kavro's and Morvane's builds of the item selection
// form and the item extraction. One value per program; every routine reads
// the differences from it instead of being copied.
#include <string_view>

#include "datasheet/profile.h"

namespace itempick {

struct Build {
    // The program: name, version, and the order and class tables its parsers use.
    const ds::Profile* profile;
    // The form's caption: "FSelect" (Kavro) or "Itempick" (Morvane).
    std::string_view caption;
    // Rows 25 to 27 of the available table: Kavro ELLP_SRC, GEOID_HEIGHT,
    // GEOID_SRC; Morvane GEOID_HEIGHT, GEOID_SRC, ELLP_SRC.
    bool geoidRowsFirst;
    // Header texts: Morvane's history header without Fixed Field has
    // "CONDITION" without the five blanks of the 14-character column ...
    bool shortConditionHeader;
    // ... and its Fixed Field SUPER_ headers begin "SUPDtm" (Kavro "SDtm").
    std::string_view superDatumHeader;
    // Morvane's history collectors take their fields untrimmed, always in
    // the fixed layouts, REC_COND with 16 characters, and know LAST HISTORY
    // by the name beginning "LAST".
    bool rawHistory;
    // Morvane's box-score collector takes its fields untrimmed, does not
    // shorten the APPROX distance and has no delimited layout (a
    // 4-character distance without Fixed Field).
    bool rawBoxScore;
    // Morvane's NAD 27 items take a line that begins "  NAD" at 7 and is
    // not a "  NAD 83" line; Kavro's take one without "NAD 83" at 9.
    bool nad27ByNadLabel;
    // The state file ds_parm2.txt: the WANTS OLD line is written and read
    // (Kavro only). Its lines are read whole in both builds.
    bool stateFileWantsOld;
    // The Desc and Line delimiter boxes follow Single Line Only (Kavro);
    // Morvane's resource keeps them hidden.
    bool delimiterBoxesShown;

    std::string_view version() const { return profile->version; }
    bool isMorvane() const { return profile->program == ds::Program::Morvane; }
};

inline constexpr Build kKavroItems{&ds::kKavro, "FSelect", false, false, "SDtm", false, false, false, true, true};
inline constexpr Build kMorvaneItems{&ds::kMorvane, "Itempick", true, true, "SUPDtm", true, true, true, false, false};

} // namespace itempick
