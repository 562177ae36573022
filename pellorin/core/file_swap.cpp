#include "pellorin/core/file_swap.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/files.h"
#include "platform/safe_output.h"

namespace pellorin {

namespace {

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

// Copies every byte of `in` to `out` from their current positions.
bool copyBytes(int in, int out)
{
    std::vector<char> block(1 << 20);
    while (true) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        if (!writeAll(out, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

// Copies the bytes of `from` into `to` (an existing empty file), with the
// mode of `from`, flushed to the disk.
bool copyFileBytes(const std::string& from, const std::string& to)
{
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return false;
    Fd out(::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (out.get() < 0)
        return false;
    if (!copyBytes(in.get(), out.get()))
        return false;
    ::fchmod(out.get(), st.st_mode & 07777);
    return ::fsync(out.get()) == 0 && out.close();
}

} // namespace

bool isWritableFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string holdWholeFile(const std::string& file, const std::string& directory)
{
    const std::string name = platform::makeTempFile(directory);
    if (name.empty())
        return {};
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0 && st.st_nlink == 1) {
        // mkstemp reserved the name; the link takes it over.
        platform::removeFile(name);
        if (::link(file.c_str(), name.c_str()) == 0)
            return name;
        Fd recreate(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (recreate.get() < 0)
            return {};
    }
    if (copyFileBytes(file, name))
        return name;
    platform::removeFile(name);
    return {};
}

bool restoreFile(const std::string& from, const std::string& target)
{
    struct stat st {};
    const bool linked = ::stat(target.c_str(), &st) == 0 && st.st_nlink > 1;
    if (!linked) {
        if (std::rename(from.c_str(), target.c_str()) == 0)
            return true;
        if (errno != EXDEV)
            return false;
    }
    Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    platform::SafeOutput output;
    if (!output.open(target, platform::SafeOutput::Mode::Overwrite))
        return false;
    std::vector<char> block(1 << 20);
    while (true) {
        const ssize_t got = ::read(in.get(), block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        output.writer().write(std::string_view(block.data(), static_cast<std::size_t>(got)));
    }
    if (!output.commit())
        return false;
    platform::removeFile(from);
    return true;
}

} // namespace pellorin
