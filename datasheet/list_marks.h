#pragma once
// Marks of the station list and of the search results. A station-list line
// is marked when its five-character tag (index 0-4) is "   ->"; a results
// line when it is "    X". Rewriting a mark replaces the tag only; the rest
// of the line is kept byte for byte.
#include <string>
#include <string_view>
#include <vector>

namespace ds {

inline constexpr std::string_view kMarkTag = "   ->";
inline constexpr std::string_view kBlankTag = "     ";

// The line with its tag replaced. A line shorter than the tag has nothing
// after it and becomes the tag alone.
std::string withTag(std::string_view line, std::string_view tag);

// The tag is exactly "   ->".
bool isMarked(std::string_view line);

// A right click: a marked line gets five blanks, any other tag becomes "   ->".
std::string toggledMark(std::string_view line);

// Clear Marks counts a line as marked when index 4 is '>', whatever precedes it.
bool hasMarkArrow(std::string_view line);

// The marked lines, in order, each with five blanks as its tag.
std::vector<std::string> grabMarked(const std::vector<std::string>& lines);

// The results window's own mark. It replaces whatever tag a line brought
// along (five blanks, a station-list "   ->", a distance).
inline constexpr std::string_view kFoundMarkTag = "    X";

// The tag is exactly "    X"; Remove Marked Stations deletes these lines.
bool isFoundMarked(std::string_view line);

// A right click in the results: "    X" becomes five blanks, any other tag
// "    X". A distance that was replaced does not come back.
std::string toggledFoundMark(std::string_view line);

// Clear Marks counts a results line as marked when index 4 is 'X'.
bool hasFoundMarkX(std::string_view line);

} // namespace ds
