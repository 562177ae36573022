#include "line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// The largest read, and the first read after the open or a jump: a
// datasheet is a few kilobytes, so a station read alone costs one small
// read; reading on doubles each read up to kChunk (or the room left).
constexpr std::size_t kChunk = 256 << 10;
constexpr std::size_t kFirstRead = 4 << 10;
// The buffer's usual size, which it takes as soon as one read does not fit
// in its first few kilobytes: twice the largest read, so that the bytes
// kept before the read position (below) move once in several reads rather
// than before each (a copy of a quarter of all bytes read), and small
// enough that a load touches few pages of memory for it (on a virtual
// machine each page's first use is costly).
constexpr std::size_t kCapacity = 512 << 10;
// A read into the room left at the buffer's end is made once it is at
// least this large.
constexpr std::size_t kLeastRoom = 64 << 10;
// The buffer keeps this many bytes after its valid data, so that the line
// feed search may load whole 64-byte blocks there.
constexpr std::size_t kSlack = 64;
// A refill that makes room keeps this many bytes before the read position,
// so that a seek back over the last few lines (a station test going back
// to where it started) still finds them buffered.
constexpr std::size_t kHistory = 64 << 10;

using detail::MarkBlocks;

void markBlocksPlain(const char* blocks, std::size_t count, std::uint64_t* lineFeeds, std::uint64_t* carriageReturns)
{
    for (std::size_t k = 0; k < count; ++k) {
        const char* block = blocks + 64 * k;
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        std::uint64_t lfs = 0, crs = 0;
        for (int i = 0; i < 4; ++i) {
            __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
            lfs |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf))))
                   << (16 * i);
            crs |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr))))
                   << (16 * i);
        }
#else
        std::uint64_t lfs = 0, crs = 0;
        for (int i = 0; i < 64; ++i) {
            if (block[i] == '\n')
                lfs |= std::uint64_t{1} << i;
            else if (block[i] == '\r')
                crs |= std::uint64_t{1} << i;
        }
#endif
        lineFeeds[k] = lfs;
        carriageReturns[k] = crs;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target("avx2"))) void markBlocksAvx2(const char* blocks, std::size_t count, std::uint64_t* lineFeeds,
                                                   std::uint64_t* carriageReturns)
{
    const __m256i lf = _mm256_set1_epi8('\n');
    const __m256i cr = _mm256_set1_epi8('\r');
    for (std::size_t k = 0; k < count; ++k) {
        const char* block = blocks + 64 * k;
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32));
        const auto bits = [](int low32, int high32) {
            return static_cast<std::uint64_t>(static_cast<std::uint32_t>(low32)) |
                   static_cast<std::uint64_t>(static_cast<std::uint32_t>(high32)) << 32;
        };
        lineFeeds[k] = bits(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, lf)),
                            _mm256_movemask_epi8(_mm256_cmpeq_epi8(high, lf)));
        carriageReturns[k] = bits(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, cr)),
                                  _mm256_movemask_epi8(_mm256_cmpeq_epi8(high, cr)));
    }
}

__attribute__((target("avx512f,avx512bw"))) void markBlocksAvx512(const char* blocks, std::size_t count,
                                                                std::uint64_t* lineFeeds,
                                                                std::uint64_t* carriageReturns)
{
    const __m512i lf = _mm512_set1_epi8('\n');
    const __m512i cr = _mm512_set1_epi8('\r');
    for (std::size_t k = 0; k < count; ++k) {
        const __m512i bytes = _mm512_loadu_si512(blocks + 64 * k);
        lineFeeds[k] = _mm512_cmpeq_epi8_mask(bytes, lf);
        carriageReturns[k] = _mm512_cmpeq_epi8_mask(bytes, cr);
    }
}
#endif

void markBlocks(const char* blocks, std::size_t count, std::uint64_t* lineFeeds, std::uint64_t* carriageReturns)
{
    static const MarkBlocks chosen = detail::lineBitWay().mark;
    chosen(blocks, count, lineFeeds, carriageReturns);
}

// Bit i set when block[i] is a line feed and block[i + 1] is `first`, for
// 64 bytes (block[64] is read too): where a line beginning with `first` may start.
std::uint64_t lineStartMask(const char* block, char first)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i start = _mm_set1_epi8(first);
    std::uint64_t mask = 0;
    for (int i = 0; i < 4; ++i) {
        __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
        __m128i after = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 1));
        __m128i both = _mm_and_si128(_mm_cmpeq_epi8(here, lf), _mm_cmpeq_epi8(after, start));
        mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(both))) << (16 * i);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        if (block[i] == '\n' && block[i + 1] == first)
            mask |= std::uint64_t{1} << i;
    return mask;
#endif
}

} // namespace

namespace detail {

std::vector<LineBitWay> lineBitWays()
{
    std::vector<LineBitWay> ways;
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw"))
        ways.push_back({"avx512bw", markBlocksAvx512});
    if (__builtin_cpu_supports("avx2"))
        ways.push_back({"avx2", markBlocksAvx2});
#endif
    ways.push_back({"plain", markBlocksPlain});
    return ways;
}

LineBitWay lineBitWayNamed(const char* name)
{
    const std::vector<LineBitWay> ways = lineBitWays();
    if (name)
        for (const LineBitWay& way : ways)
            if (std::strcmp(way.name, name) == 0)
                return way;
    return ways.front();
}

LineBitWay lineBitWay()
{
    static const LineBitWay chosen = lineBitWayNamed(std::getenv("DS_LINE_BITS"));
    return chosen;
}

} // namespace detail

LineReader::LineReader(std::size_t pieceLength)
{
    setPieceLength(pieceLength);
}

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
    // The buffer grows with the reads: a reader used for one station
    // allocates a few kilobytes only.
    begin_ = end_ = 0;
    if (capacity_ < kFirstRead)
        reallocate(kFirstRead);
    lineFeeds_[0] = carriageReturns_[0] = 0;
    readSize_ = kFirstRead;
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

void LineReader::reallocate(std::size_t capacity)
{
    // Neither is zero-filled: a page of them costs only once it is used.
    auto buffer = std::make_unique_for_overwrite<char[]>(capacity + kSlack);
    auto lineFeeds = std::make_unique_for_overwrite<std::uint64_t[]>(capacity / 64 + 2);
    auto carriageReturns = std::make_unique_for_overwrite<std::uint64_t[]>(capacity / 64 + 2);
    if (capacity_ > 0) {
        std::memcpy(buffer.get(), buffer_.get(), end_);
        std::memcpy(lineFeeds.get(), lineFeeds_.get(), (end_ / 64 + 1) * sizeof(std::uint64_t));
        std::memcpy(carriageReturns.get(), carriageReturns_.get(), (end_ / 64 + 1) * sizeof(std::uint64_t));
    } else {
        lineFeeds[0] = carriageReturns[0] = 0;
    }
    buffer_ = std::move(buffer);
    lineFeeds_ = std::move(lineFeeds);
    carriageReturns_ = std::move(carriageReturns);
    capacity_ = capacity;
}

void LineReader::markLineFeeds(std::size_t from, std::size_t to)
{
    // The bytes from `to` to the end of its block are not the file's: the
    // last block's bits end at `to`.
    const std::size_t first = from / 64;
    const std::size_t blocks = (to + 63) / 64 - first;
    markBlocks(buffer_.get() + 64 * first, blocks, lineFeeds_.get() + first, carriageReturns_.get() + first);
    if (to % 64 != 0) {
        const std::uint64_t buffered = (std::uint64_t{1} << (to % 64)) - 1;
        lineFeeds_[to / 64] &= buffered;
        carriageReturns_[to / 64] &= buffered;
    }
    if (to % 64 == 0)
        lineFeeds_[to / 64] = carriageReturns_[to / 64] = 0;
}

bool LineReader::fill()
{
    if (eof_ || fd_ < 0)
        return false;
    // Reads go on at the end of the buffered bytes, into the room left when
    // that is smaller than the read but not small; only then do the bytes
    // move to the buffer's start.
    std::size_t room = capacity_ - end_;
    if (room < readSize_ && (capacity_ < kCapacity || room < kLeastRoom)) {
        // Whole blocks move, so that their line-feed words move with them.
        const std::size_t keepFrom = begin_ > kHistory ? (begin_ - kHistory) & ~std::size_t{63} : 0;
        if (keepFrom > 0) {
            std::memmove(buffer_.get(), buffer_.get() + keepFrom, end_ - keepFrom);
            std::memmove(lineFeeds_.get(), lineFeeds_.get() + keepFrom / 64,
                         ((end_ - keepFrom) / 64 + 1) * sizeof(std::uint64_t));
            std::memmove(carriageReturns_.get(), carriageReturns_.get() + keepFrom / 64,
                         ((end_ - keepFrom) / 64 + 1) * sizeof(std::uint64_t));
            bufferOffset_ += keepFrom;
            end_ -= keepFrom;
            begin_ -= keepFrom;
        }
        // The buffer takes its usual size, and grows beyond that for a line
        // longer than the buffer.
        if (capacity_ - end_ < readSize_ && (capacity_ < kCapacity || capacity_ - end_ < kFirstRead)) {
            std::size_t capacity = std::max(capacity_, kCapacity);
            while (capacity - end_ < readSize_)
                capacity *= 2;
            reallocate(capacity);
        }
        room = capacity_ - end_;
    }
    const std::size_t want = std::min(room, readSize_);
    for (;;) {
        ssize_t n = ::read(fd_, buffer_.get() + end_, want);
        if (n > 0) {
            markLineFeeds(end_, end_ + static_cast<std::size_t>(n));
            end_ += static_cast<std::size_t>(n);
            readSize_ = std::min(readSize_ * 2, kChunk);
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

std::size_t LineReader::findLineFeed(std::size_t from, std::size_t to) const
{
    for (std::size_t word = from / 64; word * 64 < to; ++word) {
        std::uint64_t bits = lineFeeds_[word];
        if (word == from / 64)
            bits &= ~std::uint64_t{0} << (from % 64);
        if (bits) {
            std::size_t found = word * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
            return found < to ? found : kNone;
        }
    }
    return kNone;
}

bool LineReader::moveToPosition()
{
    if (fd_ < 0)
        return false;
    // A seek only sets the position; the read after it makes the move. An
    // offset within the buffered bytes is served from the buffer (the file
    // position stays at the buffer's end, where the next refill reads on).
    if (position_ != bufferOffset_ + begin_) {
        if (position_ >= bufferOffset_ && position_ - bufferOffset_ <= end_) {
            begin_ = static_cast<std::size_t>(position_ - bufferOffset_);
        } else {
            // A jump a little ahead of the buffered bytes (a station test
            // that leaves one station early for the next) goes on with
            // growing reads; any other starts again with a small one.
            const std::uint64_t bufferEnd = bufferOffset_ + end_;
            if (position_ < bufferEnd || position_ - bufferEnd >= kFirstRead)
                readSize_ = kFirstRead;
            if (::lseek(fd_, static_cast<off_t>(position_), SEEK_SET) < 0) {
                failed_ = eof_ = true;
                return false;
            }
            begin_ = end_ = 0;
            lineFeeds_[0] = carriageReturns_[0] = 0;
            bufferOffset_ = position_;
        }
    }
    return true;
}

bool LineReader::nextSlow(std::string_view& piece)
{
    if (!moveToPosition())
        return false;
    std::size_t searched = 0;
    for (;;) {
        std::size_t avail = end_ - begin_;
        std::size_t limit = pieceLength_ ? std::min(avail, pieceLength_) : avail;
        std::size_t lf = limit > searched ? findLineFeed(begin_ + searched, begin_ + limit) : kNone;
        std::size_t len = 0;
        if (lf != kNone)
            len = lf - begin_ + 1;
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
        piece = std::string_view(buffer_.get() + begin_, len);
        begin_ += len;
        position_ = bufferOffset_ + begin_;
        return true;
    }
}

bool LineReader::nextRun(std::string_view& run, std::string_view stop)
{
    if (pieceLength_) {
        const std::uint64_t lastOffset = pieceOffset_;
        if (!next(run))
            return false;
        if (run.substr(0, stop.size()) == stop) { // read again next time
            position_ = pieceOffset_;
            pieceOffset_ = lastOffset;
            return false;
        }
        return true;
    }
    if (!moveToPosition())
        return false;
    auto startsWithStop = [&](std::size_t at) {
        return std::string_view(buffer_.get() + at, std::min(end_ - at, stop.size())) == stop;
    };
    std::size_t searched = 0; // from begin_: no line ends before
    std::size_t runEnd;
    // A run holds whole lines only: a line that the end of the buffered
    // bytes cuts is judged once it is whole (a whole line shorter than
    // `stop` does not begin with it).
    for (;;) {
        if (startsWithStop(begin_))
            return false;
        // The run ends before the first further line that begins with
        // `stop`, else after the last whole line buffered. Candidates are
        // line feeds followed by the first byte of `stop`, found 64 bytes at
        // a time.
        runEnd = kNone;
        const std::size_t from = begin_ + searched;
        for (std::size_t block = from & ~std::size_t{63}; block < end_ && runEnd == kNone; block += 64) {
            std::uint64_t hits = lineStartMask(buffer_.get() + block, stop[0]);
            if (block < from)
                hits &= ~std::uint64_t{0} << (from - block);
            for (; hits; hits &= hits - 1) {
                const std::size_t start = block + static_cast<std::size_t>(__builtin_ctzll(hits)) + 1;
                if (start >= end_) // the byte after the buffered ones
                    break;
                if (startsWithStop(start)) {
                    runEnd = start;
                    break;
                }
            }
        }
        if (runEnd != kNone)
            break;
        if (const void* lf = ::memrchr(buffer_.get() + from, '\n', end_ - from)) {
            runEnd = static_cast<std::size_t>(static_cast<const char*>(lf) - buffer_.get()) + 1;
            break;
        }
        searched = end_ - begin_;
        if (!fill()) { // the file's last line, without a line end
            if (begin_ == end_)
                return false;
            runEnd = end_;
            break;
        }
    }
    pieceOffset_ = bufferOffset_ + begin_;
    run = std::string_view(buffer_.get() + begin_, runEnd - begin_);
    begin_ = runEnd;
    position_ = bufferOffset_ + begin_;
    return true;
}

bool LineReader::seek(std::uint64_t offset)
{
    if (fd_ < 0 || offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()))
        return false;
    // Only what cannot seek (a pipe, whose size reads 0) is refused now.
    if (size_ == 0 && ::lseek(fd_, 0, SEEK_CUR) < 0)
        return false;
    // A seek that the next one replaces before any read (a station test
    // going back to where it was) costs nothing.
    pieceOffset_ = position_ = offset;
    eof_ = false;
    return true;
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

