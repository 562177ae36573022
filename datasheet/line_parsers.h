#pragma once
// Parsers of the labelled lines that make a station-list line: designation,
// position, orders and classes. Outputs are left unchanged when a line is too
// short or matches nothing. Labels are compared at index 7 (mark column included).
#include <string>
#include <string_view>

#include "datasheet/profile.h"

namespace ds {

inline constexpr std::string_view kDesignationLabel = "  DESIGNATION - ";
inline constexpr std::string_view kPositionLabel = "  POSITION    - ";
inline constexpr std::string_view kNadLabel = "* NAD";
inline constexpr std::string_view kHorzOrderLabel = "  HORZ ORDER  - ";
inline constexpr std::string_view kVertOrderLabel = "  VERT ORDER  - ";
inline constexpr std::string_view kEllpOrderLabel = "  ELLP ORDER  - ";

// PID from index 1-6; designation, up to 40 characters from index 24, with
// trailing control characters (CR, LF) removed.
void ParseDesignation(std::string_view line, std::string& pid, std::string& designation);
// Latitude, 10 characters from index 24; longitude, 11 from index 45.
void ParsePosition(std::string_view line, std::string& latitude, std::string& longitude);
// One-character order code into the matching output; first phrase wins.
void ParseOrder(std::string_view line, std::string& horizontal, std::string& ellipsoid, std::string& vertical,
                const Profile& profile = kKavro);
// Class code of a vertical or ellipsoid order line.
void ParseClass(std::string_view line, std::string& verticalClass, std::string& ellipsoidClass);

// Whether a line is a position line ("  POSITION    - ", or "* NAD" with '-' at 21).
bool isPositionLine(std::string_view line);

// False for a line that holds none of the labels above (DESIGNATION,
// POSITION, NAD, the three orders) at index 7, judged by the two letters at
// index 9 alone: a loader passes over nine body lines in ten with a few
// tests that the processor predicts well.
inline bool mayHoldListLabel(std::string_view line)
{
    if (line.size() < 12)
        return false;
    const unsigned key = static_cast<unsigned char>(line[9]) << 8 | static_cast<unsigned char>(line[10]);
    constexpr auto k = [](std::string_view label) {
        return static_cast<unsigned>(static_cast<unsigned char>(label[2])) << 8 |
               static_cast<unsigned char>(label[3]);
    };
    return key == k(kDesignationLabel) || key == k(kPositionLabel) || key == k(kNadLabel) ||
           key == k(kHorzOrderLabel) || key == k(kVertOrderLabel) || key == k(kEllpOrderLabel);
}

} // namespace ds
