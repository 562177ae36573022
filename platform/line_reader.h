#pragma once
// Binary line reader over a file. Each read returns the bytes of one piece:
// up to and including the next LF, but never more than `pieceLength` bytes
// (the way a fixed buffer of pieceLength + 1 characters reads a text line).
// A piece length of 0 reads whole lines of any length. CR LF stays in the
// piece, so offsets are exact byte positions whatever the line ends are.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class LineReader {
public:
    explicit LineReader(std::size_t pieceLength = 0);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool open(const std::string& path);
    bool isOpen() const { return fd_ >= 0; }
    void close();

    // Size of the open file in bytes, taken when it was opened.
    std::uint64_t size() const { return size_; }

    // Reads the next piece. The view stays valid until the next call.
    // Returns false at the end of the file or on a read error.
    bool next(std::string_view& piece);

    // Byte offset of the first byte of the piece last read.
    std::uint64_t pieceOffset() const { return pieceOffset_; }
    // Byte offset just after the piece last read (the file position).
    std::uint64_t position() const { return position_; }

    // Moves to a byte offset; the next read starts there.
    bool seek(std::uint64_t offset);

    // True when reading stopped because of an I/O error, not the end.
    bool failed() const { return failed_; }

    void setPieceLength(std::size_t pieceLength) { pieceLength_ = pieceLength; }
    std::size_t pieceLength() const { return pieceLength_; }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};

    bool fill();
    // Buffer index of the first LF in [from, to), or kNone.
    std::size_t findLineFeed(std::size_t from, std::size_t to);

    int fd_ = -1;
    std::size_t pieceLength_;
    std::uint64_t size_ = 0;
    std::vector<char> buffer_;
    std::size_t begin_ = 0; // first unread byte in buffer_
    std::size_t end_ = 0;   // end of valid bytes in buffer_
    std::uint64_t bufferOffset_ = 0; // file offset of buffer_[0]
    std::uint64_t pieceOffset_ = 0;
    std::uint64_t position_ = 0;
    std::size_t maskBlock_ = kNone; // buffer index of the block mask_ describes
    std::uint64_t mask_ = 0;
    bool eof_ = false;
    bool failed_ = false;
};

// Removes a trailing CR LF, LF or CR.
std::string_view chompLineEnd(std::string_view line);
// Cuts a line at its first CR or LF.
std::string_view cutAtLineEnd(std::string_view line);

// Reads a whole file in text mode: CR LF or LF line ends, CR removed.
// Returns false when the file cannot be opened.
bool readTextLines(const std::string& path, std::vector<std::string>& lines);

} // namespace platform
