#include "pellorin/core/file_swap.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/files.h"

namespace pellorin {

namespace fs = std::filesystem;

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

} // namespace

bool isWritableFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string fileBehind(const std::string& path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        const fs::path target = fs::weakly_canonical(path, error);
        if (!error)
            return target.string();
    }
    return path;
}

bool syncFile(const std::string& path)
{
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0 && fd.close();
}

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

bool hasOtherLinks(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && st.st_nlink > 1;
}

bool replaceWithFile(const std::string& from, const std::string& target, bool inPlace)
{
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && inPlace) {
        Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
        Fd out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (in.get() < 0 || out.get() < 0 || !copyBytes(in.get(), out.get()) || ::fsync(out.get()) != 0 ||
            !out.close())
            return false;
        platform::removeFile(from);
        return true;
    }
    if (exists) {
        ::chmod(from.c_str(), st.st_mode & 07777);
        if (::chown(from.c_str(), st.st_uid, st.st_gid) != 0) {
            // Not the owner's to give: the file stays the process's.
        }
    }
    if (std::rename(from.c_str(), target.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    const std::string temp = platform::makeTempFile(platform::directoryPart(target));
    if (temp.empty())
        return false;
    if (!copyFileBytes(from, temp) || std::rename(temp.c_str(), target.c_str()) != 0) {
        platform::removeFile(temp);
        return false;
    }
    platform::removeFile(from);
    return true;
}

} // namespace pellorin
