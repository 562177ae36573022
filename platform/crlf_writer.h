#pragma once
// Buffered writer of text files with CR LF line ends, as every file the
// programs write has. Errors are kept, not thrown: ok() tells after close().
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class CrlfWriter {
public:
    // Truncate: a new or emptied file. Append: written after the file's bytes.
    // Created: a file the caller has just made empty (mkstemp), written from
    // its start as it is; opening it with O_TRUNC would make ext4 write the
    // whole file out when it is closed. It must exist.
    enum class Mode { Truncate, Append, Created };

    CrlfWriter() = default;
    ~CrlfWriter();
    CrlfWriter(const CrlfWriter&) = delete;
    CrlfWriter& operator=(const CrlfWriter&) = delete;

    bool open(const std::string& path, Mode mode = Mode::Truncate);
    bool isOpen() const { return fd_ >= 0; }
    // Writes the text followed by CR LF.
    void writeLine(std::string_view text);
    // Writes bytes as they are.
    void write(std::string_view bytes);
    // Flushes and closes; returns true when every byte reached the file.
    bool close();
    bool ok() const { return ok_; }
    // The errno of the first write or close that failed; 0 when none did.
    int error() const { return error_; }

private:
    void flush();
    void writeOut(const char* bytes, std::size_t size);

    int fd_ = -1;
    bool ok_ = false;
    int error_ = 0;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0; // bytes buffer_ holds
    std::size_t used_ = 0;     // bytes of buffer_ not yet written
};

} // namespace platform
