// Pellorin's UPDATE and Commit without windows, on two datasheet files:
//   plbench load OLD UPDATE           the three loads of UPDATE (update, old,
//                                     update again)
//   plbench commit OLD UPDATE WORKDIR the loads, then the merge into OLD with
//                                     its backup in WORKDIR (timed alone)
// The last line is "seconds=<float>".
#include <chrono>
#include <cstdio>
#include <string>

#include "pellorin/core/merge.h"
#include "pellorin/core/station_lists.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool loadBoth(pellorin::UpdateLists& lists, const std::string& oldPath, const std::string& upPath)
{
    platform::NullProgress progress;
    if (!lists.LoadUpList(upPath, progress) || !lists.LoadOldList(oldPath, progress))
        return false;
    lists.upList.clear();
    return lists.LoadUpList(upPath, progress);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (!((command == "load" && argc == 4) || (command == "commit" && argc == 5))) {
        std::fprintf(stderr, "usage: plbench load OLD UPDATE | plbench commit OLD UPDATE WORKDIR\n");
        return 2;
    }
    const std::string oldPath = argv[2], upPath = argv[3];
    pellorin::UpdateLists lists;
    const auto start = Clock::now();
    if (!loadBoth(lists, oldPath, upPath)) {
        std::fprintf(stderr, "plbench: cannot read the files\n");
        return 1;
    }
    double seconds = since(start);
    std::printf("old stations %zu, update stations %zu\n", lists.oldList.size(), lists.upList.size());
    if (command == "commit") {
        platform::StderrNotices notices;
        platform::NullProgress progress;
        pellorin::MergeInput input{oldPath, upPath, pellorin::backupPathIn(argv[4]), lists.oldIdentity,
                                   lists.upIdentity, lists.upUndesignated};
        pellorin::MergeLists merge{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        pellorin::CommitResult merged;
        const auto mergeStart = Clock::now();
        if (!pellorin::MergeFiles(input, merge, notices, progress, merged))
            return 1;
        seconds = since(mergeStart);
        std::printf("merged stations %zu\n", lists.oldList.size());
    }
    std::printf("seconds=%.6f\n", seconds);
    return 0;
}
