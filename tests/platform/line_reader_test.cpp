#include "platform/line_reader.h"

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::readFile;
using testsupport::writeFile;

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
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
    auto offsetOf = [](int line) { return static_cast<std::uint64_t>(line) * 82; };
    const int farLine = 20000; // beyond the first megabyte

    LineReader reader(149);
    ASSERT_TRUE(reader.open(path));
    std::string_view piece;
    for (int i = 0; i < 3; ++i)
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

    // Reading on across refills keeps a little history: a seek back over the
    // last lines before a refill still finds them buffered.
    const int beforeRefill = 12780; // the megabyte read from line 1 ends in line 12788
    for (int i = 2; i <= 12790; ++i)
        ASSERT_TRUE(reader.next(piece));
    overwriteAt(path, offsetOf(beforeRefill), numberedLine(beforeRefill, 'Z'));
    ASSERT_TRUE(reader.seek(offsetOf(beforeRefill)));
    for (int i = beforeRefill; i < lines; ++i) {
        ASSERT_TRUE(reader.next(piece));
        ASSERT_EQ(reader.pieceOffset(), offsetOf(i));
        ASSERT_EQ(piece, numberedLine(i, i == farLine ? 'Y' : '.')) << i;
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
