#include "morvane/core/output_set.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <new>
#include <memory>

#include "platform/file_swap.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace morvane {

namespace {

bool diskFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

// All blocks together are written (and their memory freed) once they hold
// kAllBlocks (output_set.h). An output's block is written once full. An
// output that gets a block while no other holds one (a split that fills one
// piece at a time) gets a large one, which the file system takes faster; where many outputs
// fill at once, each gets a small one, which costs less fresh memory.
constexpr std::size_t kMinBlock = 32 * 1024;
constexpr std::size_t kMaxBlock = 1024 * 1024;
// The memory a block takes at first.
constexpr std::size_t kFirstMemory = 4 * 1024;
// Descriptors left for the rest of the program.
constexpr std::size_t kSpareFiles = 128;

bool writeAll(int fd, const char* bytes, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = ENOSPC;
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

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

int OutputSet::output(const std::string& name)
{
    if (const auto found = byName_.find(name); found != byName_.end())
        return found->second;
    makeRoom();
    auto change = std::make_unique<platform::FileChange>();
    std::string temp;
    bool refused = false;
    int fd = change->begin(pathOf(name), mode_ == Mode::Add ? platform::WriteMode::Append
                                                            : platform::WriteMode::Overwrite);
    if (fd >= 0) {
        temp = change->temporary();
    } else {
        // A destination that may not be written fails the commit, not the
        // split: its lines go to a temporary file of their own meanwhile.
        refused = change->failure() == platform::WriteFailure::NotWritable ||
                  change->failure() == platform::WriteFailure::NotRegularFile;
        if (!refused)
            return openFailed(change->error());
        fd = platform::createTempFile(directory_, platform::tempPrefixFor(name, "tmp"), 0666, temp);
        if (fd < 0)
            return openFailed(errno);
    }
    outputs_.push_back({name, std::move(change), std::move(temp), refused, fd, {}});
    const int index = static_cast<int>(outputs_.size() - 1);
    byName_.emplace(name, index);
    opened_.push_back(index);
    ++openFiles_;
    return index;
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
    if (out.pendingSize + bytes.size() > out.block) {
        flush(out, false);
        if (bytes.size() >= out.block) {
            if (ok_ && !(reopen(out) && writeAll(out.fd, bytes.data(), bytes.size())))
                noteFailure(errno);
            return;
        }
    }
    // A block's memory is small at first, and its whole size once it
    // outgrows that.
    const std::size_t needed = out.pendingSize + bytes.size();
    if (needed > out.memory) {
        const std::size_t memory = needed <= kFirstMemory ? kFirstMemory : out.block;
        char* grown = memory_.take(memory);
        std::copy_n(out.pending, out.pendingSize, grown);
        if (out.pending)
            memory_.give(out.pending, out.memory);
        out.pending = grown;
        out.memory = memory;
    }
    std::copy(bytes.begin(), bytes.end(), out.pending + out.pendingSize);
    out.pendingSize = needed;
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
    if (output.pendingSize > 0) {
        if (ok_ && !(reopen(output) && writeAll(output.fd, output.pending, output.pendingSize)))
            noteFailure(errno);
        pendingBytes_ -= output.pendingSize;
        output.pendingSize = 0;
    }
    if (release && output.block > 0) {
        if (output.pending)
            memory_.give(output.pending, output.memory);
        output.pending = nullptr;
        output.memory = 0;
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
        noteFailure(errno);
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

int OutputSet::openFailed(int error)
{
    failureNote_ = diskFull(error) ? "\r\nThe disk is full." : "";
    return -1;
}

void OutputSet::noteFailure(int error)
{
    if (ok_)
        error_ = error;
    ok_ = false;
}

namespace {

// Starts writing the file out to the disk, so that the flushes that follow
// wait for all files together rather than for each in turn.
void startWriteback(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    ::close(fd);
}

} // namespace

bool OutputSet::commit()
{
    for (Output& output : outputs_) {
        flush(output, true);
        closeFile(output);
    }
    opened_.clear();
    unrestored_.clear();
    identityNotes_.clear();
    failureNote_.clear();
    bool failed = !ok_;
    int error = error_;
    std::string reason;
    for (const Output& output : outputs_)
        failed = failed || output.refused;

    // Every temporary file that replaces data reaches the disk first (a new
    // piece need not: the input still holds its lines).
    if (!failed) {
        for (const Output& output : outputs_)
            if (platform::fileExists(output.change->destination()))
                startWriteback(output.temp);
        for (Output& output : outputs_) {
            if (!output.change->prepare(false)) {
                error = output.change->error();
                reason = output.change->reasonNote();
                failed = true;
                break;
            }
        }
    }
    // Then each takes its place, the old file kept under a second name.
    std::size_t placed = 0;
    if (!failed) {
        for (Output& output : outputs_) {
            platform::FileChange& change = *output.change;
            if (!change.place(true)) {
                error = change.error();
                reason = change.reasonNote();
                if (!change.keptOldCopy().empty()) {
                    unrestored_ += "\r\n" + change.destination() + change.keptFilesNote();
                } else if (!change.keptTemporary().empty()) {
                    // The old bytes are back; the input still holds the new lines.
                    platform::removeFile(change.keptTemporary());
                }
                failed = true;
                break;
            }
            ++placed;
        }
    }
    if (failed) {
        // The outputs already in place get their old bytes back, the last first.
        for (std::size_t i = placed; i-- > 0;) {
            platform::FileChange& change = *outputs_[i].change;
            if (!change.undo())
                unrestored_ += "\r\n" + change.destination() + change.keptFilesNote();
        }
        failureNote_ = reason.empty() && diskFull(error) ? "\r\nThe disk is full." : reason;
        discard();
        return false;
    }
    // The new names last before the old files' second names go.
    std::vector<std::string> directories;
    for (const Output& output : outputs_) {
        const std::string dir = platform::directoryPart(output.change->destination());
        if (std::find(directories.begin(), directories.end(), dir) == directories.end())
            directories.push_back(dir);
    }
    for (const std::string& dir : directories)
        platform::syncDirectory(dir);
    for (Output& output : outputs_) {
        identityNotes_ += output.change->identityNote();
        output.change->finish();
        output.temp.clear();
    }
    outputs_.clear();
    byName_.clear();
    memory_.clear();
    return true;
}

void OutputSet::discard()
{
    for (Output& output : outputs_) {
        closeFile(output);
        // A change keeps what a failure left beside its file; its own
        // temporary file goes with it.
        if (output.refused && !output.temp.empty())
            platform::removeFile(output.temp);
        if (output.change)
            output.change->discard();
    }
    opened_.clear();
    outputs_.clear();
    byName_.clear();
    memory_.clear();
    pendingBytes_ = 0;
    buffered_ = 0;
}

namespace {

// Regions are of the huge page size, and aligned to it.
constexpr std::size_t kRegion = 2 * 1024 * 1024;

} // namespace

char* BlockMemory::take(std::size_t size)
{
    for (auto& [blockSize, blocks] : free_) {
        if (blockSize == size && !blocks.empty()) {
            char* block = blocks.back();
            blocks.pop_back();
            return block;
        }
    }
    if (left_ < size) {
        // A region larger by one alignment, whose unaligned ends go back.
        const std::size_t length = std::max(size, kRegion);
        void* mapped = ::mmap(nullptr, length + kRegion, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED)
            throw std::bad_alloc();
        char* raw = static_cast<char*>(mapped);
        const std::size_t head = (kRegion - reinterpret_cast<std::uintptr_t>(raw) % kRegion) % kRegion;
        if (head > 0)
            ::munmap(raw, head);
        if (kRegion - head > 0)
            ::munmap(raw + head + length, kRegion - head);
        char* base = raw + head;
        (void)::madvise(base, length, MADV_HUGEPAGE);
        regions_.push_back({base, length});
        next_ = base;
        left_ = length;
    }
    char* block = next_;
    next_ += size;
    left_ -= size;
    return block;
}

void BlockMemory::give(char* block, std::size_t size)
{
    for (auto& [blockSize, blocks] : free_) {
        if (blockSize == size) {
            blocks.push_back(block);
            return;
        }
    }
    free_.push_back({size, {block}});
}

void BlockMemory::clear()
{
    for (const Region& region : regions_)
        ::munmap(region.base, region.length);
    regions_.clear();
    free_.clear();
    next_ = nullptr;
    left_ = 0;
}

} // namespace morvane
