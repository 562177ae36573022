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
// each further block twice the last, up to 256 KiB or the buffer's room,
// so that reading stations in an order of their own (a list
// sorted by name) does not read a quarter megabyte for each. A seek less than
// 4 KiB past the buffered bytes reads on with growing blocks.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
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
    bool next(std::string_view& piece)
    {
        // Reading on with the piece's line feed buffered, the usual case, is
        // served here from the buffer's line-feed bits, a word a 64-byte block.
        if (fd_ >= 0 && position_ == bufferOffset_ + begin_) {
            // The first line feed in the block of begin_ or the block after
            // it, chosen without a branch: most lines end in one of the two.
            // No bit stands at or after end_, so a line feed found is buffered.
            const std::size_t word = begin_ / 64;
            const std::uint64_t here = lineFeeds_[word] & (~std::uint64_t{0} << (begin_ % 64));
            const std::uint64_t after =
                lineFeeds_[word + 1] & (std::uint64_t{0} - static_cast<std::uint64_t>((word + 1) * 64 < end_));
            const std::uint64_t inAfter = std::uint64_t{0} - static_cast<std::uint64_t>(here == 0);
            const std::size_t found = word * 64 + static_cast<std::size_t>(inAfter & 64) +
                                      static_cast<std::size_t>(std::countr_zero(here | (after & inAfter)));
            if ((here | after) != 0 && found - begin_ < longestPiece_) {
                pieceOffset_ = bufferOffset_ + begin_;
                piece = std::string_view(buffer_.get() + begin_, found + 1 - begin_);
                begin_ = found + 1;
                position_ = bufferOffset_ + begin_;
                return true;
            }
        }
        return nextSlow(piece);
    }

    // Reads on in runs of whole lines up to the next line that begins with
    // `stop` (a text without a line feed), for copying the lines between two
    // header lines in a few large writes: a run is one or more lines, as
    // many as are buffered, in one view valid until the next call; the
    // file's last line may have no line end. False when the next line
    // begins with `stop` (the next read returns it) or at the end of the
    // file. With a piece length, a run is one piece. A run counts as a
    // piece for pieceOffset() and position().
    bool nextRun(std::string_view& run, std::string_view stop);

    // Reads on, calling each(piece, offset, innerCr) for each piece in file
    // order until `each` returns false or the file ends: `piece` as next()
    // gives it, `offset` its byte offset, `innerCr` whether it holds a CR
    // other than its line end's (of a CR LF, or the CR that ends a piece cut
    // at its length). Pieces are served straight from the buffer's bits, a
    // loop without a call per piece: a whole file read line by line, at
    // the least cost. `each` must not use the reader; the view is valid
    // during the call. False when `each` stopped the reading (the next read
    // goes on after its piece); true at the end of the file or on a read
    // error (failed()).
    template <typename Each>
    bool forEachPiece(Each&& each)
    {
        for (;;) {
            if (fd_ >= 0 && position_ == bufferOffset_ + begin_) {
                // The pieces whose line feeds are buffered, found from the
                // line-feed bits word by word; a piece cut at its length,
                // or one that the buffer's end cuts, is left to next().
                std::size_t start = begin_;
                std::size_t word = start / 64;
                std::uint64_t feeds = lineFeeds_[word] & (~std::uint64_t{0} << (start % 64));
                bool going = true;
                for (;;) {
                    while (feeds == 0 && (word + 1) * 64 < end_)
                        feeds = lineFeeds_[++word];
                    if (feeds == 0)
                        break;
                    const std::size_t lineFeed = word * 64 + static_cast<std::size_t>(std::countr_zero(feeds));
                    if (lineFeed - start >= longestPiece_)
                        break;
                    feeds &= feeds - 1;
                    const bool innerCr = lineFeed > start + 1 && anyCarriageReturn(start, lineFeed - 1);
                    pieceOffset_ = bufferOffset_ + start;
                    going = each(std::string_view(buffer_.get() + start, lineFeed + 1 - start), pieceOffset_,
                                 innerCr);
                    start = lineFeed + 1;
                    if (!going)
                        break;
                }
                begin_ = start;
                position_ = bufferOffset_ + begin_;
                if (!going)
                    return false;
            }
            std::string_view piece;
            if (!next(piece))
                return true;
            if (!each(piece, pieceOffset_, pieceHoldsInnerCr()))
                return false;
        }
    }

    // Whether the piece that next() returned last holds a CR other than
    // its line end's: answered from the buffer's CR bits, without looking
    // at the piece's bytes. Nearly every piece of a datasheet file holds
    // none.
    bool pieceHoldsInnerCr() const
    {
        const std::size_t from = static_cast<std::size_t>(pieceOffset_ - bufferOffset_);
        std::size_t to = begin_;
        if (to > from && buffer_[to - 1] == '\n')
            --to;
        if (to > from && buffer_[to - 1] == '\r')
            --to;
        return to > from && anyCarriageReturn(from, to);
    }

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

    void setPieceLength(std::size_t pieceLength)
    {
        pieceLength_ = pieceLength;
        longestPiece_ = pieceLength ? pieceLength : ~std::size_t{0};
    }
    std::size_t pieceLength() const { return pieceLength_; }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};

    // next() when the fast path above does not serve it: after a seek, at
    // the end of the buffered bytes, for a piece cut at its length.
    bool nextSlow(std::string_view& piece);
    bool fill();
    // Gives the buffer room for `capacity` bytes (and the slack), keeping
    // the buffered bytes and their line-feed and CR bits.
    void reallocate(std::size_t capacity);
    // Sets the line-feed and CR bits of the buffer's bytes [from, to), `to`
    // being the new end of the buffered bytes; no bit at or after `to` is set.
    void markLineFeeds(std::size_t from, std::size_t to);
    // Serves a seek: from the buffer when the position is buffered, else
    // from the file. False when closed or the file cannot seek.
    bool moveToPosition();
    // Whether a CR stands in the buffer's bytes [from, to), from < to <= end_.
    bool anyCarriageReturn(std::size_t from, std::size_t to) const
    {
        std::size_t word = from / 64;
        const std::size_t last = (to - 1) / 64;
        std::uint64_t bits = carriageReturns_[word] & (~std::uint64_t{0} << (from % 64));
        while (word < last) {
            if (bits != 0)
                return true;
            bits = carriageReturns_[++word];
        }
        return (bits & (~std::uint64_t{0} >> (63 - (to - 1) % 64))) != 0;
    }
    // Buffer index of the first LF in [from, to), or kNone.
    std::size_t findLineFeed(std::size_t from, std::size_t to) const;

    int fd_ = -1;
    std::size_t pieceLength_;
    std::size_t longestPiece_; // pieceLength_, or the largest size for whole lines
    std::uint64_t size_ = 0;
    // capacity_ bytes and a slack after them, which block searches may
    // read; not initialised: only the bytes before end_ are ever used.
    std::unique_ptr<char[]> buffer_;
    // Bit i of word w set when buffer_[64 * w + i] is a line feed, for the
    // bytes before end_; the word that holds end_ has no bit at or after it.
    // One word more than the buffer's blocks, which next() may load.
    std::unique_ptr<std::uint64_t[]> lineFeeds_;
    // The same for carriage returns.
    std::unique_ptr<std::uint64_t[]> carriageReturns_;
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0; // first unread byte in buffer_
    std::size_t end_ = 0;   // end of valid bytes in buffer_
    std::uint64_t bufferOffset_ = 0; // file offset of buffer_[0]
    std::uint64_t pieceOffset_ = 0;
    std::uint64_t position_ = 0;
    std::size_t readSize_ = 0; // bytes the next fill() asks for
    bool eof_ = false;
    bool failed_ = false;
};

namespace detail {

// Bit i of lineFeeds[k] set when byte i of the k-th 64-byte block from
// `blocks` is a line feed, of carriageReturns[k] when it is a CR, for
// `count` blocks: the reader's one pass over every byte.
using MarkBlocks = void (*)(const char* blocks, std::size_t count, std::uint64_t* lineFeeds,
                            std::uint64_t* carriageReturns);
struct LineBitWay {
    const char* name;
    MarkBlocks mark;
};
// The ways of setting the bits that this processor runs, widest compares
// first. Every way gives the same bits.
std::vector<LineBitWay> lineBitWays();
// The way the reader uses: the first, or the one that the environment
// variable DS_LINE_BITS names ("avx2", "plain"), read once, so that a
// narrower way can be measured on a wider processor. A name that is not
// one of the ways is ignored.
LineBitWay lineBitWay();
// The way of that name, or the first when none has it (or `name` is null).
LineBitWay lineBitWayNamed(const char* name);

} // namespace detail

// Removes a trailing CR LF, LF or CR (inline: readers call it for every line).
inline std::string_view chompLineEnd(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}
// Cuts a line at its first CR or LF.
std::string_view cutAtLineEnd(std::string_view line);

// Reads a whole file in text mode: CR LF or LF line ends, CR removed.
// Returns false when the file cannot be opened.
bool readTextLines(const std::string& path, std::vector<std::string>& lines);

} // namespace platform
