#pragma once
// File system helpers: names, existence, directory listing, temporary
// files and the replace-by-rename that every save goes through.
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

// The text after the last '/' (the whole name when it has none).
std::string fileNamePart(const std::string& path);
// The text before the last '/' ("/" for a name in the root, empty when it has none).
std::string directoryPart(const std::string& path);
// `directory` joined with `name` by one '/'.
std::string joinPath(const std::string& directory, const std::string& name);

bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);
bool isRegularFile(const std::string& path);

// Entry names of a directory in name order, without "." and "..".
// Returns false when the directory cannot be opened.
bool listDirectory(const std::string& path, std::vector<std::string>& names);

// Finds `name` in `directory`: the exact name when it exists, else the first
// entry (in name order) that equals it case-insensitively. Empty when none.
std::string findEntry(const std::string& directory, const std::string& name);
// Walks the components one by one with findEntry. Empty when one is missing.
std::string resolvePath(const std::string& root, const std::vector<std::string>& components);
// The path resolvePath finds, else the components joined to `root` as given,
// so that opening a file that is not there fails.
std::string locatePath(const std::string& root, const std::vector<std::string>& components);

// The prefix of a temporary file that belongs to `path`: its name, a dot and
// `kind` ("out.txt.tmp"), with the name cut where the random letters would
// make it too long for a directory entry. A user who finds such a file after
// a crash can tell which file it belongs to.
std::string tempPrefixFor(const std::string& path, const std::string& kind);

// Creates a new empty file named prefix + random in `directory` (mkstemp).
// Returns its path, or empty when it cannot be created.
std::string makeTempFile(const std::string& directory, const std::string& prefix = "tmp");
// The same, created with `permissions` less the umask (mkstemp gives 0600).
std::string makeTempFile(const std::string& directory, const std::string& prefix, unsigned permissions);
// The same, left open for writing: returns the descriptor (the caller
// closes it) and sets `path`, or -1 when the file cannot be created.
int createTempFile(const std::string& directory, const std::string& prefix, unsigned permissions, std::string& path);

// How many files the process may have open, after raising the soft limit
// to the hard one (once; later calls return the figure).
std::size_t openFileLimit();
// Renames `from` over `to` (atomic on one file system).
bool replaceFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);
// Gives the file `from` a name that no file has, prefix + six random letters
// in `directory`: a hard link when `keepFrom` (the file keeps its name),
// else a move that never replaces a file, so that the name never exists
// before it holds the whole file (where the file system has neither hard
// links nor a rename that refuses to replace, a rename to a name found
// free). Returns the name, or empty (errno tells why: EPERM for a link
// where the file system has none).
std::string nameUniquely(const std::string& from, const std::string& directory, const std::string& prefix,
                         bool keepFrom);
// Flushes a directory's entries to the disk, so that renames in it last.
void syncDirectory(const std::string& directory);

// The process's current directory.
std::string currentDirectory();

// Mounted volumes where a CD-ROM or other removable media can be (the root,
// and mount points under /media, /run/media and /mnt), then the current directory.
std::vector<std::string> listDrives();

} // namespace platform
