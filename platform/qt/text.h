#pragma once
// Conversions between the programs' byte strings and Qt's strings. Datasheet
// text is 8-bit: each byte maps to the character of the same code (Latin-1),
// so any byte goes into a widget and comes back out unchanged. File names use
// the system's 8-bit file name encoding instead.
#include <QString>
#include <string>
#include <string_view>

namespace platform {

QString toQ(std::string_view text);
// Characters above U+00FF (typed by a user) become '?'.
std::string fromQ(const QString& text);

QString pathToQ(const std::string& path);
std::string pathFromQ(const QString& path);

// Text for a person to read in the system's encoding (UTF-8): paths shown
// in labels and captions. A name typed with accents shows
// as typed; a byte that is no part of UTF-8 (a Latin-1 name from an old
// disc) shows as "\xNN", so the name can still be told apart. Not for
// datasheet text, which is 8-bit (toQ), nor for a path handed back to the
// file system (pathToQ).
QString systemTextToQ(std::string_view text);

// Text of a notice (message boxes, Pellorin's end window): datasheet text
// and typed text, which are 8-bit, and paths, which are mostly UTF-8. Valid
// UTF-8 shows as UTF-8, every other byte as the 8-bit character of the same
// code, as captions and memos show it: a designation "CAF\xc9" reads
// "CAFÉ", as do "CAF\xc3\x89" in UTF-8. A Latin-1 byte that happens to
// form valid UTF-8 with the next one reads as that character (typed text
// goes in through eightBitForNotice, below, to read as typed).
QString noticeTextToQ(std::string_view text);

// 8-bit text (typed or datasheet text) for a notice, so that the notice
// shows it as toQ shows it in a caption: each byte as its 8-bit character,
// in UTF-8. A name typed "CAFÃ©" (bytes "CAF\xc3\xa9") then reads "CAFÃ©" in
// both, where the bytes themselves would read "CAFé" in the notice.
std::string eightBitForNotice(std::string_view text);

} // namespace platform
