#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <strings.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::string fileNamePart(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string directoryPart(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == 0)
        return "/";
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string joinPath(const std::string& directory, const std::string& name)
{
    if (directory.empty())
        return name;
    if (directory.back() == '/')
        return directory + name;
    return directory + "/" + name;
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isRegularFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool listDirectory(const std::string& path, std::vector<std::string>& names)
{
    DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
    if (!dir)
        return false;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(std::move(name));
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return true;
}

std::string findEntry(const std::string& directory, const std::string& name)
{
    std::string exact = joinPath(directory, name);
    if (fileExists(exact))
        return exact;
    std::vector<std::string> names;
    if (!listDirectory(directory, names))
        return {};
    for (const auto& entry : names)
        if (::strcasecmp(entry.c_str(), name.c_str()) == 0)
            return joinPath(directory, entry);
    return {};
}

std::string resolvePath(const std::string& root, const std::vector<std::string>& components)
{
    std::string path = root;
    for (const auto& component : components) {
        path = findEntry(path, component);
        if (path.empty())
            return {};
    }
    return path;
}

std::string locatePath(const std::string& root, const std::vector<std::string>& components)
{
    std::string found = resolvePath(root, components);
    if (!found.empty())
        return found;
    std::string path = root;
    for (const auto& component : components)
        path = joinPath(path, component);
    return path;
}

std::string tempPrefixFor(const std::string& path, const std::string& kind)
{
    // A directory entry holds at most 255 bytes; six random letters follow.
    constexpr std::size_t kLongestPrefix = 255 - 6;
    const std::string suffix = "." + kind;
    std::string name = fileNamePart(path);
    if (name.size() + suffix.size() > kLongestPrefix) {
        std::size_t keep = kLongestPrefix > suffix.size() ? kLongestPrefix - suffix.size() : 0;
        // Cut before a character, not inside one: UTF-8 continuation bytes
        // are 10xxxxxx.
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        name.resize(keep);
    }
    return name + suffix;
}

std::string makeTempFile(const std::string& directory, const std::string& prefix)
{
    std::string pattern = joinPath(directory.empty() ? "." : directory, prefix + "XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0)
        return {};
    ::close(fd);
    return std::string(name.data());
}

namespace {

// `base` followed by six random letters.
std::string withRandomLetters(const std::string& base)
{
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<std::uint64_t>(::getpid())};
    std::string name = base;
    for (int i = 0; i < 6; ++i)
        name += kLetters[random() % (sizeof kLetters - 1)];
    return name;
}

} // namespace

int createTempFile(const std::string& directory, const std::string& prefix, unsigned permissions, std::string& path)
{
    const std::string base = joinPath(directory.empty() ? "." : directory, prefix);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = withRandomLetters(base);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                              static_cast<mode_t>(permissions));
        if (fd >= 0) {
            path = std::move(name);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

std::string makeTempFile(const std::string& directory, const std::string& prefix, unsigned permissions)
{
    std::string path;
    const int fd = createTempFile(directory, prefix, permissions, path);
    if (fd < 0)
        return {};
    ::close(fd);
    return path;
}

std::size_t openFileLimit()
{
    static const std::size_t limit = [] {
        struct rlimit files {};
        if (::getrlimit(RLIMIT_NOFILE, &files) != 0)
            return std::size_t{256};
        if (files.rlim_cur < files.rlim_max) {
            const rlim_t before = files.rlim_cur;
            files.rlim_cur = files.rlim_max;
            if (::setrlimit(RLIMIT_NOFILE, &files) != 0)
                files.rlim_cur = before;
        }
        return files.rlim_cur == RLIM_INFINITY ? std::size_t{1} << 20 : static_cast<std::size_t>(files.rlim_cur);
    }();
    return limit;
}

bool replaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

namespace {

// A file system without hard links (vfat, some network mounts) answers a
// link so.
bool noHardLinks(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
}

} // namespace

std::string nameUniquely(const std::string& from, const std::string& directory, const std::string& prefix,
                         bool keepFrom)
{
    const std::string base = joinPath(directory.empty() ? "." : directory, prefix);
    // A move tries a rename that never replaces a file, then a link and an
    // unlink, and on a file system that has neither a rename to a name that
    // no file has when it is asked (another program would have to make a
    // file of that random name in the moment between).
    enum class Move { NoReplace, Link, Rename } move = Move::NoReplace;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = withRandomLetters(base);
        int done = -1;
        if (keepFrom) {
            done = ::link(from.c_str(), name.c_str());
        } else if (move == Move::NoReplace) {
            done = ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE);
            if (done != 0 && (errno == EINVAL || errno == ENOSYS)) {
                move = Move::Link;
                --attempt;
                continue;
            }
        } else if (move == Move::Link) {
            done = ::link(from.c_str(), name.c_str());
            if (done == 0) {
                ::unlink(from.c_str());
            } else if (noHardLinks(errno)) {
                move = Move::Rename;
                --attempt;
                continue;
            }
        } else {
            struct stat st {};
            if (::lstat(name.c_str(), &st) == 0)
                errno = EEXIST;
            else if (errno == ENOENT)
                done = std::rename(from.c_str(), name.c_str());
        }
        if (done == 0)
            return name;
        if (errno != EEXIST)
            return {};
    }
    errno = EEXIST;
    return {};
}

void syncDirectory(const std::string& directory)
{
    const int dir = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

bool removeFile(const std::string& path)
{
    return std::remove(path.c_str()) == 0;
}

std::string currentDirectory()
{
    std::vector<char> buffer(4096);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (buffer.size() > (1u << 20))
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data());
}

namespace {

// /proc/mounts writes blanks, tabs and backslashes in names as octal escapes.
std::string unescapeMountPoint(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string digits = text.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

std::vector<std::string> listDrives()
{
    std::vector<std::string> drives{"/"};
    std::ifstream mounts("/proc/mounts");
    std::string line;
    std::vector<std::string> media;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        fields >> device >> mountPoint;
        mountPoint = unescapeMountPoint(mountPoint);
        for (const char* base : {"/media/", "/run/media/", "/mnt/"})
            if (mountPoint.rfind(base, 0) == 0)
                media.push_back(mountPoint);
    }
    std::sort(media.begin(), media.end());
    media.erase(std::unique(media.begin(), media.end()), media.end());
    drives.insert(drives.end(), media.begin(), media.end());
    std::string cwd = currentDirectory();
    if (std::find(drives.begin(), drives.end(), cwd) == drives.end())
        drives.push_back(cwd);
    return drives;
}

} // namespace platform
