#include "datasheet/page_printer.h"

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

// The font the lines are printed in: the source's own, or, where its widest
// line would pass the right edge of the printable area, the same font made
// smaller (in points) so that every line fits. The printer's font is left
// as the one returned.
platform::PrintFont fittingFont(PrintSource& source, const platform::PrintFont& font, platform::Printer& printer)
{
    printer.setFont(font);
    const int room = printer.printableWidth() - kLeftMargin;
    WidestLine widest = widestLine(source, printer);
    double points = font.pixelSize > 0 ? font.pixelSize * kPointsPerInch / kScreenPixelsPerInch : font.pointSize;
    if (widest.width <= room || room <= 0 || !(points > 0))
        return font;
    platform::PrintFont fitted = font;
    fitted.pixelSize = 0;
    // Widths do not follow the size exactly (hinting, whole pixels): the
    // size goes down by the ratio, then in small steps until the line fits.
    // In the smaller size another line may be the widest, so all are
    // measured again. The printer's smallest text (1 pixel high) ends it.
    for (int pass = 0; pass < 4 && widest.width > room; ++pass) {
        double factor = static_cast<double>(room) / widest.width;
        for (int step = 0; step < 100; ++step) {
            fitted.pointSize = points * factor;
            printer.setFont(fitted);
            if (printer.textWidth(widest.text) <= room || printer.textHeight("E") <= 1)
                break;
            factor *= 0.98;
        }
        points = fitted.pointSize;
        if (printer.textHeight("E") <= 1)
            break;
        widest = widestLine(source, printer);
    }
    return fitted;
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
    const platform::PrintFont font = fittingFont(source, sourceFont, printer);
    const int lineHeight = printer.textHeight("E");
    const int top = printer.pixelsPerInch() / 2;
    const int bottom = printer.printableHeight();

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
    for (std::size_t i = 0; i < n; ++i) {
        if (!options.progressAfterEveryLine && i % stride == 0)
            progress.set(percentOf(i, n));
        const std::string_view line = source.line(i);
        if (options.pageEject && !line.empty() && line.front() == '1' && onPage > 0) {
            if (!nextJob())
                return abandon();
            printer.setFont(font);
            onPage = 0;
            y = top;
        }
        printer.textOut(kLeftMargin, y, line);
        y += lineHeight;
        ++onPage;
        // A full page, or one whose next line would run off the paper.
        if (onPage > options.linesPerPage || y + lineHeight > bottom) {
            if (!nextJob())
                return abandon();
            printer.setFont(font);
            onPage = 0;
            y = top;
        }
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
