#pragma once
// An output file that changes only once its new data is complete. The data
// goes to a temporary file in the destination's directory, named after the
// destination ("out.txt.tmpXXXXXX"), which is flushed to the disk when
// complete; commit() then renames it over the destination. Append works the
// same way: the temporary file begins with a copy of the destination's
// bytes, so the old bytes and the new ones arrive together. A kill at any
// moment thus leaves the destination with its old or its new bytes. Either
// mode creates a destination that does not exist yet. Nothing is thrown:
// open() and commit() tell whether they worked, failure() says what failed.
//
// The destination keeps its identity:
// - a destination the user may not write is refused at open() by the one
//   rule of isWritableFile (file_swap.h): a file without a write permission
//   bit is read-only even for the superuser;
// - a destination that is not a regular file (a directory, FIFO, device)
//   is refused at open();
// - a symbolic link stays a link: the file it names gets the data, and is
//   created when the link dangles;
// - a replaced file keeps its mode, owner and group; a new file gets 0666
//   less the umask;
// - a file with several hard links (at open()), or one whose owner, group
//   or mode the process cannot give to a new file, gets the new bytes in
//   place, copied from the complete temporary file, so that every name sees
//   them and the file stays the user's file (unless a name was added to it
//   since open(): it is then replaced, and identityNote() says what it could
//   not keep). Until that copy is complete a whole copy of
//   the old bytes lies beside it ("out.txt.oldXXXXXX"); a kill meanwhile
//   leaves that copy and the temporary file. When the copy fails the old
//   bytes are put back, the temporary file is kept and keptTemporary()
//   names it (and keptOldCopy() the copy of the old bytes, when they could
//   not be put back).
//   An Append in place adds the new bytes after the old ones, which it does
//   not rewrite.
// - a destination that changed between open() and commit() of an Append
//   (its bytes were copied at open()) is not replaced: CannotReplace.
#include <string>
#include <vector>

#include <cstdint>

#include "platform/crlf_writer.h"
#include "platform/file_identity.h"

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
    // The whole copy of the old bytes kept after a failed in-place copy that
    // could not put them back; empty otherwise.
    const std::string& keptOldCopy() const { return keptOld_; }
    // For a notice: "\r\nThe new data is kept in <file>." when a temporary
    // file was kept, and "\r\nThe old data is kept in <file>." when the
    // copy of the old bytes was; else empty.
    std::string keptNote() const;
    // For the notice of a commit that worked: "\r\n<file> could not keep its
    // owner, group and mode: ..." when the replaced file's owner, group or
    // mode could not be given to its new bytes, else empty.
    const std::string& identityNote() const { return identityNote_; }

private:
    bool fail(Failure failure);
    bool copyOldBytes(int temp);
    bool copyTempInPlace(int data);
    void discard();

    std::string destination_;
    std::string temp_;
    std::string kept_;
    std::string keptOld_;
    std::string identityNote_;
    Mode mode_ = Mode::Overwrite;
    Failure failure_ = Failure::None;
    bool exists_ = false;       // the destination existed at open()
    unsigned permissions_ = 0;  // its permission bits
    unsigned owner_ = 0;        // its owner and group
    unsigned group_ = 0;
    bool hardLinked_ = false;   // it had more than one name
    std::uint64_t device_ = 0;  // which file it was, with how many names
    std::uint64_t inode_ = 0;
    std::uint64_t links_ = 0;
    bool withOldBytes_ = false; // the temporary file begins with its bytes (Append)
    std::uint64_t oldSize_ = 0; // how many
    FileIdentity copiedFrom_;   // the destination when they were copied
    platform::CrlfWriter writer_;
};

// Writes the lines, each followed by CR LF, through a SafeOutput.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode);
// The same, telling what failed through `failure`, and through `keptNote`
// the kept files' note after a failure, or the identity note after success.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode,
               SafeOutput::Failure& failure, std::string& keptNote);

// Gives an open file that is to replace another the replaced file's owner,
// group and mode (as far as the process may set them; the owner first,
// since a change of owner clears the set-id bits). False when the file did
// not get all three.
bool giveIdentity(int fd, unsigned permissions, unsigned owner, unsigned group);

// For a notice, when giveIdentity() failed: "\r\n<path> could not keep its
// owner, group and mode: it now has mode 0644, owner 1000, group 1000." with
// what the open file `fd` has.
std::string identityNoteFor(const std::string& path, int fd);

// Whether both paths name one existing file, whatever their spelling or links.
bool isSameFile(const std::string& first, const std::string& second);

// The file a write to `path` changes: the end of its chain of symbolic links
// (which need not exist), else the path itself. Empty for a loop of links.
std::string resolveLinks(const std::string& path);

} // namespace platform
