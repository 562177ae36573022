#pragma once
// What differs between the three programs' builds of the shared datasheet
// routines: line buffer length, order tables, list tag width, version texts.
#include <cstddef>
#include <string_view>

namespace ds {

enum class Program { Kavro, Morvane, Pellorin };

struct Profile {
    Program program;
    std::string_view name;    // program name in capitals
    std::string_view version; // "2.15"
    std::string_view date;    // "06/09/04"
    std::size_t lineLength;   // line buffer: 150, or 255 in Pellorin
    int tagWidth;             // width of the station-list tag: 5, or 6 in Pellorin
    bool ellipsoidOrders;     // order table has the "ELLP ORDER" rows
    bool fifthEllipsoidOrder; // ... including "ELLP ORDER  -  FIFTH"
    // The type code V-3 also passes the "* POSTED" and "* READJUST" vertical
    // orders (Kavro); Morvane's V-3 takes THIRD and "?" only.
    bool thirdVerticalTakesPosted;

    // Characters one read takes: a buffer of lineLength holds lineLength - 1.
    std::size_t readLength() const { return lineLength - 1; }
};

inline constexpr Profile kKavro{Program::Kavro, "KAVRO", "2.15", "06/09/04", 150, 5, true, true, true};
inline constexpr Profile kMorvane{Program::Morvane, "MORVANE", "2.09", "06/08/04", 150, 5, true, false, false};
inline constexpr Profile kPellorin{Program::Pellorin, "PELLORIN", "1.1", "09/17/03", 255, 6, false, false, false};

} // namespace ds
