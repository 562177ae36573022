#pragma once
// The file steps of a change that a SafeOutput does not take (Pellorin's
// merge and UNDO): write-access tests that change nothing, a backup that
// holds a whole file.
#include <cerrno>
#include <string>

#include "platform/file_identity.h"

namespace platform {

// The one read-only rule of every writer. True when the user may write the
// file: it exists, is a regular file, it has a write permission bit at all
// (a file without one is read-only even for the superuser, as a read-only
// attribute is for an administrator), and the process may open it for
// writing (permission, immutable flag, read-only mount).
bool isWritableFile(const std::string& path);

// The error number (errno) of a whole copy whose source changed while it was
// copied: it was cut short, grew, or was written to or replaced.
constexpr int kSourceChanged = ESTALE;

// For a notice: "<path> changed while it was copied: nothing was changed."
std::string changedWhileCopiedText(const std::string& path);

// Copies the whole of the open file `from` (from its start) to the end of
// `to`, reporting each block as a file step of `written`. False on a read or
// write error (errno tells which), and with errno kSourceChanged when the
// copy does not hold as many bytes as `from` had when it began, or `from`
// changed meanwhile (its size, modification time or inode). `copied`, when
// given, gets the identity `from` had, which the copy holds.
bool copyWholeFile(int from, int to, const std::string& written, FileIdentity* copied = nullptr);

// How a whole copy is named once complete.
enum class CopyName {
    Beside, // a new name "<name>.oldXXXXXX" that no file had
    Exact,  // `name` itself, replacing the file of that name
};

// The one way every safety copy and backup is made: the whole of the open
// file `from` (from its start) is copied into a new file "<name>.tmpXXXXXX"
// in the directory of `name`, with the mode of `from` and, where the process
// may set them, its owner and group; it is flushed to the disk, and only
// then takes its name (`naming`). So a file under an ".old" or backup name is
// always whole, and holds what `from` held when the copy began (a source
// that changed meanwhile fails it: kSourceChanged). Returns the name it
// took, or empty when it failed (nothing is left; errno tells why).
std::string writeWholeCopy(int from, const std::string& name, CopyName naming);

// How a hold keeps the file: by a hard link where it may, or always by a
// copy (for a file that is then to be written in place).
enum class Hold { LinkWhenAlone, Copy };

// A new file in `directory`, named after `file` ("<name>.oldXXXXXX"), that
// holds the whole of `file`: a hard link when the file system allows one
// and `file` has no other links, else a whole copy (writeWholeCopy).
// Hold::Copy always copies. Empty when neither works.
std::string holdWholeFile(const std::string& file, const std::string& directory, Hold hold = Hold::LinkWhenAlone);

} // namespace platform
