#include "platform/file_swap.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/descriptor.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace platform {

namespace {

// Copies the bytes of `from` into `to` (an existing empty file), with the
// mode of `from` and, where the process may set them, its owner and group
// (the copy may be renamed back in its place), flushed to the disk.
bool copyFileBytes(const std::string& from, const std::string& to)
{
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    struct stat st {};
    if (::fstat(in.get(), &st) != 0)
        return false;
    Descriptor out(::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (out.get() < 0)
        return false;
    if (!copyRest(in.get(), out.get()))
        return false;
    giveIdentity(out.get(), st.st_mode & 07777, st.st_uid, st.st_gid);
    return ::fsync(out.get()) == 0 && out.close();
}

} // namespace

bool isWritableFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return false;
    // What the access test cannot see (an immutable flag on some file
    // systems, a mount read-only for this process) the open shows; opening a
    // regular file for writing changes nothing.
    Descriptor probe(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    return probe.valid();
}

std::string holdWholeFile(const std::string& file, const std::string& directory, Hold hold)
{
    const std::string name = makeTempFile(directory, tempPrefixFor(file, "old"), 0600);
    if (name.empty())
        return {};
    struct stat st {};
    if (hold == Hold::LinkWhenAlone && ::stat(file.c_str(), &st) == 0 && st.st_nlink == 1) {
        // mkstemp reserved the name; the link takes it over.
        removeFile(name);
        if (::link(file.c_str(), name.c_str()) == 0)
            return name;
        Descriptor recreate(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (recreate.get() < 0)
            return {};
    }
    if (copyFileBytes(file, name))
        return name;
    removeFile(name);
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
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return false;
    SafeOutput output;
    if (!output.open(target, SafeOutput::Mode::Overwrite))
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
    removeFile(from);
    return true;
}

} // namespace platform
