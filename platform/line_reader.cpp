#include "line_reader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr std::size_t kChunk = 1 << 20;
}

LineReader::LineReader(std::size_t pieceLength) : pieceLength_(pieceLength) {}

LineReader::~LineReader()
{
    close();
}

bool LineReader::open(const std::string& path)
{
    close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    size_ = S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
    buffer_.resize(kChunk);
    begin_ = end_ = 0;
    bufferOffset_ = pieceOffset_ = position_ = 0;
    eof_ = failed_ = false;
    return true;
}

void LineReader::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool LineReader::fill()
{
    if (eof_ || fd_ < 0)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        bufferOffset_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    for (;;) {
        ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n > 0) {
            end_ += static_cast<std::size_t>(n);
            return true;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        if (errno == EINTR)
            continue;
        failed_ = true;
        eof_ = true;
        return false;
    }
}

bool LineReader::next(std::string_view& piece)
{
    if (fd_ < 0)
        return false;
    std::size_t searched = 0;
    for (;;) {
        std::size_t avail = end_ - begin_;
        std::size_t limit = pieceLength_ ? std::min(avail, pieceLength_) : avail;
        const char* start = buffer_.data() + begin_;
        const void* lf = limit > searched ? std::memchr(start + searched, '\n', limit - searched) : nullptr;
        std::size_t len = 0;
        if (lf)
            len = static_cast<std::size_t>(static_cast<const char*>(lf) - start) + 1;
        else if (pieceLength_ && avail >= pieceLength_)
            len = pieceLength_;
        else {
            searched = limit;
            if (!fill()) {
                avail = end_ - begin_;
                if (avail == 0)
                    return false;
                len = pieceLength_ ? std::min(avail, pieceLength_) : avail;
            } else {
                continue;
            }
        }
        pieceOffset_ = bufferOffset_ + begin_;
        piece = std::string_view(buffer_.data() + begin_, len);
        begin_ += len;
        position_ = bufferOffset_ + begin_;
        return true;
    }
}

bool LineReader::seek(std::uint64_t offset)
{
    if (fd_ < 0)
        return false;
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
        return false;
    begin_ = end_ = 0;
    bufferOffset_ = pieceOffset_ = position_ = offset;
    eof_ = false;
    return true;
}

std::string_view chompLineEnd(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

std::string_view cutAtLineEnd(std::string_view line)
{
    std::size_t cut = line.find_first_of("\r\n");
    return cut == std::string_view::npos ? line : line.substr(0, cut);
}

bool readTextLines(const std::string& path, std::vector<std::string>& lines)
{
    LineReader reader;
    if (!reader.open(path))
        return false;
    std::string_view piece;
    while (reader.next(piece))
        lines.emplace_back(chompLineEnd(piece));
    return true;
}

} // namespace platform

