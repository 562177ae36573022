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

WriteWay chooseWriteWay(const WriteFacts& facts)
{
    if (!facts.exists)
        return WriteWay::Rename;
    if (facts.severalNamesAtOpen || facts.appendWithoutOldBytes)
        return WriteWay::InPlace;
    if (!facts.identityGivable && facts.sameNamesAsAtOpen)
        return WriteWay::InPlace;
    return WriteWay::Rename;
}

FileChange::~FileChange()
{
    discard();
}

bool FileChange::fail(WriteFailure failure, int error)
{
    failure_ = failure;
    error_ = error;
    discard();
    return false;
}

void FileChange::writeFailed(int error)
{
    fail(WriteFailure::CannotWriteTemp, error);
}

std::string FileChange::keptFilesNote() const
{
    std::string note;
    if (!kept_.empty())
        note += "\r\nThe new data is kept in " + kept_ + ".";
    if (!keptOld_.empty())
        note += "\r\nThe old data is kept in " + keptOld_ + ".";
    return note;
}

std::string FileChange::reasonNote() const
{
    std::string note;
    if (changed_)
        note += "\r\n" + destination_ + " has changed since it was read: nothing was added.";
    if (error_ == kSourceChanged)
        note += "\r\n" + changedWhileCopiedText(destination_);
    if (error_ == ENOSPC || error_ == EDQUOT)
        note += "\r\nThe disk is full.";
    return note;
}

int FileChange::begin(const std::string& path, WriteMode mode)
{
    discard();
    kept_.clear();
    keptOld_.clear();
    held_.clear();
    identityNote_.clear();
    failure_ = WriteFailure::None;
    error_ = 0;
    changed_ = false;
    exists_ = false;
    links_ = 0;
    withOldBytes_ = false;
    oldSize_ = 0;
    sizeBefore_ = 0;
    copiedFrom_ = {};
    present_ = false;
    inPlace_ = false;
    placed_ = false;
    mode_ = mode;
    destination_ = resolveLinks(path);
    if (destination_.empty()) {
        fail(WriteFailure::NotRegularFile, ELOOP);
        return -1;
    }
    struct stat st {};
    exists_ = ::stat(destination_.c_str(), &st) == 0;
    if (exists_) {
        if (!S_ISREG(st.st_mode)) {
            fail(WriteFailure::NotRegularFile, 0);
            return -1;
        }
        // A rename needs only the directory's permission; the file's own is
        // asked here.
        if (!isWritableFile(destination_)) {
            fail(WriteFailure::NotWritable, EACCES);
            return -1;
        }
        permissions_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
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
    if (!out.valid()) {
        fail(WriteFailure::CannotMakeTemp, errno);
        return -1;
    }
    temp_ = temp;
    fileStep(FileStep::TempMade, temp_);
    if (exists_ && mode_ == WriteMode::Append && !copyOldBytes(out.get())) {
        fail(WriteFailure::CannotMakeTemp, errno);
        return -1;
    }
    return out.release();
}

// The temporary file of an Append begins with the destination's bytes, so
// that it holds the whole new file. A destination the user may write but
// not read keeps them where they are: its new bytes are added in place.
bool FileChange::copyOldBytes(int temp)
{
    Descriptor old(::open(destination_.c_str(), O_RDONLY | O_CLOEXEC));
    if (!old.valid())
        return errno == EACCES;
    if (!copyWholeFile(old.get(), temp, temp_, &copiedFrom_)) {
        if (errno == kSourceChanged) {
            changed_ = true; // written to while it was copied
            errno = 0;
        }
        return false;
    }
    withOldBytes_ = true;
    oldSize_ = copiedFrom_.size;
    // They are to reach the disk before the commit; their writing out starts
    // now, while the new data is made.
    (void)::sync_file_range(temp, 0, static_cast<off_t>(oldSize_), SYNC_FILE_RANGE_WRITE);
    fileStep(FileStep::OldBytesCopied, temp_);
    return true;
}

bool FileChange::prepare(bool flushNew)
{
    if (temp_.empty())
        return false;
    Descriptor temp(::open(temp_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!temp.valid())
        return fail(WriteFailure::CannotWriteTemp, errno);

    struct stat now {};
    present_ = ::stat(destination_.c_str(), &now) == 0;
    if (!oldBytesStillCurrent())
        return fail(WriteFailure::CannotReplace, 0);
    WriteFacts facts;
    facts.exists = present_;
    facts.severalNamesAtOpen = exists_ && links_ > 1;
    facts.sameNamesAsAtOpen =
        present_ && now.st_dev == device_ && now.st_ino == inode_ && now.st_nlink == links_;
    facts.appendWithoutOldBytes = mode_ == WriteMode::Append && !withOldBytes_;
    // A new file gets the old one's identity, where it can have it.
    if (exists_ && present_ && chooseWriteWay(facts) == WriteWay::Rename)
        facts.identityGivable = giveIdentity(temp.get(), permissions_, owner_, group_);
    inPlace_ = chooseWriteWay(facts) == WriteWay::InPlace;
    if (!inPlace_ && !facts.identityGivable)
        identityNote_ = identityNoteFor(destination_, temp.get());
    if ((present_ || flushNew) && ::fsync(temp.get()) != 0)
        return fail(WriteFailure::CannotWriteTemp, errno);
    fileStep(FileStep::TempOnDisk, temp_);
    return true;
}

// The old bytes an Append's temporary file begins with must still be the
// destination's: asked at prepare() and again just before the destination
// is touched, since another program may add to it while the new file is
// flushed.
bool FileChange::oldBytesStillCurrent()
{
    if (withOldBytes_ && FileIdentity::of(destination_) != copiedFrom_)
        changed_ = true;
    return !changed_;
}

bool FileChange::place(bool keepForUndo)
{
    if (temp_.empty())
        return false;
    if (inPlace_) {
        Descriptor data(::open(temp_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (!data.valid() || !copyInPlace(data.get(), keepForUndo)) {
            const int error = errno;
            data.close();
            return fail(WriteFailure::CannotReplace, error_ != 0 ? error_ : error);
        }
        placed_ = true;
        return true;
    }
    const std::string directory = directoryPart(destination_);
    if (keepForUndo && present_) {
        // The old file keeps a second name until the caller is done: a hard
        // link, or a whole copy where the file system has none.
        held_ = nameUniquely(destination_, directory.empty() ? "." : directory,
                             tempPrefixFor(destination_, "old"), true);
        if (held_.empty()) {
            Descriptor old(::open(destination_.c_str(), O_RDONLY | O_CLOEXEC));
            if (old.valid())
                held_ = writeWholeCopy(old.get(), destination_, CopyName::Beside);
        }
        if (held_.empty())
            return fail(WriteFailure::CannotReplace, errno);
        fileStep(FileStep::BackupHeld, held_);
    }
    if (!oldBytesStillCurrent() || !replaceFile(temp_, destination_)) {
        const int error = changed_ ? 0 : errno;
        if (!held_.empty())
            removeFile(held_);
        held_.clear();
        return fail(WriteFailure::CannotReplace, error);
    }
    temp_.clear();
    placed_ = true;
    fileStep(FileStep::Renamed, destination_);
    if (!keepForUndo)
        syncDirectory(directory);
    return true;
}

namespace {

bool rewind(int fd)
{
    return ::lseek(fd, 0, SEEK_SET) == 0;
}

// Copies the whole of `from` over the bytes of `to`, on the disk.
bool copyBackInPlace(int from, int to, const std::string& path)
{
    return rewind(from) && ::ftruncate(to, 0) == 0 && rewind(to) && copyRest(from, to, path) && ::fsync(to) == 0;
}

} // namespace

// The temporary file is complete and on the disk before the file is
// touched, and a whole copy of the old bytes is kept beside the file until
// the new ones are all in. When the copy fails the old bytes go back and the
// temporary file is kept.
bool FileChange::copyInPlace(int data, bool keepForUndo)
{
    const bool append = mode_ == WriteMode::Append;
    Descriptor in(::open(destination_.c_str(), O_RDONLY | O_CLOEXEC));
    std::string old;
    if (in.valid()) {
        old = writeWholeCopy(in.get(), destination_, CopyName::Beside);
        if (old.empty()) {
            error_ = errno;
            return false; // not touched: the file is as it was
        }
    } else if (!append) {
        error_ = errno;
        return false; // its old bytes cannot be kept
    }
    in.close();
    if (!oldBytesStillCurrent()) {
        error_ = 0;
        if (!old.empty())
            removeFile(old);
        errno = 0;
        return false;
    }

    Descriptor out(::open(destination_.c_str(), O_WRONLY | O_CLOEXEC | (append ? O_APPEND : 0)));
    struct stat before {};
    if (!out.valid() || ::fstat(out.get(), &before) != 0) {
        error_ = errno;
        if (!old.empty())
            removeFile(old);
        return false;
    }
    sizeBefore_ = static_cast<std::uint64_t>(before.st_size);
    // An Append adds the new bytes alone, whatever the temporary file holds first.
    const off_t from = append && withOldBytes_ ? static_cast<off_t>(oldSize_) : 0;
    bool done = ::lseek(data, from, SEEK_SET) == from;
    if (done && !append)
        done = ::ftruncate(out.get(), 0) == 0;
    if (done)
        done = copyRest(data, out.get(), destination_) && ::fsync(out.get()) == 0;
    if (done) {
        fileStep(FileStep::WrittenInPlace, destination_);
        if (keepForUndo) {
            held_ = old;
        } else if (!old.empty()) {
            removeFile(old);
            fileStep(FileStep::BackupRemoved, old);
        }
        return true;
    }
    error_ = errno;

    // Back to the old bytes: an Append cuts off what it added, an Overwrite
    // copies them back from the kept copy.
    bool restored = false;
    if (append) {
        restored = ::ftruncate(out.get(), before.st_size) == 0 && ::fsync(out.get()) == 0;
    } else {
        Descriptor copy(::open(old.c_str(), O_RDONLY | O_CLOEXEC));
        restored = copy.valid() && copyBackInPlace(copy.get(), out.get(), destination_);
    }
    if (restored) {
        fileStep(FileStep::PutBack, destination_);
        if (!old.empty())
            removeFile(old);
    } else {
        keptOld_ = old;
    }
    kept_ = temp_;
    temp_.clear(); // kept, not removed
    return false;
}

bool FileChange::undo()
{
    if (!placed_)
        return true;
    placed_ = false;
    bool undone = false;
    if (inPlace_) {
        Descriptor out(::open(destination_.c_str(), O_WRONLY | O_CLOEXEC));
        if (mode_ == WriteMode::Append) {
            undone = out.valid() && ::ftruncate(out.get(), static_cast<off_t>(sizeBefore_)) == 0 &&
                     ::fsync(out.get()) == 0;
        } else {
            Descriptor copy(::open(held_.c_str(), O_RDONLY | O_CLOEXEC));
            undone = out.valid() && copy.valid() && copyBackInPlace(copy.get(), out.get(), destination_);
        }
        if (undone) {
            if (!held_.empty())
                removeFile(held_);
            held_.clear();
            discard();
        } else {
            // The file holds a mix: beside it lie a whole copy of its old
            // bytes and the whole new file.
            keptOld_ = held_;
            kept_ = temp_;
            held_.clear();
            temp_.clear();
        }
    } else if (!held_.empty()) {
        undone = replaceFile(held_, destination_);
        if (undone)
            held_.clear();
        else
            keptOld_ = held_;
    } else {
        undone = removeFile(destination_) || errno == ENOENT;
    }
    if (undone)
        fileStep(FileStep::PutBack, destination_);
    return undone;
}

void FileChange::finish()
{
    if (!held_.empty()) {
        removeFile(held_);
        fileStep(FileStep::BackupRemoved, held_);
        held_.clear();
    }
    discard();
}

void FileChange::discard()
{
    if (!temp_.empty())
        removeFile(temp_);
    temp_.clear();
}

SafeOutput::~SafeOutput()
{
    writer_.close();
}

bool SafeOutput::open(const std::string& path, Mode mode)
{
    writer_.close();
    const int fd = change_.begin(path, mode);
    if (fd < 0)
        return false;
    Descriptor temp(fd);
    if (!temp.close()) {
        change_.writeFailed(errno);
        return false;
    }
    if (!writer_.open(change_.temporary(), platform::CrlfWriter::Mode::Append)) {
        change_.writeFailed(writer_.error());
        return false;
    }
    return true;
}

bool SafeOutput::commit()
{
    if (change_.temporary().empty())
        return false;
    if (!writer_.close()) {
        change_.writeFailed(writer_.error());
        return false;
    }
    fileStep(FileStep::TempWritten, change_.temporary());
    if (!change_.prepare() || !change_.place(false))
        return false;
    change_.finish();
    return true;
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
