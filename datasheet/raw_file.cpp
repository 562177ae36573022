#include "datasheet/raw_file.h"

#include "platform/line_reader.h"

namespace ds {

bool readRawFile(const std::string& path, platform::ProgressSink& progress, std::vector<std::string>& lines)
{
    platform::LineReader reader;
    if (!reader.open(path))
        return false;
    platform::ProgressCounter counter(progress, 200);
    std::string_view line;
    while (reader.next(line)) {
        counter.unit(reader.pieceOffset(), reader.size());
        lines.emplace_back(platform::chompLineEnd(line));
    }
    // A file that opens but cannot be read (a bad sector) is no empty file.
    return !reader.failed();
}

} // namespace ds
