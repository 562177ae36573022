#include "datasheet/list_save.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>

#include "datasheet/datasheet_format.h"
#include "datasheet/list_lines.h"
#include "platform/descriptor.h"
#include "platform/file_identity.h"
#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace ds {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCaption = "NOTICE";

// The PID at index 1-6; a line too short to hold it does not carry it.
bool carriesPid(std::string_view line, std::string_view pid)
{
    return line.size() > 1 && line.substr(1, 6) == pid;
}

// The line cut at its first CR or LF. A piece holds one LF, at its end.
std::string_view lineText(std::string_view piece)
{
    if (const void* cr = std::memchr(piece.data(), '\r', piece.size()))
        return piece.substr(0, static_cast<std::size_t>(static_cast<const char*>(cr) - piece.data()));
    if (!piece.empty() && piece.back() == '\n')
        piece.remove_suffix(1);
    return piece;
}

// Writes the text and CR LF; a piece that is already exactly that goes out whole.
void writeText(platform::CrlfWriter& out, std::string_view piece, std::string_view text)
{
    if (piece.size() == text.size() + 2 && piece[text.size()] == '\r' && piece.back() == '\n')
        out.write(piece);
    else
        out.writeLine(text);
}

void notice(platform::NoticeSink& notices, const std::string& text)
{
    notices.notice(kCaption, text);
}

std::string cannotRead(const std::string& path)
{
    return "Cannot Open file " + path + " for read.";
}

std::string cannotWrite(const std::string& path)
{
    return "Cannot write to file " + path;
}

const char* const kNoTempFile = "SYSTEM ERROR -Cannot open temporary file.";

// The notice for an output that open() refused, with the reason when the
// disk is full.
std::string openFailure(const platform::SafeOutput& output, const std::string& target)
{
    return (output.failure() == platform::SafeOutput::Failure::CannotMakeTemp ? std::string(kNoTempFile)
                                                                               : cannotWrite(target)) +
           output.keptNote();
}

// False, after the notice, when the data file is no longer the one loaded.
bool dataUnchanged(const std::string& dataPath, const std::optional<platform::FileIdentity>& identity,
                   platform::NoticeSink& notices)
{
    return !identity || platform::checkUnchanged(dataPath, *identity, notices, kCaption);
}

// Writes a line read from a file as it stands; the last line of a file may
// lack its line end, and whatever follows must not run on into it.
void writeWhole(platform::CrlfWriter& out, std::string_view line)
{
    out.write(line);
    if (line.empty() || line.back() != '\n')
        out.write(line.empty() || line.back() != '\r' ? "\r\n" : "\n");
}

// The data file of one save or merge: opened at the first station that needs
// it, once. Failures give one notice; the caller then stops.
class DataFile {
public:
    DataFile(const std::string& path, const OffsetLookup& lookup, platform::NoticeSink& notices)
        : path_(path), lookup_(lookup), notices_(notices)
    {
    }

    enum class Outcome { Written, Missing, Failed };

    // Missing: the PID has no offset (after its notice) or no lines at it.
    Outcome write(std::string_view pid, platform::CrlfWriter& out)
    {
        const std::int64_t offset = lookup_ ? lookup_(pid) : -1;
        if (offset < 0) {
            notice(notices_, "Offset Location not found for " + std::string(pid));
            missingOffsets_ = true;
            return Outcome::Missing;
        }
        if (!file_.isOpen() && !file_.open(path_)) {
            notice(notices_, cannotRead(path_));
            return Outcome::Failed;
        }
        const std::size_t written = WriteDatasheet(file_, static_cast<std::uint64_t>(offset), pid, out);
        if (file_.failed()) {
            notice(notices_, cannotRead(path_));
            return Outcome::Failed;
        }
        return written > 0 ? Outcome::Written : Outcome::Missing;
    }

    bool missingOffsets() const { return missingOffsets_; }

private:
    const std::string& path_;
    const OffsetLookup& lookup_;
    platform::NoticeSink& notices_;
    platform::LineReader file_{0}; // whole lines: long lines are copied whole
    bool missingOffsets_ = false;
};

// Format 3: the item writer's lines that hold a letter or a digit.
void writeItemRecords(std::string_view records, platform::CrlfWriter& out)
{
    while (!records.empty()) {
        const std::size_t lf = records.find('\n');
        std::string_view line = records.substr(0, lf);
        records = lf == std::string_view::npos ? std::string_view() : records.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (HasAlnum(line))
            out.writeLine(line);
    }
}

} // namespace

bool HasAlnum(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return isUpper(c) || isLower(c) || isDigit(c); });
}

// --- one datasheet ---

std::size_t WriteDatasheet(platform::LineReader& data, std::uint64_t offset, std::string_view pid,
                           platform::CrlfWriter& out)
{
    if (!data.seek(offset))
        return 0;
    std::string header;
    std::size_t written = 0;
    int headersMet = 0;
    StationRule rule = StationRule::atStation();
    const auto each = [&](std::string_view piece, std::size_t, bool breaksInside) {
        const std::string_view line = lineText(piece);
        const bool opens = rule.next(line, breaksInside) != StationRule::Opening::None;
        if (isHeaderLine(line)) {
            // The next station begins; before any PID line, the second
            // header means the PID does not follow the offset.
            if (written > 0 || ++headersMet == 2)
                return false;
            if (isHeaderWithComma(line))
                header.assign(line);
            return true;
        }
        if (written > 0 && opens)
            return false; // the next station, its header damaged
        if (carriesPid(line, pid)) {
            if (written == 0)
                out.writeLine(header);
            writeText(out, piece, line);
            ++written;
            return true;
        }
        // A stray line of another PID stands in the station: passed over.
        return written <= 5 || !heldPid(line).empty();
    };
    std::string_view piece;
    while (data.next(piece))
        if (!forEachLineIn(piece, each))
            break;
    return written;
}

// --- save ---

bool saveList(const std::vector<std::string>& lines, const ListSave& request, platform::NoticeSink& notices,
              platform::ProgressSink& progress, std::string* identityNote)
{
    if (platform::isSameFile(request.target, request.dataPath)) {
        notice(notices, "Not saved: " + request.target + "\r\nis the datasheet file in use.");
        return false;
    }
    // An empty list reads nothing from the data file, so there is nothing to check.
    const bool readsData =
        !lines.empty() && (request.format == kDatasheetFormat || request.format == kItemPickFormat);
    if (readsData && !dataUnchanged(request.dataPath, request.dataIdentity, notices))
        return false;
    platform::SafeOutput output;
    if (!output.open(request.target,
                     request.append ? platform::SafeOutput::Mode::Append : platform::SafeOutput::Mode::Overwrite)) {
        notice(notices, openFailure(output, request.target));
        return false;
    }
    platform::CrlfWriter& out = output.writer();
    DataFile data(request.dataPath, request.lookup, notices);
    std::string records;
    const std::size_t count = lines.size();
    if (request.format == kItemPickFormat && count > 0) {
        if (!platform::LineReader().open(request.dataPath)) {
            notice(notices, cannotRead(request.dataPath));
            return false;
        }
        writeItemRecords(request.itemHeader, out);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 20 == 0)
            progress.set(static_cast<int>(100 * i / count));
        const std::string& line = lines[i];
        const std::string_view pid = listLinePid(line);
        switch (request.format) {
        case kDatasheetFormat:
            if (data.write(pid, out) == DataFile::Outcome::Failed)
                return false;
            break;
        case kListFormat:
            out.writeLine(line);
            break;
        case kPinmapFormat:
            out.writeLine(line.size() > 6 ? std::string_view(line).substr(6) : std::string_view());
            break;
        case kItemPickFormat:
            if (request.stationItems) {
                records.clear();
                if (!request.stationItems(pid, i, records))
                    return false;
                writeItemRecords(records, out);
            }
            break;
        default:
            break;
        }
    }
    // The file may have changed while the stations were read from it.
    if (readsData && !dataUnchanged(request.dataPath, request.dataIdentity, notices))
        return false;
    if (!output.commit()) {
        notice(notices, cannotWrite(request.target) + output.keptNote());
        return false;
    }
    if (identityNote)
        *identityNote = output.identityNote();
    return true;
}

// --- merge ---

int MoveByCopy(const std::string& source, const std::string& destination, platform::NoticeSink& notices)
{
    // The merged file later replaces the source, so it must be one the user
    // may write (a file without a write bit is read-only for root too); the
    // test comes before the copy, so that a refusal leaves no copy behind.
    platform::Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!platform::isWritableFile(source) || !in.valid()) {
        notice(notices, cannotWrite(source));
        return -1;
    }
    // An old copy that may not be written is not the program's to replace.
    if (platform::fileExists(destination) &&
        (!platform::isWritableFile(destination) || platform::isSameFile(source, destination))) {
        notice(notices, cannotWrite(destination));
        return -1;
    }
    struct stat before {};
    if (::fstat(in.get(), &before) != 0 || before.st_size == 0) {
        notice(notices, "Syetem error, Could not Merge Files");
        return -1;
    }
    // The copy is written under a temporary name beside the backup and
    // takes the backup's name only once it holds the whole target as it was
    // when the copy began, and is on the disk: a file named as the backup
    // always holds the whole target.
    errno = 0;
    if (platform::writeWholeCopy(in.get(), destination, platform::CopyName::Exact).empty()) {
        const int error = errno;
        const bool full = error == ENOSPC || error == EDQUOT;
        const bool changed = error == platform::kSourceChanged;
        notice(notices,
               (full || changed || error == EFBIG || error == EIO ? std::string("Syetem error, Could not Merge Files")
                                                                   : cannotWrite(destination)) +
                   (full ? "\r\nThe disk is full." : "") +
                   (changed ? "\r\n" + platform::changedWhileCopiedText(source) : std::string()));
        return -1;
    }
    return 1;
}

namespace {

// The line that opens the next station, read after a station's lines.
bool readPending(platform::LineReader& in, std::string& pending)
{
    std::string_view line;
    if (!in.next(line))
        return false;
    pending.assign(line);
    return true;
}

// Reads the rest of a station in runs of whole lines and hands each run to
// `take`, cut before the line that opens the next station (the reader is
// then left before that line, or at the end of the file). `onLine` sees
// each line of the station with its offset.
template <typename Take, typename OnLine>
void readStation(platform::LineReader& in, StationRule& rule, Take take, OnLine onLine)
{
    std::string_view run;
    while (in.nextRun(run, kHeaderStart)) {
        const std::uint64_t runOffset = in.pieceOffset();
        for (std::size_t at = 0; at < run.size();) {
            const std::size_t lf = run.find('\n', at);
            const std::size_t end = lf == std::string_view::npos ? run.size() : lf + 1;
            const bool whole = forEachLineIn(run.substr(at, end - at), [&](std::string_view line, std::size_t in_,
                                                                          bool breaksInside) {
                if (rule.next(line, breaksInside) != StationRule::Opening::None) {
                    at += in_;
                    return false;
                }
                onLine(line, runOffset + at + in_);
                return true;
            });
            if (!whole) {
                take(run.substr(0, at));
                in.seek(runOffset + at);
                return;
            }
            at = end;
        }
        take(run);
    }
}

} // namespace

bool CopyStationLines(platform::LineReader& in, platform::CrlfWriter& out, std::string& pending,
                      std::string_view pid)
{
    StationRule rule = StationRule::within(pid);
    const auto write = [&](std::string_view lines) {
        if (!lines.empty())
            writeWhole(out, lines); // only the file's last line can lack a line end
    };
    readStation(in, rule, write, [](std::string_view, std::uint64_t) {});
    return readPending(in, pending);
}

bool SkipStationLines(platform::LineReader& in, std::string& pending, std::string_view pid,
                      platform::CrlfWriter* keep)
{
    StationRule rule = StationRule::within(pid);
    // Where the lines after the station's last PID line begin.
    std::uint64_t after = in.position();
    bool afterLines = false;
    std::string station(pid);
    const auto onLine = [&](std::string_view line, std::uint64_t offset) {
        if (station.empty())
            station.assign(heldPid(line));
        if (!station.empty() && carriesPid(line, station)) {
            afterLines = false;
        } else if (!afterLines) {
            afterLines = true;
            after = offset;
        }
    };
    readStation(in, rule, [](std::string_view) {}, onLine);
    const std::uint64_t boundary = in.position(); // the next station's first line, or the end
    if (keep && afterLines) {
        // Read again and copied as they stand; a seek back within the
        // buffered bytes costs no read.
        in.seek(after);
        std::string_view line;
        while (in.position() < boundary && in.next(line)) {
            // The boundary may follow a CR inside the line (its LF lost).
            if (in.position() > boundary)
                line = line.substr(0, static_cast<std::size_t>(boundary - in.pieceOffset()));
            writeWhole(*keep, line);
        }
        in.seek(boundary);
    }
    return readPending(in, pending);
}

namespace {

// The PIDs still to merge. Taking one removes its first entry; the rest are
// added at the end in their order.
class PidBuffer {
public:
    explicit PidBuffer(const std::vector<std::string>& pids) : pids_(pids)
    {
        left_.reserve(pids.size());
        for (const auto& pid : pids)
            ++left_[pid];
    }
    bool take(std::string_view pid)
    {
        if (left_.empty())
            return false;
        auto it = left_.find(std::string(pid));
        if (it == left_.end() || it->second == 0)
            return false;
        --it->second;
        ++taken_[it->first];
        return true;
    }
    // Calls `add` for each entry not taken, in order.
    template <typename Add>
    bool forEachLeft(Add add)
    {
        for (const auto& pid : pids_) {
            auto it = taken_.find(pid);
            if (it != taken_.end() && it->second > 0) {
                --it->second;
                continue;
            }
            if (!add(pid))
                return false;
        }
        return true;
    }

private:
    const std::vector<std::string>& pids_;
    std::unordered_map<std::string, std::size_t> left_;
    std::unordered_map<std::string, std::size_t> taken_;
};

} // namespace

bool mergeList(const std::vector<std::string>& pids, const ListMerge& request, platform::NoticeSink& notices,
               platform::ProgressSink& progress, std::string* identityNote)
{
    const std::string& target = request.target;
    if (platform::isSameFile(target, request.dataPath)) {
        notice(notices, "Not merged: " + target + "\r\nis the datasheet file in use.");
        return false;
    }
    if (!dataUnchanged(request.dataPath, request.dataIdentity, notices))
        return false;
    // The backup must not take the place of the file the datasheets come from.
    if (platform::isSameFile(request.backup, request.dataPath)) {
        notice(notices, cannotWrite(request.backup));
        return false;
    }
    if (MoveByCopy(target, request.backup, notices) < 0)
        return false;
    bool unreadable = false;
    if (!IsDatasheetFile(target, kKavro, &unreadable)) {
        platform::removeFile(request.backup);
        notice(notices, "Not merged: " + target +
                            (unreadable ? "\r\ncould not be read: nothing was changed." : "\r\nis not a datasheet file."));
        return false;
    }

    platform::LineReader in(0); // whole lines: long lines are copied whole
    if (!in.open(request.backup)) {
        notice(notices, cannotRead(request.backup));
        return false;
    }
    platform::SafeOutput output;
    if (!output.open(target, platform::SafeOutput::Mode::Overwrite)) {
        notice(notices, openFailure(output, target));
        return false;
    }
    platform::CrlfWriter& out = output.writer();
    DataFile data(request.dataPath, request.lookup, notices);
    PidBuffer buffer(pids);
    platform::ProgressCounter counter(progress);
    const std::uint64_t size = in.size();

    // The target read by the station rule. A station opened at a header
    // waits (held, with the lines after it) for its first line that holds a
    // PID, which decides: its PID listed, the new datasheet takes the place
    // of its old lines, else it is copied as it stands. The lines after a
    // replaced station's last line of its PID (lines between stations, the
    // damaged header of the next) stay, as do the lines before the first
    // station.
    enum class Mode { Copy, Held, Replaced };
    Mode mode = Mode::Copy;
    StationRule rule;
    std::string held; // a header line and the lines after it
    std::string tail; // the lines after a replaced station's last PID line
    std::string replaced; // its PID
    char last = '\n'; // the last byte written
    const auto copy = [&](std::string_view bytes) {
        if (bytes.empty())
            return;
        out.write(bytes);
        last = bytes.back();
    };
    // A line cut short by what is left out, or the file's last line without
    // a line end, gets one before anything else is written.
    const auto endLine = [&] {
        if (last != '\n')
            out.write(last == '\r' ? "\n" : "\r\n");
        last = '\n';
    };
    const auto finishStation = [&] {
        if (mode == Mode::Held)
            copy(held);
        else if (mode == Mode::Replaced)
            copy(tail);
        mode = Mode::Copy;
    };
    bool failed = false;
    // The station's first line that holds its PID decides.
    const auto decide = [&](std::string_view line, std::uint64_t offset) {
        counter.unit(offset, size);
        const std::string pid(rule.pid());
        if (buffer.take(pid)) {
            endLine();
            const DataFile::Outcome outcome = data.write(pid, out);
            if (outcome == DataFile::Outcome::Failed) {
                failed = true;
                return false;
            }
            if (outcome == DataFile::Outcome::Written) {
                mode = Mode::Replaced;
                replaced = pid;
                tail.clear();
                return true;
            }
            // The listed station could not be read: the old one stays.
        }
        if (mode == Mode::Held)
            copy(held);
        copy(line);
        mode = Mode::Copy;
        return true;
    };
    std::string_view piece;
    while (!failed && in.next(piece)) {
        const std::uint64_t pieceOffset = in.pieceOffset();
        forEachLineIn(piece, [&](std::string_view line, std::size_t at, bool breaksInside) {
            const StationRule::Opening opening = rule.next(line, breaksInside);
            if (opening != StationRule::Opening::None)
                finishStation();
            if (opening == StationRule::Opening::Header) {
                mode = Mode::Held;
                held.assign(line);
                return true;
            }
            if (opening == StationRule::Opening::Body)
                return decide(line, pieceOffset + at);
            switch (mode) {
            case Mode::Held:
                if (rule.pid().empty()) {
                    held.append(line);
                    return true;
                }
                return decide(line, pieceOffset + at);
            case Mode::Replaced:
                if (carriesPid(line, replaced))
                    tail.clear(); // what stood among its lines goes with them
                else
                    tail.append(line);
                return true;
            case Mode::Copy:
                copy(line);
                return true;
            }
            return true;
        });
    }
    if (failed)
        return false;
    finishStation();
    endLine();
    if (in.failed()) {
        notice(notices, cannotRead(request.backup));
        return false;
    }
    in.close();

    // The listed stations the target did not hold.
    const bool added = buffer.forEachLeft(
        [&](const std::string& pid) { return data.write(pid, out) != DataFile::Outcome::Failed; });
    if (!added || !dataUnchanged(request.dataPath, request.dataIdentity, notices))
        return false;
    if (!output.commit()) {
        notice(notices, cannotWrite(target) + output.keptNote());
        return false;
    }
    if (!data.missingOffsets())
        platform::removeFile(request.backup);
    if (identityNote)
        *identityNote = output.identityNote();
    return true;
}

} // namespace ds
