#include "morvane/core/output_pieces.h"

#include <algorithm>

#include "datasheet/datasheet_format.h"
#include "platform/files.h"

namespace morvane {

namespace {

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), ds::isDigit);
}

} // namespace

bool isPieceName(std::string_view name, int mode)
{
    if (mode == kNumberedPieces) {
        constexpr std::string_view prefix = "dsdata.";
        return name.starts_with(prefix) && allDigits(name.substr(prefix.size()));
    }
    return name.size() == 10 && ds::isUpper(name[0]) && ds::isUpper(name[1]) && allDigits(name.substr(2, 4)) &&
           name.substr(6) == ".out";
}

std::vector<std::string> listPieces(const std::string& directory, int mode)
{
    std::vector<std::string> names;
    std::vector<std::string> pieces;
    if (!platform::listDirectory(directory, names))
        return pieces;
    for (auto& name : names)
        if (isPieceName(name, mode) && platform::isRegularFile(platform::joinPath(directory, name)))
            pieces.push_back(std::move(name));
    return pieces;
}

bool deleteListedPieces(const std::string& directory, const std::vector<std::string>& lines,
                        const std::vector<std::string>& listed, platform::NoticeSink& notices)
{
    bool deleted = true;
    for (const auto& line : lines) {
        if (std::find(listed.begin(), listed.end(), line) == listed.end())
            continue;
        const std::string path = platform::joinPath(directory, line);
        if (platform::fileExists(path) && !platform::removeFile(path)) {
            notices.notice("NOTICE", "Could not delete file " + path);
            deleted = false;
        }
    }
    return deleted;
}

} // namespace morvane
