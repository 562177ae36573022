#include "platform/line_reader.h"

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::readFile;
using testsupport::writeFile;

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

using platform::LineReader;

namespace {

struct Piece {
    std::string bytes;
    std::uint64_t offset;
    bool operator==(const Piece&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Piece& piece)
{
    return out << '{' << piece.bytes.size() << " bytes at " << piece.offset << '}';
}

std::vector<Piece> readAll(LineReader& reader)
{
    std::vector<Piece> pieces;
    std::string_view piece;
    while (reader.next(piece)) {
        pieces.push_back({std::string(piece), reader.pieceOffset()});
        EXPECT_EQ(reader.position(), reader.pieceOffset() + piece.size());
    }
    EXPECT_FALSE(reader.failed());
    return pieces;
}

std::vector<Piece> readFile(const std::string& content, std::size_t pieceLength)
{
    TempDir dir;
    writeFile(dir.file("data"), content);
    LineReader reader(pieceLength);
    EXPECT_TRUE(reader.open(dir.file("data")));
    EXPECT_EQ(reader.size(), content.size());
    return readAll(reader);
}

} // namespace

TEST(LineReader, LongLineComesInPiecesOf149)
{
    const std::string a(200, 'A');
    auto pieces = readFile(a + "\r\nB\r\n", 149);
    std::vector<Piece> expected{{a.substr(0, 149), 0}, {a.substr(149) + "\r\n", 149}, {"B\r\n", 202}};
    EXPECT_EQ(pieces, expected);
}

struct PieceCase {
    const char* name;
    std::string content;
    std::size_t pieceLength;
    std::vector<Piece> expected;
};

void PrintTo(const PieceCase& c, std::ostream* out)
{
    *out << c.name;
}

class LineReaderPieces : public testing::TestWithParam<PieceCase> {};

TEST_P(LineReaderPieces, OffsetsAreExactBytePositions)
{
    EXPECT_EQ(readFile(GetParam().content, GetParam().pieceLength), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineReaderPieces,
    testing::Values(
        PieceCase{"CrLf", "ab\r\ncde\r\n\r\nf", 149, {{"ab\r\n", 0}, {"cde\r\n", 4}, {"\r\n", 9}, {"f", 11}}},
        PieceCase{"LfOnly", "ab\ncde\n\nf\n", 149, {{"ab\n", 0}, {"cde\n", 3}, {"\n", 7}, {"f\n", 8}}},
        PieceCase{"Mixed", "a\r\nb\nc\r\n", 0, {{"a\r\n", 0}, {"b\n", 3}, {"c\r\n", 5}}},
        // Exactly filling the piece: the line end comes as a piece of its own.
        PieceCase{"Exactly149PlusCrLf", std::string(149, 'x') + "\r\nnext\r\n", 149,
                  {{std::string(149, 'x'), 0}, {"\r\n", 149}, {"next\r\n", 151}}},
        // One shorter: the CR fits, the LF comes alone.
        PieceCase{"Exactly148PlusCrLf", std::string(148, 'x') + "\r\nnext\r\n", 149,
                  {{std::string(148, 'x') + "\r", 0}, {"\n", 149}, {"next\r\n", 150}}},
        PieceCase{"NoFinalLineEnd", "one\r\ntwo", 149, {{"one\r\n", 0}, {"two", 5}}},
        PieceCase{"EmptyFile", "", 149, {}}),
    [](const testing::TestParamInfo<PieceCase>& info) { return std::string(info.param.name); });

TEST(LineReader, OffsetsStayExactAcrossBufferRefills)
{
    // 82-byte lines over more than one 1 MB read.
    std::string content;
    const int lines = 30000;
    for (int i = 0; i < lines; ++i) {
        std::string line = std::to_string(i);
        line.resize(80, '.');
        content += line + "\r\n";
    }
    auto pieces = readFile(content, 149);
    ASSERT_EQ(pieces.size(), static_cast<std::size_t>(lines));
    for (int i = 0; i < lines; ++i) {
        ASSERT_EQ(pieces[i].offset, static_cast<std::uint64_t>(i) * 82);
        ASSERT_EQ(pieces[i].bytes.rfind(std::to_string(i) + ".", 0), 0u);
    }
}

TEST(LineReader, WholeLineModeReadsAMegabyteLineInOnePiece)
{
    const std::string big((1 << 20) + 100, 'L');
    auto pieces = readFile(big + "\r\ntail\n", 0);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].bytes, big + "\r\n");
    EXPECT_EQ(pieces[1], (Piece{"tail\n", big.size() + 2}));
}

TEST(LineReader, SeekStartsTheNextReadAtTheOffset)
{
    TempDir dir;
    writeFile(dir.file("data"), "first\r\nsecond\r\nthird\r\n");
    LineReader reader(149);
    ASSERT_TRUE(reader.open(dir.file("data")));
    readAll(reader);

    ASSERT_TRUE(reader.seek(7));
    std::string_view piece;
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, "second\r\n");
    EXPECT_EQ(reader.pieceOffset(), 7u);

    ASSERT_TRUE(reader.seek(10)); // inside a line
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, "ond\r\n");
    EXPECT_EQ(reader.pieceOffset(), 10u);
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, "third\r\n");
    EXPECT_EQ(reader.pieceOffset(), 15u);
}

namespace {

// Changes bytes of a file in place (same file, same size): a reader that
// reads them again sees the change, one that serves them from its buffer does not.
void overwriteAt(const std::string& path, std::uint64_t offset, const std::string& bytes)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(offset));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Lines of 82 bytes: the number, dots, CR LF.
std::string numberedLine(int i, char fill = '.')
{
    std::string line = std::to_string(i);
    line.resize(80, fill);
    return line + "\r\n";
}

std::uint64_t offsetOf(int line)
{
    return static_cast<std::uint64_t>(line) * 82;
}

} // namespace

TEST(LineReader, SeekWithinTheBufferedBytesServesThemFromTheBuffer)
{
    const int lines = 30000; // about 2.4 MB: more than one buffer
    std::string content;
    for (int i = 0; i < lines; ++i)
        content += numberedLine(i);
    TempDir dir;
    const std::string path = dir.file("data");
    writeFile(path, content);
    const int farLine = 20000; // beyond the first megabyte

    LineReader reader(149);
    ASSERT_TRUE(reader.open(path));
    std::string_view piece;
    for (int i = 0; i < 300; ++i) // 24 KB: within the 64 KiB kept behind the position
        ASSERT_TRUE(reader.next(piece));
    overwriteAt(path, offsetOf(1), numberedLine(1, 'X'));
    overwriteAt(path, offsetOf(farLine), numberedLine(farLine, 'Y'));

    // Back and forth inside the buffer: the bytes as first read.
    ASSERT_TRUE(reader.seek(offsetOf(1) + 2));
    EXPECT_EQ(reader.position(), offsetOf(1) + 2);
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(1).substr(2));
    EXPECT_EQ(reader.pieceOffset(), offsetOf(1) + 2);
    ASSERT_TRUE(reader.seek(offsetOf(100)));
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(100));

    // A seek away that another one replaces before any read leaves the buffer.
    ASSERT_TRUE(reader.seek(offsetOf(farLine)));
    EXPECT_EQ(reader.position(), offsetOf(farLine));
    ASSERT_TRUE(reader.seek(offsetOf(1)));
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(1));

    // Beyond it: read from the file.
    ASSERT_TRUE(reader.seek(offsetOf(farLine)));
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(farLine, 'Y'));
    ASSERT_TRUE(reader.seek(offsetOf(1)));
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(1, 'X'));

    // Reading on from there across refills, growing reads included, keeps
    // 64 KiB behind the position: the line 700 lines back (57 KB), changed
    // in the file, still comes from the buffer.
    for (int i = 2; i < lines; ++i) {
        ASSERT_TRUE(reader.next(piece));
        ASSERT_EQ(reader.pieceOffset(), offsetOf(i));
        ASSERT_EQ(piece, numberedLine(i, i == farLine ? 'Y' : '.')) << i;
        if (i % 97 == 0 && i > 700) {
            overwriteAt(path, offsetOf(i - 700), numberedLine(i - 700, 'Z'));
            ASSERT_TRUE(reader.seek(offsetOf(i - 700)));
            ASSERT_TRUE(reader.next(piece));
            ASSERT_EQ(piece, numberedLine(i - 700, i - 700 == farLine ? 'Y' : '.')) << i;
            ASSERT_TRUE(reader.seek(offsetOf(i + 1)));
        }
    }
    EXPECT_FALSE(reader.next(piece));
    EXPECT_FALSE(reader.failed());

    // At the end: a seek back within the buffer reads again; one to the end reads nothing.
    ASSERT_TRUE(reader.seek(offsetOf(lines - 1)));
    ASSERT_TRUE(reader.next(piece));
    EXPECT_EQ(piece, numberedLine(lines - 1));
    ASSERT_TRUE(reader.seek(content.size()));
    EXPECT_FALSE(reader.next(piece));
    EXPECT_EQ(reader.position(), content.size());
    EXPECT_FALSE(reader.failed());
}

namespace {

// The read calls and bytes of this process (Linux's /proc/self/io) since
// start(); the meter's own look at the counts is left out.
class ReadMeter {
public:
    struct Reads {
        std::uint64_t calls;
        std::uint64_t bytes;
    };
    bool start() { return look(calls_, bytes_, ownBytes_); }
    Reads reads()
    {
        std::uint64_t calls = 0, bytes = 0, returned = 0;
        EXPECT_TRUE(look(calls, bytes, returned));
        // The counts exclude the read that reports them: the next look counts it.
        return {calls - calls_ - 1, bytes - bytes_ - ownBytes_};
    }

private:
    static bool look(std::uint64_t& calls, std::uint64_t& bytes, std::uint64_t& returned)
    {
        const int fd = ::open("/proc/self/io", O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        char text[1024];
        const ssize_t n = ::read(fd, text, sizeof text - 1);
        ::close(fd);
        if (n <= 0)
            return false;
        text[n] = '\0';
        const char* rchar = std::strstr(text, "rchar: ");
        const char* syscr = std::strstr(text, "syscr: ");
        if (!rchar || !syscr)
            return false;
        bytes = std::strtoull(rchar + 7, nullptr, 10);
        calls = std::strtoull(syscr + 7, nullptr, 10);
        returned = static_cast<std::uint64_t>(n);
        return true;
    }
    std::uint64_t calls_ = 0, bytes_ = 0, ownBytes_ = 0;
};

} // namespace

TEST(LineReader, ReadsAFewKilobytesAfterAJumpAndMoreWhileReadingOn)
{
    std::string content;
    for (int i = 0; i < 30000; ++i)
        content += numberedLine(i);
    TempDir dir;
    writeFile(dir.file("data"), content);
    LineReader reader(0);
    ASSERT_TRUE(reader.open(dir.file("data")));
    ReadMeter meter;
    if (!meter.start())
        GTEST_SKIP() << "no /proc/self/io";

    // One station's worth after the open and after a jump: one read of 4 KiB.
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    ReadMeter::Reads reads = meter.reads();
    EXPECT_EQ(reads.calls, 1u);
    EXPECT_EQ(reads.bytes, 4096u);
    ASSERT_TRUE(reader.seek(offsetOf(5000)));
    ASSERT_TRUE(meter.start());
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, numberedLine(5000));
    reads = meter.reads();
    EXPECT_EQ(reads.calls, 1u);
    EXPECT_EQ(reads.bytes, 4096u);

    // Reading on, each read is twice the last, up to a quarter megabyte:
    // 1.6 MB take about thirteen reads (400 at 4 KiB), and nothing is read
    // twice.
    ASSERT_TRUE(meter.start());
    for (int i = 5001; i < 25000; ++i) {
        ASSERT_TRUE(reader.next(line));
        ASSERT_EQ(line, numberedLine(i));
    }
    reads = meter.reads();
    EXPECT_LE(reads.calls, 15u);
    EXPECT_LE(reads.bytes, (25000 - 5000) * 82u + (1u << 20));

    // So do seeks a little ahead, past bytes never read: a line, then a
    // jump of nine lines (738 bytes), to the end of the file.
    ASSERT_TRUE(reader.seek(offsetOf(0)));
    ASSERT_TRUE(meter.start());
    for (int i = 0; i < 30000; i += 10) {
        ASSERT_TRUE(reader.seek(offsetOf(i)));
        ASSERT_TRUE(reader.next(line));
        ASSERT_EQ(line, numberedLine(i));
    }
    reads = meter.reads();
    EXPECT_LE(reads.calls, 17u);
}

TEST(LineReader, MissingFileDoesNotOpen)
{
    TempDir dir;
    LineReader reader;
    EXPECT_FALSE(reader.open(dir.file("absent")));
    EXPECT_FALSE(reader.isOpen());
    std::string_view piece;
    EXPECT_FALSE(reader.next(piece));
    EXPECT_FALSE(reader.open(dir.path())); // a directory is not a file
}

TEST(ReadTextLines, AcceptsCrLfAndLfAndRemovesTheCr)
{
    TempDir dir;
    writeFile(dir.file("text"), "a\r\nb\n\r\n\xe9 c");
    std::vector<std::string> lines;
    ASSERT_TRUE(platform::readTextLines(dir.file("text"), lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "\xe9 c"}));
    EXPECT_FALSE(platform::readTextLines(dir.file("absent"), lines));
}

TEST(LineEndHelpers, ChompAndCut)
{
    EXPECT_EQ(platform::chompLineEnd("abc\r\n"), "abc");
    EXPECT_EQ(platform::chompLineEnd("abc\n"), "abc");
    EXPECT_EQ(platform::chompLineEnd("abc\r"), "abc");
    EXPECT_EQ(platform::chompLineEnd("a\rbc"), "a\rbc");
    EXPECT_EQ(platform::cutAtLineEnd("ab\rc\n"), "ab");
    EXPECT_EQ(platform::cutAtLineEnd("abc"), "abc");
}

// Pieces and offsets against a plain byte-by-byte split, over random lines
// that cross the reader's buffer and search-block boundaries.
TEST(LineReader, MatchesAPlainSplitAcrossBufferBoundaries)
{
    std::string bytes;
    std::uint64_t state = 12345;
    auto draw = [&state](std::uint64_t n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % n;
    };
    while (bytes.size() < (3u << 20)) {
        std::size_t length = draw(8) == 0 ? draw(400) : draw(90);
        for (std::size_t i = 0; i < length; ++i)
            bytes += static_cast<char>('a' + draw(26));
        bytes += draw(3) == 0 ? "\n" : "\r\n";
    }
    bytes += "no line end";
    TempDir dir;
    writeFile(dir.file("f"), bytes);

    for (std::size_t pieceLength : {std::size_t{0}, std::size_t{149}, std::size_t{254}, std::size_t{1}}) {
        platform::LineReader reader(pieceLength);
        ASSERT_TRUE(reader.open(dir.file("f")));
        std::size_t at = 0;
        std::string_view piece;
        while (reader.next(piece)) {
            std::size_t lf = bytes.find('\n', at);
            std::size_t end = lf == std::string::npos ? bytes.size() : lf + 1;
            if (pieceLength && end - at > pieceLength)
                end = at + pieceLength;
            ASSERT_EQ(reader.pieceOffset(), at);
            ASSERT_EQ(piece, std::string_view(bytes).substr(at, end - at)) << "piece length " << pieceLength;
            at = end;
            ASSERT_EQ(reader.position(), at);
        }
        EXPECT_EQ(at, bytes.size()) << "piece length " << pieceLength;
    }
}

namespace {

const std::string kStop = "1        Quarndale Geomark Bureau";

// Pieces as next() gives them, by a plain byte-by-byte split.
std::vector<std::string> plainPieces(const std::string& bytes, std::size_t pieceLength)
{
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t lf = bytes.find('\n', at);
        std::size_t end = lf == std::string::npos ? bytes.size() : lf + 1;
        if (pieceLength && end - at > pieceLength)
            end = at + pieceLength;
        pieces.push_back(bytes.substr(at, end - at));
        at = end;
    }
    return pieces;
}

// Reads the file in runs up to each line that begins with kStop and checks
// them against the plain split: each run is one or more whole pieces, none
// beginning with kStop, at exact offsets; after each false the next piece
// begins with kStop, or the file has ended.
void checkRuns(const std::string& path, const std::string& bytes, std::size_t pieceLength)
{
    SCOPED_TRACE(testing::Message() << "piece length " << pieceLength);
    const std::vector<std::string> pieces = plainPieces(bytes, pieceLength);
    LineReader reader(pieceLength);
    ASSERT_TRUE(reader.open(path));
    std::size_t next = 0; // index into pieces
    std::uint64_t at = 0;
    auto beginsWithStop = [](const std::string& piece) { return piece.compare(0, kStop.size(), kStop) == 0; };
    for (;;) {
        std::string_view run;
        while (reader.nextRun(run, kStop)) {
            ASSERT_EQ(reader.pieceOffset(), at);
            ASSERT_FALSE(run.empty());
            std::size_t taken = 0;
            while (taken < run.size()) {
                ASSERT_LT(next, pieces.size());
                ASSERT_FALSE(beginsWithStop(pieces[next])) << "at " << at + taken;
                ASSERT_EQ(run.substr(taken, pieces[next].size()), pieces[next]) << "at " << at + taken;
                taken += pieces[next++].size();
            }
            at += run.size();
            ASSERT_EQ(reader.position(), at);
        }
        std::string_view piece;
        if (!reader.next(piece))
            break;
        ASSERT_LT(next, pieces.size());
        ASSERT_TRUE(beginsWithStop(pieces[next])) << "at " << at;
        ASSERT_EQ(piece, pieces[next++]);
        ASSERT_EQ(reader.pieceOffset(), at);
        at += piece.size();
    }
    EXPECT_EQ(next, pieces.size());
    EXPECT_EQ(at, bytes.size());
    EXPECT_FALSE(reader.failed());
}

} // namespace

// Random lines, some beginning with the stop text or with part of it, over
// the ends of growing reads and of the buffer.
TEST(LineReaderRuns, MatchAPlainSplitAtEveryLineThatBeginsWithTheStop)
{
    std::string bytes;
    std::uint64_t state = 777;
    auto draw = [&state](std::uint64_t n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % n;
    };
    while (bytes.size() < (3u << 20)) {
        switch (draw(12)) {
        case 0:
            bytes += kStop + ", Retrieval Date = MARCH 3, 2005";
            break;
        case 1:
            bytes += kStop.substr(0, 1 + draw(kStop.size() - 1)); // a prefix of it only
            break;
        case 2:
            bytes += std::string(draw(400), 'l');
            break;
        default:
            for (std::size_t i = 0, n = draw(90); i < n; ++i)
                bytes += static_cast<char>('a' + draw(26));
        }
        bytes += draw(3) == 0 ? "\n" : "\r\n";
    }
    TempDir dir;
    for (const std::string& last : {std::string("no line end"), kStop, std::string()}) {
        writeFile(dir.file("f"), bytes + last);
        for (std::size_t pieceLength : {std::size_t{0}, std::size_t{149}})
            checkRuns(dir.file("f"), bytes + last, pieceLength);
    }
}

TEST(LineReaderRuns, AStopLineCutByTheEndOfTheFirstRead)
{
    // The first read after the open is 4096 bytes: the stop line, or one
    // that begins with all of it but its last character, starts at each
    // place around its end.
    TempDir dir;
    const std::string nearMiss = kStop.substr(0, kStop.size() - 1) + "X, not a stop line\r\n";
    for (std::size_t shift = 0; shift <= 40; ++shift) {
        for (const std::string& cut : {kStop + ", stop\r\n", nearMiss}) {
            SCOPED_TRACE(testing::Message() << "shift " << shift << " " << cut);
            std::string bytes = "first line\r\n";
            bytes += std::string(4096 - shift - bytes.size() - 2, 'x') + "\r\n";
            bytes += cut + "after\r\n" + kStop + "\r\n";
            writeFile(dir.file("f"), bytes);
            checkRuns(dir.file("f"), bytes, 0);
        }
    }
}

TEST(LineReaderRuns, ALineOfMegabytesComesWholeInItsRun)
{
    const std::string longLine(2'500'000, 'L');
    const std::string bytes = "a\r\n" + longLine + "\r\nb\n" + kStop + "\r\n" + longLine;
    TempDir dir;
    writeFile(dir.file("f"), bytes);
    checkRuns(dir.file("f"), bytes, 0);

    LineReader reader(0);
    ASSERT_TRUE(reader.open(dir.file("f")));
    std::string lines;
    std::string_view run;
    while (reader.nextRun(run, kStop)) {
        ASSERT_EQ(run.back(), '\n'); // no run ends inside a line
        lines += run;
    }
    EXPECT_TRUE(lines == "a\r\n" + longLine + "\r\nb\n");
    ASSERT_TRUE(reader.next(run));
    EXPECT_EQ(run, kStop + "\r\n");
    ASSERT_TRUE(reader.nextRun(run, kStop));
    EXPECT_TRUE(run == longLine);
    EXPECT_FALSE(reader.nextRun(run, kStop));
    EXPECT_FALSE(reader.next(run));
}

namespace {

// Whether a piece holds a CR other than its line end's, by its bytes.
bool holdsInnerCr(std::string_view piece)
{
    return platform::chompLineEnd(piece).find('\r') != std::string_view::npos;
}

// Lines of every length around the 64-byte blocks and the buffer's reads,
// ending in LF, CR LF, or holding bare CRs (also as a cut piece's last byte
// and as the file's last byte).
std::string linesWithCrs(std::uint64_t seed, std::size_t size)
{
    std::string bytes;
    std::uint64_t state = seed;
    auto draw = [&state](std::uint64_t n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return (state >> 33) % n;
    };
    while (bytes.size() < size) {
        const std::size_t length = draw(10) == 0 ? draw(700) : draw(100);
        for (std::size_t i = 0; i < length; ++i)
            bytes += draw(60) == 0 ? '\r' : static_cast<char>(draw(2) ? 'a' + draw(26) : 0x80 + draw(128));
        bytes += draw(3) == 0 ? "\n" : "\r\n";
    }
    return bytes;
}

} // namespace

// forEachPiece gives what next() gives, with the right inner-CR answer, for
// whole lines and for cut pieces; stopped at any piece, next() and another
// forEachPiece go on after it, and a seek back serves the pieces again.
TEST(LineReaderForEachPiece, GivesWhatNextGivesWithItsInnerCrs)
{
    TempDir dir;
    const std::string body = linesWithCrs(99, 700u << 10);
    for (const std::string& last : {std::string("no line end"), std::string("ends in a CR\r"), std::string()}) {
        const std::string bytes = body + last;
        writeFile(dir.file("f"), bytes);
        for (std::size_t pieceLength : {std::size_t{0}, std::size_t{254}, std::size_t{64}, std::size_t{1}}) {
            SCOPED_TRACE(testing::Message() << "piece length " << pieceLength << ", last line '" << last << "'");
            const std::vector<std::string> pieces = plainPieces(bytes, pieceLength);

            LineReader reader(pieceLength);
            ASSERT_TRUE(reader.open(dir.file("f")));
            std::size_t index = 0;
            std::uint64_t at = 0;
            bool inOrder = true;
            EXPECT_TRUE(reader.forEachPiece([&](std::string_view piece, std::uint64_t offset, bool innerCr) {
                inOrder = inOrder && index < pieces.size() && piece == pieces[index] && offset == at &&
                          innerCr == holdsInnerCr(piece);
                if (!inOrder)
                    return false;
                at += piece.size();
                ++index;
                return true;
            }));
            ASSERT_TRUE(inOrder) << "piece " << index << " at " << at;
            EXPECT_EQ(index, pieces.size());
            EXPECT_EQ(reader.position(), bytes.size());
            EXPECT_FALSE(reader.failed());
            std::string_view piece;
            EXPECT_FALSE(reader.next(piece));

            // Stopped after every 97th piece: one piece by next(), and on.
            ASSERT_TRUE(reader.open(dir.file("f")));
            index = 0;
            at = 0;
            while (!reader.forEachPiece([&](std::string_view piece, std::uint64_t offset, bool) {
                EXPECT_EQ(offset, at);
                at += piece.size();
                return ++index % 97 != 0;
            })) {
                ASSERT_EQ(reader.position(), at);
                if (index % 5 == 0) { // and at times back to the start of the piece before
                    at -= pieces[index - 1].size();
                    --index;
                    ASSERT_TRUE(reader.seek(at));
                }
                if (!reader.next(piece))
                    break;
                ASSERT_LT(index, pieces.size());
                ASSERT_EQ(piece, pieces[index]);
                ASSERT_EQ(reader.pieceOffset(), at);
                EXPECT_EQ(reader.pieceHoldsInnerCr(), holdsInnerCr(piece));
                at += piece.size();
                ++index;
            }
            EXPECT_EQ(index, pieces.size());
            EXPECT_EQ(at, bytes.size());
        }
    }
}

// Every way of setting the line-feed and CR bits that this processor runs
// gives the bits of a byte-by-byte look, bytes of the upper half included.
TEST(LineReaderBits, EveryWayGivesTheSameBits)
{
    std::string blocks;
    std::uint64_t state = 5;
    const char kinds[] = {'\n', '\r', 'a', static_cast<char>(0x8a), static_cast<char>(0x8d), static_cast<char>(0xff)};
    for (std::size_t i = 0; i < 64 * 200; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        blocks += kinds[(state >> 33) % sizeof kinds];
    }
    const std::size_t count = blocks.size() / 64;
    std::vector<std::uint64_t> lineFeeds(count), carriageReturns(count);
    for (std::size_t k = 0; k < count; ++k)
        for (std::size_t i = 0; i < 64; ++i) {
            lineFeeds[k] |= std::uint64_t{blocks[64 * k + i] == '\n'} << i;
            carriageReturns[k] |= std::uint64_t{blocks[64 * k + i] == '\r'} << i;
        }
    const auto ways = platform::detail::lineBitWays();
    ASSERT_FALSE(ways.empty());
    EXPECT_STREQ(ways.back().name, "plain");
    for (const auto& way : ways) {
        std::vector<std::uint64_t> lfs(count, ~std::uint64_t{0}), crs(count, ~std::uint64_t{0});
        way.mark(blocks.data(), count, lfs.data(), crs.data());
        EXPECT_EQ(lfs, lineFeeds) << way.name;
        EXPECT_EQ(crs, carriageReturns) << way.name;
    }
}

// DS_LINE_BITS chooses a narrower way by its name; any other name, or none,
// leaves the widest.
TEST(LineReaderBits, NamedWayIsChosen)
{
    const auto ways = platform::detail::lineBitWays();
    for (const auto& way : ways) {
        const auto chosen = platform::detail::lineBitWayNamed(way.name);
        EXPECT_STREQ(chosen.name, way.name);
        EXPECT_EQ(chosen.mark, way.mark);
    }
    for (const char* name : {static_cast<const char*>(nullptr), "", "avx1024", "AVX2"})
        EXPECT_STREQ(platform::detail::lineBitWayNamed(name).name, ways.front().name) << (name ? name : "null");
}
