// A child process for the file-size limit test: starts as a program does
// (platform::Application, which sets the process's signal dispositions), then
// runs one operation and prints its notices and result on standard output.
//
//   file_limit_child [--bare] save|append|merge|repair <target> [<data file>]
//
// --bare skips the program start, to show what the limit does without it.
// save and append write every station of the data file as datasheets; merge
// merges them all into the target (backup in the current directory).
#include <QByteArray>
#include <cstdio>
#include <memory>
#include <string>

#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/misaligned_repair.h"
#include "datasheet/offset_index.h"
#include "datasheet/station_loader.h"
#include "platform/line_list.h"
#include "platform/notices.h"
#include "platform/qt/application.h"

int main(int argc, char** argv)
{
    int first = 1;
    const bool bare = argc > 1 && std::string(argv[1]) == "--bare";
    if (bare)
        ++first;
    if (argc - first < 2)
        return 2;
    const std::string operation = argv[first];
    const std::string target = argv[first + 1];
    const std::string dataPath = argc - first > 2 ? argv[first + 2] : "";

    std::unique_ptr<platform::Application> application;
    if (!bare) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<platform::Application>(argc, argv);
    }

    platform::RecordingNotices notices;
    platform::NullProgress progress;
    bool done = false;
    if (operation == "repair") {
        const ds::RepairResult result = ds::repairMisaligned(target, progress);
        std::printf("repair %d\n", static_cast<int>(result));
        done = result == ds::RepairResult::Fixed;
    } else {
        ds::LoadedStations loaded;
        if (!ds::loadStations(dataPath, ds::kKavro, progress, loaded))
            return 3;
        platform::LineList locList;
        locList.assign(std::move(loaded.locLines));
        const ds::OffsetIndex index(locList);
        const ds::OffsetLookup lookup = [&index](std::string_view pid) { return index.find(pid); };
        if (operation == "merge") {
            std::vector<std::string> pids;
            for (const auto& line : loaded.listLines)
                pids.emplace_back(ds::listLinePid(line));
            ds::ListMerge request;
            request.target = target;
            request.dataPath = dataPath;
            request.lookup = lookup;
            request.dataIdentity = loaded.identity;
            done = ds::mergeList(pids, request, notices, progress);
        } else {
            ds::ListSave request;
            request.target = target;
            request.append = operation == "append";
            request.format = ds::kDatasheetFormat;
            request.dataPath = dataPath;
            request.lookup = lookup;
            request.dataIdentity = loaded.identity;
            done = ds::saveList(loaded.listLines, request, notices, progress);
        }
    }
    for (const auto& notice : notices.recorded())
        std::printf("notice %s: %s\n", notice.caption.c_str(), notice.text.c_str());
    std::printf("result %s\n", done ? "done" : "failed");
    return 0;
}
