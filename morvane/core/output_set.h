#pragma once
// The outputs of one split: files of one directory that change only once
// the split is complete. Each output is written to a temporary file in the
// directory; commit() then adds it to the end of a kept file of its name
// (Add) or gives it the name (Replace). When any step fails, the outputs
// already changed are put back and none has changed.
//
// A split may have a thousand outputs: lines are gathered in memory and
// written out in blocks, each by a short open, so that no more than one
// file is open at a time.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morvane {

// The line without its trailing control characters (CR, LF, ...); blanks
// and 8-bit characters stay.
std::string_view trimmedLine(std::string_view line);

class OutputSet {
public:
    enum class Mode { Add, Replace };

    explicit OutputSet(std::string directory, Mode mode);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // The output of the name (a file name in the directory), made at its
    // first use; -1 when its temporary file cannot be made.
    int output(const std::string& name);
    // Writes the line trimmed of its trailing control characters, and CR LF.
    void WriteTrimmedLine(int output, std::string_view line);
    // Writes each line of a run of whole lines (the last may lack its line
    // end) as WriteTrimmedLine does; lines that already stand so are copied
    // together.
    void WriteTrimmedLines(int output, std::string_view run);
    // False once a write failed.
    bool ok() const { return ok_; }

    // Puts every output in place; false (and nothing changed) on failure.
    bool commit();

    const std::string& directory() const { return directory_; }
    // The destination path of an output's name.
    std::string pathOf(const std::string& name) const;

private:
    struct Output {
        std::string name;
        std::string temp;
        std::string pending;
    };
    void flush(Output& output);
    void added(Output& output, std::size_t bytes);
    void discard();

    std::string directory_;
    Mode mode_;
    std::vector<Output> outputs_;
    std::unordered_map<std::string, int> byName_;
    std::size_t pendingBytes_ = 0;
    bool ok_ = true;
};

} // namespace morvane
