#include "platform/file_identity.h"

#include <sys/stat.h>

namespace platform {

namespace {

FileIdentity identityOf(const struct stat& st)
{
    FileIdentity identity;
    identity.known = true;
    identity.device = static_cast<std::uint64_t>(st.st_dev);
    identity.inode = static_cast<std::uint64_t>(st.st_ino);
    identity.size = static_cast<std::uint64_t>(st.st_size);
    identity.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return identity;
}

} // namespace

FileIdentity FileIdentity::of(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? identityOf(st) : FileIdentity{};
}

FileIdentity FileIdentity::ofDescriptor(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? identityOf(st) : FileIdentity{};
}

bool FileIdentity::matches(const std::string& path) const
{
    return known && of(path) == *this;
}

std::string fileChangedText(const std::string& path)
{
    return path + " has changed since it was loaded.\r\nLoad the file again.";
}

bool checkUnchanged(const std::string& path, const FileIdentity& loaded, NoticeSink& sink,
                    std::string_view caption)
{
    const FileIdentity now = FileIdentity::of(path);
    if (!now.known || (loaded.known && now == loaded))
        return true;
    sink.notice(caption, fileChangedText(path));
    return false;
}

} // namespace platform
