// libFuzzer target over Pellorin's reads of datasheet files: the input is
// split into an OLD file and an UPDATE file at its first 0xFF byte (or its
// middle); both are loaded as UPDATE loads them, merged with a backup, and
// put back by UNDO. The merge must succeed, its offsets must point at lines
// of the merged file, and UNDO must give the OLD file back byte for byte.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "datasheet/offset_index.h"
#include "pellorin/core/merge.h"
#include "pellorin/core/retrieval_date.h"
#include "pellorin/core/station_lists.h"
#include "platform/notices.h"
#include "platform/progress.h"

#include "tests/fuzz/fuzz_scratch.h"

namespace {

std::string scratchDir()
{
    return fuzzsupport::scratchDir("plfuzz");
}

void writeAll(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::abort();
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "fuzz_pellorin: %s\n", what);
    std::abort();
}

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t cut = text.find('\xFF');
    if (cut == std::string_view::npos)
        cut = size / 2;
    const std::string_view oldBytes = text.substr(0, cut);
    const std::string_view upBytes = text.substr(cut < size ? cut + 1 : cut);

    const std::string dir = scratchDir();
    const std::string oldPath = dir + "/old.dat", upPath = dir + "/up.dat", backup = pellorin::backupPathIn(dir);
    writeAll(oldPath, oldBytes);
    writeAll(upPath, upBytes);
    ::unlink(backup.c_str());

    std::string date;
    pellorin::GetRetrievalDate(oldPath, date);
    pellorin::DateToYmd(oldBytes.substr(0, 60));

    pellorin::UpdateLists lists;
    platform::NullProgress progress;
    if (!lists.LoadUpList(upPath, progress) || !lists.LoadOldList(oldPath, progress) ||
        !lists.LoadUpList(upPath, progress))
        fail("a load could not open its file");
    const std::size_t oldCount = lists.oldList.size();

    platform::RecordingNotices notices;
    pellorin::MergeInput input{oldPath, upPath, backup, lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
    pellorin::MergeLists merge{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
    pellorin::CommitResult merged;
    if (!pellorin::MergeFiles(input, merge, notices, progress, merged))
        fail(notices.recorded().empty() ? "merge failed" : notices.recorded().back().text.c_str());
    if (!lists.upList.empty() || lists.oldList.size() < oldCount ||
        lists.oldLocList.size() != lists.oldList.size())
        fail("lists after the merge");
    // Every offset of the old list points at the start of a line of the
    // merged file: a header, or the first line of update text that held
    // station lines before any header.
    const std::string mergedBytes = readAll(oldPath);
    for (const std::string& loc : lists.oldLocList.lines()) {
        const auto offset = static_cast<std::size_t>(ds::locLineOffset(loc));
        if (offset >= mergedBytes.size() || (offset > 0 && mergedBytes[offset - 1] != '\n'))
            fail("an offset of the old list is no line start of the merged file");
    }
    if (!pellorin::UndoMerge(oldPath, backup, notices, merged) || readAll(oldPath) != oldBytes)
        fail("UNDO did not give the old file back");
    return 0;
}
