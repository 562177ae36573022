#pragma once
// Named points between the steps of a file change (the temporary file
// written, the old bytes kept aside, each block of a copy, the rename). The
// programs install no hook; a test installs one that stops the process at a
// chosen point, to see what a kill at that moment leaves on the disk.
namespace platform {

using FileStepHook = void (*)(const char* step);

// Installs the hook (null removes it); returns the previous one.
FileStepHook setFileStepHook(FileStepHook hook);

// Calls the hook, when one is installed, with the name of the step just done.
void fileStep(const char* step);

} // namespace platform
