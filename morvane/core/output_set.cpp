#include "morvane/core/output_set.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace morvane {

namespace {

// An output's block is written once it holds this much; all blocks
// together are written once they hold the second figure.
constexpr std::size_t kBlock = 64 * 1024;
constexpr std::size_t kAllBlocks = 64 * 1024 * 1024;

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

bool appendBytes(const std::string& path, const char* bytes, std::size_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes, size);
    return ::close(fd) == 0 && written;
}

// Adds the file's bytes at the end of the destination.
bool appendFile(const std::string& from, const std::string& to)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = ::open(to.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    bool done = out >= 0;
    std::string block(1 << 20, '\0');
    while (done) {
        const ssize_t got = ::read(in, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            done = got == 0;
            break;
        }
        done = writeAll(out, block.data(), static_cast<std::size_t>(got));
    }
    ::close(in);
    if (out >= 0 && ::close(out) != 0)
        done = false;
    return done;
}

// A new file gets what the system gives new files: 0666 less the umask.
void newFilePermissions(const std::string& path)
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(path.c_str(), 0666 & ~mask);
}

off_t fileSize(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
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

OutputSet::OutputSet(std::string directory, Mode mode) : directory_(std::move(directory)), mode_(mode) {}

OutputSet::~OutputSet()
{
    discard();
}

std::string OutputSet::pathOf(const std::string& name) const
{
    return platform::joinPath(directory_, name);
}

int OutputSet::output(const std::string& name)
{
    if (const auto found = byName_.find(name); found != byName_.end())
        return found->second;
    std::string temp = platform::makeTempFile(directory_);
    if (temp.empty())
        return -1;
    outputs_.push_back({name, std::move(temp), {}});
    const int index = static_cast<int>(outputs_.size() - 1);
    byName_.emplace(name, index);
    return index;
}

void OutputSet::WriteTrimmedLine(int index, std::string_view line)
{
    Output& out = outputs_[static_cast<std::size_t>(index)];
    const std::string_view text = trimmedLine(line);
    out.pending.append(text);
    out.pending.append("\r\n");
    added(out, text.size() + 2);
}

void OutputSet::WriteTrimmedLines(int index, std::string_view run)
{
    Output& out = outputs_[static_cast<std::size_t>(index)];
    const std::size_t before = out.pending.size();
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
            out.pending.append(run.substr(copied, start - copied));
            const std::string_view text = trimmedLine(run.substr(start, end - start));
            out.pending.append(text);
            out.pending.append("\r\n");
            copied = end;
        }
        start = end;
    }
    out.pending.append(run.substr(copied));
    added(out, out.pending.size() - before);
}

void OutputSet::added(Output& out, std::size_t bytes)
{
    pendingBytes_ += bytes;
    if (out.pending.size() >= kBlock)
        flush(out);
    if (pendingBytes_ >= kAllBlocks)
        for (Output& each : outputs_)
            flush(each);
}

void OutputSet::flush(Output& output)
{
    if (output.pending.empty())
        return;
    if (ok_ && !appendBytes(output.temp, output.pending.data(), output.pending.size()))
        ok_ = false;
    pendingBytes_ -= output.pending.size();
    output.pending.clear();
    output.pending.shrink_to_fit();
}

bool OutputSet::commit()
{
    for (Output& output : outputs_)
        flush(output);
    if (!ok_) {
        discard();
        return false;
    }
    // What was done, to be undone when a later output fails.
    struct Done {
        std::string path;
        off_t oldSize;      // >= 0: bytes were added to a kept file of this size
        std::string backup; // the file that the output replaced, if any
    };
    std::vector<Done> done;
    bool failed = false;
    for (Output& output : outputs_) {
        const std::string path = pathOf(output.name);
        const off_t oldSize = platform::isRegularFile(path) ? fileSize(path) : -1;
        if (mode_ == Mode::Add && oldSize >= 0) {
            if (!appendFile(output.temp, path)) {
                ::truncate(path.c_str(), oldSize);
                failed = true;
                break;
            }
            platform::removeFile(output.temp);
            done.push_back({path, oldSize, {}});
        } else {
            if (platform::fileExists(path) && !platform::isRegularFile(path)) {
                failed = true;
                break;
            }
            // A file of the name is kept aside until every output is in place.
            std::string backup;
            if (oldSize >= 0) {
                backup = platform::makeTempFile(directory_);
                if (backup.empty() || !platform::replaceFile(path, backup)) {
                    if (!backup.empty())
                        platform::removeFile(backup);
                    failed = true;
                    break;
                }
            }
            newFilePermissions(output.temp);
            if (!platform::replaceFile(output.temp, path)) {
                if (!backup.empty())
                    platform::replaceFile(backup, path);
                failed = true;
                break;
            }
            done.push_back({path, -1, backup});
        }
        output.temp.clear();
    }
    if (failed) {
        for (const Done& each : done) {
            if (each.oldSize >= 0)
                ::truncate(each.path.c_str(), each.oldSize);
            else if (!each.backup.empty())
                platform::replaceFile(each.backup, each.path);
            else
                platform::removeFile(each.path);
        }
        discard();
        return false;
    }
    for (const Done& each : done)
        if (!each.backup.empty())
            platform::removeFile(each.backup);
    outputs_.clear();
    byName_.clear();
    return true;
}

void OutputSet::discard()
{
    for (Output& output : outputs_)
        if (!output.temp.empty())
            platform::removeFile(output.temp);
    outputs_.clear();
    byName_.clear();
    pendingBytes_ = 0;
}

} // namespace morvane
