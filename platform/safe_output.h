#pragma once
// An output file that changes only once its new data is complete. The data
// goes to a temporary file in the destination's directory; commit() renames
// it over the destination (Overwrite) or adds its bytes at the destination's
// end (Append; when that fails the destination is cut back to its old
// length). Either mode creates a destination that does not exist yet. A
// destination that is a symbolic link is written through to the file it
// names. Nothing is thrown: open() and commit() tell whether they worked.
#include <string>
#include <vector>

#include "platform/crlf_writer.h"

namespace platform {

class SafeOutput {
public:
    enum class Mode { Overwrite, Append };

    SafeOutput() = default;
    // Removes the temporary file when the output was never committed.
    ~SafeOutput();
    SafeOutput(const SafeOutput&) = delete;
    SafeOutput& operator=(const SafeOutput&) = delete;

    // False when the temporary file cannot be made (no such directory, no
    // permission to write there).
    bool open(const std::string& path, Mode mode);
    // Where the new data is written; lines end in CR LF.
    platform::CrlfWriter& writer() { return writer_; }
    // True when the destination now holds the data.
    bool commit();

private:
    bool appendTemp();
    void discard();

    std::string destination_;
    std::string temp_;
    Mode mode_ = Mode::Overwrite;
    platform::CrlfWriter writer_;
};

// Writes the lines, each followed by CR LF, through a SafeOutput.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode);

// Whether both paths name one existing file, whatever their spelling or links.
bool isSameFile(const std::string& first, const std::string& second);

} // namespace platform
