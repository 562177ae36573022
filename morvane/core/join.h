#pragma once
// The join: copies datasheet files one after the other into one output,
// keeping the stations that pass the station-type filter, in one of the
// output formats (0 datasheet text, 1 list lines, 2 PINMAP lines,
// 3 ITEMPICK records).
//
// Inputs are read as bytes (CR LF or LF line ends, lines of any length);
// the output has CR LF line ends. The output changes only once the new data
// is complete: it is written to a temporary file beside it and then renamed
// over it or added at its end.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/crlf_writer.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace morvane {

// The ITEMPICK writers (format 3), given by the item selection form.
struct ItemPickWriters {
    // The header line, once per join, before the first input file.
    std::function<void(platform::CrlfWriter& out)> writeItemHeader;
    // The records of one input file.
    std::function<void(platform::LineReader& input, platform::CrlfWriter& out, platform::ProgressSink& progress)>
        writeFileItems;
};

struct JoinSettings {
    int format = 0;
    // Station-type code; empty or "X-0" lets every station through.
    std::string typeCode;
    ItemPickWriters itemPick;
};

// Copies the datasheet whose header line (for a station whose header is
// damaged: that damaged line) starts at `headerOffset`: the header and the
// first line after it always, then every line of the PID and every stray
// line of another PID, up to the line that opens the next station
// (ds::StationRule) or the first other line without the PID, which is not
// written. The header line is written whole without its line end; every
// other line is cut at its first CR or LF. Each is written with CR LF.
// Returns the offset of the line that ended the copy, or the file's end.
std::uint64_t CopyDatasheet(platform::LineReader& input, platform::CrlfWriter& out, std::string_view pid,
                            std::uint64_t headerOffset);

// Reads on to where the next station opens (ds::StationRule) and returns
// the offset of its header line (of its damaged header line when it opens
// at a body line), or the file's end.
std::uint64_t SkipDatasheet(platform::LineReader& input, std::string_view pid);

// One list line (format 1) or PINMAP line (format 2) per station that
// passes the filter, in file order.
void WriteFileSummary(platform::LineReader& input, platform::CrlfWriter& out, int format,
                      std::string_view typeCode, platform::ProgressSink& progress);

// Copies one open input file into the output by the format. The one place
// where the formats part.
void CopyFileFiltered(platform::LineReader& input, platform::CrlfWriter& out, const JoinSettings& settings,
                      platform::ProgressSink& progress);

// The input path a MorvaneList entry names: its text up to the first blank or '|'.
std::string entryPath(std::string_view entry);

struct JoinRequest {
    std::vector<std::string> inputs;
    std::string output;
    bool append = false;
    JoinSettings settings;
    // Called before each input file with its number (from 1) and the count.
    std::function<void(std::size_t number, std::size_t count)> fileStarted;
};

// The per-file loop with its reports (caption "NOTICE"):
// - an output that is one of the inputs: refused, nothing written;
// - the output cannot be written: "Could not open file %s for Write";
// - an input that cannot be opened (or is a directory): "Cannot Open file
//   %s for read." and "Could not open file %s"; the join goes on;
// - an input that cannot be read to its end, or an output that cannot be
//   completed: a notice, and the output stays as it was.
// True when the output now holds the join; `identityNote` (when given) then
// gets SafeOutput's identity note for the success notice: empty unless the
// replaced output could not keep its owner, group and mode.
bool JoinFiles(const JoinRequest& request, platform::NoticeSink& notices, platform::ProgressSink& progress,
               std::string* identityNote = nullptr);

} // namespace morvane
