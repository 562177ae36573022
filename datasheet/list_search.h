#pragma once
// PID and name searches over station-list lines: reading the typed input the
// way the search dialogs do, testing it, and scanning the list. Lines are the
// station-list lines "%5.5s|%-6.6s|..." with the PID at index 6-11 and the
// designation from index 40.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ds {

// At most this many typed characters take part in a search.
inline constexpr std::size_t kPidInputLength = 6;
inline constexpr std::size_t kNameInputLength = 30;

// The first 6 characters of the typed text, with a lower-case letter in
// either of the first two places made upper case; the digits are left as typed.
std::string normalisePid(std::string_view typed);

// 0 when the PID is two capital letters and four digits, 1 otherwise (also
// for fewer than 6 characters). Only ASCII letters and digits count.
int checkPid(std::string_view pid);

// Index of the first line whose PID field equals the PID (case-sensitive);
// later lines with the same PID are never looked at.
std::optional<std::size_t> findPid(const std::vector<std::string>& lines, std::string_view pid);

// The first 30 characters of the typed text with every ASCII lower-case
// letter made upper case; 8-bit characters pass unchanged.
std::string normaliseName(std::string_view typed);

// 0 when the first character is an ASCII letter, a digit or '*', 1 otherwise
// (a blank, punctuation, an 8-bit character, or nothing at all).
int checkNameStart(std::string_view name);

// The name ended at its first '*' after index 0: "STATE*" -> "STATE",
// "*CAPITOL*BLDG" -> "*CAPITOL". A leading '*' stays.
std::string cutNameAtStar(std::string_view name);

// A line is a hit when its designation begins with the name (trailing blanks
// of the name included), or, for a name "*TEXT", when TEXT occurs anywhere
// from the designation on; "*" alone matches every line. The name is one
// already cut at its '*'.
bool nameMatches(std::string_view line, std::string_view name);

// Indexes of every matching line, in list order.
std::vector<std::size_t> findName(const std::vector<std::string>& lines, std::string_view name);

} // namespace ds
