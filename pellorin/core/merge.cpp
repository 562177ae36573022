#include "pellorin/core/merge.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include "datasheet/datasheet_format.h"
#include "datasheet/line_parsers.h"
#include "datasheet/list_lines.h"
#include "datasheet/offset_index.h"
#include "platform/crlf_writer.h"
#include "platform/descriptor.h"
#include "platform/file_steps.h"
#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/safe_output.h"

namespace pellorin {

namespace fs = std::filesystem;

namespace {

std::string readErrorText(const std::string& path)
{
    return "\r\n     ERROR - Could not open input file " + path + " for read.\r\n";
}

std::string writeErrorText(const std::string& path)
{
    return "\r\n     ERROR - Could not open input file " + path + " for write.\r\n";
}

std::string renameErrorText(const std::string& from, const std::string& to)
{
    return "\r\n      ERROR - Could not rename\r\n         " + from + "\r\n      to " + to + "\r\n      \r\n";
}

bool exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

std::string resolved(const std::string& path)
{
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path : canonical.string();
}

bool sameFile(const std::string& first, const std::string& second)
{
    return resolved(first) == resolved(second) || platform::isSameFile(first, second);
}

// Ends the progress window on every way out of the merge.
// Calls each(line, offset) for each line that `reader` reads on before the
// byte offset `end` (lines split after a bare CR as the station rule splits
// them).
template <typename Each>
void forEachLineBefore(platform::LineReader& reader, std::uint64_t end, Each&& each)
{
    std::string_view piece;
    while (reader.position() < end && reader.next(piece)) {
        const std::uint64_t pieceOffset = reader.pieceOffset();
        ds::forEachLineIn(piece, [&](std::string_view line, std::size_t at) {
            if (pieceOffset + at >= end)
                return false;
            each(line, pieceOffset + at);
            return true;
        });
    }
}

class ProgressScope {
public:
    explicit ProgressScope(platform::ProgressSink& sink) : sink_(sink) { sink_.start(); }
    ~ProgressScope() { sink_.finish(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    platform::ProgressSink& sink_;
};

// The two passes of the merge, writing into an open temporary file.
class Merger {
public:
    Merger(const MergeInput& input, MergeLists& lists) : input_(input), lists_(lists) {}

    bool openInputs(const std::string& oldFile, platform::NoticeSink& notices)
    {
        if (!oldReader_.open(oldFile)) {
            notices.notice("ERROR", readErrorText(input_.oldPath));
            return false;
        }
        if (!upReader_.open(input_.upPath)) {
            notices.notice("ERROR", readErrorText(input_.upPath));
            return false;
        }
        return true;
    }

    void run(platform::CrlfWriter& out, platform::ProgressSink& progress)
    {
        out_ = &out;
        upWritten_.assign(lists_.upList.size(), false);
        for (std::size_t i = 0; i < lists_.upList.size(); ++i)
            upByPid_[std::string(listPid(lists_.upList.at(i)))].push_back(i);
        firstPass(progress);
        secondPass(progress);
    }

    // Reading stopped on an error: the name of the file, else empty.
    std::string readFailure() const
    {
        if (oldReader_.failed())
            return input_.oldPath;
        if (upReader_.failed())
            return input_.upPath;
        return {};
    }

    // The lists as the merged file has them.
    void applyTo(MergeLists& lists)
    {
        std::vector<std::string> locLines;
        locLines.reserve(lists.oldLocList.size() + newLocLines_.size());
        for (const std::string& loc : lists.oldLocList.lines()) {
            if (oldHeaders_.empty()) {
                locLines.push_back(loc);
                continue;
            }
            // The station whose bytes hold the loaded header offset.
            const auto offset = static_cast<std::uint64_t>(std::max<std::int64_t>(0, ds::locLineOffset(loc)));
            auto at = std::upper_bound(oldHeaders_.begin(), oldHeaders_.end(), offset);
            const std::size_t station = at == oldHeaders_.begin() ? 0 : static_cast<std::size_t>(at - oldHeaders_.begin() - 1);
            locLines.push_back(ds::MakeLocLine(std::string_view(loc).substr(0, 6),
                                               static_cast<std::int64_t>(oldMerged_[station])));
        }
        locLines.insert(locLines.end(), newLocLines_.begin(), newLocLines_.end());
        lists.oldLocList.assign(std::move(locLines));
        lists.oldList.append(std::move(newListLines_));
        lists.upList.clear();
        lists.upLocList.clear();
    }

private:
    void write(std::string_view line)
    {
        line = platform::chompLineEnd(line);
        out_->writeLine(line);
        written_ += line.size() + 2;
    }

    // The old file: the lines before its first station as they stand, then
    // its stations in order, each replaced or copied. Stations open by
    // ds::StationRule: at a header line, or at a body line of another PID
    // after a line that holds none (its header damaged); such a station
    // takes that line with it as its header, and its list entry keeps
    // pointing at its first body line. Each station is read to its end
    // first, for its PID, and then replaced or copied from its start.
    void firstPass(platform::ProgressSink& progress)
    {
        platform::ProgressCounter counter(progress, 20, 0, 0.5);
        const std::uint64_t size = oldReader_.size();
        ds::StationRule rule;
        bool open = false; // a station is open, else the lines before the first
        bool headed = false;
        std::uint64_t start = 0;
        std::uint64_t previous = 0; // where the line before the current one began
        std::string pid, designation;
        std::string_view piece;
        while (oldReader_.next(piece)) {
            const std::uint64_t pieceOffset = oldReader_.pieceOffset();
            std::uint64_t resume = 0;
            ds::forEachLineIn(piece, [&](std::string_view line, std::size_t at, bool breaksInside) {
                const std::uint64_t offset = pieceOffset + at;
                const ds::StationRule::Opening opening = rule.next(line, breaksInside);
                if (opening == ds::StationRule::Opening::None) {
                    if (ds::isBodyLine(line) && ds::hasAt(line, 7, ds::kDesignationLabel))
                        ds::ParseDesignation(line, pid, designation);
                    previous = offset;
                    return true;
                }
                const bool atHeader = opening == ds::StationRule::Opening::Header;
                const std::uint64_t opensAt = rule.stationStart(opening, offset, previous);
                std::string closing;
                closing.swap(pid);
                designation.clear();
                if (!atHeader && ds::hasAt(line, 7, ds::kDesignationLabel))
                    ds::ParseDesignation(line, pid, designation);
                resume = offset + line.size();
                previous = offset;
                // The reads below move the reader: the line is not used after them.
                if (open)
                    station(start, opensAt, closing, headed);
                else
                    copyLines(0, opensAt);
                counter.unit(opensAt, size);
                open = true;
                headed = atHeader;
                start = opensAt;
                return false;
            });
            if (resume > 0)
                oldReader_.seek(resume);
        }
        const std::uint64_t end = oldReader_.position();
        if (open)
            station(start, end, pid, headed);
        // A file without any station whose lines name one: the loaders list
        // it at offset 0, so it is carried as a station too.
        else if (!designation.empty())
            station(0, end, pid, true);
        else
            copyLines(0, end);
    }

    // The old file's lines from `start` to `end`, as they stand.
    void copyLines(std::uint64_t start, std::uint64_t end)
    {
        oldReader_.seek(start);
        std::string_view line;
        while (oldReader_.position() < end && oldReader_.next(line))
            write(line);
        oldReader_.seek(end);
    }

    // One old station, the bytes from `start` to `end`: the update's
    // datasheet of its PID, else its own.
    void station(std::uint64_t start, std::uint64_t end, const std::string& pid, bool headed)
    {
        oldHeaders_.push_back(start);
        std::uint64_t opensAt = 0;
        if (pid.empty() || !WriteUpSheet(pid, opensAt))
            opensAt = CopyOldSheet(start, end, headed);
        oldMerged_.push_back(opensAt);
    }

    // The update's stations that replaced none, from the last to the first.
    void secondPass(platform::ProgressSink& progress)
    {
        std::vector<std::size_t> remaining;
        for (std::size_t i = upWritten_.size(); i-- > 0;)
            if (!upWritten_[i])
                remaining.push_back(i);
        const std::size_t total = remaining.size() + (input_.upUndesignated ? 1 : 0);
        platform::ProgressCounter counter(progress, 20, 50, 0.5);
        std::size_t done = 0;
        if (input_.upUndesignated) {
            counter.unit(done++, total);
            AppendNewSheet(input_.upUndesignated->offset, input_.upUndesignated->fields.pid,
                           makePellorinListLine(kNewTag, input_.upUndesignated->fields));
        }
        for (std::size_t index : remaining) {
            counter.unit(done++, total);
            std::string listLine = lists_.upList.at(index);
            listLine.replace(0, std::min<std::size_t>(6, listLine.size()), "   NEW");
            AppendNewSheet(upOffset(index), listPid(lists_.upList.at(index)), std::move(listLine));
        }
    }

    std::uint64_t upOffset(std::size_t index) const
    {
        return static_cast<std::uint64_t>(std::max<std::int64_t>(0, ds::locLineOffset(lists_.upLocList.at(index))));
    }

    // An old station: its first line (its header, or the damaged header
    // line of a station that opens at a body line), the line after a header
    // whatever it holds, then its body lines up to `end` (where the next
    // station opens, or the end of the file). Returns where the station's
    // list entry points in the merged file.
    std::uint64_t CopyOldSheet(std::uint64_t start, std::uint64_t end, bool headed)
    {
        oldReader_.seek(start);
        std::uint64_t opensAt = written_;
        std::size_t count = 0;
        forEachLineBefore(oldReader_, end, [&](std::string_view line, std::uint64_t) {
            ++count;
            if (count == 2 && !headed)
                opensAt = written_;
            if (count <= (headed ? 2u : 1u) || ds::isBodyLine(line))
                write(line);
        });
        return opensAt;
    }

    // A station in both files: the update's last station of the PID that is
    // not yet written takes the old one's place. False when there is none.
    bool WriteUpSheet(const std::string& pid, std::uint64_t& opensAt)
    {
        const auto found = upByPid_.find(pid.substr(0, 6));
        if (found == upByPid_.end() || found->second.empty())
            return false;
        const std::size_t index = found->second.back();
        found->second.pop_back();
        upWritten_[index] = true;
        opensAt = copyUpStation(upOffset(index));
        return true;
    }

    // A station only the update holds, with its "NEW" line for the old list.
    void AppendNewSheet(std::uint64_t offset, std::string_view pid, std::string listLine)
    {
        const std::uint64_t opensAt = copyUpStation(offset);
        newLocLines_.push_back(ds::MakeLocLine(pid, static_cast<std::int64_t>(opensAt)));
        newListLines_.push_back(std::move(listLine));
    }

    // The line of the update file that ends where `offset` begins (the
    // damaged header line of a station listed at its first body line).
    std::string lineBefore(std::uint64_t offset)
    {
        std::string line;
        for (std::uint64_t back = 4096; offset > 0; back *= 2) {
            const std::uint64_t from = offset > back ? offset - back : 0;
            upReader_.seek(from);
            std::uint64_t lineStart = from;
            forEachLineBefore(upReader_, offset, [&](std::string_view part, std::uint64_t at) {
                line.assign(part);
                lineStart = at;
            });
            // A line read from where the search began may have begun before.
            if (lineStart > from || from == 0)
                break;
        }
        return line;
    }

    // The update's station at the offset: its header (for a station listed
    // at its first body line, the line before it: its damaged header) and
    // its body lines, up to where the next station opens. Returns where its
    // first line listed went in the merged file.
    std::uint64_t copyUpStation(std::uint64_t offset)
    {
        upReader_.seek(offset);
        std::string_view piece;
        if (!upReader_.next(piece))
            return written_;
        if (!ds::isHeaderLine(piece) && offset > 0) {
            // The damaged header; not when it stands after a bare CR in a
            // line of the station before.
            const std::string before = lineBefore(offset);
            if (ds::heldPid(before).empty())
                write(before);
            upReader_.seek(offset);
            upReader_.next(piece);
        }
        const std::uint64_t opensAt = written_;
        ds::StationRule rule = ds::StationRule::atStation();
        bool first = true;
        const auto each = [&](std::string_view line, std::size_t, bool breaksInside) {
            if (rule.next(line, breaksInside) != ds::StationRule::Opening::None && !first)
                return false;
            if (first || ds::isBodyLine(line))
                write(line);
            first = false;
            return true;
        };
        do {
            if (!ds::forEachLineIn(piece, each))
                break;
        } while (upReader_.next(piece));
        return opensAt;
    }

    const MergeInput& input_;
    MergeLists& lists_;
    platform::LineReader oldReader_{0};
    platform::LineReader upReader_{0};
    platform::CrlfWriter* out_ = nullptr;
    std::uint64_t written_ = 0;
    std::unordered_map<std::string, std::vector<std::size_t>> upByPid_;
    std::vector<bool> upWritten_;
    std::vector<std::uint64_t> oldHeaders_; // header offset of each old station
    std::vector<std::uint64_t> oldMerged_;  // its offset in the merged file
    std::vector<std::string> newListLines_;
    std::vector<std::string> newLocLines_;
};

} // namespace

namespace {

std::string copyErrorText(const std::string& from, const std::string& to)
{
    return "\r\n      ERROR - Could not copy\r\n         " + from + "\r\n      to " + to + "\r\n      \r\n";
}

// A write error, as a copy meets it: no space, no quota, a size limit, the disk.
bool isWriteError(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG || error == EIO;
}

// The reason of a failed write in `directory` whose error number may have
// been lost since (the merge goes on after a write error): from the error
// number when it tells one, else a disk without a free block is full.
std::string failureReason(int error, const std::string& directory)
{
    std::string reason = reasonText(error);
    struct statvfs disk {};
    if (reason.empty() && ::statvfs(directory.empty() ? "." : directory.c_str(), &disk) == 0 && disk.f_bavail == 0)
        reason = reasonText(ENOSPC);
    return reason;
}

// The one write-access test, with the reason when the user may write the
// file but it cannot be opened for writing now (a full disk, the disk's
// error: reasonText tells it); `reason` stays empty for a read-only file.
bool writable(const std::string& path, std::string& reason)
{
    errno = 0;
    if (platform::isWritableFile(path))
        return true;
    reason = reasonText(errno);
    return false;
}

// Whether a rename may put a new file in place of `file`: in a directory
// with the sticky bit (as /tmp) only the file's owner, the directory's
// owner or the superuser may replace it.
bool renameMayReplace(const std::string& file)
{
    const std::string directory = platform::directoryPart(file);
    struct stat st {};
    struct stat dir {};
    if (::stat(file.c_str(), &st) != 0 || ::stat(directory.empty() ? "." : directory.c_str(), &dir) != 0 ||
        (dir.st_mode & S_ISVTX) == 0)
        return true;
    const uid_t user = ::geteuid();
    return user == 0 || user == st.st_uid || user == dir.st_uid;
}

// Whether the backup of `file` in `directory` is a copy rather than a
// second name: the merged file is written in place, the file has other
// names, or it lies on another file system.
bool backupIsCopy(const std::string& file, const std::string& directory, bool inPlace)
{
    struct stat st {};
    struct stat dir {};
    return inPlace || (::stat(file.c_str(), &st) == 0 && ::stat(directory.c_str(), &dir) == 0 &&
                       (st.st_nlink > 1 || st.st_dev != dir.st_dev));
}

// A second name of `file` in `directory`, named after `namedAfter`
// ("plrn0000.bak.oldXXXXXX"), made in one step: a name reserved first would
// lie empty under that name if the program stopped before the link took it.
// Empty when no link can be made.
std::string linkUnderNewName(const std::string& file, const std::string& directory, const std::string& namedAfter)
{
    return platform::nameUniquely(file, directory, platform::tempPrefixFor(namedAfter, "old"), true);
}

// A whole copy of the old file, or a second name of it, in `directory`
// ("<name>.oldXXXXXX"), for the backup to take its name from: a second
// name unless the file is to be written in place or has other names (they
// would see the new bytes), a copy where no link can be made. Empty when
// neither works.
std::string holdOldFile(const std::string& file, const std::string& directory, bool inPlace)
{
    return platform::holdWholeFile(file, directory, inPlace ? platform::Hold::Copy : platform::Hold::LinkWhenAlone);
}

// A second name of the former backup in its directory
// ("plrn0000.bak.oldXXXXXX"), so that the new backup takes its name in one
// rename and a failed Commit can put it back as it was: a hard link (of a
// symbolic link, the link itself), else a whole copy. Empty when neither
// can be made.
std::string keepFormerBackup(const std::string& backupPath, const std::string& directory)
{
    if (std::string name = linkUnderNewName(backupPath, directory, backupPath); !name.empty())
        return name;
    return platform::holdWholeFile(backupPath, directory, platform::Hold::Copy);
}

// Puts the backup in place of `target` and removes it: by a rename, so that
// the OLD path names the very old file again; where a rename cannot (the
// file has other names, which must see the old bytes too, the backup lies
// on another file system, or a sticky directory keeps another user's file),
// by a whole copy through the shared writer. On failure the backup stays,
// `error` says why and `note` names what is left beside the file.
bool putBackupBack(const std::string& backupPath, const std::string& target, int& error, std::string& note)
{
    struct stat st {};
    const bool linked = ::stat(target.c_str(), &st) == 0 && st.st_nlink > 1;
    if (!linked && renameMayReplace(target)) {
        if (std::rename(backupPath.c_str(), target.c_str()) == 0)
            return true;
        error = errno;
        if (error != EXDEV)
            return false;
    }
    platform::Descriptor in(::open(backupPath.c_str(), O_RDONLY | O_CLOEXEC));
    platform::SafeOutput output;
    if (!in.valid() || !output.open(target, platform::SafeOutput::Mode::Overwrite)) {
        error = errno;
        return false;
    }
    std::vector<char> block(1 << 20);
    for (;;) {
        const ssize_t got = ::read(in.get(), block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = errno;
            return false;
        }
        if (got == 0)
            break;
        output.writer().write(std::string_view(block.data(), static_cast<std::size_t>(got)));
    }
    const bool done = output.commit();
    error = errno;
    // A copy in place that failed keeps its temporary file: the backup's
    // bytes, which the backup still holds.
    if (!output.keptTemporary().empty())
        platform::removeFile(output.keptTemporary());
    if (!done) {
        if (!output.keptOldCopy().empty())
            note = "\r\nThe merged file's data is kept in " + output.keptOldCopy() + ".";
        return false;
    }
    platform::removeFile(backupPath);
    return true;
}

// The notice of a merged file that could not take the OLD file's place.
void noticeNotPlaced(const MergeInput& input, int error, const platform::SafeOutput& output,
                     const std::string& left, platform::NoticeSink& notices)
{
    notices.notice("ERROR", writeErrorText(input.oldPath) + reasonText(error) + output.keptFilesNote() + left);
}

// The backup held as a second name of the old file: it takes the backup's
// name only once the merged file has taken the OLD file's, so that
// plrn0000.bak is never another name of the OLD file (a later Commit would
// find them one file, and a write in place of the OLD file would change the
// backup). The former backup keeps its name until the new one replaces it
// in one rename. A kill in between leaves the old file under `held` alone.
bool placeThenNameBackup(platform::SafeOutput& output, const std::string& held, const std::string& target,
                         const std::string& inDir, const MergeInput& input, platform::NoticeSink& notices)
{
    if (!output.commit()) {
        const int error = errno;
        platform::removeFile(held);
        noticeNotPlaced(input, error, output, {}, notices);
        return false;
    }
    if (std::rename(held.c_str(), input.backupPath.c_str()) == 0) {
        platform::fileStep(platform::FileStep::Renamed, input.backupPath);
        platform::syncDirectory(inDir);
        return true;
    }
    // The old file goes back to the OLD path in one rename: the Commit
    // leaves the files as they were.
    const int error = errno;
    std::string left;
    if (std::rename(held.c_str(), target.c_str()) == 0)
        platform::fileStep(platform::FileStep::PutBack, target);
    else
        left = "\r\n      The old file is kept as\r\n         " + held + "\r\n";
    notices.notice("ERROR", renameErrorText(input.oldPath, input.backupPath) + reasonText(error) + left);
    return false;
}

// The backup held as a whole copy: it takes the backup's name before the
// merged file takes the OLD file's, so that a merged file never stands
// without its backup. A former backup keeps a second name of its own until
// the merged file is in place, so that plrn0000.bak is never missing and a
// failed Commit puts it back as it was.
bool nameBackupThenPlace(platform::SafeOutput& output, const std::string& held, const std::string& inDir,
                         const MergeInput& input, platform::NoticeSink& notices)
{
    std::string aside;
    if (exists(input.backupPath)) {
        errno = 0;
        aside = keepFormerBackup(input.backupPath, inDir);
        if (aside.empty()) {
            const int error = errno;
            platform::removeFile(held);
            notices.notice("ERROR", "\r\n      ERROR - Could not keep a copy of the former backup\r\n         " +
                                        input.backupPath + "\r\n      \r\n" + reasonText(error));
            return false;
        }
        platform::fileStep(platform::FileStep::BackupHeld, aside);
    }
    if (std::rename(held.c_str(), input.backupPath.c_str()) != 0) {
        const int error = errno;
        platform::removeFile(held);
        if (!aside.empty())
            platform::removeFile(aside);
        notices.notice("ERROR", renameErrorText(input.oldPath, input.backupPath) + reasonText(error));
        return false;
    }
    platform::fileStep(platform::FileStep::Renamed, input.backupPath);
    // The backup's name is on the disk before the merged file takes the old
    // one's: a crash must not leave the merged file without its backup.
    platform::syncDirectory(inDir);
    if (!output.commit()) {
        const int error = errno;
        // The backup's place is as it was: the former backup takes it back in
        // one rename, or there is none. The old data is in the OLD file, or
        // in the whole copy that the note names.
        std::string left;
        if (aside.empty())
            platform::removeFile(input.backupPath);
        else if (std::rename(aside.c_str(), input.backupPath.c_str()) != 0)
            left = "\r\n      The former backup is kept as\r\n         " + aside + "\r\n";
        noticeNotPlaced(input, error, output, left, notices);
        return false;
    }
    if (!aside.empty())
        platform::removeFile(aside);
    return true;
}

} // namespace

std::string backupPathIn(const std::string& workDir)
{
    return workDir + "/" + kBackupName;
}

std::string readOnlyText(std::string_view lead, const std::string& path)
{
    return "\r\n      ERROR - " + std::string(lead) + "\r\n         " + path +
           "\r\n      is Read-Only.\r\n      The program cannot update it.\r\n      \r\n"
           "      If you wish to update the file\r\n      copy it to your hard drive, then...\r\n      \r\n"
           "      Find the file via 'My Computer'\r\n      Click File->Properties\r\n      \r\n"
           "      Make sure the Read-only box is not checked.\r\n";
}

std::string fileGoneText(const std::string& path)
{
    return path + " has been removed or renamed since it was loaded.\r\nLoad the file again.";
}

std::string reasonText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "      The disk is full.\r\n";
    case EIO:
        return "      The disk could not be read or written (input/output error).\r\n";
    case platform::kSourceChanged:
        return "      The file changed while it was copied: nothing was changed.\r\n";
    default:
        return {};
    }
}

bool checkDistinctFiles(const std::string& oldPath, const std::string& upPath, const std::string& backupPath,
                        platform::NoticeSink& notices)
{
    const bool oldIsUp = sameFile(oldPath, upPath);
    const std::string* backupIsOf = sameFile(oldPath, backupPath) ? &oldPath
                                    : sameFile(upPath, backupPath) ? &upPath
                                                                   : nullptr;
    if (!oldIsUp && !backupIsOf)
        return true;
    std::string why;
    if (oldIsUp)
        why += "\r\n       The Old file and the Update file are one file:\r\n       choose another Update file.\r\n";
    if (backupIsOf) {
        // The backup's own directory entry, its directory resolved: another
        // entry than the file's is a second name of it (a symbolic or hard link).
        const std::string entry = platform::joinPath(resolved(platform::directoryPart(backupPath)),
                                                     platform::fileNamePart(backupPath));
        why += resolved(*backupIsOf) == entry
                   ? "\r\n       The backup file is that file itself: the backup is made in the\r\n"
                     "       current directory, so start Pellorin in another directory.\r\n"
                   : "\r\n       The backup file is another name (a link) of\r\n          " + *backupIsOf +
                         "\r\n       as a Commit that was stopped could leave it.\r\n"
                         "       Remove the backup file, then Commit again:\r\n"
                         "       the file it names keeps its data.\r\n";
    }
    notices.notice("NOTICE", "\r\n       ERROR - The Old file, the Update file and the backup file\r\n"
                             "       must be three different files.\r\n\r\n       Old file    " +
                                 oldPath + "\r\n       Update file " + upPath + "\r\n       Backup file " +
                                 backupPath + "\r\n" + why);
    return false;
}

bool MergeFiles(const MergeInput& input, MergeLists& lists, platform::NoticeSink& notices,
                platform::ProgressSink& progress, CommitResult& committed)
{
    // A file removed, renamed or replaced since the load is not a read-only
    // file: say what happened to it.
    if (!platform::FileIdentity::of(input.oldPath).known) {
        notices.notice("ERROR", fileGoneText(input.oldPath));
        return false;
    }
    if (!platform::checkUnchanged(input.oldPath, input.oldIdentity, notices, "ERROR"))
        return false;
    const std::string target = platform::resolveLinks(input.oldPath);
    std::string reason;
    if (target.empty() || !writable(target, reason)) {
        notices.notice("ERROR", reason.empty() ? readOnlyText("Yout Input file", input.oldPath)
                                               : writeErrorText(input.oldPath) + reason);
        return false;
    }
    if (!checkDistinctFiles(input.oldPath, input.upPath, input.backupPath, notices))
        return false;
    if (lists.upList.size() != lists.upLocList.size()) {
        notices.notice("NOTICE", "\r\n       ERROR - List Counts do not match.\r\n");
        return false;
    }
    if (!platform::checkUnchanged(input.oldPath, input.oldIdentity, notices, "ERROR") ||
        !platform::checkUnchanged(input.upPath, input.upIdentity, notices, "ERROR"))
        return false;

    Merger merger(input, lists);
    if (!merger.openInputs(target, notices))
        return false;
    // The merged file is made beside the OLD file; the SafeOutput removes it
    // on every way out until it takes the OLD file's place.
    platform::SafeOutput output;
    if (!output.open(input.oldPath, platform::SafeOutput::Mode::Overwrite)) {
        const int error = errno;
        notices.notice("ERROR", output.failure() == platform::SafeOutput::Failure::NotWritable
                                    ? readOnlyText("Yout Input file", input.oldPath)
                                    : writeErrorText(input.oldPath) + reasonText(error));
        return false;
    }
    {
        ProgressScope scope(progress);
        merger.run(output.writer(), progress);
    }
    if (const std::string failed = merger.readFailure(); !failed.empty()) {
        notices.notice("ERROR", readErrorText(failed));
        return false;
    }
    const std::string oldDir = platform::directoryPart(target);
    if (!output.writer().ok()) {
        notices.notice("ERROR", writeErrorText(input.oldPath) + failureReason(errno, oldDir));
        return false;
    }
    if (!input.oldIdentity.matches(input.oldPath) || !input.upIdentity.matches(input.upPath)) {
        const std::string& changed = input.oldIdentity.matches(input.oldPath) ? input.upPath : input.oldPath;
        notices.notice("ERROR", platform::fileChangedText(changed));
        return false;
    }

    // The backup takes the whole old file: a second name of it, unless the
    // merged file is to be written in place (a second name would see the
    // new bytes), or a whole copy where no second name can be made.
    const std::string backupDir = platform::directoryPart(input.backupPath);
    const std::string inDir = backupDir.empty() ? "." : backupDir;
    const bool inPlace = !renameMayReplace(target);
    errno = 0;
    const std::string held = holdOldFile(target, inDir, inPlace);
    if (held.empty()) {
        const int error = errno;
        const bool copied = backupIsCopy(target, inDir, inPlace) || isWriteError(error);
        notices.notice("ERROR", (copied ? copyErrorText(input.oldPath, input.backupPath)
                                        : renameErrorText(input.oldPath, input.backupPath)) +
                                    reasonText(error));
        return false;
    }
    const bool placed = platform::isSameFile(held, target) ? placeThenNameBackup(output, held, target, inDir, input, notices)
                                                           : nameBackupThenPlace(output, held, inDir, input, notices);
    if (!placed)
        return false;
    // The merged file is in place, but not as the user's file it was.
    if (!output.identityNote().empty())
        notices.notice("WARNING", "\r\n   File\r\n      " + input.oldPath + "\r\n\r\n   has been updated." +
                                      output.identityNote() + "\r\n");

    merger.applyTo(lists);
    committed.merged = platform::FileIdentity::of(input.oldPath);
    committed.backup = platform::FileIdentity::of(input.backupPath);
    return true;
}

namespace {

// Whether the backup is still the one that the Commit made (a backup whose
// identity the Commit could not read cannot be told to be).
bool isOwnBackup(const std::optional<CommitResult>& committed, const std::string& backupPath)
{
    return !committed || (committed->backup.known && committed->backup.matches(backupPath));
}

} // namespace

bool SaveMerge(const std::string& oldPath, const std::string& backupPath, platform::NoticeSink& notices,
               const std::optional<CommitResult>& committed)
{
    const std::string saved = "\r\n   File\r\n      " + oldPath + "\r\n\r\n   has been updated and saved.\r\n";
    const std::string text = saved + "   The System was unable to ";
    if (!exists(backupPath)) {
        notices.notice("WARNING", text + "locate the temp file\r\n       " + backupPath + "\r\n");
        return false;
    }
    // Another Commit's backup is the only copy of its file's old data.
    if (!isOwnBackup(committed, backupPath)) {
        notices.notice("WARNING", saved + "   The file\r\n       " + backupPath +
                                      (committed->backup.known
                                           ? "\r\n   is not the backup of this update (another Commit has replaced it):\r\n"
                                           : "\r\n   cannot be told to be the backup of this update\r\n"
                                             "   (its identity could not be read at Commit):\r\n") +
                                      "   it is left in place.\r\n");
        return false;
    }
    if (!platform::removeFile(backupPath)) {
        notices.notice("WARNING", text + "remove the temp file\r\n       " + backupPath + "\r\n");
        return false;
    }
    return true;
}

std::string changedSinceCommitText(const std::string& oldPath, const std::string& backupPath)
{
    return "\r\n   File\r\n      " + oldPath +
           "\r\n\r\n   has changed since the update was committed.\r\n"
           "   UNDO puts the original file stored at\r\n      " +
           backupPath +
           "\r\n   in its place, and the changes are lost.\r\n   Answer No to keep both files as they are.\r\n\r\n"
           "   DO YOU WANT TO CONTINUE THE UNDO";
}

std::string notThisBackupText(const std::string& backupPath)
{
    return "\r\n         Original file stored at\r\n            " + backupPath +
           "\r\n\r\n         is not the one this update made:\r\n"
           "         another Commit has replaced it, or it was changed.\r\n"
           "         UNDO leaves both files as they are.\r\n";
}

std::string unknownBackupText(const std::string& backupPath)
{
    return "\r\n         Original file stored at\r\n            " + backupPath +
           "\r\n\r\n         cannot be told to be the one this update made:\r\n"
           "         its identity could not be read at Commit.\r\n"
           "         UNDO leaves both files as they are.\r\n";
}

std::string notWritableForUndoText(const std::string& oldPath, const std::string& backupPath, const std::string& reason)
{
    return "\r\n   File\r\n      " + oldPath + "\r\n\r\n   could not be opened for writing.\r\n" + reason +
           "   Nothing was changed: the original file stays at\r\n      " + backupPath + "\r\n";
}

bool UndoMerge(const std::string& oldPath, const std::string& backupPath, platform::NoticeSink& notices,
               const CommitResult& committed)
{
    if (!exists(backupPath)) {
        notices.notice("ERROR", "\r\n         Original file stored at\r\n            " + backupPath +
                                    "\r\n\r\n         could not be found.\r\n");
        return false;
    }
    // Only the backup this Commit made may take the file's place: another
    // file's old data would.
    if (!committed.backup.known) {
        notices.notice("ERROR", unknownBackupText(backupPath));
        return false;
    }
    if (!committed.backup.matches(backupPath)) {
        notices.notice("ERROR", notThisBackupText(backupPath));
        return false;
    }
    // Whatever was done to the merged file since Commit would go without a word.
    if (exists(oldPath) && !committed.merged.matches(oldPath) &&
        !notices.ask("WARNING", changedSinceCommitText(oldPath, backupPath)))
        return false;
    const std::string target = platform::resolveLinks(oldPath);
    std::string reason;
    if (target.empty() || (exists(target) && !writable(target, reason))) {
        // A file the user may write that cannot be opened (a full disk, the
        // disk's error) is not one that could not be removed.
        notices.notice("NOTICE", reason.empty() ? "\r\n   File\r\n      " + oldPath +
                                                      "\r\n\r\n   could not be removed before rename.\r\n"
                                                : notWritableForUndoText(oldPath, backupPath, reason));
        return false;
    }
    int error = 0;
    std::string note;
    if (!putBackupBack(backupPath, target, error, note)) {
        notices.notice("ERROR", "\r\n            System could not rename\r\n             " + backupPath +
                                    "\r\n                 to\r\n             " + oldPath + "\r\n" +
                                    reasonText(error) + note);
        return false;
    }
    notices.notice("OKAY", "\r\n              File " + oldPath + "\r\n\r\n              has been Restored to Original.\r\n");
    return true;
}

} // namespace pellorin
