#pragma once
// An output file that changes only once its new data is complete. The data
// goes to a temporary file in the destination's directory, which is flushed
// to the disk when complete; commit() then renames it over the destination
// (Overwrite) or adds its bytes at the destination's end (Append; when that
// fails the destination is cut back to its old length). Either mode creates
// a destination that does not exist yet. Nothing is thrown: open() and
// commit() tell whether they worked, failure() says what failed.
//
// The destination keeps its identity:
// - a destination the user may not write (permission, immutable flag,
//   read-only mount) is refused at open(), as the Append of it would be;
// - a destination that is not a regular file (a directory, FIFO, device)
//   is refused at open();
// - a symbolic link stays a link: the file it names gets the data, and is
//   created when the link dangles;
// - a replaced file keeps its mode and, where the process may set them,
//   its owner and group; a new file gets 0666 less the umask;
// - a file with several hard links gets the new bytes in place, copied from
//   the complete temporary file, so that every name sees them; when that
//   copy fails the temporary file is kept and keptTemporary() names it.
#include <string>
#include <vector>

#include "platform/crlf_writer.h"

namespace platform {

class SafeOutput {
public:
    enum class Mode { Overwrite, Append };

    enum class Failure {
        None,
        NotWritable,     // open(): the destination may not be written
        NotRegularFile,  // open(): a directory, FIFO, device, or a loop of links
        CannotMakeTemp,  // open(): no temporary file in the destination's directory
        CannotWriteTemp, // commit(): the temporary file could not be written out
        CannotReplace,   // commit(): the rename, append or in-place copy failed
    };

    SafeOutput() = default;
    // Removes the temporary file when the output was never committed (and
    // the temporary file is not the one kept after a failed in-place copy).
    ~SafeOutput();
    SafeOutput(const SafeOutput&) = delete;
    SafeOutput& operator=(const SafeOutput&) = delete;

    // False when the destination is refused or the temporary file cannot be
    // made (no such directory, no permission to write there).
    bool open(const std::string& path, Mode mode);
    // Where the new data is written; lines end in CR LF.
    platform::CrlfWriter& writer() { return writer_; }
    // True when the destination now holds the data.
    bool commit();

    // What the last open() or commit() failed at.
    Failure failure() const { return failure_; }
    // The temporary file that holds the complete new data after an in-place
    // copy failed; empty otherwise.
    const std::string& keptTemporary() const { return kept_; }
    // For a notice: "\r\nThe new data is kept in <file>." when a temporary
    // file was kept, else empty.
    std::string keptNote() const;

private:
    bool fail(Failure failure);
    bool finishTemp();
    bool appendTemp();
    bool copyTempInPlace();
    void discard();

    std::string destination_;
    std::string temp_;
    std::string kept_;
    Mode mode_ = Mode::Overwrite;
    Failure failure_ = Failure::None;
    bool exists_ = false;       // the destination existed at open()
    unsigned permissions_ = 0;  // its permission bits
    unsigned owner_ = 0;        // its owner and group
    unsigned group_ = 0;
    bool hardLinked_ = false;   // it had more than one name
    platform::CrlfWriter writer_;
};

// Writes the lines, each followed by CR LF, through a SafeOutput.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode);
// The same, telling what failed through `failure` and the kept temporary
// file's note through `keptNote`.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode,
               SafeOutput::Failure& failure, std::string& keptNote);

// Gives an open file that is to replace another the replaced file's owner,
// group and mode (as far as the process may set them; the owner first,
// since a change of owner clears the set-id bits).
void giveIdentity(int fd, unsigned permissions, unsigned owner, unsigned group);

// Whether both paths name one existing file, whatever their spelling or links.
bool isSameFile(const std::string& first, const std::string& second);

// The file a write to `path` changes: the end of its chain of symbolic links
// (which need not exist), else the path itself. Empty for a loop of links.
std::string resolveLinks(const std::string& path);

} // namespace platform
