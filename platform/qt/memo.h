#pragma once
// A QPlainTextEdit used as a memo: a list of text lines. Positions here count
// a line break as two characters (CR LF), as the programs' finds and item
// look-ups compute them; Qt counts one. Every line added ends in a break, so
// the text of lines "a", "b" is "a\nb\n" and an empty last line after the
// final break is not a line.
#include <QPlainTextEdit>

#include "platform/qt/text.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Replaces the whole text at once (fast for many lines).
void setMemoLines(QPlainTextEdit& memo, const std::vector<std::string>& lines);
// Adds a line; `shown` makes its text (8-bit datasheet text unless told).
void addMemoLine(QPlainTextEdit& memo, std::string_view line, QString (*shown)(std::string_view) = toQ);
std::vector<std::string> memoLines(const QPlainTextEdit& memo);
int memoLineCount(const QPlainTextEdit& memo);

// The selection in two-per-break positions; with no selection, the caret
// position and length 0.
int memoSelectionStart(const QPlainTextEdit& memo);
int memoSelectionLength(const QPlainTextEdit& memo);
// Selects and scrolls the selection into view.
void memoSelect(QPlainTextEdit& memo, int start, int length);

} // namespace platform
