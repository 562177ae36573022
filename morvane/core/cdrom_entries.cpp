#include "morvane/core/cdrom_entries.h"

#include <algorithm>
#include <array>

#include "datasheet/cdrom.h"
#include "morvane/core/join.h"
#include "platform/files.h"

namespace morvane {

namespace {

constexpr std::array<std::string_view, 61> kStateDirCodes = {
    "AK", "AL", "AR", "AS", "AZ", "BQ", "CA", "CO", "CQ", "CT", "DC", "DE", "FL", "GA", "GU", "HI",
    "IA", "ID", "IL", "IN", "JQ", "KS", "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MQ", "MS",
    "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV", "NY", "OH", "OK", "OR", "PA", "PR", "RI", "SC",
    "SD", "TN", "TQ", "TX", "UT", "VA", "VI", "VT", "WA", "WI", "WQ", "WV", "WY"};

} // namespace

bool isStateDir(std::string_view name)
{
    if (name.size() < 2)
        return false;
    return std::find(kStateDirCodes.begin(), kStateDirCodes.end(), name.substr(0, 2)) != kStateDirCodes.end();
}

bool countyEntries(const std::string& drive, std::string_view state, const std::string& countyListPath,
                   std::vector<ListEntry>& entries)
{
    std::vector<std::string> lines;
    if (!ds::readCountyList(countyListPath, lines))
        return false;
    const std::string code(state.substr(0, 2));
    const std::string shown = platform::joinPath(platform::joinPath(drive, "DATA"), code) + "/";
    for (const auto& line : lines) {
        const std::string file = entryPath(line);
        if (!ds::isPlainCountyFile(file))
            continue;
        std::vector<std::string> components{"DATA", code};
        if (!file.empty())
            components.push_back(file);
        entries.push_back({shown + line, platform::locatePath(drive, components)});
    }
    return true;
}

ListEntry pacificEntry(const std::string& drive, const std::string& directoryName)
{
    const std::string code = directoryName.substr(0, 2);
    const std::string file = directoryName + "000.dat";
    const std::string shown =
        platform::joinPath(platform::joinPath(platform::joinPath(drive, "DATA"), "Pacific"), code) + "/" + file;
    return {shown, platform::locatePath(drive, {"DATA", "Pacific", code, file})};
}

std::string dataDirectory(const std::string& drive)
{
    const std::string data = platform::findEntry(drive, "DATA");
    return !data.empty() && platform::isDirectory(data) ? data : std::string();
}

bool listSubdirectories(const std::string& directory, std::vector<std::string>& names)
{
    std::vector<std::string> all;
    if (directory.empty() || !platform::listDirectory(directory, all))
        return false;
    for (auto& name : all)
        if (platform::isDirectory(platform::joinPath(directory, name)))
            names.push_back(std::move(name));
    return true;
}

} // namespace morvane
