#pragma once
// The page printer: every printout of the three programs. The lines of a
// list or memo are printed one under the other in the source control's font,
// from x = 10 and y = half the printer's pixels per inch, each page a print
// job of its own. A page holds L + 1 printed rows (L = lines per page); with
// page eject a line beginning with '1' starts a new page; a page also ends
// when the next row would not fit the printable height. Lines are printed
// whole, as they are. Where the widest line would pass the paper's right edge
// in the source's font, the whole printout takes that font in the size at
// which it fits, but never smaller than the size at which a line of the
// program's line length (149 characters, 254 in Pellorin) fills the width; a
// line wider than the paper in that size goes on, character by character, on
// the rows below it. Each row counts against L and the paper's height, so a
// page break may fall inside a wrapped line; page eject looks at the start
// of a line only, never at a row that continues one. The lines are read one
// at a time, so nothing grows with their number; the widths are measured in
// a pass before the printout (two more passes when the font is made smaller).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/notices.h"
#include "platform/printer.h"
#include "platform/progress.h"

namespace ds {

// Where the lines come from, read in order from 0 to count() - 1 (more
// than once: the widths are measured before the lines are printed).
class PrintSource {
public:
    virtual ~PrintSource() = default;
    virtual std::size_t count() const = 0;
    // Valid until the next call.
    virtual std::string_view line(std::size_t index) = 0;
};

// Lines held in memory (a list box's items, a memo's lines).
class VectorPrintSource : public PrintSource {
public:
    explicit VectorPrintSource(const std::vector<std::string>& lines) : lines_(lines) {}
    std::size_t count() const override { return lines_.size(); }
    std::string_view line(std::size_t index) override { return lines_[index]; }

private:
    const std::vector<std::string>& lines_;
};

struct PageOptions {
    int linesPerPage = 58;   // L; 0 or less prints one line a page
    bool pageEject = false;  // E: a line beginning with '1' starts a page
    // The bar: before line i when i is 0 or a multiple of the stride, at
    // 100 x i / n; or, with afterEveryLine, after every line at
    // 100 x (lines printed) / n.
    unsigned progressStride = 20;
    bool progressAfterEveryLine = false;
    // The smallest font: the size at which this many characters ("0") fill
    // the printable width. A profile's readLength(): 149, or 254 in Pellorin.
    std::size_t floorCharacters = 149;
};

// Prints the source. The progress window is already open (started); the
// page printer moves its bar and finishes it. When the printer cannot begin
// or fails, the window is finished, the notice "Could not print to <name>"
// (caption "NOTICE") is shown and false returned.
bool printPages(PrintSource& source, const platform::PrintFont& font, const PageOptions& options,
                platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices);

// The same over lines in memory.
bool printPages(const std::vector<std::string>& lines, const platform::PrintFont& font, const PageOptions& options,
                platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices);

} // namespace ds
