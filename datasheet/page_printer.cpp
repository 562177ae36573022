#include "datasheet/page_printer.h"

#include <algorithm>

namespace ds {

namespace {

constexpr int kLeftMargin = 10;
constexpr double kScreenPixelsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;

struct WidestLine {
    int width = 0;
    std::string text;
};

// The widest line of the source in the printer's current font.
WidestLine widestLine(PrintSource& source, platform::Printer& printer)
{
    WidestLine widest;
    const std::size_t n = source.count();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string_view line = source.line(i);
        const int width = printer.textWidth(line);
        if (width > widest.width) {
            widest.width = width;
            widest.text.assign(line);
        }
    }
    return widest;
}

double pointsOf(const platform::PrintFont& font)
{
    return font.pixelSize > 0 ? font.pixelSize * kPointsPerInch / kScreenPixelsPerInch : font.pointSize;
}

// The largest size, from `points` down, at which `text` is no wider than
// `room`. Widths do not follow the size exactly (hinting, whole pixels): the
// size goes down by the ratio, then in small steps until the text fits. The
// printer's smallest text (1 pixel high) ends it. The printer's font is left
// in the size returned.
double sizeToFit(std::string_view text, platform::PrintFont font, double points, int room,
                 platform::Printer& printer)
{
    font.pixelSize = 0;
    font.pointSize = points;
    printer.setFont(font);
    const int width = printer.textWidth(text);
    if (width <= room)
        return points;
    double factor = static_cast<double>(room) / width;
    for (int step = 0; step < 100; ++step) {
        font.pointSize = points * factor;
        printer.setFont(font);
        if (printer.textWidth(text) <= room || printer.textHeight("E") <= 1)
            break;
        factor *= 0.98;
    }
    return font.pointSize;
}

struct PrintedFont {
    platform::PrintFont font;
    // Some line may be wider than the paper in the font: rows are measured.
    bool wraps = false;
};

// The font the lines are printed in: the source's own, or, where its widest
// line would pass the right edge of the printable area, the same font made
// smaller (in points) so that every line fits, down to the size at which
// `floorCharacters` characters fill the width. Below that size the lines no
// longer read on paper; wider lines wrap instead. The printer's font is left
// as the one returned.
PrintedFont printedFont(PrintSource& source, const platform::PrintFont& font, std::size_t floorCharacters,
                        platform::Printer& printer)
{
    printer.setFont(font);
    const int room = printer.printableWidth() - kLeftMargin;
    WidestLine widest = widestLine(source, printer);
    const double points = pointsOf(font);
    if (widest.width <= room || room <= 0 || !(points > 0))
        return {font, false};
    const std::string sample(std::max<std::size_t>(floorCharacters, 1), '0');
    printer.setFont(font);
    const bool floorAtSource = printer.textWidth(sample) <= room;
    // Never larger than the source's own size.
    const double floor = floorAtSource ? points : sizeToFit(sample, font, points, room, printer);

    platform::PrintFont fitted = font;
    fitted.pixelSize = 0;
    auto inSize = [&](double size, bool wraps) {
        fitted.pointSize = size;
        printer.setFont(fitted);
        return PrintedFont{fitted, wraps};
    };
    // In the smaller size another line may be the widest, so all are
    // measured again.
    double size = points;
    for (int pass = 0; pass < 4; ++pass) {
        size = sizeToFit(widest.text, font, size, room, printer);
        if (size <= floor)
            break;
        widest = widestLine(source, printer);
        if (widest.width <= room)
            return inSize(size, false);
    }
    if (size > floor) // not settled: what is still wider wraps
        return inSize(size, true);
    if (floorAtSource) {
        printer.setFont(font);
        return {font, true};
    }
    return inSize(floor, true);
}

// The number of characters from the start of `line` that the next row
// takes: as many as fit `room`, at least one.
std::size_t rowLength(std::string_view line, int room, platform::Printer& printer)
{
    if (printer.textWidth(line) <= room)
        return line.size();
    std::size_t fits = 1; // a character wider than the paper still takes a row
    std::size_t over = line.size();
    while (over - fits > 1) {
        const std::size_t middle = fits + (over - fits) / 2;
        if (printer.textWidth(line.substr(0, middle)) <= room)
            fits = middle;
        else
            over = middle;
    }
    return fits;
}

int percentOf(std::size_t done, std::size_t total)
{
    return total == 0 ? 0 : static_cast<int>(100.0 * static_cast<double>(done) / static_cast<double>(total));
}

bool fail(platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices)
{
    progress.finish();
    notices.notice("NOTICE", "Could not print to " + printer.name());
    return false;
}

} // namespace

bool printPages(PrintSource& source, const platform::PrintFont& sourceFont, const PageOptions& options,
                platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices)
{
    const std::size_t n = source.count();
    const unsigned stride = options.progressStride == 0 ? 1 : options.progressStride;
    const PrintedFont printed = printedFont(source, sourceFont, options.floorCharacters, printer);
    const platform::PrintFont& font = printed.font;
    const int lineHeight = printer.textHeight("E");
    const int top = printer.pixelsPerInch() / 2;
    const int bottom = printer.printableHeight();
    const int room = printer.printableWidth() - kLeftMargin;

    if (!printer.beginPrintout())
        return fail(printer, progress, notices);
    // Ends the job and begins the next one; false when either fails.
    auto nextJob = [&printer] { return printer.endJob() && printer.beginJob(); };
    auto abandon = [&] {
        printer.endPrintout();
        return fail(printer, progress, notices);
    };
    if (!printer.beginJob())
        return abandon();
    // The canvas of a new job starts with the default font on some printers.
    printer.setFont(font);

    int y = top;
    long long onPage = 0;
    auto newPage = [&] {
        if (!nextJob())
            return false;
        printer.setFont(font);
        onPage = 0;
        y = top;
        return true;
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (!options.progressAfterEveryLine && i % stride == 0)
            progress.set(percentOf(i, n));
        std::string_view line = source.line(i);
        if (options.pageEject && !line.empty() && line.front() == '1' && onPage > 0) {
            if (!newPage())
                return abandon();
        }
        // One row, or the rows of a line wider than the paper; an empty line
        // is a row too.
        do {
            const std::size_t length = printed.wraps ? rowLength(line, room, printer) : line.size();
            printer.textOut(kLeftMargin, y, line.substr(0, length));
            line.remove_prefix(length);
            y += lineHeight;
            ++onPage;
            // A full page, or one whose next row would run off the paper.
            if (onPage > options.linesPerPage || y + lineHeight > bottom) {
                if (!newPage())
                    return abandon();
            }
        } while (!line.empty());
        if (options.progressAfterEveryLine)
            progress.set(percentOf(i + 1, n));
    }
    if (!printer.endJob())
        return abandon();
    if (!printer.endPrintout())
        return fail(printer, progress, notices);
    progress.finish();
    return true;
}

bool printPages(const std::vector<std::string>& lines, const platform::PrintFont& font, const PageOptions& options,
                platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices)
{
    VectorPrintSource source(lines);
    return printPages(source, font, options, printer, progress, notices);
}

} // namespace ds
