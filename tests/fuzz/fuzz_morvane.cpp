// libFuzzer target over Morvane's engines that read datasheet files: the
// join in its three formats with and without the type filter, the default
// indexes, the index-driven splits and the splits by bytes, lines and
// stations. Each run works in a fresh directory of its own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "morvane/core/index_files.h"
#include "morvane/core/join.h"
#include "morvane/core/splits.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace {

std::string scratchDir()
{
    static std::string dir = [] {
        std::string pattern = "/tmp/mvfuzzXXXXXX";
        return std::string(::mkdtemp(pattern.data()));
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    namespace fs = std::filesystem;
    const std::string dir = scratchDir();
    std::error_code ignored;
    fs::remove_all(dir + "/out", ignored);
    fs::create_directories(dir + "/out");
    const std::string input = dir + "/in.dat";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    platform::RecordingNotices notices;
    platform::NullProgress progress;

    for (int format = 0; format < 3; ++format)
        for (const char* code : {"X-0", "H-1", "GPS"}) {
            morvane::JoinRequest join;
            join.inputs = {input, input};
            join.output = dir + "/out/joined.txt";
            join.settings.format = format;
            join.settings.typeCode = code;
            morvane::JoinFiles(join, notices, progress);
        }

    for (const morvane::IndexKind kind : {morvane::IndexKind::Quad, morvane::IndexKind::County}) {
        platform::LineReader reader(0);
        if (!reader.open(input))
            break;
        morvane::IndexSplit split{kind, morvane::defaultNameIndex(reader, kind, progress).lines, input,
                                  dir + "/out"};
        morvane::SplitByIndex(split, notices, progress);
    }
    morvane::SplitByIndex({morvane::IndexKind::Area, morvane::defaultAreaIndex(), input, dir + "/out"}, notices,
                          progress);

    const morvane::CountSplit counts[] = {
        {morvane::CountKind::Bytes, 200, true, 1, input, dir + "/out"},
        {morvane::CountKind::Bytes, 0, false, 1, input, dir + "/out"},
        {morvane::CountKind::Lines, 3, false, 1, input, dir + "/out"},
        {morvane::CountKind::Stations, 2, true, 1, input, dir + "/out"},
        {morvane::CountKind::Stations, 1, true, 0, input, dir + "/out"},
    };
    for (const auto& split : counts)
        morvane::SplitByCount(split, notices, progress);
    return 0;
}
