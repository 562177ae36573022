#pragma once
// List lines of stations for the plot tests.
#include <string>
#include <vector>

#include "datasheet/list_lines.h"

namespace testsupport {

inline std::string plotListLine(const std::string& pid, const std::string& lat, const std::string& lon,
                                const std::string& designation)
{
    return ds::MakeListLine("     ", pid, "2", "1", lat, lon, designation);
}

// Three stations within a minute of each other: the first is nearest to the
// midpoint of the corner stations (NW the second, SE the third).
inline const std::vector<std::string> kThreeStations = {
    plotListLine("AA1001", "38 59 59.0", "098 59 59.0", "MARK ONE"),
    plotListLine("AA1002", "39 00 30.5", "099 00 10.0", "MARK TWO"),
    plotListLine("AA1003", "38 59 00.0", "098 58 30.0", "MARK THREE"),
};

} // namespace testsupport
