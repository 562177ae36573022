#include "datasheet/cdrom.h"

#include "datasheet/code_tables.h"
#include "platform/files.h"
#include "platform/line_reader.h"

namespace ds {

namespace {

// Components of the code's directory under the drive; empty for no table.
std::vector<std::string> codeDirectory(const std::string& code)
{
    switch (codeTableOf(code)) {
    case CodeTable::State:
        return {"DATA", code};
    case CodeTable::Pacific:
        return {"DATA", "Pacific", code};
    case CodeTable::Outside:
        return {"DATA", "OUTSIDE", code};
    case CodeTable::None:
        break;
    }
    return {};
}

std::string pathInCodeDirectory(const std::string& drive, const std::string& code, const std::string& name)
{
    std::vector<std::string> components = codeDirectory(code);
    if (components.empty())
        return {};
    components.push_back(name);
    return platform::locatePath(drive, components);
}

// Appends the entries of the directory that are codes; false when it cannot be listed.
bool addStateDirs(const std::string& directory, std::vector<std::string>& codes)
{
    std::vector<std::string> names;
    if (directory.empty() || !platform::listDirectory(directory, names))
        return false;
    for (auto& name : names)
        if (isStateDir(name))
            codes.push_back(std::move(name));
    return true;
}

} // namespace

bool listStateDirs(const std::string& drive, std::vector<std::string>& codes)
{
    std::string data = platform::findEntry(drive, "DATA");
    if (!addStateDirs(data, codes))
        return false;
    addStateDirs(platform::findEntry(data, "Pacific"), codes); // no Pacific directory is no error
    return true;
}

std::string countyListPath(const std::string& drive, const std::string& code)
{
    return pathInCodeDirectory(drive, code, "county." + code.substr(0, 2));
}

std::string countyDataPath(const std::string& drive, const std::string& code, const std::string& countyFile)
{
    return pathInCodeDirectory(drive, code, countyFile);
}

bool isPlainCountyFile(const std::string& countyFile)
{
    return countyFile.find_first_of("/\\") == std::string::npos && countyFile.find("..") == std::string::npos;
}

std::string territoryEntry(const std::string& drive, const std::string& code, const std::string& countryName)
{
    if (codeTableOf(code) != CodeTable::Pacific && codeTableOf(code) != CodeTable::Outside)
        return {};
    if (!platform::isRegularFile(pathInCodeDirectory(drive, code, code.substr(0, 2) + "000.dat")))
        return {};
    return code + "000.dat | " + countryName;
}

bool readCountyList(const std::string& path, std::vector<std::string>& lines)
{
    return !path.empty() && platform::readTextLines(path, lines);
}

} // namespace ds
