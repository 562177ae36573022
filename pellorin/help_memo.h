#pragma once
// The small help windows of the Station Lists window (TFHelp2, TFHelp3):
// a window of one read-only memo of fixed text, in the fixed font on the
// info-tip colour, that fills the window.
#include <QtCore/qnamespace.h>

#include <string>
#include <string_view>
#include <vector>

class QPlainTextEdit;
class QWidget;

namespace pellorin {

// Gives `window` its caption and size and fills it with the memo, which
// holds `lines` and is returned as the window's Memo1.
QPlainTextEdit* buildHelpMemo(QWidget& window, std::string_view caption, const std::vector<std::string>& lines,
                              Qt::ScrollBarPolicy verticalScrollBar);

} // namespace pellorin
