#include "datasheet/list_search.h"

#include "datasheet/datasheet_format.h"

namespace ds {

namespace {

constexpr std::size_t kPidColumn = 6;
constexpr std::size_t kDesignationColumn = 40;

// The part of a line from its designation on; empty for a line too short to have one.
std::string_view designationOf(std::string_view line)
{
    return line.size() > kDesignationColumn ? line.substr(kDesignationColumn) : std::string_view();
}

} // namespace

std::string normalisePid(std::string_view typed)
{
    std::string pid(typed.substr(0, kPidInputLength));
    for (std::size_t i = 0; i < pid.size() && i < 2; ++i)
        pid[i] = toUpper(pid[i]);
    return pid;
}

int checkPid(std::string_view pid)
{
    if (pid.size() < kPidInputLength)
        return 1;
    if (!isUpper(pid[0]) || !isUpper(pid[1]))
        return 1;
    for (std::size_t i = 2; i < kPidInputLength; ++i)
        if (!isDigit(pid[i]))
            return 1;
    return 0;
}

std::optional<std::size_t> findPid(const std::vector<std::string>& lines, std::string_view pid)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        if (line.size() >= kPidColumn + pid.size() && line.substr(kPidColumn, pid.size()) == pid)
            return i;
    }
    return std::nullopt;
}

std::string normaliseName(std::string_view typed)
{
    std::string name(typed.substr(0, kNameInputLength));
    for (char& c : name)
        c = toUpper(c);
    return name;
}

int checkNameStart(std::string_view name)
{
    if (name.empty())
        return 1;
    const char c = name.front();
    return isUpper(c) || isLower(c) || isDigit(c) || c == '*' ? 0 : 1;
}

std::string cutNameAtStar(std::string_view name)
{
    const std::size_t star = name.find('*', 1);
    return std::string(star == std::string_view::npos ? name : name.substr(0, star));
}

bool nameMatches(std::string_view line, std::string_view name)
{
    const std::string_view designation = designationOf(line);
    if (designation.substr(0, name.size()) == name)
        return true;
    return !name.empty() && name.front() == '*' && designation.find(name.substr(1)) != std::string_view::npos;
}

std::vector<std::size_t> findName(const std::vector<std::string>& lines, std::string_view name)
{
    std::vector<std::size_t> hits;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (nameMatches(lines[i], name))
            hits.push_back(i);
    return hits;
}

} // namespace ds
