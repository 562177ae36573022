#pragma once
// Saving a station list to a file, and merging the datasheets of its
// stations into an existing datasheet file.
//
// A save writes one entry per list line, in list order, every line ending in
// CR LF:
//   0 datasheet text  the station's datasheet copied from the data file;
//   1 list lines      the line unchanged, tag included;
//   2 PINMAP lines    the line from index 6 (PID, orders, position, name);
//   3 ITEMPICK        the station's records, lines without a letter or
//                     digit left out.
// The PID of a list line is the six characters at index 6-11.
//
// Both operations write to a temporary file beside the target and change
// the target only once the new data is complete (rename over it, or add at
// its end). On any failure a notice says what failed, the target is as it
// was, and the function returns false; the caller reports success.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/crlf_writer.h"
#include "platform/file_identity.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/progress.h"

namespace ds {

inline constexpr int kDatasheetFormat = 0;
inline constexpr int kListFormat = 1;
inline constexpr int kPinmapFormat = 2;
inline constexpr int kItemPickFormat = 3;

// The merge's copy of the target, in the current directory.
inline constexpr const char* kMergeBackup = "dsdata0.bak";

// True when some character of the text is an ASCII letter or digit.
bool HasAlnum(std::string_view text);

// Byte offset of a PID's station in the data file, -1 when the PID/offset
// index has none. Answers as a scan of the index from its start would.
using OffsetLookup = std::function<std::int64_t(std::string_view pid)>;

// Writes the datasheet of the station whose header line is at the offset of
// `data`, a reader of whole lines (piece length 0): the header text, then
// every line that carries the PID at index 1-6, each cut at its first CR or
// LF and ended with CR LF.
// - The header text is the last line read that begins
//   "1        Quarndale Geomark Bureau," (with the comma); without one an
//   empty line stands in its place. Lines before the first PID line that do
//   not carry the PID are passed over.
// - Once a PID line was written, the station ends at the line that opens
//   the next station (ds::StationRule: a header line, or a body line of
//   another PID after a line that holds none), or at the first line without
//   the PID after more than five written lines; up to five, such lines are
//   dropped. A stray line of another PID is passed over.
// - When no PID line follows the offset, the search gives up at the second
//   header line.
// Returns the number of PID lines written; 0 means nothing was written.
std::size_t WriteDatasheet(platform::LineReader& data, std::uint64_t offset, std::string_view pid,
                           platform::CrlfWriter& out);

// What a save needs besides the list lines.
struct ListSave {
    std::string target;
    bool append = false; // answer Append: the output goes after the target's bytes
    int format = kListFormat;
    std::string dataPath; // the datasheet file in use
    OffsetLookup lookup;  // format 0
    // Format 3: the header line, written once before the first station
    // (none when empty, or with no station); and what the item writer writes for each station,
    // appended to `records` (lines ended by LF or CR LF; `index` is the
    // line's number in the list, from 0). The item writer reads the data
    // file itself; the save first makes sure that it can be opened. A writer
    // that returns false (the data file could not be read, after its notice)
    // ends the save with the target untouched.
    std::string itemHeader;
    std::function<bool(std::string_view pid, std::size_t index, std::string& records)> stationItems;
    // The data file as it was loaded; formats 0 and 3 read it by offset and
    // are refused when it has changed. An unknown identity (the file changed
    // while it was loaded) never matches; none given: not checked.
    std::optional<platform::FileIdentity> dataIdentity;
};

// Writes the lines to the target in the format. Notices, caption "NOTICE":
// "Offset Location not found for %s" for a PID the index lacks (the station
// is left out, the save goes on); and, each ending the save with the target
// untouched: the target is the data file, the data file has changed since
// it was loaded (formats 0 and 3; checked before and after the stations are
// read), the temporary file cannot be made, the data file cannot be read,
// the target cannot be written ("Cannot write to file %s", also for a
// target the user may not write or that is no regular file). Progress
// moves at line 0 and every 20th line. After success `identityNote`, when
// given, holds SafeOutput::identityNote() for the caller's success notice.
bool saveList(const std::vector<std::string>& lines, const ListSave& request, platform::NoticeSink& notices,
              platform::ProgressSink& progress, std::string* identityNote = nullptr);

// Copies source to destination byte for byte (the copy half of moving the
// target aside: the merged file later takes the source's place). Returns 1,
// or -1 after a notice: "Cannot write to file %s" when the source cannot be
// read and written or the destination cannot be written (also when it is
// the source); "Syetem error, Could not Merge Files" when the source is
// empty, the copy fails on a read, a full disk or a size limit (with "The
// disk is full." for a full disk), or the source changed while it was copied
// (with "<source> changed while it was copied: nothing was changed."). A
// copy that failed leaves nothing: the destination is as it was.
int MoveByCopy(const std::string& source, const std::string& destination, platform::NoticeSink& notices);

// A station's lines in a datasheet file run up to the line that opens the
// next station (ds::StationRule): a header line, or a body line of another
// PID after a line that holds none. `pid` is the PID the station's lines carry; empty: the
// PID of the first of them that holds one. Both helpers read whole lines
// (piece length 0) on to that line, which they put into `pending` (line end
// kept), and return true; false when the file ended first.
// CopyStationLines writes every line as it stands (a last line without a
// line end gets CR LF). SkipStationLines drops the station's lines, that is
// its PID lines and what stands among them; the lines after its last PID
// line are no part of it (lines between stations, the damaged header of the
// next one) and are written to `keep` as they stand, when one is given.
bool CopyStationLines(platform::LineReader& in, platform::CrlfWriter& out, std::string& pending,
                      std::string_view pid = {});
bool SkipStationLines(platform::LineReader& in, std::string& pending, std::string_view pid = {},
                      platform::CrlfWriter* keep = nullptr);

// What a merge needs besides the PIDs.
struct ListMerge {
    std::string target;
    std::string backup = kMergeBackup;
    std::string dataPath; // the datasheet file in use
    OffsetLookup lookup;
    std::optional<platform::FileIdentity> dataIdentity; // as loaded; none given: not checked
};

// Merges the stations into the target datasheet file, read by
// ds::StationRule: every station of the target whose PID (that of its
// first line holding one) is one of
// `pids` is replaced by its datasheet from the data file, every other
// station is copied unchanged (lines before the first header too), and the stations the target lacks are added
// at its end in the order of `pids`. A PID given twice replaces two
// stations of the target or is added twice. A listed station whose
// datasheet cannot be read keeps its old one. A station of the target ends
// where the next one opens: a station whose header line is damaged opens
// at its first body line (also the file's first station), and is copied or
// replaced in place as a station of its own; a stray line of another PID
// stays in the station it stands in. The lines between a replaced
// station's last line and the next station stay (a damaged header line
// too), and so do the lines before the first station. A line whose LF was
// lost before a header or a PID line ends at its CR; where what follows it
// is left out, it gets its LF.
//
// The backup is made first and removed after success; it stays when
// anything failed, and when a listed PID was missing from the index.
// Refused with a notice, nothing changed: a target that is the data file,
// or that is no datasheet file ("is not a datasheet file.") or cannot be
// read once the backup is made ("could not be read: nothing was changed.";
// the backup is removed), and a data file that has changed since it
// was loaded (checked before the backup is made, and again before the
// target is replaced; the backup then stays). Progress follows the target's stations.
// `identityNote` as for saveList.
bool mergeList(const std::vector<std::string>& pids, const ListMerge& request, platform::NoticeSink& notices,
               platform::ProgressSink& progress, std::string* identityNote = nullptr);

} // namespace ds
