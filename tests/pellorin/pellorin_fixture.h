#pragma once
// Small datasheet files for the Pellorin tests, built station by station.
#include <string>
#include <vector>

#include "pellorin/core/station_lists.h"
#include "platform/progress.h"

namespace pellorin_test {

inline const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = ";

// One station: header, designation, position and a remark line, each ended
// by `end`. `version` marks which file's datasheet it is.
inline std::string station(const std::string& pid, const std::string& version, const std::string& end = "\r\n",
                           bool designation = true)
{
    std::string text = kHeader + "MARCH 2, 2004" + end;
    if (designation)
        text += " " + pid + "  DESIGNATION -  NAME OF " + pid + end;
    text += " " + pid + "* NAD 83(2007)-  34 59 29.73647(N)    108 53 56.66307(W)     ADJUSTED" + end;
    text += " " + pid + "  HORZ ORDER  -  FIRST" + end;
    text += " " + pid + ".remark " + version + end;
    return text;
}

// The same station as the merge writes it (CR LF line ends).
inline std::string written(const std::string& pid, const std::string& version, bool designation = true)
{
    return station(pid, version, "\r\n", designation);
}

// Loads as UPDATE does: update, old, update again.
inline bool loadBoth(pellorin::UpdateLists& lists, const std::string& oldPath, const std::string& upPath)
{
    platform::NullProgress progress;
    const bool up = lists.LoadUpList(upPath, progress);
    const bool old = lists.LoadOldList(oldPath, progress);
    lists.upList.clear();
    return lists.LoadUpList(upPath, progress) && up && old;
}

inline std::vector<std::string> tags(const platform::LineList& list)
{
    std::vector<std::string> out;
    for (const auto& line : list.lines())
        out.push_back(line.substr(0, 13));
    return out;
}

} // namespace pellorin_test
