#include "platform/qt/memo.h"

#include "platform/qt/text.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace platform {

namespace {

// Memo position of the start of a block: its Qt position plus one for each
// break before it.
int memoStart(const QTextBlock& block)
{
    return block.position() + block.blockNumber();
}

int toQtPosition(const QTextDocument& document, int memoPosition)
{
    memoPosition = std::max(memoPosition, 0);
    // Last block that starts at or before the position (binary search).
    int low = 0;
    int high = document.blockCount() - 1;
    while (low < high) {
        int middle = low + (high - low + 1) / 2;
        if (memoStart(document.findBlockByNumber(middle)) <= memoPosition)
            low = middle;
        else
            high = middle - 1;
    }
    QTextBlock block = document.findBlockByNumber(low);
    int offset = memoPosition - memoStart(block);
    int textLength = block.length() - 1;
    // A position inside a break (between CR and LF) or past the end lands on the next line.
    if (offset > textLength)
        offset = textLength + 1;
    return std::min(block.position() + offset, document.characterCount() - 1);
}

int toMemoPosition(const QTextDocument& document, int qtPosition)
{
    return qtPosition + document.findBlock(qtPosition).blockNumber();
}

bool endsWithBreak(const QTextDocument& document)
{
    return document.lastBlock().length() == 1;
}

// A CR inside a line would start a new block: the memo holds it as the
// "carriage return" symbol (no byte of 8-bit text maps to it), and gives it
// back as a CR.
constexpr char16_t kCarriageReturnSymbol = u'\u240D';

QString memoText(std::string_view line, QString (*shown)(std::string_view) = toQ)
{
    QString text = shown(line);
    text.replace(QLatin1Char('\r'), QChar(kCarriageReturnSymbol));
    return text;
}

std::string lineText(QString text)
{
    text.replace(QChar(kCarriageReturnSymbol), QLatin1Char('\r'));
    return fromQ(text);
}

} // namespace

void setMemoLines(QPlainTextEdit& memo, const std::vector<std::string>& lines)
{
    qsizetype total = 0;
    for (const auto& line : lines)
        total += static_cast<qsizetype>(line.size()) + 1;
    QString text;
    text.reserve(total);
    for (const auto& line : lines) {
        text += memoText(line);
        text += QLatin1Char('\n');
    }
    memo.setPlainText(text);
}

void addMemoLine(QPlainTextEdit& memo, std::string_view line, QString (*shown)(std::string_view))
{
    QTextDocument& document = *memo.document();
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    // Text typed without a final break gets one before the new line.
    if (endsWithBreak(document))
        cursor.insertText(memoText(line, shown) + QLatin1Char('\n'));
    else
        cursor.insertText(QLatin1Char('\n') + memoText(line, shown) + QLatin1Char('\n'));
}

std::vector<std::string> memoLines(const QPlainTextEdit& memo)
{
    const QTextDocument& document = *memo.document();
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(document.blockCount()));
    // Block texts keep every character as stored (toPlainText would turn a
    // no-break space into a blank).
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines.push_back(lineText(block.text()));
    if (endsWithBreak(document))
        lines.pop_back();
    return lines;
}

int memoLineCount(const QPlainTextEdit& memo)
{
    const QTextDocument& document = *memo.document();
    return document.blockCount() - (endsWithBreak(document) ? 1 : 0);
}

int memoSelectionStart(const QPlainTextEdit& memo)
{
    return toMemoPosition(*memo.document(), memo.textCursor().selectionStart());
}

int memoSelectionLength(const QPlainTextEdit& memo)
{
    const QTextCursor cursor = memo.textCursor();
    const QTextDocument& document = *memo.document();
    return toMemoPosition(document, cursor.selectionEnd()) - toMemoPosition(document, cursor.selectionStart());
}

void memoSelect(QPlainTextEdit& memo, int start, int length)
{
    const QTextDocument& document = *memo.document();
    QTextCursor cursor(memo.document());
    cursor.setPosition(toQtPosition(document, start));
    cursor.setPosition(toQtPosition(document, start + std::max(length, 0)), QTextCursor::KeepAnchor);
    memo.setTextCursor(cursor);
    memo.ensureCursorVisible();
}

} // namespace platform
