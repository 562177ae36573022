#pragma once
// The identity of a file at one moment: which file it is (device, inode) and
// which contents it has (size, modification time). Work that reads a loaded
// file again by byte offset takes the identity at the load and compares it
// before each read: a file cut short, rewritten or replaced since then has
// other offsets, and reading it would copy the wrong bytes.
#include <cstdint>
#include <string>

#include "platform/notices.h"

namespace platform {

struct FileIdentity {
    bool known = false; // false when the file could not be examined
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;

    // The identity of the file `path` names (a link is followed).
    static FileIdentity of(const std::string& path);
    // The identity of an open file.
    static FileIdentity ofDescriptor(int fd);
    // True when `path` still names this file with these contents. An unknown
    // identity never matches.
    bool matches(const std::string& path) const;
};

// The notice text for a loaded file that has changed since its load.
std::string fileChangedText(const std::string& path);

// Checks that `path` is still the file loaded as `loaded`; when it is not,
// shows the changed-file notice under `caption` and returns false. A file
// that is gone passes: the read that follows cannot open it and gives its
// own notice.
bool checkUnchanged(const std::string& path, const FileIdentity& loaded, NoticeSink& sink,
                    std::string_view caption);

} // namespace platform
