#include "crlf_writer.h"

#include <cerrno>
#include <cstring>
#include <utility>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
// Bytes gather in a buffer and go to the file in writes of up to the
// largest size. The buffer starts small, so that a writer of a few lines
// costs little, and doubles as the output grows.
constexpr std::size_t kFirstBufferSize = 64 << 10;
constexpr std::size_t kBufferSize = 1 << 20;
} // namespace

CrlfWriter::~CrlfWriter()
{
    close();
}

bool CrlfWriter::open(const std::string& path, Mode mode)
{
    close();
    int flags = O_WRONLY | O_CLOEXEC;
    switch (mode) {
    case Mode::Truncate:
        flags |= O_CREAT | O_TRUNC;
        break;
    case Mode::Append:
        flags |= O_CREAT | O_APPEND;
        break;
    case Mode::Created:
        break;
    }
    fd_ = ::open(path.c_str(), flags, 0644);
    ok_ = fd_ >= 0;
    error_ = ok_ ? 0 : errno;
    if (!buffer_) {
        buffer_.reset(new char[kFirstBufferSize]);
        capacity_ = kFirstBufferSize;
    }
    used_ = 0;
    return ok_;
}

void CrlfWriter::write(std::string_view bytes)
{
    if (fd_ < 0 || bytes.empty())
        return;
    if (bytes.size() > capacity_ - used_ && capacity_ < kBufferSize) {
        std::size_t grown = capacity_;
        while (grown < kBufferSize && grown - used_ < bytes.size())
            grown *= 2;
        std::unique_ptr<char[]> larger(new char[grown]);
        std::memcpy(larger.get(), buffer_.get(), used_);
        buffer_ = std::move(larger);
        capacity_ = grown;
    }
    if (bytes.size() > capacity_ - used_) {
        flush();
        if (bytes.size() >= kBufferSize) { // a long line goes out as it is
            writeOut(bytes.data(), bytes.size());
            return;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void CrlfWriter::writeLine(std::string_view text)
{
    write(text);
    write("\r\n");
}

void CrlfWriter::flush()
{
    writeOut(buffer_.get(), used_);
    used_ = 0;
}

void CrlfWriter::writeOut(const char* bytes, std::size_t size)
{
    std::size_t done = 0;
    while (ok_ && done < size) {
        ssize_t n = ::write(fd_, bytes + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok_ = false;
            error_ = n == 0 ? ENOSPC : errno;
        } else
            done += static_cast<std::size_t>(n);
    }
}

bool CrlfWriter::close()
{
    if (fd_ < 0)
        return ok_;
    flush();
    if (::close(fd_) != 0 && ok_) {
        ok_ = false;
        error_ = errno;
    }
    fd_ = -1;
    return ok_;
}

} // namespace platform
