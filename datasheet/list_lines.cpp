#include "datasheet/list_lines.h"

#include <algorithm>
#include <cstring>

namespace ds {

namespace {

// printf's "%-N.Ns" (left) and "%N.Ns" (right): cut to N, padded with
// blanks, written at `at`; returns the end. A buffer field ends at its
// first NUL, as a C string does.
char* putField(char* at, std::string_view text, std::size_t width, bool left)
{
    text = text.substr(0, std::min(text.size(), width));
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    const std::size_t pad = width - text.size();
    if (!left) {
        std::memset(at, ' ', pad);
        at += pad;
    }
    std::memcpy(at, text.data(), text.size());
    at += text.size();
    if (left) {
        std::memset(at, ' ', pad);
        at += pad;
    }
    return at;
}

} // namespace

std::string MakeListLine(std::string_view tag, std::string_view pid, std::string_view horizontal,
                         std::string_view vertical, std::string_view latitude, std::string_view longitude,
                         std::string_view designation, int tagWidth)
{
    if (auto nul = designation.find('\0'); nul != std::string_view::npos)
        designation = designation.substr(0, nul);
    const auto width = static_cast<std::size_t>(tagWidth);
    // One string of its final length, written in place: the loader makes
    // one for every station of the file.
    std::string line(width + 1 + 6 + 1 + 1 + 1 + 1 + 1 + 10 + 1 + 11 + 1 + designation.size(), ' ');
    char* at = putField(line.data(), tag, width, false);
    *at++ = '|';
    at = putField(at, pid, 6, true);
    *at++ = '|';
    at = putField(at, horizontal, 1, true);
    *at++ = '-';
    at = putField(at, vertical, 1, true);
    *at++ = '|';
    at = putField(at, latitude, 10, true);
    *at++ = '|';
    at = putField(at, longitude, 11, true);
    *at++ = '|';
    std::memcpy(at, designation.data(), designation.size());
    return line;
}

std::string MakeLocLine(std::string_view pid, std::int64_t offset)
{
    std::string line(6, ' ');
    putField(line.data(), pid, 6, true);
    line += '|';
    line += std::to_string(offset);
    return line;
}

} // namespace ds
