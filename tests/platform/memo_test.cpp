#include "platform/qt/memo.h"

#include <QTextCursor>
#include <gtest/gtest.h>


using namespace platform;

namespace {

using Lines = std::vector<std::string>;

// "abc" at 0, CR LF, "" at 5, CR LF, "defg" at 7, CR LF; Qt: 0, 4, 5.
const Lines kSample{"abc", "", "defg"};

} // namespace

class MemoLinesRoundTrip : public testing::TestWithParam<Lines> {};

TEST_P(MemoLinesRoundTrip, LinesComeBackAsPut)
{
    QPlainTextEdit memo;
    setMemoLines(memo, GetParam());
    EXPECT_EQ(memoLines(memo), GetParam());
    EXPECT_EQ(memoLineCount(memo), static_cast<int>(GetParam().size()));

    QPlainTextEdit added;
    for (const auto& line : GetParam())
        addMemoLine(added, line);
    EXPECT_EQ(memoLines(added), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Memo, MemoLinesRoundTrip,
                         testing::Values(Lines{}, Lines{""}, Lines{"a"}, Lines{"a", ""}, Lines{"", "", "b"}, kSample,
                                         Lines{"no-break\xa0space \xe9\xff", "<b>&amp; 100%s</b>"}),
                         [](const testing::TestParamInfo<Lines>& info) {
                             return std::to_string(info.param.size()) + "lines_" + std::to_string(info.index);
                         });

TEST(Memo, TypedTextWithoutAFinalBreakCountsItsLastLine)
{
    QPlainTextEdit memo;
    memo.setPlainText("typed\nmore");
    EXPECT_EQ(memoLineCount(memo), 2);
    addMemoLine(memo, "added");
    EXPECT_EQ(memoLines(memo), (Lines{"typed", "more", "added"}));
}

struct PositionCase {
    int memoPosition;
    int qtPosition;
};

void PrintTo(const PositionCase& c, std::ostream* out)
{
    *out << "memo " << c.memoPosition << ", Qt " << c.qtPosition;
}

class MemoPositions : public testing::TestWithParam<PositionCase> {};

TEST_P(MemoPositions, ALineBreakCountsTwo)
{
    QPlainTextEdit memo;
    setMemoLines(memo, kSample);
    memoSelect(memo, GetParam().memoPosition, 0);
    EXPECT_EQ(memo.textCursor().position(), GetParam().qtPosition);
    EXPECT_EQ(memoSelectionStart(memo), GetParam().memoPosition);
    EXPECT_EQ(memoSelectionLength(memo), 0);
}

INSTANTIATE_TEST_SUITE_P(Memo, MemoPositions,
                         testing::Values(PositionCase{0, 0}, PositionCase{2, 2}, PositionCase{3, 3}, PositionCase{5, 4},
                                         PositionCase{7, 5}, PositionCase{9, 7}, PositionCase{11, 9},
                                         PositionCase{13, 10}),
                         [](const testing::TestParamInfo<PositionCase>& info) {
                             return "memo" + std::to_string(info.param.memoPosition) + "_qt" +
                                    std::to_string(info.param.qtPosition);
                         });

TEST(Memo, SelectionsConvertBothWays)
{
    QPlainTextEdit memo;
    setMemoLines(memo, kSample);

    memoSelect(memo, 7, 2);
    EXPECT_EQ(memo.textCursor().selectedText(), "de");
    memoSelect(memo, 1, 8); // "bc", CR LF, "", CR LF, "de"
    EXPECT_EQ(memo.textCursor().selectedText(), QString("bc") + QChar::ParagraphSeparator + QChar::ParagraphSeparator + "de");
    EXPECT_EQ(memoSelectionStart(memo), 1);
    EXPECT_EQ(memoSelectionLength(memo), 8);

    // A selection made in Qt's terms (the user's) reads back in memo positions.
    QTextCursor cursor(memo.document());
    cursor.setPosition(6);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    EXPECT_EQ(memoSelectionStart(memo), 8);
    EXPECT_EQ(memoSelectionLength(memo), 2);

    // Inside a break and past the end.
    memoSelect(memo, 4, 0);
    EXPECT_EQ(memo.textCursor().position(), 4);
    memoSelect(memo, 500, 3);
    EXPECT_EQ(memo.textCursor().position(), 10);
}

// The time it takes is a figure of ./run bench; here only what comes back.
TEST(Memo, TensOfThousandsOfLinesRoundTrip)
{
    Lines lines;
    for (int i = 0; i < 50000; ++i) {
        std::string line = "line " + std::to_string(i) + " ";
        line.resize(80, '=');
        lines.push_back(line);
    }
    const int lastStart = 49999 * 82;

    QPlainTextEdit memo;
    memo.resize(400, 300);
    memo.show();
    setMemoLines(memo, lines);
    const Lines back = memoLines(memo);
    memoSelect(memo, lastStart, 10);

    EXPECT_EQ(back, lines);
    EXPECT_EQ(memoSelectionStart(memo), lastStart);
    EXPECT_EQ(memo.textCursor().selectedText(), "line 49999");
}
