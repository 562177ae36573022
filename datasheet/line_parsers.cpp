#include "datasheet/line_parsers.h"

#include <array>

#include "datasheet/datasheet_format.h"

namespace ds {

namespace {

// Control characters (CR and LF among them) end a designation; bytes of
// 8-bit text are kept as they are.
bool isControl(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7f;
}

enum class Target { Horizontal, Vertical, Ellipsoid };

struct OrderPhrase {
    std::string_view phrase; // compared at index 7 over its full length
    char code;
    Target target;
};

// Order matters: first match wins, so "THIRD ?" stands before "THIRD".
constexpr std::array<OrderPhrase, 23> kOrderPhrases{{
    {"  HORZ ORDER  -  A", 'A', Target::Horizontal},
    {"  HORZ ORDER  -  B", 'B', Target::Horizontal},
    {"  HORZ ORDER  -  FIRST", '1', Target::Horizontal},
    {"  HORZ ORDER  -  SECOND", '2', Target::Horizontal},
    {"  HORZ ORDER  -  THIRD", '3', Target::Horizontal},
    {"  HORZ ORDER  -  SPECIAL (CORS)", 'A', Target::Horizontal},
    {"  VERT ORDER  -  FIRST", '1', Target::Vertical},
    {"  VERT ORDER  -  SECOND", '2', Target::Vertical},
    {"  VERT ORDER  -  THIRD ?", '?', Target::Vertical},
    {"  VERT ORDER  -  THIRD", '3', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code A", 'a', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code B", 'b', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code C", 'c', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code D", 'd', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code E", 'e', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code F", 'f', Target::Vertical},
    {"  VERT ORDER  -  * POSTED, Code N", 'n', Target::Vertical},
    {"  VERT ORDER  -  ?", '?', Target::Vertical},
    {"  ELLP ORDER  -  FIRST", '1', Target::Ellipsoid},
    {"  ELLP ORDER  -  SECOND", '2', Target::Ellipsoid},
    {"  ELLP ORDER  -  THIRD", '3', Target::Ellipsoid},
    {"  ELLP ORDER  -  FOURTH", '4', Target::Ellipsoid},
    {"  ELLP ORDER  -  FIFTH", '5', Target::Ellipsoid},
}};

struct ClassPhrase {
    std::string_view phrase; // compared at index 34
    char code;
};

constexpr std::array<ClassPhrase, 4> kClassPhrases{{
    {"CLASS III", '3'},
    {"CLASS II", '2'},
    {"CLASS I", '1'},
    {"CLASS 0", '0'}, // vertical lines only
}};

} // namespace

void ParseDesignation(std::string_view line, std::string& pid, std::string& designation)
{
    if (line.size() < 7)
        return;
    pid.assign(line.substr(1, 6));
    if (line.size() < 25)
        return;
    std::string_view name = line.substr(24, 40);
    while (name.size() > 1 && isControl(name.back()))
        name.remove_suffix(1);
    designation.assign(name);
}

bool isPositionLine(std::string_view line)
{
    return hasAt(line, 7, kPositionLabel) || (hasAt(line, 7, kNadLabel) && line.size() > 21 && line[21] == '-');
}

void ParsePosition(std::string_view line, std::string& latitude, std::string& longitude)
{
    if (line.size() < 57)
        return;
    latitude.assign(line.substr(24, 10));
    longitude.assign(line.substr(45, 11));
}

void ParseOrder(std::string_view line, std::string& horizontal, std::string& ellipsoid, std::string& vertical,
                const Profile& profile)
{
    if (line.size() < 24)
        return;
    for (const auto& row : kOrderPhrases) {
        if (row.target == Target::Ellipsoid) {
            if (!profile.ellipsoidOrders || (row.code == '5' && !profile.fifthEllipsoidOrder))
                continue;
        }
        if (!hasAt(line, 7, row.phrase))
            continue;
        std::string& out = row.target == Target::Horizontal ? horizontal
                           : row.target == Target::Vertical ? vertical
                                                            : ellipsoid;
        out.assign(1, row.code);
        return;
    }
}

void ParseClass(std::string_view line, std::string& verticalClass, std::string& ellipsoidClass)
{
    if (line.size() < 24)
        return;
    bool vertical = hasAt(line, 7, kVertOrderLabel);
    bool ellipsoid = hasAt(line, 7, kEllpOrderLabel);
    if (!vertical && !ellipsoid)
        return;
    for (const auto& row : kClassPhrases) {
        if (ellipsoid && row.code == '0')
            continue;
        if (hasAt(line, 34, row.phrase)) {
            (vertical ? verticalClass : ellipsoidClass).assign(1, row.code);
            return;
        }
    }
    if (vertical && line.find("Code") != std::string_view::npos)
        verticalClass.clear();
}

} // namespace ds
