#pragma once
// The file steps of the merge, SAVE and UNDO: write-access tests that change
// nothing, the file a path names, a backup that holds a whole file, and the
// one-step replacement of a file by a complete new one that keeps the
// replaced file's identity (mode, owner, links).
#include <string>

namespace pellorin {

// True when the user may write the file: it exists, is a regular file, the
// process may write it, and it has a write permission bit at all (a file
// without one is read-only even for the superuser, as a read-only attribute
// is for an administrator).
bool isWritableFile(const std::string& path);

// The file that a path names: the target of a symbolic link, else the path.
std::string fileBehind(const std::string& path);

// Copies the bytes of `from` into `to` (an existing empty file), with the
// mode of `from`, flushed to the disk. False on any error.
bool copyFileBytes(const std::string& from, const std::string& to);

// Flushes a closed file's data to the disk.
bool syncFile(const std::string& path);

// A new file in `directory` that holds the whole of `file`: a hard link when
// the file system allows one and `file` has no other links, else a full
// copy. Empty when neither works.
std::string holdWholeFile(const std::string& file, const std::string& directory);

// Whether the file has more than one name (hard links).
bool hasOtherLinks(const std::string& path);

// Puts the complete file `from` in place of `target` in one step and
// removes `from`. With `inPlace` (a target with several hard links, asked
// before any link of the caller's own was made) the target's bytes are
// rewritten from `from`, so every name keeps seeing it; otherwise
// `from` takes the mode and, where the process may, the owner and group of
// `target` (when `target` exists) and is renamed over it, or, when the two
// are on different file systems, copied to a temporary file beside
// `target` that is renamed over it. False when it failed; `from` then still
// exists and `target` is unchanged, except after a rewrite in place that
// stopped halfway.
bool replaceWithFile(const std::string& from, const std::string& target, bool inPlace);

} // namespace pellorin
