// Prints station-list lines into a PDF file through the page printer and
// the Qt printer, offscreen, and reports the time and the peak memory:
//   dsprintbench LINES PDF
// The lines are made one at a time as the page printer asks for them (a
// list line per station, tag, PID, orders, position and designation), so
// the figures are the printer's own. The last two lines are
// "seconds=<float>" (the printout) and "peak_kb=<int>" (the process's peak
// resident size).
#include <sys/resource.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "datasheet/page_printer.h"
#include "platform/qt/qt_printer.h"

namespace {

class ListLines : public ds::PrintSource {
public:
    explicit ListLines(std::size_t count) : count_(count) {}
    std::size_t count() const override { return count_; }
    std::string_view line(std::size_t index) override
    {
        char text[160];
        const unsigned n = static_cast<unsigned>(index);
        const int length = std::snprintf(text, sizeof text, "     |Q%c%04u|%c-%c|%02u %02u %02u.%05u|%03u %02u %02u.%05u|STATION %u MARK",
                                         'A' + static_cast<char>(n / 10000 % 26), n % 10000, "ABC123"[n % 6],
                                         "123"[n % 3], 30 + n % 10, n % 60, (n * 7) % 60, n % 100000, 90 + n % 20,
                                         (n * 3) % 60, (n * 11) % 60, (n * 13) % 100000, n);
        line_.assign(text, static_cast<std::size_t>(length));
        return line_;
    }

private:
    std::size_t count_;
    std::string line_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: dsprintbench LINES PDF\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::size_t count = std::strtoull(argv[1], nullptr, 10);
    platform::QtPrinter printer;
    printer.usePdfFile(argv[2]);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    ListLines source(count);
    platform::NullProgress progress;
    platform::StderrNotices notices;

    const auto start = std::chrono::steady_clock::now();
    const bool ok = ds::printPages(source, platform::printFont(font), {}, printer, progress, notices);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!ok)
        return 1;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("lines=%zu\nseconds=%.6f\npeak_kb=%ld\n", count, seconds, usage.ru_maxrss);
    return 0;
}
