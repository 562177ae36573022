// Runs one Morvane operation without windows and prints the time it took:
//   mvbench join OUT IN...          join the files, datasheet text, any type
//   mvbench index quad|county FILE DIR
//                                   make the default index of FILE, then
//                                   split FILE by it into DIR (the split is
//                                   timed)
//   mvbench bytes|lines|stations LIMIT FILE DIR
//                                   split FILE into pieces of LIMIT
//                                   megabytes, lines or stations
//   mvbench floor PIECES DIR        the floor of a split: writes files of the
//                                   names and sizes of those in PIECES into
//                                   DIR, each made under a temporary name
//                                   and renamed, as a split makes its pieces
// The last line is "seconds=<float>".
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "morvane/core/index_files.h"
#include "morvane/core/join.h"
#include "morvane/core/splits.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int usage()
{
    std::fprintf(stderr, "usage: mvbench join OUT IN... | mvbench index quad|county FILE DIR\n"
                         "       mvbench bytes|lines|stations LIMIT FILE DIR\n");
    return 2;
}

int join(int argc, char** argv)
{
    if (argc < 4)
        return usage();
    morvane::JoinRequest request;
    request.output = argv[2];
    request.inputs.assign(argv + 3, argv + argc);
    request.settings.format = 0;
    request.settings.typeCode = "X-0";
    platform::StderrNotices notices;
    platform::NullProgress progress;
    const auto start = Clock::now();
    const bool done = morvane::JoinFiles(request, notices, progress);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!done)
        return 1;
    std::printf("seconds=%.6f\n", seconds);
    return 0;
}

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

int indexSplit(int argc, char** argv)
{
    if (argc != 5)
        return usage();
    const std::string kind = argv[2];
    morvane::IndexSplit split;
    split.kind = kind == "quad" ? morvane::IndexKind::Quad : morvane::IndexKind::County;
    split.input = argv[3];
    split.outDir = argv[4];
    platform::StderrNotices notices;
    platform::NullProgress progress;
    platform::LineReader input(0);
    if (!input.open(split.input))
        return 1;
    auto start = Clock::now();
    split.indexLines = morvane::defaultNameIndex(input, split.kind, progress).lines;
    const double indexSeconds = since(start);
    input.close();
    start = Clock::now();
    if (!morvane::SplitByIndex(split, notices, progress))
        return 1;
    const double seconds = since(start);
    std::printf("entries=%zu\nindex_seconds=%.6f\nseconds=%.6f\n", split.indexLines.size(), indexSeconds, seconds);
    return 0;
}

int countSplit(int argc, char** argv)
{
    if (argc != 5)
        return usage();
    const std::string kind = argv[1];
    morvane::CountSplit split;
    split.kind = kind == "bytes" ? morvane::CountKind::Bytes
               : kind == "lines" ? morvane::CountKind::Lines
                                 : morvane::CountKind::Stations;
    split.limit = split.kind == morvane::CountKind::Bytes ? morvane::byteLimit(argv[2]) : morvane::countLimit(argv[2]);
    split.input = argv[3];
    split.outDir = argv[4];
    platform::StderrNotices notices;
    platform::NullProgress progress;
    const auto start = Clock::now();
    if (!morvane::SplitByCount(split, notices, progress))
        return 1;
    std::printf("seconds=%.6f\n", since(start));
    return 0;
}

// Times what any split of the same pieces must do at least: create as many
// files, write the same bytes and rename each into place. The bytes are read
// before the clock starts.
int floor(int argc, char** argv)
{
    if (argc != 4)
        return usage();
    namespace fs = std::filesystem;
    std::vector<std::pair<std::string, std::string>> pieces;
    for (const auto& entry : fs::directory_iterator(argv[2])) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        pieces.emplace_back(entry.path().filename().string(),
                            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    const std::string dir = argv[3];
    const auto start = Clock::now();
    for (const auto& [name, bytes] : pieces) {
        const std::string temp = dir + "/." + name + ".tmp";
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0)
            return 1;
        const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (::close(fd) != 0 || !written || ::rename(temp.c_str(), (dir + "/" + name).c_str()) != 0)
            return 1;
    }
    std::printf("files=%zu\nseconds=%.6f\n", pieces.size(), since(start));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "join")
        return join(argc, argv);
    if (command == "index")
        return indexSplit(argc, argv);
    if (command == "bytes" || command == "lines" || command == "stations")
        return countSplit(argc, argv);
    if (command == "floor")
        return floor(argc, argv);
    return usage();
}
