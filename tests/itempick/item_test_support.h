#pragma once
// Building settings and datasheet lines for the item tests.
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "itempick/core/available_items.h"
#include "itempick/core/item_settings.h"

namespace itemtest {

// Settings holding the named items with their widths in the build's table
// (obsolete rows included).
inline itempick::Settings settingsFor(std::initializer_list<std::string_view> names,
                                      const itempick::Build& build = itempick::kKavroItems)
{
    const itempick::AvailableTable table(build, true);
    itempick::Settings settings;
    for (std::string_view name : names)
        settings.items.push_back(table.choice(name));
    return settings;
}

// A datasheet line of the PID with texts at the given indexes, blanks between.
inline std::string line(std::initializer_list<std::pair<std::size_t, std::string_view>> texts,
                        std::string_view pid = "AB1234")
{
    std::string out = " " + std::string(pid);
    for (const auto& [at, text] : texts) {
        if (out.size() < at + text.size())
            out.resize(at + text.size(), ' ');
        out.replace(at, text.size(), text);
    }
    return out;
}

} // namespace itemtest
