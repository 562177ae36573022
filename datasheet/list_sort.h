#pragma once
// Sorting station-list lines: the key sorts (by PID, latitude, longitude,
// name, distance) and the order-code sorts, and the collation of a sorted
// list box.
#include <string>

namespace ds {

// Order of a sorted list box: whole lines compared character by character
// without regard to case; control characters, then the blank, then other
// punctuation, then digits, then letters, then 8-bit characters.
bool listBoxLess(const std::string& a, const std::string& b);

} // namespace ds
