#include "platform/safe_output.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor.h"
#include "platform/file_steps.h"
#include "platform/file_swap.h"
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
    std::string note;
    if (!kept_.empty())
        note += "\r\nThe new data is kept in " + kept_ + ".";
    if (!keptOld_.empty())
        note += "\r\nThe old data is kept in " + keptOld_ + ".";
    return note;
}

bool SafeOutput::open(const std::string& path, Mode mode)
{
    discard();
    failure_ = Failure::None;
    kept_.clear();
    keptOld_.clear();
    identityNote_.clear();
    hardLinked_ = false;
    mode_ = mode;
    withOldBytes_ = false;
    oldSize_ = 0;
    copiedFrom_ = {};
    destination_ = resolveLinks(path);
    if (destination_.empty())
        return fail(Failure::NotRegularFile);

    struct stat st {};
    exists_ = ::stat(destination_.c_str(), &st) == 0;
    if (exists_) {
        if (!S_ISREG(st.st_mode))
            return fail(Failure::NotRegularFile);
        // A rename needs only the directory's permission; the file's own is
        // asked here.
        if (!isWritableFile(destination_))
            return fail(Failure::NotWritable);
        permissions_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
        hardLinked_ = st.st_nlink > 1;
        device_ = st.st_dev;
        inode_ = st.st_ino;
        links_ = st.st_nlink;
    }

    // The new data of an existing file is readable by its owner alone until
    // the file's own mode is given at the commit; a new file is created as
    // any would be.
    std::string temp;
    Descriptor out(createTempFile(directoryPart(destination_), tempPrefixFor(destination_, "tmp"),
                                  exists_ ? 0600 : 0666, temp));
    if (!out.valid())
        return fail(Failure::CannotMakeTemp);
    temp_ = temp;
    if (exists_ && mode_ == Mode::Append && !hardLinked_ && !copyOldBytes(out.get()))
        return fail(Failure::CannotMakeTemp);
    if (!out.close())
        return fail(Failure::CannotMakeTemp);
    if (!writer_.open(temp_, withOldBytes_ ? platform::CrlfWriter::Mode::Append : platform::CrlfWriter::Mode::Created))
        return fail(Failure::CannotMakeTemp);
    fileStep("temporary file made");
    return true;
}

// The temporary file of an Append begins with the destination's bytes. A
// destination the user may write but not read keeps them where they are:
// its new bytes are added in place at the commit.
bool SafeOutput::copyOldBytes(int temp)
{
    Descriptor old(::open(destination_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!old.valid())
        return errno == EACCES;
    if (!copyRest(old.get(), temp))
        return false;
    copiedFrom_ = FileIdentity::ofDescriptor(old.get());
    const off_t copied = ::lseek(temp, 0, SEEK_CUR);
    if (!copiedFrom_.known || copied < 0 || static_cast<std::uint64_t>(copied) != copiedFrom_.size)
        return false; // it grew while it was copied
    withOldBytes_ = true;
    oldSize_ = copiedFrom_.size;
    fileStep("old bytes copied");
    return true;
}

bool SafeOutput::commit()
{
    if (temp_.empty())
        return false;
    if (!writer_.close())
        return fail(Failure::CannotWriteTemp);
    fileStep("temporary file written");
    Descriptor temp(::open(temp_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!temp.valid())
        return fail(Failure::CannotWriteTemp);

    struct stat now {};
    const bool present = ::stat(destination_.c_str(), &now) == 0;
    // The old bytes in the temporary file must still be the destination's.
    if (withOldBytes_ && !(present && FileIdentity::of(destination_) == copiedFrom_))
        return fail(Failure::CannotReplace);
    // In place: every name that a hard-linked file had at open() must see
    // the new bytes; an Append without the old bytes adds to the file (one
    // that appeared since open(), or that may not be read).
    bool inPlace = present && (hardLinked_ || (mode_ == Mode::Append && !withOldBytes_));
    if (exists_ && !inPlace && !giveIdentity(temp.get(), permissions_, owner_, group_)) {
        // The file stays the user's file: where a new file cannot have its
        // owner, group or mode, the old file gets the new bytes, unless it
        // is no longer the file of open() with the names it had then (a
        // name added since, as a caller's backup link, keeps the old bytes).
        const bool sameFile = present && now.st_dev == device_ && now.st_ino == inode_ && now.st_nlink == links_;
        if (sameFile) {
            inPlace = true;
        } else {
            identityNote_ = identityNoteFor(destination_, temp.get());
        }
    }
    if (::fsync(temp.get()) != 0)
        return fail(Failure::CannotWriteTemp);
    fileStep("temporary file on disk");

    if (inPlace) {
        if (!copyTempInPlace(temp.get()))
            return fail(Failure::CannotReplace);
    } else {
        temp.close();
        if (!platform::replaceFile(temp_, destination_))
            return fail(Failure::CannotReplace);
        temp_.clear();
        fileStep("renamed");
        syncDirectory(directoryPart(destination_));
    }
    discard();
    return true;
}

namespace {

// A whole copy of the open file `from`, beside `file` and named after it,
// on the disk. Empty when it cannot be made.
std::string keepOldBytes(int from, const std::string& file)
{
    std::string name;
    Descriptor copy(createTempFile(directoryPart(file), tempPrefixFor(file, "old"), 0600, name));
    if (!copy.valid())
        return {};
    if (copyRest(from, copy.get()) && ::fsync(copy.get()) == 0 && copy.close()) {
        syncDirectory(directoryPart(file));
        return name;
    }
    platform::removeFile(name);
    return {};
}

bool rewind(int fd)
{
    return ::lseek(fd, 0, SEEK_SET) == 0;
}

} // namespace

// The temporary file is complete and on the disk before the file is
// touched, and a copy of the old bytes is kept beside the file until the
// new ones are all in. When the copy fails the old bytes go back and the
// temporary file is kept.
bool SafeOutput::copyTempInPlace(int data)
{
    const bool append = mode_ == Mode::Append;
    Descriptor in(::open(destination_.c_str(), O_RDONLY | O_CLOEXEC));
    std::string old;
    if (in.valid()) {
        old = keepOldBytes(in.get(), destination_);
        if (old.empty())
            return false; // not touched: the file is as it was
    } else if (!append) {
        return false; // its old bytes cannot be kept
    }
    fileStep("old bytes kept");

    Descriptor out(::open(destination_.c_str(), O_WRONLY | O_CLOEXEC | (append ? O_APPEND : 0)));
    struct stat before {};
    if (!out.valid() || ::fstat(out.get(), &before) != 0) {
        if (!old.empty())
            platform::removeFile(old);
        return false;
    }
    // An Append adds the new bytes alone, whatever the temporary file holds first.
    const off_t from = append && withOldBytes_ ? static_cast<off_t>(oldSize_) : 0;
    bool done = ::lseek(data, from, SEEK_SET) == from;
    if (done && !append)
        done = ::ftruncate(out.get(), 0) == 0;
    if (done)
        done = copyRest(data, out.get()) && ::fsync(out.get()) == 0;
    if (done) {
        if (!old.empty())
            platform::removeFile(old);
        fileStep("written in place");
        return true;
    }

    // Back to the old bytes: an Append cuts off what it added, an Overwrite
    // copies them back from the kept copy.
    bool restored = false;
    if (append) {
        restored = ::ftruncate(out.get(), before.st_size) == 0 && ::fsync(out.get()) == 0;
    } else {
        Descriptor copy(::open(old.c_str(), O_RDONLY | O_CLOEXEC));
        restored = copy.valid() && ::ftruncate(out.get(), 0) == 0 && rewind(out.get()) &&
                   copyRest(copy.get(), out.get()) && ::fsync(out.get()) == 0;
    }
    if (restored) {
        if (!old.empty())
            platform::removeFile(old);
    } else {
        keptOld_ = old;
    }
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
    keptNote = done ? output.identityNote() : output.keptNote();
    return done;
}

bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode)
{
    SafeOutput::Failure failure;
    std::string keptNote;
    return saveLines(path, lines, mode, failure, keptNote);
}

bool giveIdentity(int fd, unsigned permissions, unsigned owner, unsigned group)
{
    // Where the process may not give the file away, the group alone may
    // still be.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && (st.st_uid != owner || st.st_gid != group) && ::fchown(fd, owner, group) != 0)
        (void)::fchown(fd, static_cast<uid_t>(-1), group);
    (void)::fchmod(fd, permissions);
    // A change of mode may also be refused without an error (a set-group-id
    // bit for a group the process is not in): what counts is what the file has.
    return ::fstat(fd, &st) == 0 && st.st_uid == owner && st.st_gid == group && (st.st_mode & 07777) == permissions;
}

std::string identityNoteFor(const std::string& path, int fd)
{
    struct stat given {};
    ::fstat(fd, &given);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(given.st_mode & 07777));
    return "\r\n" + path + " could not keep its owner, group and mode: it now has mode " + mode + ", owner " +
           std::to_string(given.st_uid) + ", group " + std::to_string(given.st_gid) + ".";
}

bool isSameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return !error && same;
}

} // namespace platform
