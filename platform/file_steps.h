#pragma once
// Named points between the steps of a file change, for the shared writer
// (SafeOutput), the whole copies and backups, and the split's outputs. The
// programs install no hook; a test installs one that stops the process at a
// chosen point, to see what a kill at that moment leaves on the disk.
#include <functional>
#include <string>

namespace platform {

// Each step is reported once it is done, with the file it concerns.
enum class FileStep {
    TempMade,       // a temporary file for new data was made (its path)
    OldBytesCopied, // an Append's temporary file holds the destination's bytes
    TempWritten,    // the new data is all in the temporary file
    TempOnDisk,     // the temporary file is flushed to the disk
    BlockCopied,    // one block of a copy between files (the file written)
    CopyNamed,      // a whole copy took its name (that name)
    BackupHeld,     // the old file got a second name (that name)
    WrittenInPlace, // the new bytes are all in the file itself
    Renamed,        // the new file took the destination's name
    PutBack,        // a destination got its old bytes back after a failure
    BackupRemoved,  // a backup or kept copy is gone (its former name)
};

// A readable name of the step, for test messages.
const char* fileStepName(FileStep step);

using FileStepHook = std::function<void(FileStep step, const std::string& path)>;

// Installs the hook (an empty one removes it); returns the previous one.
FileStepHook setFileStepHook(FileStepHook hook);

// Calls the hook, when one is installed.
void fileStep(FileStep step, const std::string& path);

} // namespace platform
