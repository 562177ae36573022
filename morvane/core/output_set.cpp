#include "morvane/core/output_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace morvane {

namespace {

// All blocks together are written (and their memory freed) once they hold
// this much. An output's block is written once full. An output that gets a
// block while no other holds one (a split that fills one piece at a time)
// gets a large one, which the file system takes faster; where many outputs
// fill at once, each gets a small one, which costs less fresh memory.
constexpr std::size_t kAllBlocks = 64 * 1024 * 1024;
constexpr std::size_t kMinBlock = 32 * 1024;
constexpr std::size_t kMaxBlock = 1024 * 1024;
// The memory a block takes at first.
constexpr std::size_t kFirstMemory = 4 * 1024;
// Descriptors left for the rest of the program.
constexpr std::size_t kSpareFiles = 128;

OutputSet::StepHook& stepHook()
{
    static OutputSet::StepHook hook;
    return hook;
}

void step(const char* name, const std::string& path)
{
    if (stepHook())
        stepHook()(name, path);
}

bool writeAll(int fd, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes the whole file into the output.
bool copyInto(const std::string& from, platform::SafeOutput& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    // A block of at most 1 MiB, no larger than the file.
    struct stat st {};
    const std::size_t size = ::fstat(in, &st) == 0 && st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 1;
    const std::size_t blockSize = std::min<std::size_t>(size, 1 << 20);
    const auto block = std::make_unique_for_overwrite<char[]>(blockSize);
    bool done = true;
    for (;;) {
        const ssize_t got = ::read(in, block.get(), blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            done = got == 0;
            break;
        }
        to.writer().write(std::string_view(block.get(), static_cast<std::size_t>(got)));
    }
    ::close(in);
    return done;
}

} // namespace

std::string_view trimmedLine(std::string_view line)
{
    while (!line.empty()) {
        const auto c = static_cast<unsigned char>(line.back());
        if (c >= 0x20 && c != 0x7F)
            break;
        line.remove_suffix(1);
    }
    return line;
}

OutputSet::OutputSet(std::string directory, Mode mode, std::size_t maxOpenFiles)
    : directory_(std::move(directory)), mode_(mode), maxOpenFiles_(maxOpenFiles)
{
    if (maxOpenFiles_ == 0) {
        const std::size_t limit = platform::openFileLimit();
        maxOpenFiles_ = std::max<std::size_t>(16, limit - std::min(limit, kSpareFiles));
    }
}

OutputSet::~OutputSet()
{
    discard();
}

std::string OutputSet::pathOf(const std::string& name) const
{
    return platform::joinPath(directory_, name);
}

std::string OutputSet::outputWriting(const std::string& file) const
{
    for (const Output& output : outputs_)
        if (platform::isSameFile(pathOf(output.name), file))
            return output.name;
    return {};
}

void OutputSet::setStepHook(StepHook hook)
{
    stepHook() = std::move(hook);
}

int OutputSet::output(const std::string& name)
{
    if (const auto found = byName_.find(name); found != byName_.end())
        return found->second;
    makeRoom();
    std::string temp;
    const int fd = platform::createTempFile(directory_, platform::tempPrefixFor(name, "tmp"), 0666, temp);
    if (fd < 0)
        return -1;
    outputs_.push_back({name, std::move(temp), fd, {}});
    const int index = static_cast<int>(outputs_.size() - 1);
    byName_.emplace(name, index);
    opened_.push_back(index);
    ++openFiles_;
    return index;
}

void OutputSet::WriteTrimmedLine(int index, std::string_view line)
{
    Output& out = outputs_[static_cast<std::size_t>(index)];
    put(out, trimmedLine(line));
    put(out, "\r\n");
    checkMemory();
}

void OutputSet::WriteTrimmedLines(int index, std::string_view run)
{
    Output& out = outputs_[static_cast<std::size_t>(index)];
    std::size_t copied = 0; // start of the lines not yet written
    std::size_t start = 0;
    while (start < run.size()) {
        const std::size_t lf = run.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? run.size() : lf + 1;
        // A line stands as written when it ends in CR LF after a character
        // that is not a control character (or is empty).
        const bool asWritten = lf != std::string_view::npos && lf > start && run[lf - 1] == '\r' &&
                               (lf - 1 == start || trimmedLine(run.substr(lf - 2, 1)).size() == 1);
        if (!asWritten) {
            put(out, run.substr(copied, start - copied));
            put(out, trimmedLine(run.substr(start, end - start)));
            put(out, "\r\n");
            copied = end;
        }
        start = end;
    }
    put(out, run.substr(copied));
    checkMemory();
}

// Adds the bytes to the output's block; a full block is written first, and
// bytes that would fill one by themselves are written at once. A block
// never grows past its first size.
void OutputSet::put(Output& out, std::string_view bytes)
{
    if (out.block == 0) {
        out.block = buffered_ == 0 ? kMaxBlock : kMinBlock;
        ++buffered_;
    }
    if (out.pending.size() + bytes.size() > out.block) {
        flush(out, false);
        if (bytes.size() >= out.block) {
            if (ok_ && !(reopen(out) && writeAll(out.fd, bytes.data(), bytes.size())))
                ok_ = false;
            return;
        }
    }
    // A block's memory is small at first, and its whole size once it
    // outgrows that.
    const std::size_t needed = out.pending.size() + bytes.size();
    if (needed > out.pending.capacity())
        out.pending.reserve(needed <= kFirstMemory ? kFirstMemory : out.block);
    out.pending.append(bytes);
    pendingBytes_ += bytes.size();
}

void OutputSet::checkMemory()
{
    if (pendingBytes_ >= kAllBlocks)
        for (Output& each : outputs_)
            flush(each, true);
}

void OutputSet::finish(int index)
{
    Output& out = outputs_[static_cast<std::size_t>(index)];
    flush(out, true);
    closeFile(out);
}

void OutputSet::flush(Output& output, bool release)
{
    if (!output.pending.empty()) {
        if (ok_ && !(reopen(output) && writeAll(output.fd, output.pending.data(), output.pending.size())))
            ok_ = false;
        pendingBytes_ -= output.pending.size();
        output.pending.clear();
    }
    if (release && output.block > 0) {
        output.pending.shrink_to_fit();
        output.block = 0;
        --buffered_;
    }
}

// Opens the output's temporary file again when it was closed to make room.
bool OutputSet::reopen(Output& output)
{
    if (output.fd >= 0)
        return true;
    makeRoom();
    output.fd = ::open(output.temp.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (output.fd < 0)
        return false;
    opened_.push_back(static_cast<int>(&output - outputs_.data()));
    ++openFiles_;
    return true;
}

void OutputSet::closeFile(Output& output)
{
    if (output.fd < 0)
        return;
    if (::close(output.fd) != 0)
        ok_ = false;
    output.fd = -1;
    --openFiles_;
}

// Closes the file opened first while the limit is reached.
void OutputSet::makeRoom()
{
    while (openFiles_ >= maxOpenFiles_ && !opened_.empty()) {
        Output& oldest = outputs_[static_cast<std::size_t>(opened_.front())];
        opened_.pop_front();
        if (oldest.fd >= 0) {
            flush(oldest, true);
            closeFile(oldest);
        }
    }
}

bool OutputSet::commit()
{
    for (Output& output : outputs_) {
        flush(output, true);
        closeFile(output);
    }
    opened_.clear();
    unrestored_.clear();
    identityNotes_.clear();
    if (!ok_) {
        discard();
        return false;
    }
    // What was done, to be undone when a later output fails.
    struct Done {
        std::string path;
        off_t oldSize;      // >= 0: bytes were added in place to a kept file of this size
        std::string backup; // the file that the output replaced, if any
        bool inPlace;       // the output was written into the file itself
    };
    std::vector<Done> done;
    bool failed = false;
    for (Output& output : outputs_) {
        // A symbolic link stays a link: the file it names is written.
        const std::string path = platform::resolveLinks(pathOf(output.name));
        struct stat old {};
        const bool exists = !path.empty() && ::stat(path.c_str(), &old) == 0;
        // A rename needs only the directory's permission: a file the user
        // may not write is not replaced.
        if (path.empty() || (exists && (!S_ISREG(old.st_mode) || !platform::isWritableFile(path)))) {
            failed = true;
            break;
        }
        if (mode_ == Mode::Add && exists) {
            // The kept file's bytes and the new lines make a new whole file
            // that takes its place in one rename; the old file keeps a
            // second name until every output is in place. A file with
            // several names, or one the user may not read, gets the lines
            // added in place instead (its old bytes kept aside meanwhile),
            // which cutting them off again undoes.
            platform::SafeOutput whole;
            if (!whole.open(path, platform::SafeOutput::Mode::Append) || !copyInto(output.temp, whole)) {
                failed = true;
                break;
            }
            std::string backup;
            if (old.st_nlink == 1) {
                step("backup", path);
                backup = platform::holdWholeFile(path, directory_);
                if (backup.empty()) {
                    failed = true;
                    break;
                }
            }
            step("append", path);
            if (!whole.commit()) {
                if (!backup.empty())
                    platform::removeFile(backup);
                // The input still holds the new lines; old bytes that could
                // not be put back are named.
                if (!whole.keptTemporary().empty())
                    platform::removeFile(whole.keptTemporary());
                if (!whole.keptOldCopy().empty())
                    unrestored_ += "\r\n" + path + " (its old data is kept as " + whole.keptOldCopy() + ")";
                failed = true;
                break;
            }
            platform::removeFile(output.temp);
            identityNotes_ += whole.identityNote();
            struct stat now {};
            const bool replaced = ::stat(path.c_str(), &now) != 0 || now.st_dev != old.st_dev || now.st_ino != old.st_ino;
            if (replaced) {
                done.push_back({path, -1, backup, false});
            } else {
                if (!backup.empty())
                    platform::removeFile(backup);
                done.push_back({path, old.st_size, {}, false});
            }
        } else if (exists && old.st_nlink > 1) {
            // A file with several names is written in place from the
            // complete output; a whole copy of it is kept aside until every
            // output is in place.
            step("backup", path);
            const std::string backup = platform::holdWholeFile(path, directory_);
            if (!backup.empty())
                step("in place", path);
            if (backup.empty() || !platform::restoreFile(output.temp, path)) {
                if (!backup.empty())
                    platform::restoreFile(backup, path);
                failed = true;
                break;
            }
            done.push_back({path, -1, backup, true});
        } else {
            // The old data of the name is kept under a second name until
            // every output is in place: a hard link (a full copy where the
            // file system has none), so that the name itself stays in place
            // until the one rename that puts the complete output there. The
            // output takes the old file's mode and owner, and reaches the
            // disk before it takes the place of data that was there (new
            // pieces are not flushed one by one: nothing is lost if they are
            // cut short by a crash, the input still holds them).
            std::string backup;
            std::string note;
            if (exists) {
                const int fd = ::open(output.temp.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
                const bool flushed = fd >= 0 && ::fsync(fd) == 0;
                if (fd >= 0) {
                    if (!platform::giveIdentity(fd, old.st_mode & 07777, old.st_uid, old.st_gid))
                        note = platform::identityNoteFor(path, fd);
                    ::close(fd);
                }
                if (!flushed) {
                    failed = true;
                    break;
                }
                step("backup", path);
                backup = platform::holdWholeFile(path, directory_);
                if (backup.empty()) {
                    failed = true;
                    break;
                }
            }
            step("rename", path);
            if (!platform::replaceFile(output.temp, path)) {
                // The name still holds its old data.
                if (!backup.empty())
                    platform::removeFile(backup);
                failed = true;
                break;
            }
            identityNotes_ += note;
            done.push_back({path, -1, backup, false});
        }
        output.temp.clear();
    }
    if (failed) {
        identityNotes_.clear();
        for (const Done& each : done) {
            bool undone = true;
            if (each.oldSize >= 0) {
                undone = ::truncate(each.path.c_str(), each.oldSize) == 0;
            } else if (each.inPlace) {
                undone = platform::restoreFile(each.backup, each.path); // removes the backup
            } else if (!each.backup.empty()) {
                undone = platform::replaceFile(each.backup, each.path);
            } else {
                platform::removeFile(each.path);
            }
            if (!undone)
                unrestored_ += "\r\n" + each.path + (each.backup.empty() ? "" : " (its old data is kept as " + each.backup + ")");
        }
        discard();
        return false;
    }
    for (const Done& each : done)
        if (!each.backup.empty()) {
            step("remove backup", each.backup);
            platform::removeFile(each.backup);
        }
    outputs_.clear();
    byName_.clear();
    return true;
}

void OutputSet::discard()
{
    for (Output& output : outputs_) {
        closeFile(output);
        if (!output.temp.empty())
            platform::removeFile(output.temp);
    }
    opened_.clear();
    outputs_.clear();
    byName_.clear();
    pendingBytes_ = 0;
    buffered_ = 0;
}

} // namespace morvane
