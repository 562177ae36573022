#pragma once
// The retrieval date of a datasheet file: the date text of its first header
// line (50 characters from index 54, "MARCH 2, 2004"), turned into eight
// characters year, month, day ("20040302") that compare as text.
#include <string>
#include <string_view>

namespace pellorin {

// Index of the first occurrence of the character; 0 when it is absent.
int CharIndex(std::string_view text, char character);

// Clears the trailing CR, LF, blanks, NULs and unprintable characters.
void TrimLineEnd(std::string& text);

// "JANUARY 5, 2004" gives "20040105". A month name that is not found gives
// "**"; a day of more than two digits "**"; a year of more than four digits
// "****"; an empty day or year "00".
std::string DateToYmd(std::string_view text);

// The converted date of the first header line among the first 300 lines;
// "00**00" when there is none. False when the file cannot be opened.
bool GetRetrievalDate(const std::string& path, std::string& out);

// True when the OLD date is later than the UPDATE date (first 8 characters
// compared as text; a star sorts below every digit).
bool isOlderUpdate(std::string_view oldDate, std::string_view upDate);

} // namespace pellorin
