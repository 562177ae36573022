#pragma once
// The file steps of a change that a SafeOutput does not take (Pellorin's
// merge and UNDO): write-access tests that change nothing, a backup that
// holds a whole file, and putting the backup back in one step.
#include <string>

namespace platform {

// The one read-only rule of every writer. True when the user may write the
// file: it exists, is a regular file, it has a write permission bit at all
// (a file without one is read-only even for the superuser, as a read-only
// attribute is for an administrator), and the process may open it for
// writing (permission, immutable flag, read-only mount).
bool isWritableFile(const std::string& path);

// How a hold keeps the file: by a hard link where it may, or always by a
// copy (for a file that is then to be written in place).
enum class Hold { LinkWhenAlone, Copy };

// A new file in `directory`, named after `file` ("<name>.oldXXXXXX"), that
// holds the whole of `file`: a hard link when
// the file system allows one and `file` has no other links, else a full
// copy with its mode, owner and group (as far as the process may set them),
// flushed to the disk. Hold::Copy always copies. Empty when neither works.
std::string holdWholeFile(const std::string& file, const std::string& directory, Hold hold = Hold::LinkWhenAlone);

// Puts the file `from` (the backup, the old file itself) in place of
// `target` in one step and removes it: by a rename, so the target becomes
// that very file again; when the target has several hard links, or lies on
// another file system, by a full copy through a SafeOutput (written in
// place, or renamed over it). A missing target is created. False when it
// failed; `from` is then still there.
bool restoreFile(const std::string& from, const std::string& target);

} // namespace platform
