#pragma once
// Item explanations: which data item a clicked datasheet line holds, and its
// section of the readme DSDATA.TXT, the bureau's description of the items.
//
// The readme is a text file whose sections begin at a heading line
// "DATA ITEM: <name>" and run up to the next heading of another item. It is
// accepted only when a heading occurs among its first 200 lines.
#include <string>
#include <string_view>
#include <vector>

namespace ds {

// The line the help window shows when the item has no section.
inline constexpr std::string_view kNoItemInformation = "No Information found for this Item.";

// One of the first seven lines starts with the datasheet header.
bool memoHoldsDatasheet(const std::vector<std::string>& lines);

// Start of the blank-delimited word at `column` of a line: back from that
// character to just after a blank, or to the line start. A column past the
// end counts from the end.
std::size_t wordStart(std::string_view line, std::size_t column);

// The text from `position` of the lines joined by CR LF (a break counts two,
// as memo positions do): at most 149 characters, cut at the first CR or LF
// that stands at its 7th character or later. A piece that starts near the
// end of its line so reads on into the next line.
std::string clickedPiece(const std::vector<std::string>& lines, std::size_t position);

// Title of the first keyword row one of whose keywords occurs in the piece,
// "DATA ITEM: Designation" and the like; empty when none does.
std::string_view itemTitle(std::string_view piece);

// True when the file opens and one of its first 200 lines contains "DATA ITEM:".
bool readmeHasItems(const std::string& path);

// The places the readme is looked for, in order: DATA/DSDATA.TXT under the
// CD-ROM drive when a drive is set and the data file's path contains
// "DATA", "data" or "Data", else DSDATA.TXT in the current directory; then
// DSDATA.TXT in the current directory. Names are matched whatever their case
// on the disc.
std::vector<std::string> readmePlaces(const std::string& dataPath, const std::string& drive,
                                      const std::string& currentDir);

// The section of the item titled `title`: from the first line that contains
// the title up to the next line that contains "DATA ITEM:" but not the
// title. Lines are read whole, CR LF or LF ended. False when no line holds
// the title, the title is empty, or the file cannot be opened.
bool readItemSection(const std::string& path, std::string_view title, std::vector<std::string>& section);

// The notice's text when no accepted readme is found.
std::string readmeNotFoundText();

// What a double click at `position` of a viewer showing `lines` gives.
struct ItemExplanation {
    enum class Result { NotDatasheet, NoReadme, Shown } result = Result::NotDatasheet;
    std::string title;              // empty when no keyword matched
    std::string readme;             // the accepted readme
    std::vector<std::string> lines; // the section, or the no-information line
};
ItemExplanation explainItem(const std::vector<std::string>& lines, std::size_t position,
                            const std::string& dataPath, const std::string& drive, const std::string& currentDir);

} // namespace ds
