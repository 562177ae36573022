// Loads a datasheet file with the station loader, as File > Disk does
// (without windows), and prints the time and throughput.
#include <chrono>
#include <cstdio>
#include <string>

#include "datasheet/station_loader.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: dsbench FILE\n");
        return 2;
    }
    platform::NullProgress progress;
    ds::LoadedStations loaded;
    auto start = std::chrono::steady_clock::now();
    bool opened = ds::loadStations(argv[1], ds::kKavro, progress, loaded);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!opened) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    std::printf("stations=%zu\n", loaded.listLines.size());
    std::printf("seconds=%.6f\n", seconds);
    return 0;
}
