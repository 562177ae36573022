#pragma once
// The datasheet text format: header lines, body lines, the header test.
#include <string>
#include <string_view>

#include "datasheet/profile.h"

namespace ds {

// A station's datasheet begins with a line that starts with these 33 characters.
inline constexpr std::string_view kHeaderStart = "1        Quarndale Geomark Bureau";
// Readers that copy or show one datasheet want the comma after the name too.
inline constexpr std::string_view kHeaderWithComma = "1        Quarndale Geomark Bureau,";

inline bool isHeaderLine(std::string_view line)
{
    return !line.empty() && line[0] == '1' && line.substr(0, kHeaderStart.size()) == kHeaderStart;
}

inline bool isHeaderWithComma(std::string_view line)
{
    return line.substr(0, kHeaderWithComma.size()) == kHeaderWithComma;
}

inline bool isUpper(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z';
}

inline bool isDigit(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= '0' && u <= '9';
}

inline bool isLower(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z';
}

// ASCII letters only: 8-bit characters never change case.
inline char toUpper(char c)
{
    return isLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

// A line the loaders read: a blank, then the PID's first (upper-case) letter.
inline bool isBodyLine(std::string_view line)
{
    return line.size() >= 2 && line[0] == ' ' && isUpper(line[1]);
}

// Whether the text at `index` of the line begins with `label` (false when the
// line is too short to hold it).
inline bool hasAt(std::string_view line, std::size_t index, std::string_view label)
{
    return line.size() >= index + label.size() && line.compare(index, label.size(), label) == 0;
}

// True when one of the first 100 reads of the file begins with the header
// start. False when the file cannot be opened.
bool IsDatasheetFile(const std::string& path, const Profile& profile = kKavro);

} // namespace ds
