// The plot's scene build on the results of a whole state: every station of
// FILE as a results line, the centre found as the plot window finds it, the
// scene built for the 309 x 400 window at the plot's first span (most labels
// lie off the window and are left out).
//   plotbench FILE
// Prints the best of 5 builds over the first tenth of the lines and over all
// of them, and the centre search over all; the last line is "seconds=<float>"
// (the build over all lines).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "datasheet/plot_scene.h"
#include "datasheet/station_loader.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Work>
double best(Work work)
{
    double fastest = 1e9;
    for (int i = 0; i < 5; ++i) {
        const auto start = Clock::now();
        work();
        fastest = std::min(fastest, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plotbench FILE\n");
        return 2;
    }
    ds::LoadedStations loaded;
    platform::NullProgress progress;
    if (!ds::loadStations(argv[1], ds::kKavro, progress, loaded) || loaded.listLines.empty()) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    const std::vector<std::string>& all = loaded.listLines;
    const std::vector<std::string> tenth(all.begin(), all.begin() + static_cast<long>(all.size() / 10));
    const ds::FixedPlotMetrics metrics(7, 16);

    ds::PlotState state;
    const double centre = best([&] {
        state = ds::resetPlotState(ds::kPlotClientWidth, ds::kPlotClientHeight, metrics);
        ds::findPlotCenter(state, all);
    });
    std::size_t steps = 0;
    auto build = [&](const std::vector<std::string>& lines) {
        return best([&] {
            steps = ds::buildPlotScene(state, lines, ds::kPlotClientWidth, ds::kPlotClientHeight, metrics).size();
        });
    };
    const double tenthSeconds = build(tenth);
    const double allSeconds = build(all);
    std::printf("lines=%zu\nsteps=%zu\ncentre_seconds=%.6f\ntenth_seconds=%.6f\nseconds=%.6f\n", all.size(), steps,
                centre, tenthSeconds, allSeconds);
    return 0;
}
