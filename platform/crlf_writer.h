#pragma once
// Buffered writer of text files with CR LF line ends, as every file the
// programs write has. Errors are kept, not thrown: ok() tells after close().
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class CrlfWriter {
public:
    enum class Mode { Truncate, Append };

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

private:
    void flush();

    int fd_ = -1;
    bool ok_ = false;
    std::vector<char> buffer_;
};

} // namespace platform
