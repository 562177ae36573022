#include "platform/file_steps.h"

#include <utility>

namespace platform {

namespace {
FileStepHook& installed()
{
    static FileStepHook hook;
    return hook;
}
} // namespace

const char* fileStepName(FileStep step)
{
    switch (step) {
    case FileStep::TempMade:
        return "temporary file made";
    case FileStep::OldBytesCopied:
        return "old bytes copied";
    case FileStep::TempWritten:
        return "temporary file written";
    case FileStep::TempOnDisk:
        return "temporary file on disk";
    case FileStep::BlockCopied:
        return "block copied";
    case FileStep::CopyNamed:
        return "copy named";
    case FileStep::BackupHeld:
        return "backup held";
    case FileStep::WrittenInPlace:
        return "written in place";
    case FileStep::Renamed:
        return "renamed";
    case FileStep::PutBack:
        return "put back";
    case FileStep::BackupRemoved:
        return "backup removed";
    }
    return "";
}

FileStepHook setFileStepHook(FileStepHook hook)
{
    return std::exchange(installed(), std::move(hook));
}

void fileStep(FileStep step, const std::string& path)
{
    if (installed())
        installed()(step, path);
}

} // namespace platform
