#include "datasheet/page_printer.h"

namespace ds {

namespace {

constexpr int kLeftMargin = 10;

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

bool printPages(PrintSource& source, const platform::PrintFont& font, const PageOptions& options,
                platform::Printer& printer, platform::ProgressSink& progress, platform::NoticeSink& notices)
{
    const std::size_t n = source.count();
    const unsigned stride = options.progressStride == 0 ? 1 : options.progressStride;
    printer.setFont(font);
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
