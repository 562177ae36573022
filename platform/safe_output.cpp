#include "platform/safe_output.h"

#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// The file a save changes: the target of a link, else the path itself.
std::string fileToChange(const std::string& path)
{
    std::error_code error;
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::weakly_canonical(path, error);
        if (!error)
            return target.string();
    }
    return path;
}

// The renamed file takes the old file's permissions, or those the writer
// gives a new file (read for all, write for the owner).
void copyPermissions(const std::string& temp, const std::string& destination)
{
    std::error_code error;
    fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
    const fs::file_status status = fs::status(destination, error);
    if (!error && fs::exists(status))
        perms = status.permissions();
    fs::permissions(temp, perms, fs::perm_options::replace, error);
}

} // namespace

SafeOutput::~SafeOutput()
{
    discard();
}

bool SafeOutput::open(const std::string& path, Mode mode)
{
    discard();
    destination_ = fileToChange(path);
    mode_ = mode;
    temp_ = makeTempFile(directoryPart(destination_));
    if (temp_.empty())
        return false;
    if (!writer_.open(temp_, platform::CrlfWriter::Mode::Created)) {
        discard();
        return false;
    }
    return true;
}

bool SafeOutput::commit()
{
    if (temp_.empty())
        return false;
    if (!writer_.close()) {
        discard();
        return false;
    }
    bool done;
    if (mode_ == Mode::Append && platform::fileExists(destination_)) {
        done = appendTemp();
    } else {
        copyPermissions(temp_, destination_);
        done = platform::replaceFile(temp_, destination_);
        if (done)
            temp_.clear();
    }
    discard();
    return done;
}

bool SafeOutput::appendTemp()
{
    std::error_code error;
    const std::uintmax_t oldSize = fs::file_size(destination_, error);
    if (error)
        return false;
    std::ifstream data(temp_, std::ios::binary);
    platform::CrlfWriter out;
    if (!data || !out.open(destination_, platform::CrlfWriter::Mode::Append))
        return false;
    std::string block(1 << 20, '\0');
    while (data) {
        data.read(block.data(), static_cast<std::streamsize>(block.size()));
        out.write(std::string_view(block.data(), static_cast<std::size_t>(data.gcount())));
    }
    const bool done = !data.bad() && out.close();
    if (!done)
        fs::resize_file(destination_, oldSize, error);
    return done;
}

void SafeOutput::discard()
{
    writer_.close();
    if (!temp_.empty())
        platform::removeFile(temp_);
    temp_.clear();
}

bool saveLines(const std::string& path, const std::vector<std::string>& lines, SafeOutput::Mode mode)
{
    SafeOutput output;
    if (!output.open(path, mode))
        return false;
    for (const auto& line : lines)
        output.writer().writeLine(line);
    return output.commit();
}

bool isSameFile(const std::string& first, const std::string& second)
{
    std::error_code error;
    const bool same = fs::equivalent(first, second, error);
    return !error && same;
}

} // namespace platform
