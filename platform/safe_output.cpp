#include "platform/safe_output.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor.h"
#include "platform/files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Flushes a directory's entries to the disk, so that a rename in it lasts.
void syncDirectory(const std::string& directory)
{
    Descriptor dir(::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

} // namespace

std::string resolveLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::error_code error;
        const fs::path target = fs::read_symlink(current, error);
        if (error)
            return current;
        current = target.is_absolute() ? target.string() : joinPath(directoryPart(current), target.string());
    }
    return {};
}

SafeOutput::~SafeOutput()
{
    discard();
}

bool SafeOutput::fail(Failure failure)
{
    failure_ = failure;
    discard();
    return false;
}

std::string SafeOutput::keptNote() const
{
    return kept_.empty() ? std::string() : "\r\nThe new data is kept in " + kept_ + ".";
}

bool SafeOutput::open(const std::string& path, Mode mode)
{
    discard();
    failure_ = Failure::None;
    kept_.clear();
    mode_ = mode;
    destination_ = resolveLinks(path);
    if (destination_.empty())
        return fail(Failure::NotRegularFile);

    struct stat st {};
    exists_ = ::stat(destination_.c_str(), &st) == 0;
    if (exists_) {
        if (!S_ISREG(st.st_mode))
            return fail(Failure::NotRegularFile);
        // A rename needs only the directory's permission; the file's own is
        // asked here. Opening a regular file for writing changes nothing.
        Descriptor probe(::open(destination_.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
        if (!probe.valid())
            return fail(Failure::NotWritable);
        permissions_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
        hardLinked_ = st.st_nlink > 1;
    }

    // The new data of an existing file is readable by its owner alone until
    // the file's own mode is given at the commit; a new file is created as
    // any would be.
    temp_ = makeTempFile(directoryPart(destination_), "tmp", exists_ ? 0600 : 0666);
    if (temp_.empty())
        return fail(Failure::CannotMakeTemp);
    if (!writer_.open(temp_, platform::CrlfWriter::Mode::Created))
        return fail(Failure::CannotMakeTemp);
    return true;
}

// Closes the temporary file, gives it the destination's owner, group and
// mode, and flushes it to the disk.
bool SafeOutput::finishTemp()
{
    if (!writer_.close())
        return false;
    Descriptor temp(::open(temp_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!temp.valid())
        return false;
    if (exists_ && mode_ == Mode::Overwrite && !hardLinked_) {
        giveIdentity(temp.get(), permissions_, owner_, group_);
    }
    return ::fsync(temp.get()) == 0 && temp.close();
}

bool SafeOutput::commit()
{
    if (temp_.empty())
        return false;
    if (!finishTemp())
        return fail(Failure::CannotWriteTemp);
    bool done;
    if (mode_ == Mode::Append && platform::fileExists(destination_)) {
        done = appendTemp();
    } else if (hardLinked_ && platform::fileExists(destination_)) {
        done = copyTempInPlace();
    } else {
        done = platform::replaceFile(temp_, destination_);
        if (done) {
            temp_.clear();
            syncDirectory(directoryPart(destination_));
        }
    }
    if (!done)
        return fail(Failure::CannotReplace);
    discard();
    return true;
}

bool SafeOutput::appendTemp()
{
    Descriptor data(::open(temp_.c_str(), O_RDONLY | O_CLOEXEC));
    Descriptor out(::open(destination_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    struct stat st {};
    if (!data.valid() || !out.valid() || ::fstat(out.get(), &st) != 0)
        return false;
    if (copyRest(data.get(), out.get()) && ::fsync(out.get()) == 0 && out.close())
        return true;
    // Cut back what reached the file; the destination is as it was.
    if (out.valid()) {
        (void)::ftruncate(out.get(), st.st_size);
        ::fsync(out.get());
    } else {
        (void)::truncate(destination_.c_str(), st.st_size);
    }
    return false;
}

// Every name of a hard-linked file must see the new bytes, so they are
// copied into the file itself. The temporary file is complete and on the
// disk before the file is emptied; when the copy fails it is kept.
bool SafeOutput::copyTempInPlace()
{
    Descriptor data(::open(temp_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!data.valid())
        return false;
    Descriptor out(::open(destination_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!out.valid())
        return false; // not emptied: the file is as it was
    if (copyRest(data.get(), out.get()) && ::fsync(out.get()) == 0 && out.close())
        return true;
    kept_ = temp_;
    temp_.clear(); // kept, not removed
    return false;
}

void SafeOutput::discard()
{
    writer_.close();
    if (!temp_.empty())
        platform::removeFile(temp_);
    temp_.clear();
}

bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode,
               SafeOutput::Failure& failure, std::string& keptNote)
{
    SafeOutput output;
    bool done = output.open(path, mode);
    if (done) {
        for (const auto& line : lines)
            output.writer().writeLine(line);
        done = output.commit();
    }
    failure = output.failure();
    keptNote = output.keptNote();
    return done;
}

bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode)
{
    SafeOutput::Failure failure;
    std::string keptNote;
    return saveLines(path, lines, mode, failure, keptNote);
}

void giveIdentity(int fd, unsigned permissions, unsigned owner, unsigned group)
{
    // Where the process may not give the file away, the group alone may
    // still be.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_uid != owner || st.st_gid != group) && ::fchown(fd, owner, group) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), group);
    ::fchmod(fd, permissions);
}

bool isSameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return !error && same;
}

} // namespace platform
