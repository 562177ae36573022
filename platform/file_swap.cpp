#include "platform/file_swap.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/descriptor.h"
#include "platform/file_steps.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace platform {

bool isWritableFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if ((st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0)
        return false;
    // What the access test cannot see (an immutable flag on some file
    // systems, a mount read-only for this process) the open shows; opening a
    // regular file for writing changes nothing.
    Descriptor probe(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    return probe.valid();
}

std::string changedWhileCopiedText(const std::string& path)
{
    return path + " changed while it was copied: nothing was changed.";
}

bool copyWholeFile(int from, int to, const std::string& written, FileIdentity* copied)
{
    const FileIdentity before = FileIdentity::ofDescriptor(from);
    const off_t start = ::lseek(to, 0, SEEK_CUR);
    if (!before.known || start < 0 || ::lseek(from, 0, SEEK_SET) != 0 || !copyRest(from, to, written))
        return false;
    const off_t end = ::lseek(to, 0, SEEK_CUR);
    if (end < 0)
        return false;
    // Another program may cut the file short, add to it or rewrite it while
    // it is copied: the copy would then hold neither its old bytes nor its new.
    if (static_cast<std::uint64_t>(end - start) != before.size || FileIdentity::ofDescriptor(from) != before) {
        errno = kSourceChanged;
        return false;
    }
    if (copied)
        *copied = before;
    return true;
}

std::string writeWholeCopy(int from, const std::string& name, CopyName naming)
{
    const std::string directory = directoryPart(name);
    struct stat st {};
    if (::fstat(from, &st) != 0)
        return {};
    std::string temp;
    Descriptor copy(createTempFile(directory, tempPrefixFor(name, "tmp"), 0600, temp));
    if (!copy.valid())
        return {};
    fileStep(FileStep::TempMade, temp);
    const auto failed = [&] {
        const int error = errno;
        removeFile(temp);
        errno = error;
        return std::string();
    };
    if (!copyWholeFile(from, copy.get(), temp))
        return failed();
    giveIdentity(copy.get(), st.st_mode & 07777, st.st_uid, st.st_gid);
    if (::fsync(copy.get()) != 0)
        return failed();
    fileStep(FileStep::TempOnDisk, temp);
    if (!copy.close())
        return failed();
    std::string named;
    if (naming == CopyName::Beside) {
        named = nameUniquely(temp, directory, tempPrefixFor(name, "old"), false);
        if (named.empty())
            return failed();
    } else {
        if (!replaceFile(temp, name))
            return failed();
        named = name;
    }
    syncDirectory(directory);
    fileStep(FileStep::CopyNamed, named);
    return named;
}

std::string holdWholeFile(const std::string& file, const std::string& directory, Hold hold)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return {};
    // A file of one name is held by a second name; one with several names
    // may be written in place through them, so it is copied.
    if (hold == Hold::LinkWhenAlone && st.st_nlink == 1) {
        const std::string held = nameUniquely(file, directory, tempPrefixFor(file, "old"), true);
        if (!held.empty()) {
            fileStep(FileStep::BackupHeld, held);
            return held;
        }
    }
    Descriptor in(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        return {};
    return writeWholeCopy(in.get(), joinPath(directory, fileNamePart(file)), CopyName::Beside);
}

} // namespace platform
