#include "datasheet/list_marks.h"

namespace ds {

std::string withTag(std::string_view line, std::string_view tag)
{
    std::string result(tag);
    if (line.size() > kMarkTag.size())
        result.append(line.substr(kMarkTag.size()));
    return result;
}

bool isMarked(std::string_view line)
{
    return line.substr(0, kMarkTag.size()) == kMarkTag;
}

std::string toggledMark(std::string_view line)
{
    return withTag(line, isMarked(line) ? kBlankTag : kMarkTag);
}

bool hasMarkArrow(std::string_view line)
{
    return line.size() > 4 && line[4] == '>';
}

std::vector<std::string> grabMarked(const std::vector<std::string>& lines)
{
    std::vector<std::string> grabbed;
    for (const std::string& line : lines)
        if (isMarked(line))
            grabbed.push_back(withTag(line, kBlankTag));
    return grabbed;
}

bool isFoundMarked(std::string_view line)
{
    return line.substr(0, kFoundMarkTag.size()) == kFoundMarkTag;
}

std::string toggledFoundMark(std::string_view line)
{
    return withTag(line, isFoundMarked(line) ? kBlankTag : kFoundMarkTag);
}

bool hasFoundMarkX(std::string_view line)
{
    return line.size() > 4 && line[4] == 'X';
}

} // namespace ds
