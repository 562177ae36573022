// libFuzzer target over everything that reads a datasheet file: the header
// test, the line parsers, the loader, the type test, the datasheet reader,
// the saves and the merge, the misaligned probe and repair, the raw reader,
// the item explanations.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "datasheet/datasheet_format.h"
#include "datasheet/datasheet_reader.h"
#include "datasheet/item_explain.h"
#include "datasheet/line_parsers.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/misaligned_repair.h"
#include "datasheet/raw_file.h"
#include "datasheet/station_loader.h"
#include "datasheet/type_filter.h"
#include "platform/line_list.h"
#include "datasheet/offset_index.h"
#include "platform/line_reader.h"

#include "tests/fuzz/fuzz_scratch.h"

namespace {

std::string scratchDir()
{
    return fuzzsupport::scratchDir("dsfuzz");
}

void writeAll(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);

    // Parsers on each line as the loader would see it.
    std::string pid, designation, lat, lon, h, v, e, vc, ec;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start + 1);
        ds::ParseDesignation(line, pid, designation);
        ds::ParsePosition(line, lat, lon);
        ds::ParseOrder(line, h, e, v);
        ds::ParseOrder(line, h, e, v, ds::kPellorin);
        ds::ParseClass(line, vc, ec);
        if (designation.size() > 40 || pid.size() > 6 || lat.size() > 10 || lon.size() > 11)
            std::abort();
        start = end == std::string_view::npos ? text.size() : end + 1;
    }

    const std::string path = scratchDir() + "/input.dat";
    writeAll(path, data, size);

    ds::IsDatasheetFile(path);
    ds::IsDatasheetFile(path, ds::kPellorin);

    platform::NullProgress progress;
    ds::LoadedStations loaded;
    if (!ds::loadStations(path, ds::kKavro, progress, loaded))
        std::abort();
    if (loaded.listLines.size() != loaded.locLines.size())
        std::abort();
    // Every offset points at a header line, except a headerless file's one station.
    for (const auto& loc : loaded.locLines) {
        uint64_t offset = std::strtoull(loc.c_str() + 7, nullptr, 10);
        if (offset > size)
            std::abort();
    }

    // Each listed station reads back from its offset, as the viewer does.
    ds::DatasheetReader datasheets;
    if (!datasheets.open(path))
        std::abort();
    for (const auto& loc : loaded.locLines) {
        auto lines = datasheets.read(std::strtoull(loc.c_str() + 7, nullptr, 10), std::string_view(loc).substr(0, 6));
        for (const auto& line : lines)
            if (line.find_first_of("\r\n") != std::string::npos)
                std::abort();
    }
    datasheets.close();

    // The type test of every code family on every station; a filtered load
    // keeps no more stations than the plain one.
    platform::LineReader typeFile(ds::kKavro.readLength());
    if (!typeFile.open(path))
        std::abort();
    for (const char* code : {"H-2", "V-3", "GPS", "ELL", "FBN"}) {
        for (const auto& loc : loaded.locLines) {
            const uint64_t before = typeFile.position();
            ds::StationMatchesType(code, std::string_view(loc).substr(0, 6), typeFile,
                                   std::strtoull(loc.c_str() + 7, nullptr, 10), ds::kKavro);
            if (typeFile.position() != before)
                std::abort();
        }
        ds::LoadedStations filtered;
        ds::loadStations(path, ds::kKavro, progress, filtered, ds::makeTypeTest(code, typeFile, ds::kKavro));
        if (filtered.listLines.size() > loaded.listLines.size())
            std::abort();
    }

    // Save every station in each format, then merge them into a copy of the file.
    platform::LineList locList;
    locList.assign(loaded.locLines);
    const ds::OffsetIndex index(locList);
    const auto lookup = [&index](std::string_view pid) { return index.find(pid); };
    platform::RecordingNotices quiet;
    for (int format : {ds::kDatasheetFormat, ds::kListFormat, ds::kPinmapFormat}) {
        ds::ListSave request;
        request.target = scratchDir() + "/saved.txt";
        request.format = format;
        request.dataPath = path;
        request.lookup = lookup;
        ds::saveList(loaded.listLines, request, quiet, progress);
    }
    const std::string target = scratchDir() + "/target.dat";
    writeAll(target, data, size);
    std::vector<std::string> pids;
    for (const auto& line : loaded.listLines)
        pids.emplace_back(ds::listLinePid(line));
    ds::ListMerge merge;
    merge.target = target;
    merge.backup = scratchDir() + "/dsdata0.bak";
    merge.dataPath = path;
    merge.lookup = lookup;
    ds::mergeList(pids, merge, quiet, progress);

    std::vector<std::string> raw;
    ds::readRawFile(path, progress, raw);

    // The file as a viewer's lines and as the readme of item explanations,
    // double-clicked at a few places.
    for (std::size_t position : {std::size_t{0}, size / 3, size / 2, size + 5}) {
        const ds::ItemExplanation item = ds::explainItem(raw, position, path, scratchDir(), scratchDir());
        if (ds::clickedPiece(raw, position).size() > 149)
            std::abort();
        (void)item;
    }
    std::vector<std::string> section;
    ds::readItemSection(path, ds::itemTitle(text.substr(0, 200)), section);

    if (ds::probeMisaligned(path) == ds::ProbeResult::Misaligned) {
        if (ds::repairMisaligned(path, progress) != ds::RepairResult::Fixed)
            std::abort();
        // The repaired file loads, and the repair keeps every line.
        std::vector<std::string> after;
        ds::readRawFile(path, progress, after);
        if (after.size() != raw.size())
            std::abort();
    }
    return 0;
}
