#pragma once
// The print settings file ds_parm1.txt (current directory, CR LF lines):
//   "LinesPerPage = " and the first two characters of the lines-per-page
//                     text, padded with a blank to two
//   "PageEject    = " and 1 (eject at a line beginning with '1') or 0
//   an empty line
// Values start at index 15. Readers ignore other lines; a line of any length
// is read whole and only its beginning counts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notices.h"

namespace ds {

inline constexpr const char* kPrintSettingsFile = "ds_parm1.txt";

// A lines-per-page text as a number: its first two characters, leading
// blanks skipped, an optional sign, then digits; 0 when they hold no digit.
int linesPerPageNumber(std::string_view text);

// The file's bytes for a lines-per-page text and the page-eject choice.
std::string printSettingsText(std::string_view linesPerPageText, bool pageEject);
// Writes them through a temporary file. False, after a notice, when it
// cannot be written ("Cannot save at the current location") or when the
// path is another name of the data file in use; the file is then as it was.
bool savePrintSettings(const std::string& path, std::string_view linesPerPageText, bool pageEject,
                       platform::NoticeSink& notices);

// As the print settings dialog reads the file when it is created: a line
// that begins with "LinesPerPage =" gives the two characters at index 15
// when they equal one of `items`; one that begins with "PageEject    ="
// gives 1 when the character at index 15 is '1', else 0. A last line
// without a line end is not read. Later lines override earlier ones.
struct DialogPrintSettings {
    bool read = false; // the file could be opened
    std::optional<std::string> linesItem;
    std::optional<int> pageEject;
};
DialogPrintSettings readDialogPrintSettings(const std::string& path, const std::vector<std::string>& items);

// As the station list window reads it at each activation: a line that
// begins with "LinesPerPage = " gives the two characters at index 15 read as
// a number (any value); one that begins with "PageEject    = " the character
// at index 15 as a digit (0 when it is none). A last line without a line end
// is read.
struct ListPrintSettings {
    bool read = false;
    std::optional<int> linesPerPage;
    std::optional<int> pageEject;
};
ListPrintSettings readListPrintSettings(const std::string& path);

} // namespace ds
