// Runs one operation of the browser on a datasheet file without windows, as
// the menus do, and prints the time it took and what it found:
//   dsbench FILE                    load the station list (File > Disk);
//                                   prints the peak memory too (peak_kb=)
//                                   and the line reader's vector way
//                                   (line_bits=avx512bw, avx2, plain; the
//                                   environment's DS_LINE_BITS may choose a
//                                   narrower one)
//   dsbench type CODE FILE          reload through the type test of CODE
//   dsbench radius CODE FILE        point-radius search of 99.9 miles around
//                                   the middle station, type CODE
//   dsbench save FILE OUT           save every station of FILE as datasheet
//                                   text to OUT (Save As, new file)
//   dsbench merge FILE TARGET       merge every station of FILE into the
//                                   datasheet file TARGET (Merge/Replace)
// The last line is "seconds=<float>": the operation alone, not the load
// that prepares the lists for a search.
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>

#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/position_search.h"
#include "datasheet/station_loader.h"
#include "datasheet/type_filter.h"
#include "platform/line_list.h"
#include "platform/line_reader.h"
#include "datasheet/offset_index.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int usage()
{
    std::fprintf(stderr, "usage: dsbench FILE | dsbench type CODE FILE | dsbench radius CODE FILE\n"
                         "       dsbench save FILE OUT | dsbench merge FILE TARGET\n");
    return 2;
}

bool load(const std::string& path, ds::LoadedStations& loaded, const ds::TypeTest& test = {})
{
    platform::NullProgress progress;
    if (ds::loadStations(path, ds::kKavro, progress, loaded, test))
        return true;
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return false;
}

int loadOnly(const std::string& path)
{
    ds::LoadedStations loaded;
    const auto start = Clock::now();
    if (!load(path, loaded))
        return 1;
    const double seconds = since(start);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("stations=%zu\npeak_kb=%ld\nline_bits=%s\nseconds=%.6f\n", loaded.listLines.size(), usage.ru_maxrss,
                platform::detail::lineBitWay().name, seconds);
    return 0;
}

int typeReload(const std::string& code, const std::string& path)
{
    const auto start = Clock::now();
    platform::LineReader typeFile(ds::kKavro.readLength());
    if (!typeFile.open(path)) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    ds::LoadedStations loaded;
    if (!load(path, loaded, ds::makeTypeTest(code, typeFile, ds::kKavro)))
        return 1;
    const double seconds = since(start);
    std::printf("stations=%zu\nseconds=%.6f\n", loaded.listLines.size(), seconds);
    return 0;
}

int radiusSearch(const std::string& code, const std::string& path)
{
    ds::LoadedStations loaded;
    if (!load(path, loaded) || loaded.listLines.empty())
        return 1;
    platform::LineList locList;
    locList.assign(std::move(loaded.locLines));
    const ds::OffsetIndex index(locList);
    // The middle station's position ("dd mm ss", "ddd mm ss" at 17 and 28).
    const std::string& middle = loaded.listLines[loaded.listLines.size() / 2];
    const std::string lat = middle.substr(17, 8);
    const std::string lon = middle.substr(28, 9);

    const auto start = Clock::now();
    platform::LineReader data(ds::kKavro.readLength());
    if (!data.open(path))
        return 1;
    platform::NullProgress progress;
    const std::vector<std::string> hits = ds::FindInRadius(
        loaded.listLines, lat, lon, "99.9",
        [&](const std::string& pid) {
            const std::int64_t offset = index.find(pid);
            return ds::StationMatchesType(code, pid, data, static_cast<std::uint64_t>(offset < 0 ? 0 : offset),
                                          ds::kKavro);
        },
        progress);
    const double seconds = since(start);
    std::printf("point=%s,%s\nstations=%zu\nseconds=%.6f\n", lat.c_str(), lon.c_str(), hits.size(), seconds);
    return 0;
}

// The station list and PID index of FILE, as the station list window holds them.
struct Lists {
    std::vector<std::string> listLines;
    platform::LineList locList;
    platform::FileIdentity identity;
};

bool loadLists(const std::string& path, Lists& lists)
{
    ds::LoadedStations loaded;
    if (!load(path, loaded))
        return false;
    lists.listLines = std::move(loaded.listLines);
    lists.locList.assign(std::move(loaded.locLines));
    lists.identity = loaded.identity;
    return true;
}

int save(const std::string& path, const std::string& out)
{
    Lists lists;
    if (!loadLists(path, lists))
        return 1;
    const ds::OffsetIndex index(lists.locList);
    ds::ListSave request;
    request.target = out;
    request.format = ds::kDatasheetFormat;
    request.dataPath = path;
    request.dataIdentity = lists.identity;
    request.lookup = [&index](std::string_view pid) { return index.find(pid); };
    platform::NullProgress progress;
    const auto start = Clock::now();
    if (!ds::saveList(lists.listLines, request, platform::notices(), progress))
        return 1;
    const double seconds = since(start);
    std::printf("stations=%zu\nseconds=%.6f\n", lists.listLines.size(), seconds);
    return 0;
}

int merge(const std::string& path, const std::string& target)
{
    Lists lists;
    if (!loadLists(path, lists))
        return 1;
    const ds::OffsetIndex index(lists.locList);
    std::vector<std::string> pids;
    for (const std::string& line : lists.listLines)
        pids.emplace_back(ds::listLinePid(line));
    ds::ListMerge request;
    request.target = target;
    request.dataPath = path;
    request.dataIdentity = lists.identity;
    request.lookup = [&index](std::string_view pid) { return index.find(pid); };
    platform::NullProgress progress;
    const auto start = Clock::now();
    if (!ds::mergeList(pids, request, platform::notices(), progress))
        return 1;
    const double seconds = since(start);
    std::printf("stations=%zu\nseconds=%.6f\n", pids.size(), seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2)
        return loadOnly(argv[1]);
    if (argc == 4 && std::string(argv[1]) == "type")
        return typeReload(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "radius")
        return radiusSearch(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "save")
        return save(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "merge")
        return merge(argv[2], argv[3]);
    return usage();
}
