#pragma once
// The item selection form's choices, and the file "ds_parm2.txt" in the
// current directory that keeps them between runs. Kavro and Morvane read
// and write the same file; Morvane's build writes no WANTS OLD line and
// ignores one when reading.
//
// The file: one setting a line, CR LF line ends, a 12-character key and the
// value from the 13th character, in this order:
//   SELECT    = <item name>          one line per Selected item, in order
//   WEST LONG = + | -                with Decimal Degree,
//   POS FORMAT= DEC-DEG              these three
//   DEC PLACES= <decimals line>
//   POS FORMAT= STANDARD             with Standard, this one
//   HEADER    = YES | NO
//   FIX WIDTH = YES | NO
//   SINGLE LN = YES | NO
//   WANTS OLD = YES | NO             Kavro only
//   FLD DELIM = <box text>           the three delimiter boxes' texts as
//   DES DELIM = <box text>           shown ("|", "tab", "NONE", or what
//   LIN DELIM = <box text>           the user typed), 79 characters at most
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "itempick/core/item_build.h"
#include "platform/notices.h"

namespace itempick {

inline constexpr const char* kStateFileName = "ds_parm2.txt";

// The lines of the decimals list: "10 decimals" ... "0 decimals", and a
// single blank.
const std::vector<std::string>& decimalsItems();
// The lines of the three delimiter boxes.
const std::vector<std::string>& delimiterItems();

// What the form's controls hold, apart from the Available list (which
// follows from `selected` and `wantsObsolete`).
struct FormChoices {
    std::vector<std::string> selected; // the Selected list, in output order
    int posFormat = 0;                 // 0 "Standard", 1 "Decimal Degree"
    int westSign = 0;                  // 0 "West = +", 1 "West = -"
    int decimals = 0;                  // line of decimalsItems()
    bool header = false;
    bool fixedField = false;
    bool singleLine = false;
    bool wantsObsolete = false;
    std::string fieldDelim = "|";
    std::string descDelim = "NONE";
    std::string lineDelim = "~";
    bool operator==(const FormChoices&) const = default;
};

// How many rows of the available table carry a name: among the 72 rows of
// current items, and among the 21 obsolete rows. Most names have one row;
// the separator line has several.
struct ItemRows {
    std::function<int(std::string_view name)> current;
    std::function<int(std::string_view name)> obsolete;
};

// The state file of a directory: "ds_parm2.txt", or the first entry that
// equals it whatever its case. Empty when there is none.
std::string findStateFile(const std::string& directory);

// Reads the state file into `choices`, which start from the reader's
// neutral state (nothing selected, Standard, "West = +", the three checks
// off, "|"; the decimals and the Desc and Line delimiters as they were).
// Returns 0 when it was read; 1 when it cannot be read or names an item
// that is in neither table (the file is then obsolete and `choices` mean
// nothing). Lines are taken whole, the last one also without a line end.
// The names are checked once the whole file is read: an empty name is
// passed over, a name is taken as often as rows carry it (once, but the
// separator line as often as it was saved, up to its rows), and a name
// that needs an obsolete row turns Include Obsolete Elements on.
int ReadSelectState(const std::string& path, const Build& build, const ItemRows& rows,
                    FormChoices& choices);

// The lines the file holds for these choices.
std::vector<std::string> stateFileLines(const FormChoices& choices, const Build& build);

// Writes "ds_parm2.txt" into the directory through a temporary file and a
// rename, then shows "Settings Saved"; when it cannot be written, the
// notice "Cannot save at the current location" and the old file stays.
// A state file that is another name of the data file in use is refused
// with a notice, and nothing is written.
bool SaveSelectState(const std::string& directory, const FormChoices& choices, const Build& build,
                     platform::NoticeSink& notices);

// The notice of a state file found obsolete, with the build's version.
std::string obsoleteNotice(const Build& build);

} // namespace itempick
