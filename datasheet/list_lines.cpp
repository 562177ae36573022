#include "datasheet/list_lines.h"

namespace ds {

namespace {

// printf's "%-N.Ns" (left) and "%N.Ns" (right): cut to N, padded with blanks.
void appendField(std::string& out, std::string_view text, std::size_t width, bool left)
{
    text = text.substr(0, std::min(text.size(), width));
    // A buffer field ends at its first NUL, as a C string does.
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    if (!left)
        out.append(width - text.size(), ' ');
    out.append(text);
    if (left)
        out.append(width - text.size(), ' ');
}

} // namespace

std::string MakeListLine(std::string_view tag, std::string_view pid, std::string_view horizontal,
                         std::string_view vertical, std::string_view latitude, std::string_view longitude,
                         std::string_view designation, int tagWidth)
{
    std::string line;
    line.reserve(48 + designation.size());
    appendField(line, tag, static_cast<std::size_t>(tagWidth), false);
    line += '|';
    appendField(line, pid, 6, true);
    line += '|';
    appendField(line, horizontal, 1, true);
    line += '-';
    appendField(line, vertical, 1, true);
    line += '|';
    appendField(line, latitude, 10, true);
    line += '|';
    appendField(line, longitude, 11, true);
    line += '|';
    if (auto nul = designation.find('\0'); nul != std::string_view::npos)
        designation = designation.substr(0, nul);
    line.append(designation);
    return line;
}

std::string MakeLocLine(std::string_view pid, std::int64_t offset)
{
    std::string line;
    appendField(line, pid, 6, true);
    line += '|';
    line += std::to_string(offset);
    return line;
}

} // namespace ds
