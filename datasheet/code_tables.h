#pragma once
// The two-letter code tables of the CD-ROM (states and districts, Pacific
// territories, outside territories), which decide where a code's files lie,
// and the country table of codes and names with its two-way lookup.
#include <string>
#include <string_view>
#include <vector>

namespace ds {

// True when the code's first two characters, upper-cased, are a code of the
// table. A code of fewer than two characters belongs to no table.
bool IsStateCode(std::string_view code);
bool IsPacificCode(std::string_view code);
bool IsOutsideCode(std::string_view code);

// True for a directory name of exactly two characters that is a code of one
// of the three tables ("AZ", "az", "GU"; never "..").
bool isStateDir(std::string_view name);

// The first table that holds the code, in the order states, Pacific, outside.
enum class CodeTable { None, State, Pacific, Outside };
CodeTable codeTableOf(std::string_view code);

// The 81 rows "<code>|<name>" of the country table, in table order. "VI"
// stands twice, identical; the outside code SR has no row.
const std::vector<std::string>& countryRows();

// direction "to_name": the name of the first row whose code is `text`
// (exactly two characters, case as given), at most 45 characters.
// direction "to_code": the code of the first row that contains `text`
// anywhere ("GERMANY" gives GE, from "GE|WEST GERMANY").
// Empty when no row matches, for an empty text and for any other direction.
std::string CodeLookup(const std::vector<std::string>& rows, std::string_view text, std::string_view direction);

} // namespace ds
