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

// The PID a body line holds at index 1-6 (after its blank): two capital
// letters and four digits; empty when the line holds none. Text such as
// " DATABASE = ..." after a header is a body line that holds no PID.
inline std::string_view heldPid(std::string_view line)
{
    if (line.size() < 7 || line[0] != ' ' || !isUpper(line[1]) || !isUpper(line[2]))
        return {};
    for (std::size_t i = 3; i < 7; ++i)
        if (!isDigit(line[i]))
            return {};
    return line.substr(1, 6);
}

// The boundary between stations: true when `line` ends the station whose
// lines carry `pid` and opens the next one, that is a header line, or a
// body line that holds another PID (the next station's first line when its
// header line is damaged). With `pid` empty (the station has shown no PID
// yet) only a header line does. Every reader that copies, skips or replaces
// stations goes by this, so a damaged header never hides a station in its
// neighbour.
inline bool opensNextStation(std::string_view line, std::string_view pid)
{
    if (isHeaderLine(line))
        return true;
    if (pid.empty())
        return false;
    const std::string_view held = heldPid(line);
    return !held.empty() && held != pid;
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
