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

} // namespace platform
