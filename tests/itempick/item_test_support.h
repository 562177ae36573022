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
#include "platform/crlf_writer.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"
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

// The join's output for the input files, through the header writer and
// the file writer of one session.
inline std::string join(const std::vector<std::string>& inputs, const itempick::Settings& settings,
                        std::string_view typeCode)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    const itempick::ItemSession session(itempick::kMorvaneItems, settings);
    itempick::FileItemWriter writer(session);
    platform::CrlfWriter out;
    EXPECT_TRUE(out.open(path));
    writer.WriteItemHeader(out);
    platform::RecordingProgress progress;
    for (const std::string& input : inputs) {
        platform::LineReader reader(149);
        EXPECT_TRUE(reader.open(input));
        writer.WriteFileItems(reader, out, typeCode, progress);
        // The reader is handed back with its piece length.
        EXPECT_EQ(reader.pieceLength(), 149u);
    }
    EXPECT_TRUE(out.close());
    return testsupport::readFile(path);
}

} // namespace itemtest
