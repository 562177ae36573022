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

// Text for a person to read in the system's encoding (UTF-8): the notices,
// and paths shown in labels and captions. A name typed with accents shows
// as typed; a byte that is no part of UTF-8 (a Latin-1 name from an old
// disc) shows as "\xNN", so the name can still be told apart. Not for
// datasheet text, which is 8-bit (toQ), nor for a path handed back to the
// file system (pathToQ).
QString systemTextToQ(std::string_view text);

} // namespace platform
