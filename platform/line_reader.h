#pragma once
// Binary line reader over a file. Each read returns the bytes of one piece:
// up to and including the next LF, but never more than `pieceLength` bytes
// (the way a fixed buffer of pieceLength + 1 characters reads a text line).
// A piece length of 0 reads whole lines of any length. CR LF stays in the
// piece, so offsets are exact byte positions whatever the line ends are.
//
// The file is read in blocks that serve reading on and seeks near the last
// read: a file read from start to end, or station after station in file
// order, is read once. The first block after the open, or after a seek
// away from the buffered bytes, is small (4 KiB, about one datasheet) and
// each further block twice the last, up to 1 MiB, so that reading stations
// in an order of their own (a list sorted by name) does not read a megabyte
// for each. A seek less than 4 KiB past the buffered bytes reads on with
// growing blocks.
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

    // Reads on in runs of whole lines up to the next line that begins with
    // `stop` (a text without a line feed), for copying the lines between two
    // header lines in a few large writes: a run is one or more lines, as
    // many as are buffered, in one view valid until the next call; the
    // file's last line may have no line end. False when the next line
    // begins with `stop` (the next read returns it) or at the end of the
    // file. With a piece length, a run is one piece. A run counts as a
    // piece for pieceOffset() and position().
    bool nextRun(std::string_view& run, std::string_view stop);

    // Byte offset of the first byte of the piece last read.
    std::uint64_t pieceOffset() const { return pieceOffset_; }
    // Byte offset just after the piece last read (the file position).
    std::uint64_t position() const { return position_; }

    // Moves to a byte offset; the next read starts there. Nothing is read
    // until then: a seek that another replaces before a read costs nothing,
    // and an offset within the buffered bytes is served from the buffer (of
    // the bytes read since the last jump, at least the 64 KiB before the
    // read position stay buffered). False when the reader is closed or the
    // file cannot seek (a pipe).
    bool seek(std::uint64_t offset);

    // True when reading stopped because of an I/O error, not the end.
    bool failed() const { return failed_; }

    void setPieceLength(std::size_t pieceLength) { pieceLength_ = pieceLength; }
    std::size_t pieceLength() const { return pieceLength_; }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};

    bool fill();
    // Serves a seek: from the buffer when the position is buffered, else
    // from the file. False when closed or the file cannot seek.
    bool moveToPosition();
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
    std::size_t readSize_ = 0;      // bytes the next fill() asks for
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
