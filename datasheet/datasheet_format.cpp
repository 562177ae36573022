#include "datasheet/datasheet_format.h"

#include "platform/line_reader.h"

namespace ds {

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
