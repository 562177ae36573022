#include "datasheet/datasheet_reader.h"

#include "datasheet/datasheet_format.h"

namespace ds {

namespace {

// The PID at index 1-6; a line too short to hold it does not carry it.
bool carriesPid(std::string_view line, std::string_view pid)
{
    return line.size() > 1 && line.substr(1, 6) == pid;
}

} // namespace

bool DatasheetReader::open(const std::string& path)
{
    return reader_.open(path);
}

std::size_t DatasheetReader::read(std::uint64_t offset, std::string_view pid,
                                  const std::function<void(std::string_view)>& line)
{
    if (!reader_.isOpen() || !reader_.seek(offset))
        return 0;
    std::string header;
    std::size_t shown = 0;
    int headersMet = 0;
    StationRule rule = StationRule::atStation();
    std::string_view piece;
    const auto each = [&](std::string_view part, std::size_t, bool breaksInside) {
        const std::string_view text = platform::cutAtLineEnd(part);
        const bool opens = rule.next(text, breaksInside) != StationRule::Opening::None;
        if (shown > 0 && opens)
            return false;
        if (isHeaderWithComma(text))
            header.assign(text);
        if (carriesPid(text, pid)) {
            if (shown == 0)
                line(header);
            line(text);
            ++shown;
            return true;
        }
        // A stray line of another PID stands in the station: passed over.
        if (shown > 0)
            return !heldPid(text).empty();
        return !(isHeaderLine(text) && ++headersMet == 2);
    };
    while (reader_.next(piece))
        if (!forEachLineIn(piece, each))
            break;
    return shown;
}

std::vector<std::string> DatasheetReader::read(std::uint64_t offset, std::string_view pid)
{
    std::vector<std::string> lines;
    read(offset, pid, [&lines](std::string_view text) { lines.emplace_back(text); });
    return lines;
}

bool readStationDatasheet(const std::string& path, std::uint64_t offset, std::string_view pid,
                          std::vector<std::string>& lines)
{
    DatasheetReader reader;
    if (!reader.open(path))
        return false;
    std::vector<std::string> read = reader.read(offset, pid);
    if (reader.failed())
        return false;
    lines = std::move(read);
    return true;
}

} // namespace ds
