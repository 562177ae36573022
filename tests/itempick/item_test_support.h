#pragma once
// Building settings and datasheet lines for the item tests.
#include <cstdint>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "itempick/core/available_items.h"
#include "itempick/core/item_settings.h"
#include "itempick/core/item_writer.h"
#include "platform/notices.h"
#include "tests/support/test_files.h"

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

// Offsets of the stations of a datasheet file: the header line's start,
// under the PID of the line after it.
inline std::map<std::string, std::int64_t> stationOffsets(const std::string& bytes)
{
    std::map<std::string, std::int64_t> offsets;
    std::size_t at = 0;
    while ((at = bytes.find("1        Quarndale Geomark Bureau", at)) != std::string::npos) {
        const std::size_t next = bytes.find('\n', at) + 1;
        offsets.emplace(bytes.substr(next + 1, 6), static_cast<std::int64_t>(at));
        at = next;
    }
    return offsets;
}

// What the save writes for the PIDs, in order.
inline std::string save(const std::string& path, const itempick::Settings& settings, const std::vector<std::string>& pids,
                 platform::NoticeSink& notices, const itempick::Build& build = itempick::kKavroItems)
{
    const auto offsets = stationOffsets(testsupport::readFile(path));
    const itempick::ItemSession session(build, settings);
    itempick::StationItemWriter writer(
        session, path,
        [&](std::string_view pid) {
            const auto found = offsets.find(std::string(pid));
            return found == offsets.end() ? std::int64_t{-1} : found->second;
        },
        notices);
    std::string out;
    for (std::size_t i = 0; i < pids.size(); ++i)
        writer.WriteStationItems(pids[i], i, out);
    return out;
}

inline std::string save(const std::string& path, const itempick::Settings& settings, const std::vector<std::string>& pids)
{
    platform::RecordingNotices notices;
    std::string out = save(path, settings, pids, notices);
    EXPECT_TRUE(notices.recorded().empty());
    return out;
}

} // namespace itemtest
