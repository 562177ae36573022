#pragma once
// The fuzz targets' scratch directory: a new directory in "scratch" beside
// the target's binary (under the build directory, never in /tmp), made at
// the first call and removed when the target exits (with "scratch" when it
// is empty then). A target that crashes leaves it behind; ./run fuzz
// removes what is left.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace fuzzsupport {

inline std::string& madeScratch()
{
    static std::string path;
    return path;
}

inline void removeScratch()
{
    std::error_code ignored;
    if (madeScratch().empty())
        return;
    std::filesystem::remove_all(madeScratch(), ignored);
    // And "scratch" itself once no other target's directory is in it.
    std::filesystem::remove(std::filesystem::path(madeScratch()).parent_path(), ignored);
}

// The directory, named after `prefix` ("dsfuzz" gives ".../scratch/dsfuzzXXXXXX").
inline const std::string& scratchDir(const char* prefix)
{
    static const bool made = [prefix] {
        namespace fs = std::filesystem;
        std::error_code error;
        fs::path base = fs::read_symlink("/proc/self/exe", error).parent_path();
        if (error)
            base = fs::current_path();
        base /= "scratch";
        fs::create_directories(base, error);
        std::string pattern = (base / (std::string(prefix) + "XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            std::abort();
        madeScratch() = pattern;
        std::atexit(removeScratch);
        return true;
    }();
    (void)made;
    return madeScratch();
}

} // namespace fuzzsupport
