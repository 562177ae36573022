// Runs one Morvane operation without windows and prints the time it took:
//   mvbench join OUT IN...          join the files, datasheet text, any type
// The last line is "seconds=<float>".
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "morvane/core/join.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace {

using Clock = std::chrono::steady_clock;

int usage()
{
    std::fprintf(stderr, "usage: mvbench join OUT IN...\n");
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string command = argv[1];
    if (command == "join")
        return join(argc, argv);
    return usage();
}
