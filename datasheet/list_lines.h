#pragma once
// The two short lines kept per station: the station-list line and the
// PID/offset line.
#include <cstdint>
#include <string>
#include <string_view>

namespace ds {

// "%5.5s|%-6.6s|%-1.1s-%-1.1s|%-10.10s|%-11.11s|%s"; tagWidth 6 gives
// Pellorin's "%6.6s|..." (every field one column later).
std::string MakeListLine(std::string_view tag, std::string_view pid, std::string_view horizontal,
                         std::string_view vertical, std::string_view latitude, std::string_view longitude,
                         std::string_view designation, int tagWidth = 5);

// "%-6.6s|%ld": PID and the byte offset of the station's header line.
std::string MakeLocLine(std::string_view pid, std::int64_t offset);

// Column of the PID in a station-list line with the given tag width.
inline std::size_t listPidIndex(int tagWidth = 5)
{
    return static_cast<std::size_t>(tagWidth) + 1;
}

// The PID of a station-list line (tag width 5): index 6-11, shorter or empty
// for a short line.
inline std::string_view listLinePid(std::string_view listLine)
{
    const std::size_t at = listPidIndex();
    return listLine.size() > at ? listLine.substr(at, 6) : std::string_view();
}

} // namespace ds
