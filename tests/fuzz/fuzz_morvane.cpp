// libFuzzer target over Morvane's engines that read datasheet files: the
// join in its three formats with and without the type filter, the default
// indexes, the index-driven splits and the splits by bytes, lines and
// stations (one join and one split a run).
//
// Every run works in one scratch directory, made once beside the target's
// binary (fuzz_scratch.h: under the build directory, removed at exit), with
// an output directory for each engine.
// A run puts the same old piece in each output directory, so that a split
// both adds to or replaces a kept file and makes new ones, and afterwards
// removes exactly the files the run made, by name: no directory is read or
// made again, and the next run starts from the same state.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "datasheet/datasheet_format.h"
#include "morvane/core/index_files.h"
#include "morvane/core/join.h"
#include "morvane/core/splits.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

#include "tests/fuzz/fuzz_scratch.h"

namespace {

constexpr std::string_view kOldPiece = "old piece\r\n";

struct Scratch {
    std::string dir;
    std::string input;
    std::string joinDir;
    std::string indexDir;
    std::string countDir;
};

void removeScratch();

const Scratch& scratch()
{
    static const Scratch made = [] {
        namespace fs = std::filesystem;
        Scratch s;
        s.dir = fuzzsupport::scratchDir("mvfuzz");
        s.input = s.dir + "/in.dat";
        s.joinDir = s.dir + "/join";
        s.indexDir = s.dir + "/index";
        s.countDir = s.dir + "/count";
        for (const auto* sub : {&s.joinDir, &s.indexDir, &s.countDir})
            fs::create_directory(*sub);
        return s;
    }();
    static const bool cleanedAtExit = std::atexit(removeScratch) == 0;
    (void)cleanedAtExit;
    return made;
}

void removeScratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(scratch().dir, ignored);
}

void writeBytes(const std::string& path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        std::abort();
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0)
            std::abort();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    ::close(fd);
}

// The numbered pieces dsdata.001, dsdata.002, ... of a count split, which
// come without a gap.
void removeNumberedPieces(const std::string& dir)
{
    for (int number = 1; ::unlink((dir + "/" + morvane::pieceName(number)).c_str()) == 0; ++number) {
    }
}

// Every name a PID piece of this input can have: the PID of any line that
// begins with a blank and a PID, and the fallback.
void removePidPieces(const std::string& dir, std::string_view data)
{
    std::set<std::string> names{"XX0000.out"};
    for (std::size_t start = 0; start < data.size();) {
        const std::size_t end = std::min(data.find('\n', start), data.size());
        const std::string_view line = data.substr(start, end - start);
        if (line.size() >= 7 && line[0] == ' ' && ds::isUpper(line[1]) && ds::isUpper(line[2]) &&
            ds::isDigit(line[3]) && ds::isDigit(line[4]) && ds::isDigit(line[5]) && ds::isDigit(line[6]))
            names.insert(std::string(line.substr(1, 6)) + ".out");
        start = end + 1;
    }
    for (const auto& name : names)
        ::unlink((dir + "/" + name).c_str());
}

void splitByIndex(morvane::IndexKind kind, const std::vector<std::string>& index, platform::NoticeSink& notices,
                  platform::ProgressSink& progress)
{
    const Scratch& s = scratch();
    writeBytes(s.indexDir + "/dsdata.000", kOldPiece);
    morvane::SplitByIndex({kind, index, s.input, s.indexDir}, notices, progress);
    ::unlink((s.indexDir + "/dsdata.000").c_str());
    for (const auto& line : index)
        if (line.size() > 4)
            ::unlink((s.indexDir + "/dsdata." + line.substr(1, 3)).c_str());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const Scratch& s = scratch();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    writeBytes(s.input, bytes);
    platform::RecordingNotices notices;
    platform::NullProgress progress;

    // Each run takes one of the joins and one of the splits, by the input's
    // size: a mutation that keeps the size (a changed byte) explores the same
    // engines further, one that changes it moves to others.
    const std::size_t join = size % 9;
    const std::size_t split = (size / 9) % 8;

    const char* const codes[] = {"X-0", "H-1", "GPS"};
    morvane::JoinRequest request;
    request.inputs = {s.input, s.input};
    request.output = s.joinDir + "/joined.txt";
    request.settings.format = static_cast<int>(join / 3);
    request.settings.typeCode = codes[join % 3];
    morvane::JoinFiles(request, notices, progress);

    if (split < 2) {
        const morvane::IndexKind kind = split == 0 ? morvane::IndexKind::Quad : morvane::IndexKind::County;
        platform::LineReader reader(0);
        if (!reader.open(s.input))
            std::abort();
        splitByIndex(kind, morvane::defaultNameIndex(reader, kind, progress).lines, notices, progress);
        return 0;
    }
    if (split == 2) {
        splitByIndex(morvane::IndexKind::Area, morvane::defaultAreaIndex(), notices, progress);
        return 0;
    }
    const morvane::CountSplit counts[] = {
        {morvane::CountKind::Bytes, 200, true, 1, s.input, s.countDir},
        {morvane::CountKind::Bytes, 0, false, 1, s.input, s.countDir},
        {morvane::CountKind::Lines, 3, false, 1, s.input, s.countDir},
        {morvane::CountKind::Stations, 2, true, 1, s.input, s.countDir},
        {morvane::CountKind::Stations, 1, true, 0, s.input, s.countDir},
    };
    const morvane::CountSplit& count = counts[split - 3];
    writeBytes(s.countDir + "/dsdata.001", kOldPiece);
    morvane::SplitByCount(count, notices, progress);
    removeNumberedPieces(s.countDir);
    if (count.prefixMode == 0)
        removePidPieces(s.countDir, bytes);
    return 0;
}
