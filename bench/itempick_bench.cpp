// ITEMPICK benchmark driver, run by bench.sh on generated files:
//   itempickbench save FILE OUT    Kavro's Save As in ITEMPICK format of every
//                                  station of FILE, a dozen single values
//   itempickbench lines FILE OUT   the same with ALL HISTORY and RECOVERY TEXT
//   itempickbench join FILE OUT    Morvane's join of FILE in ITEMPICK format
// The last line is "seconds=<float>": the operation alone, not the load.
#include <chrono>
#include <cstdio>
#include <string>

#include "datasheet/list_save.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "itempick/core/available_items.h"
#include "itempick/core/item_writer.h"
#include "platform/line_list.h"
#include "platform/safe_output.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int usage()
{
    std::fprintf(stderr, "usage: itempickbench save|lines|join FILE OUT\n");
    return 2;
}

itempick::Settings settingsOf(std::initializer_list<std::string_view> names, const itempick::Build& build)
{
    const itempick::AvailableTable table(build, false);
    itempick::Settings settings;
    for (std::string_view name : names)
        settings.items.push_back(table.choice(name));
    return settings;
}

const std::initializer_list<std::string_view> kSingleValues = {
    "PID",      "DESIGNATION",  "STATE",     "COUNTY",  "LATITUDE",   "LATITUDE_DIR",
    "LONGITUDE", "LONGITUDE_DIR", "HORZ_ORDER", "HEIGHT", "VERT_ORDER", "GPS_SUITABILITY"};
const std::initializer_list<std::string_view> kWithLines = {"PID", "STATE", "LATITUDE", "LONGITUDE",
                                                             "ALL HISTORY", "RECOVERY TEXT"};

int save(const std::string& path, const std::string& out, bool lines)
{
    ds::LoadedStations loaded;
    platform::NullProgress progress;
    if (!ds::loadStations(path, ds::kKavro, progress, loaded, {})) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 1;
    }
    platform::LineList locList;
    locList.assign(std::move(loaded.locLines));
    const ds::OffsetIndex index(locList);
    const auto lookup = [&index](std::string_view pid) { return index.find(pid); };

    const auto start = Clock::now();
    const itempick::ItemSession session(itempick::kKavroItems,
                                        settingsOf(lines ? kWithLines : kSingleValues, itempick::kKavroItems));
    itempick::StationItemWriter writer(session, path, lookup, platform::notices());
    ds::ListSave request;
    request.target = out;
    request.format = ds::kItemPickFormat;
    request.dataPath = path;
    request.lookup = lookup;
    request.stationItems = [&writer](std::string_view pid, std::size_t i, std::string& records) {
        return writer.WriteStationItems(pid, i, records);
    };
    if (!ds::saveList(loaded.listLines, request, platform::notices(), progress))
        return 1;
    const double seconds = since(start);
    std::printf("stations=%zu\nseconds=%.6f\n", loaded.listLines.size(), seconds);
    return 0;
}

int join(const std::string& path, const std::string& out)
{
    const auto start = Clock::now();
    const itempick::ItemSession session(itempick::kMorvaneItems, settingsOf(kWithLines, itempick::kMorvaneItems));
    itempick::FileItemWriter writer(session);
    platform::SafeOutput output;
    platform::LineReader input(0);
    if (!output.open(out, platform::SafeOutput::Mode::Overwrite) || !input.open(path)) {
        std::fprintf(stderr, "cannot open %s or %s\n", path.c_str(), out.c_str());
        return 1;
    }
    platform::NullProgress progress;
    writer.WriteItemHeader(output.writer());
    writer.WriteFileItems(input, output.writer(), "X-0", progress);
    if (!output.commit())
        return 1;
    std::printf("seconds=%.6f\n", since(start));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        return usage();
    const std::string mode = argv[1];
    if (mode == "save" || mode == "lines")
        return save(argv[2], argv[3], mode == "lines");
    if (mode == "join")
        return join(argv[2], argv[3]);
    return usage();
}
