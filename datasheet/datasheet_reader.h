#pragma once
// Reads one station's datasheet back out of a datasheet file, from the byte
// offset the PID/offset index gives (its header line, or its first body
// line when its header is damaged), as the viewer shows it and the datasheet
// saves copy it:
// - every line is read whole and cut at its first CR or LF;
// - a line that begins "1        Quarndale Geomark Bureau," (with the comma)
//   becomes the header text; a header without the comma is never shown;
// - the first line that carries the PID at index 1-6 is preceded by the
//   header text (an empty line when none was read); lines before it are
//   skipped;
// - after that, the line that opens the next station (ds::StationRule) or
//   the first other line without the PID ends the station; a stray line
//   of another PID is passed over.
// When the PID does not follow the offset, the search gives up at the second
// header line (33-character start) that it meets: the first is the offset's
// own station's, or, for an offset into a body, the next station's; past the
// second one the lines belong to a station the offset does not point into.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/line_reader.h"

namespace ds {

class DatasheetReader {
public:
    // False when the file cannot be opened.
    bool open(const std::string& path);
    void close() { reader_.close(); }

    // Calls `line` for each line of the station's datasheet, line ends
    // removed; the views are valid during the call. Returns the number of
    // lines that carry the PID (0 when it does not follow the offset; then
    // nothing was passed, not even the header text).
    std::size_t read(std::uint64_t offset, std::string_view pid,
                     const std::function<void(std::string_view)>& line);
    std::vector<std::string> read(std::uint64_t offset, std::string_view pid);

    // True after a read that stopped on an I/O error.
    bool failed() const { return reader_.failed(); }

private:
    platform::LineReader reader_{0};
};

// Opens the file, reads the station into `lines` and closes it. False when
// the file cannot be opened or a read from it fails (the lines are then
// untouched).
bool readStationDatasheet(const std::string& path, std::uint64_t offset, std::string_view pid,
                          std::vector<std::string>& lines);

} // namespace ds
