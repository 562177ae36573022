#pragma once
// The index files that send each station of a datasheet file to a numbered
// output: DSQUAD.INX (by USGS quad), DSCOUNTY.INX (by state/county or
// country) and DSAREA.INX (by latitude/longitude area).
//
// An entry is a line longer than 2 characters that holds a '|'; other lines
// are remarks. Quad and county entries: '|', three digits NNN, '|', the name
// (compared on its first 40 characters, exactly). Area entries: '|', NNN,
// '|', minimum and maximum latitude DDMMSS, minimum and maximum longitude
// DDDMMSS (west positive), blank-separated, then '|' and a name that is not
// used. A station goes to dsdata.NNN.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_reader.h"
#include "platform/progress.h"

namespace morvane {

enum class IndexKind { Quad, County, Area };

// "QUAD", "COUNTY", "AREA"; false for any other kind.
bool indexKindOf(std::string_view kind, IndexKind& out);
// "DSQUAD.INX", "DSCOUNTY.INX", "DSAREA.INX".
std::string indexName(IndexKind kind);

bool isIndexEntry(std::string_view line);
// The shape an entry of the kind must have.
bool entryHasShape(std::string_view line, IndexKind kind);
// The number (from 1) of the first entry that lacks its shape; 0 when all have it.
std::size_t firstBadEntry(const std::vector<std::string>& lines, IndexKind kind);

// The key-line labels, at index 7; the key is the (up to) 40 characters from index 24.
inline constexpr std::string_view kQuadLabel = "  USGS QUAD   -  ";
inline constexpr std::string_view kCountyLabel = "  STATE/COUNTY-  ";
inline constexpr std::string_view kCountryLabel = "  COUNTRY     -  ";
// The area split's position line: this label, or "* NAD" with '-' at index 21.
// (One blank longer than the label the station list reads.)
inline constexpr std::string_view kAreaPositionLabel = "  POSITION    -  ";
inline constexpr std::string_view kAreaNadLabel = "* NAD";
inline constexpr std::size_t kKeyIndex = 24;
inline constexpr std::size_t kKeyLength = 40;

// Whether the line is a key line of the kind (an area's is a position line).
bool isKeyLine(std::string_view line, IndexKind kind);
// The key text of a quad or county key line.
std::string_view keyText(std::string_view line);

// The default quad or county index of a datasheet file: "|000|UNDETERMINED",
// then one entry per name that begins with a letter, numbered from 001 in
// the order of a sorted list box (case ignored). A name that differs from a
// listed one only in case gets its own line with that one's number, since
// the split compares names exactly.
struct DefaultIndex {
    std::vector<std::string> lines;
    // Numbers above 999 are written with four digits, which the shape check refuses.
    bool needsRenumbering = false;
};
DefaultIndex defaultNameIndex(platform::LineReader& input, IndexKind kind, platform::ProgressSink& progress);

// The 16 entries of the default area index.
const std::vector<std::string>& defaultAreaIndex();

// The county index entry of a county-list line ("AZ001.DAT | APACHE" gives
// "|001|AZ/APACHE"); empty for a line shorter than 5 characters.
std::string countyIndexEntry(std::string_view countyListLine);

} // namespace morvane
