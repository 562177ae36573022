// libFuzzer target over the ITEMPICK extraction: the line matcher with
// every item selected, the formatters and collectors under each layout
// option, Kavro's station writer and Morvane's file writer, on whatever
// bytes the input holds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "datasheet/datasheet_format.h"
#include "itempick/core/available_items.h"
#include "itempick/core/extractor.h"
#include "itempick/core/item_writer.h"
#include "itempick/core/record_format.h"
#include "platform/crlf_writer.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

#include "tests/fuzz/fuzz_scratch.h"

namespace {

std::string scratchDir()
{
    return fuzzsupport::scratchDir("ipfuzz");
}

void writeAll(const std::string& path, std::string_view bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// Every item of the table, or a few: the first byte picks the options.
itempick::Settings settingsFrom(unsigned char options, const itempick::Build& build)
{
    const itempick::AvailableTable table(build, true);
    itempick::Settings settings;
    for (const auto& row : table.rows()) {
        if ((options & 0x40) && row.name.starts_with("ALL "))
            continue; // LAST forms, not ALL
        if (!(options & 0x40) && row.name.starts_with("LAST "))
            continue;
        settings.items.push_back(table.choice(row.name));
    }
    settings.fixedField = options & 1;
    settings.singleLine = options & 2;
    settings.positionFormat = (options >> 2) & 3; // 0, 1, and the two others
    static const char* const kDecimals[] = {"10 decimals", "7 decimals", "0 decimals", " "};
    settings.decimals = kDecimals[(options >> 4) & 3];
    settings.westSign = (options >> 7) & 1;
    settings.fieldDelim = (options & 1) ? '|' : 'x';
    settings.lineDelim = '~';
    settings.descDelim = (options & 2) ? 'N' : ' ';
    return settings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const unsigned char options = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const itempick::Build& build = (options & 0x08) ? itempick::kMorvaneItems : itempick::kKavroItems;
    const itempick::ItemSession session(build, settingsFrom(options, build));

    // The matcher on each line, the following line handed to a title.
    {
        itempick::StationData station;
        station.reset(session.extractor().entries().size());
        std::vector<std::string_view> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find('\n', start);
            lines.push_back(text.substr(start, end == std::string_view::npos ? end : end - start + 1));
            start = end == std::string_view::npos ? text.size() : end + 1;
        }
        std::size_t next = 0;
        const itempick::NextLine nextLine = [&](std::string& line) {
            if (next >= lines.size())
                return false;
            line.assign(lines[next++]);
            return true;
        };
        while (next < lines.size()) {
            const std::string line(itempick::CutLineEnd(lines[next++]));
            session.extractor().ExtractLineItems(line, nextLine, station);
        }
    }

    const std::string dir = scratchDir();
    const std::string path = dir + "/in.dat";
    writeAll(path, text);

    // Kavro: every header line's station, looked up at its offset.
    std::vector<std::pair<std::string, std::int64_t>> offsets;
    for (std::size_t at = text.find(ds::kHeaderStart); at != std::string_view::npos;
         at = text.find(ds::kHeaderStart, at + 1)) {
        const std::size_t lf = text.find('\n', at);
        const std::string_view after = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        std::string pid(after.substr(after.empty() ? 0 : 1, 6));
        pid.resize(6, ' ');
        offsets.emplace_back(pid, static_cast<std::int64_t>(at));
    }
    offsets.emplace_back("ZZ9999", -1);
    offsets.emplace_back("BEYOND", static_cast<std::int64_t>(text.size() + 10));
    platform::RecordingNotices notices;
    {
        itempick::StationItemWriter writer(
            session, path,
            [&offsets](std::string_view pid) {
                for (const auto& [p, offset] : offsets)
                    if (p == pid)
                        return offset;
                return std::int64_t{-1};
            },
            notices);
        std::string out;
        for (std::size_t i = 0; i < offsets.size(); ++i)
            writer.WriteStationItems(offsets[i].first, i, out);
    }

    // Morvane: the whole file, every type code kind.
    {
        const std::string outPath = dir + "/out.txt";
        platform::CrlfWriter out;
        if (!out.open(outPath))
            std::abort();
        itempick::FileItemWriter writer(session);
        writer.WriteItemHeader(out);
        platform::LineReader input(0);
        platform::NullProgress progress;
        if (input.open(path)) {
            writer.WriteFileItems(input, out, (options & 0x10) ? "SAC" : "X-0", progress);
            writer.WriteFileItems(input, out, "H-1", progress);
        }
        out.close();
    }
    return 0;
}
