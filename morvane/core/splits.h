#pragma once
// The splits of a datasheet file into the pieces of an output directory.
// Every piece changes only once the split is complete (see OutputSet); a
// failure leaves the directory as it was and gives a notice (caption
// "NOTICE"); so does a piece whose name is another name of the input (a
// symbolic or hard link to it). A split that worked but could not give a
// replaced piece its owner, group and mode back names it in a notice ("The
// split is complete." and OutputSet's identity notes). Lines are read whole (CR LF or LF) and
// written trimmed of their trailing control characters, with CR LF.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "morvane/core/index_files.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace morvane {

// The index-driven split: each station goes to the dsdata.NNN of the index
// entry its first key line names; a station whose key cannot be a name or
// a position (a text that does not begin with a letter, a position that
// does not begin with digits) goes to dsdata.000; a station with a proper
// key that no entry names, or without a key line, is not written. Lines
// before a station's key line are kept with it; lines before the first
// header go nowhere. dsdata.000 always exists afterwards. An output that
// exists already gets the new lines at its end.
struct IndexSplit {
    IndexKind kind = IndexKind::Quad;
    // The index file's lines, every entry of the right shape.
    std::vector<std::string> indexLines;
    std::string input;
    std::string outDir;
};
bool SplitByIndex(const IndexSplit& split, platform::NoticeSink& notices, platform::ProgressSink& progress);

// The output number that a look-up gives a station's key line: "NNN",
// "000", or empty when the station is not written.
class IndexLookup {
public:
    IndexLookup(IndexKind kind, const std::vector<std::string>& indexLines);
    // By the kind.
    std::string find(std::string_view keyLine) const;
    // The first entry whose name is the key; else 000 for a key that does
    // not begin with a letter.
    std::string FindQuadOutput(std::string_view keyLine) const { return findName(keyLine); }
    std::string FindCountyOutput(std::string_view keyLine) const { return findName(keyLine); }
    // The first area in file order that holds the position; else 000 for a
    // position that does not begin with digits.
    std::string FindAreaOutput(std::string_view keyLine) const;

private:
    std::string findName(std::string_view keyLine) const;

    struct Area {
        std::string bounds; // minLat maxLat minLon maxLon packed, 26 characters
        std::string number;
    };
    IndexKind kind_;
    std::unordered_map<std::string, std::string> names_;
    std::vector<Area> areas_;
};

// Whether the position of the key line lies in the packed area.
bool InCurrentArea(std::string_view area, std::string_view keyLine);

// The splits into pieces of a size: dsdata.001, dsdata.002, ... (dsdata.1000
// after dsdata.999), or <PID>.out pieces of one station each.
enum class CountKind { Bytes, Lines, Stations };
struct CountSplit {
    CountKind kind = CountKind::Bytes;
    // Bytes per piece, lines or stations.
    double limit = 0;
    // "Split only between datasheets" (bytes and lines).
    bool betweenDatasheets = true;
    // Stations with a limit of 1: 0 names the pieces after the PID.
    int prefixMode = 1;
    std::string input;
    std::string outDir;
};
bool SplitByCount(const CountSplit& split, platform::NoticeSink& notices, platform::ProgressSink& progress);

// The name of numbered piece n: dsdata.001 ... dsdata.999, dsdata.1000.
std::string pieceName(int number);

// The limits typed in the split windows, read as the C library reads
// numbers in the C locale (leading blanks, a prefix that is a number; 0
// for a text that is none): megabytes times 1000000, or a whole number.
double byteLimit(std::string_view text);
double countLimit(std::string_view text);

} // namespace morvane
