#include "platform/file_steps.h"

namespace platform {

namespace {
FileStepHook installed = nullptr;
} // namespace

FileStepHook setFileStepHook(FileStepHook hook)
{
    const FileStepHook previous = installed;
    installed = hook;
    return previous;
}

void fileStep(const char* step)
{
    if (installed)
        installed(step);
}

} // namespace platform
