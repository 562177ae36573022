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
//   not keep). Until that copy is complete a whole copy of the old bytes
//   lies beside it ("out.txt.oldXXXXXX", which takes that name only once
//   complete and flushed); a kill meanwhile leaves that copy and the
//   temporary file, which holds the whole new file. When the copy fails the
//   old bytes are put back, the temporary file is kept and keptTemporary()
//   names it (and keptOldCopy() the copy of the old bytes, when they could
//   not be put back).
//   An Append in place adds the new bytes after the old ones, which it does
//   not rewrite.
// - a destination that changed between open() and commit() of an Append
//   (its bytes were copied at open()) is not replaced: CannotReplace, and
//   keptNote() says why. It is asked last just before the rename or the
//   write in place, after the new file is flushed. A destination that
//   changes while its bytes are copied (at an Append's open(), or into the
//   whole copy of the old bytes) fails the same way.
#include <string>
#include <vector>

#include <cstdint>

#include "platform/crlf_writer.h"
#include "platform/file_identity.h"

namespace platform {

enum class WriteMode { Overwrite, Append };

enum class WriteFailure {
    None,
    NotWritable,     // open(): the destination may not be written
    NotRegularFile,  // open(): a directory, FIFO, device, or a loop of links
    CannotMakeTemp,  // open(): no temporary file in the destination's directory
    CannotWriteTemp, // commit(): the temporary file could not be written out
    CannotReplace,   // commit(): the rename, append or in-place copy failed, or an
                     // Append's destination changed since its bytes were read
};

// What decides whether a destination gets its new bytes by a rename of the
// new file over it or in place (copied into the file itself).
struct WriteFacts {
    bool exists = false;                // the destination is there at the commit
    bool severalNamesAtOpen = false;    // it had more than one name at open()
    bool sameNamesAsAtOpen = true;      // it is the file of open(), with as many names
    bool identityGivable = true;        // a new file can get its owner, group and mode
    bool appendWithoutOldBytes = false; // an Append whose new file lacks the old bytes
};
enum class WriteWay { Rename, InPlace };
// - every name of a file with several names at open() sees the new bytes:
//   in place;
// - an Append without the old bytes (a file that appeared since open(), or
//   that may not be read) adds to the file: in place;
// - a file whose owner, group or mode a new file cannot have stays the
//   user's file: in place, unless it got a name since open() (a backup the
//   caller holds by a hard link), which must keep the old bytes: renamed,
//   and the identity note says what the file could not keep;
// - else, and for a file that is not there: renamed.
WriteWay chooseWriteWay(const WriteFacts& facts);

// One destination's change, step by step, for the SafeOutput below and for
// writers of many files (a split) that put every file in place before any
// is finished, and can undo the ones done when a later one fails.
//   begin()   takes the destination's facts and makes the temporary file
//             (for an Append it begins with the destination's bytes);
//   prepare() checks the destination, chooses the way, gives the new file
//             the old one's identity and flushes it to the disk;
//   place()   renames it over the destination, or copies it in place with a
//             whole copy of the old bytes beside ("<name>.oldXXXXXX");
//   undo()    puts the old bytes back after a place() that worked;
//   finish()  removes what was kept for an undo.
class FileChange {
public:
    FileChange() = default;
    ~FileChange();
    FileChange(const FileChange&) = delete;
    FileChange& operator=(const FileChange&) = delete;

    // Returns the temporary file open for writing after what it holds (the
    // caller closes it), or -1 (failure() says why).
    int begin(const std::string& path, WriteMode mode);
    // False when the change cannot go on; the destination is untouched.
    // `flushNew`: a file new to its name is flushed too (a writer whose input
    // still holds the data may leave that to the system).
    bool prepare(bool flushNew = true);
    // `keepForUndo`: the old bytes stay under a second name (a hard link or a
    // whole copy) until finish(), so that undo() can put them back.
    bool place(bool keepForUndo);
    // After place(keepForUndo = true): the old bytes back in their place.
    bool undo();
    void finish();
    // Removes the temporary file unless it is kept after a failed copy.
    void discard();

    const std::string& destination() const { return destination_; }
    const std::string& temporary() const { return temp_; }
    bool replaced() const { return placed_ && !inPlace_; }
    WriteFailure failure() const { return failure_; }
    int error() const { return error_; }
    // Marks a write to the temporary file as failed, with its errno.
    void writeFailed(int error);
    const std::string& keptTemporary() const { return kept_; }
    const std::string& keptOldCopy() const { return keptOld_; }
    // The files kept beside the destination after a failure, and why it
    // failed where that is known; keptNote() is the two together.
    std::string keptFilesNote() const;
    std::string reasonNote() const;
    std::string keptNote() const { return keptFilesNote() + reasonNote(); }
    const std::string& identityNote() const { return identityNote_; }

private:
    bool fail(WriteFailure failure, int error);
    bool copyOldBytes(int temp);
    bool copyInPlace(int data, bool keepForUndo);
    bool oldBytesStillCurrent();

    std::string destination_;
    std::string temp_;
    std::string kept_;
    std::string keptOld_;
    std::string held_;          // the old bytes under a second name, for an undo
    std::string identityNote_;
    WriteMode mode_ = WriteMode::Overwrite;
    WriteFailure failure_ = WriteFailure::None;
    int error_ = 0;
    bool changed_ = false;      // the Append's destination changed since its bytes were read
    bool exists_ = false;       // the destination existed at open()
    unsigned permissions_ = 0;  // its permission bits
    unsigned owner_ = 0;        // its owner and group
    unsigned group_ = 0;
    std::uint64_t device_ = 0;  // which file it was, with how many names
    std::uint64_t inode_ = 0;
    std::uint64_t links_ = 0;
    bool withOldBytes_ = false; // the temporary file begins with its bytes (Append)
    std::uint64_t oldSize_ = 0; // how many
    std::uint64_t sizeBefore_ = 0; // the destination's size before an in-place write
    FileIdentity copiedFrom_;   // the destination when they were copied
    bool present_ = false;      // the destination was there at prepare()
    bool inPlace_ = false;
    bool placed_ = false;
};

class SafeOutput {
public:
    using Mode = WriteMode;
    using Failure = WriteFailure;

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
    Failure failure() const { return change_.failure(); }
    // The temporary file that holds the complete new data after an in-place
    // copy failed; empty otherwise.
    const std::string& keptTemporary() const { return change_.keptTemporary(); }
    // The whole copy of the old bytes kept after a failed in-place copy that
    // could not put them back; empty otherwise.
    const std::string& keptOldCopy() const { return change_.keptOldCopy(); }
    // For a notice after a failure: "\r\nThe new data is kept in <file>."
    // when a temporary file was kept, "\r\nThe old data is kept in <file>."
    // when the copy of the old bytes was, and the reason where there is one
    // ("\r\nThe disk is full.", "\r\n<file> has changed since it was read:
    // nothing was added."); else empty.
    std::string keptNote() const { return change_.keptNote(); }
    // The kept files' part of keptNote() alone, for a notice that gives the
    // reason in its own words.
    std::string keptFilesNote() const { return change_.keptFilesNote(); }
    // For the notice of a commit that worked: "\r\n<file> could not keep its
    // owner, group and mode: ..." when the replaced file's owner, group or
    // mode could not be given to its new bytes, else empty.
    const std::string& identityNote() const { return change_.identityNote(); }

private:
    FileChange change_;
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
