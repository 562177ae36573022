#include "datasheet/datasheet_format.h"

#include <cstring>

#include "platform/line_reader.h"

namespace ds {

std::size_t hiddenLineStartAfterCr(std::string_view line, bool& breaksInside)
{
    std::size_t from = 0;
    while (from < line.size()) {
        const void* found = std::memchr(line.data() + from, '\r', line.size() - from);
        if (!found)
            break;
        const std::size_t after = static_cast<std::size_t>(static_cast<const char*>(found) - line.data()) + 1;
        if (after >= line.size())
            break;
        const std::string_view rest = line.substr(after);
        if (rest[0] != '\n') {
            if (isHeaderLine(rest) || !heldPid(rest).empty())
                return after;
            breaksInside = true;
        }
        from = after;
    }
    return std::string_view::npos;
}

bool IsDatasheetFile(const std::string& path, const Profile& profile)
{
    platform::LineReader reader(profile.readLength());
    if (!reader.open(path))
        return false;
    std::string_view piece;
    for (int reads = 0; reads < 100 && reader.next(piece); ++reads)
        if (isHeaderLine(piece))
            return true;
    return false;
}

} // namespace ds
