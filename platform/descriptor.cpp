#include "platform/descriptor.h"

#include "platform/file_steps.h"

#include <cerrno>
#include <cstddef>
#include <memory>
#include <unistd.h>

namespace platform {

bool Descriptor::close()
{
    const bool closed = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return closed;
}

bool copyRest(int from, int to, const std::string& written)
{
    constexpr std::size_t kBlock = 1 << 20;
    // In the kernel where it can (no copy through this process), a block at
    // a time; else by read and write.
    for (;;) {
        const ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kBlock, 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EBADF ||
                           errno == EOPNOTSUPP || errno == EPERM))
            break;
        if (copied < 0)
            return false;
        if (copied == 0)
            return true;
        fileStep(FileStep::BlockCopied, written);
    }
    std::unique_ptr<char[]> block(new char[kBlock]);
    for (;;) {
        ssize_t got = ::read(from, block.get(), kBlock);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(got)) {
            ssize_t put = ::write(to, block.get() + done, static_cast<std::size_t>(got) - done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put == 0)
                errno = ENOSPC;
            if (put <= 0)
                return false;
            done += static_cast<std::size_t>(put);
        }
        fileStep(FileStep::BlockCopied, written);
    }
}

} // namespace platform
