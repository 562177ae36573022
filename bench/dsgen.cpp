// dsgen: writes synthetic datasheet text to a file or to standard output.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/datasheet_generator.h"

namespace {

const char* const kUsage =
    "usage: dsgen [--stations N | --size-mb M] [--seed S] [--state ST] [--county NNN]\n"
    "             [--county-name NAME] [--pid-prefix XX] [--first-pid NNNN] [--date TEXT]\n"
    "             [--lf] [--long-lines] [--near \"dd mm ss\" \"ddd mm ss\" SECONDS] [-o FILE]\n"
    "  --size-mb M   write stations until the output holds M MiB (M may have decimals)\n"
    "  --date TEXT   retrieval date in every header, e.g. \"OCTOBER 14, 2004\"\n"
    "  --lf          LF line ends (default CR LF)\n"
    "  --long-lines  some description lines longer than 149 characters\n"
    "  --near        every station within SECONDS arc seconds of the point, in latitude and longitude\n"
    "  without -o the datasheets go to standard output\n";

[[noreturn]] void usageError(const std::string& message)
{
    std::cerr << "dsgen: " << message << "\n" << kUsage;
    std::exit(2);
}

// Whole decimal number, all of the text.
unsigned long long number(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0)
        usageError(option + " needs a whole number, not \"" + text + "\"");
    return value;
}

} // namespace

int main(int argc, char** argv)
{
    dsgen::Options options;
    std::string outputPath;
    bool stationsGiven = false;
    bool sizeGiven = false;

    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                usageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--stations") {
            options.stations = number(arg, value());
            stationsGiven = true;
        } else if (arg == "--size-mb") {
            const std::string& text = value();
            char* end = nullptr;
            const double mb = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(mb > 0) || mb > 1e6)
                usageError("--size-mb needs a positive number, not \"" + text + "\"");
            options.targetBytes = static_cast<std::uint64_t>(mb * 1048576.0);
            sizeGiven = true;
        } else if (arg == "--seed") {
            options.seed = number(arg, value());
        } else if (arg == "--state") {
            options.state = value();
        } else if (arg == "--county") {
            options.county = static_cast<int>(std::min(number(arg, value()), 1000ull));
        } else if (arg == "--county-name") {
            options.countyName = value();
        } else if (arg == "--pid-prefix") {
            options.pidPrefix = value();
        } else if (arg == "--first-pid") {
            options.firstPidNumber = static_cast<int>(std::min(number(arg, value()), 10000ull));
        } else if (arg == "--date") {
            options.retrievalDate = value();
        } else if (arg == "--lf") {
            options.lineEnd = dsgen::LineEnd::Lf;
        } else if (arg == "--near") {
            // --near "dd mm ss" "ddd mm ss" SECONDS
            options.nearLatitude = value();
            options.nearLongitude = value();
            options.nearSeconds = static_cast<int>(std::min(number(arg, value()), 1000000ull));
        } else if (arg == "--long-lines") {
            options.longLines = true;
        } else if (arg == "-o") {
            outputPath = value();
        } else if (arg == "-h" || arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else {
            usageError("unknown option " + arg);
        }
    }
    if (stationsGiven && sizeGiven)
        usageError("give --stations or --size-mb, not both");

    try {
        dsgen::validate(options);
        if (outputPath.empty()) {
            std::ios::sync_with_stdio(false);
            dsgen::generate(options, std::cout);
            std::cout.flush();
            if (!std::cout) {
                std::cerr << "dsgen: cannot write to standard output\n";
                return 1;
            }
            return 0;
        }
        std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "dsgen: cannot open " << outputPath << " for writing\n";
            return 1;
        }
        const std::size_t stations = dsgen::generate(options, out);
        out.close();
        if (!out) {
            std::cerr << "dsgen: cannot write " << outputPath << "\n";
            return 1;
        }
        std::cerr << "dsgen: " << stations << " stations written to " << outputPath << "\n";
    } catch (const std::invalid_argument& e) {
        usageError(e.what());
    }
    return 0;
}
