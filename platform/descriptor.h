#pragma once
// A file descriptor that is closed when it goes out of scope, and the copy
// of the rest of one open file into another, for the file steps that work
// on descriptors (SafeOutput's commit, the whole-file backups).

#include <string>

namespace platform {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Gives the descriptor up to the caller, who then closes it.
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // False when the close reports an error (data that never reached the disk).
    bool close();

private:
    int fd_;
};

// Copies what is left of `from` to `to`, from their current positions,
// reporting each block as a file step of `written` (the file `to` is).
// False on any read or write error (a full disk, a file-size limit); errno
// then tells which.
bool copyRest(int from, int to, const std::string& written = std::string());

} // namespace platform
