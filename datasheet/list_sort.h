#pragma once
// Sorting station-list lines: the key sorts (by PID, latitude, longitude,
// name, distance) and the order-code sorts, and the collation of a sorted
// list box.
#include <string>
#include <string_view>
#include <vector>

namespace ds {

// Order of a sorted list box: whole lines compared character by character
// without regard to case; control characters, then the blank, then other
// punctuation, then digits, then letters, then 8-bit characters.
bool listBoxLess(const std::string& a, const std::string& b);

// The seven fields of a station-list line as a key sort sees them.
struct SortFields {
    std::string tag;        // index 0-4
    std::string pid;        // 6-11
    std::string horizontal; // 13
    std::string vertical;   // 15
    std::string latitude;   // 17-26
    std::string longitude;  // 28-38
    std::string name;       // the designation's first 30 characters, from 40

    bool operator==(const SortFields&) const = default;
};

// Each field is copied from its fixed columns; the separator columns (5, 12,
// 14, 16, 27, 39) are not looked at. A field that lies wholly or partly past
// the end of a short line keeps what the line has of it (possibly nothing),
// and a field ends at its first NUL, as a copied C string would.
SortFields splitListLine(std::string_view line);

// "bydist", "bypid", "bylat", "bylon" or "byname".
bool isSortKey(std::string_view key);

// The key line: the fields in the key's order, each padded with blanks to its
// width (the tag right-aligned in 5, the others left-aligned), joined by '|';
// "byname" joins the PID and the horizontal code without one:
//   bydist  tag|name|pid|h|v|lat|lon
//   bypid   pid|name|h|v|lat|lon|tag
//   bylat   lat|name|pid|h|v|lon|tag
//   bylon   lon|name|pid|h|v|lat|tag
//   byname  name|pidh|v|lat|lon|tag
// Every field is in the key, so only lines equal in every field (the name
// without regard to case) give equal key lines. An unknown key gives "".
std::string makeKeyLine(const SortFields& fields, std::string_view key);

// The fields of a key line made by makeKeyLine, at the columns of the key's
// layout (so each comes back at its full width). Unknown key: empty fields.
SortFields splitKeyLine(std::string_view keyLine, std::string_view key);

// The station-list line of MakeListLine's layout; the name is the whole
// designation.
std::string rebuildListLine(const SortFields& fields);

// Orders the lines by the key line of each, collated as listBoxLess; lines
// with equal key lines keep their order. Every line is rewritten: fields come
// back as they were, except that the designation is cut or padded with blanks
// to exactly 30 characters and a short line is filled out to all its columns.
// An unknown key leaves the lines untouched and returns false.
bool sortByKey(std::vector<std::string>& lines, std::string_view key);

// Order-code sorts: the lines whose code character equals the first bucket
// code, then those of the second, ..., then every other line (other codes, a
// line too short to have the column). Codes compare case-sensitively; lines
// keep their relative order within a bucket and are moved unchanged.
void sortByOrderCode(std::vector<std::string>& lines, std::size_t index, std::string_view bucketCodes);

inline constexpr std::size_t kVerticalCodeIndex = 15;
inline constexpr std::string_view kVerticalBuckets = "123abcdefn?";
inline constexpr std::size_t kHorizontalCodeIndex = 13;
inline constexpr std::string_view kHorizontalBuckets = "AB123?";

inline void sortByVOrder(std::vector<std::string>& lines)
{
    sortByOrderCode(lines, kVerticalCodeIndex, kVerticalBuckets);
}

inline void sortByHOrder(std::vector<std::string>& lines)
{
    sortByOrderCode(lines, kHorizontalCodeIndex, kHorizontalBuckets);
}

} // namespace ds
