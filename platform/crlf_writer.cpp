#include "crlf_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr std::size_t kFlushAt = 1 << 20;
}

CrlfWriter::~CrlfWriter()
{
    close();
}

bool CrlfWriter::open(const std::string& path, Mode mode)
{
    close();
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Append ? O_APPEND : O_TRUNC);
    fd_ = ::open(path.c_str(), flags, 0644);
    ok_ = fd_ >= 0;
    buffer_.clear();
    buffer_.reserve(kFlushAt + 4096);
    return ok_;
}

void CrlfWriter::write(std::string_view bytes)
{
    if (fd_ < 0)
        return;
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    if (buffer_.size() >= kFlushAt)
        flush();
}

void CrlfWriter::writeLine(std::string_view text)
{
    write(text);
    write("\r\n");
}

void CrlfWriter::flush()
{
    std::size_t done = 0;
    while (ok_ && done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok_ = false;
        else
            done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

bool CrlfWriter::close()
{
    if (fd_ < 0)
        return ok_;
    flush();
    if (::close(fd_) != 0)
        ok_ = false;
    fd_ = -1;
    return ok_;
}

} // namespace platform
