#pragma once
// Files whose body lines lost their leading blank, so that the PID starts in
// the first column. The probe finds them; the repair puts the blank back.
#include <string>

#include "platform/progress.h"

namespace ds {

enum class ProbeResult { Aligned, Misaligned, CannotOpen };

// Looks at the first 500 reads (pieces of 149 characters) for a line that
// begins with two upper-case letters and four digits. Only the start of a
// line counts: the piece that continues a long line is not a line start,
// and the repair would not change it.
ProbeResult probeMisaligned(const std::string& path);

enum class RepairResult {
    Fixed,
    Unchanged,      // nothing to repair: the file was not written
    CannotReadData, // the data file cannot be opened for reading
    CannotWriteTemp, // the repaired copy cannot be created or written
    CannotReadTemp,  // kept for the notice table; the copy is never read back
    CannotWriteData, // the data file may not be written (permission, a
                     // read-only mount), or the copy cannot replace it
};

// Rewrites the file with CR LF line ends and one blank in front of every line
// that is neither a header line nor begins with a blank. Lines are copied whole
// whatever their length. The copy is written next to the file and renamed over
// it only when complete; on any failure the file stays as it was and the copy
// is removed. A file that the rewrite would leave byte for byte as it is
// (no line lacks its blank, every line ends in CR LF) is not written.
// Progress goes from 0 to 100 over the file.
// A file with several hard links is written in place from the complete
// copy; when that fails the copy is kept and `keptNote` (when given) gets
// the sentence that names it.
RepairResult repairMisaligned(const std::string& path, platform::ProgressSink& progress,
                              std::string* keptNote = nullptr);

} // namespace ds
