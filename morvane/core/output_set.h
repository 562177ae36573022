#pragma once
// The outputs of one split: files of one directory that change only once
// the split is complete. Each output is written to a temporary file in the
// directory; commit() then adds it to the end of a kept file of its name
// (Add) or gives it the name (Replace). When any step fails, the outputs
// already changed are put back and none has changed.
//
// A split may have a thousand outputs: each keeps its temporary file open
// while the open-file limit allows (the oldest opened is closed to make
// room, and opened again when it gets more lines), and its lines are
// gathered in memory and written out in blocks.
//
// Temporary files and the kept copies of old data are named after their
// output ("dsdata.001.tmpXXXXXX", "dsdata.001.oldXXXXXX"), so that what a
// crash leaves behind tells which piece it belongs to.
//
// An output that replaces a file gives it the replaced file's mode and
// owner; where the process may not, identityNotes() says what the file now
// has. A new file gets 0666 less the umask.
//
// Each output is written, backed up and given its owner as every other file
// is (platform::FileChange): its temporary file begins, for Add onto a kept
// file, with that file's bytes (copied at its first use), so that it holds
// the whole new file. commit() flushes every temporary file that is to
// replace data, puts each in place (the old file keeps a second name, a
// hard link, until every output is in place), flushes each directory once
// and only then removes the second names.
//
// A kill during the commit() leaves each output whole: a replaced file
// keeps its name throughout, so the name holds either the old or the new
// bytes; outputs not yet reached keep their old bytes, and temporary files
// stay behind. A file with several names is written in place instead: until
// every output is in place a whole copy of its old bytes ("<piece>.oldXXXXXX",
// named only once complete) and the whole new file ("<piece>.tmpXXXXXX")
// lie beside it.
#include <algorithm>
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/safe_output.h"

namespace morvane {

// The line without its trailing control characters (CR, LF, ...); blanks
// and 8-bit characters stay.
inline std::string_view trimmedLine(std::string_view line)
{
    while (!line.empty()) {
        const auto c = static_cast<unsigned char>(line.back());
        if (c >= 0x20 && c != 0x7F)
            break;
        line.remove_suffix(1);
    }
    return line;
}

// Memory for the outputs' blocks, in regions that the kernel may give huge
// pages: a split into hundreds of pieces fills tens of megabytes of blocks,
// and on a virtual machine the first use of each small page costs more than
// the bytes copied into it. A block given back is taken again by the next
// output that wants one of its size; the regions go with the object.
class BlockMemory {
public:
    BlockMemory() = default;
    ~BlockMemory() { clear(); }
    BlockMemory(const BlockMemory&) = delete;
    BlockMemory& operator=(const BlockMemory&) = delete;

    // A block of `size` bytes; std::bad_alloc when none can be had.
    char* take(std::size_t size);
    void give(char* block, std::size_t size);
    // Frees every region: no block taken before may be used.
    void clear();

private:
    struct Region {
        char* base;
        std::size_t length;
    };
    std::vector<Region> regions_;
    std::vector<std::pair<std::size_t, std::vector<char*>>> free_; // by size
    char* next_ = nullptr; // the unused rest of the last region
    std::size_t left_ = 0;
};

class OutputSet {
public:
    enum class Mode { Add, Replace };

    // At most `maxOpenFiles` temporary files are open at a time; 0 takes
    // the process's limit less a margin for the rest of the program.
    OutputSet(std::string directory, Mode mode, std::size_t maxOpenFiles = 0);
    ~OutputSet();
    OutputSet(const OutputSet&) = delete;
    OutputSet& operator=(const OutputSet&) = delete;

    // The output of the name (a file name in the directory), made at its
    // first use; -1 when its temporary file cannot be made.
    int output(const std::string& name);
    // Writes the line trimmed of its trailing control characters, and CR LF.
    void WriteTrimmedLine(int output, std::string_view line)
    {
        // A split writes every line so: one that fits in the room its block
        // already has is added here, without a call.
        Output& out = outputs_[static_cast<std::size_t>(output)];
        line = trimmedLine(line);
        const std::size_t size = out.pendingSize + line.size() + 2;
        if (out.block != 0 && size <= out.block && size <= out.memory &&
            pendingBytes_ + line.size() + 2 < kAllBlocks) {
            char* end = std::copy(line.begin(), line.end(), out.pending + out.pendingSize);
            end[0] = '\r';
            end[1] = '\n';
            out.pendingSize = size;
            pendingBytes_ += line.size() + 2;
            return;
        }
        put(out, line);
        put(out, "\r\n");
        checkMemory();
    }
    // Writes each line of a run of whole lines (the last may lack its line
    // end) as WriteTrimmedLine does; lines that already stand so are copied
    // together.
    void WriteTrimmedLines(int output, std::string_view run);
    // The output gets no more lines for now: its block is written and its
    // file closed (a later write opens it again).
    void finish(int output);
    // False once a write failed.
    bool ok() const { return ok_; }

    // Puts every output in place; false (and nothing changed) on failure.
    bool commit();
    // After a failed commit, the files that could not be put back as they
    // were, a line each, followed by the files kept beside them ("\r\nThe new
    // data is kept in <file>.", "\r\nThe old data is kept in <file>.");
    // empty when nothing has changed.
    const std::string& unrestored() const { return unrestored_; }
    // After a failed commit, or an output() that gave -1, for its notice: the
    // reason where there is one ("\r\nThe disk is full.", "\r\n<piece> has
    // changed since it was read: nothing was added."); else empty.
    const std::string& failureNote() const { return failureNote_; }
    // After a commit that worked, for its notice: "\r\n<file> could not keep
    // its owner, group and mode: it now has mode 0644, owner 1000, group
    // 1000." for each replaced file that could not get them back; else empty.
    const std::string& identityNotes() const { return identityNotes_; }

    const std::string& directory() const { return directory_; }
    // The destination path of an output's name.
    std::string pathOf(const std::string& name) const;
    // The name of an output whose destination is that file under another
    // name (a symbolic or hard link; compared by device and inode), or
    // empty when none is.
    std::string outputWriting(const std::string& file) const;

private:
    // All blocks together are written (and their memory freed) once they
    // hold this much.
    static constexpr std::size_t kAllBlocks = 64 * 1024 * 1024;

    struct Output {
        std::string name;
        std::unique_ptr<platform::FileChange> change;
        std::string temp;
        bool refused = false; // the destination may not be written (the commit fails)
        int fd = -1; // the temporary file while it is open
        char* pending = nullptr; // the block's bytes (memory_), pendingSize of them
        std::size_t pendingSize = 0;
        std::size_t memory = 0; // the room at `pending`
        std::size_t block = 0; // the size of its block; 0 while it has none
    };
    // Writes the output's block; `release` also frees its memory.
    void flush(Output& output, bool release);
    bool reopen(Output& output);
    void closeFile(Output& output);
    void makeRoom();
    void put(Output& output, std::string_view bytes);
    void checkMemory();
    void discard();
    void noteFailure(int error);
    int openFailed(int error); // -1, with the reason for the notice

    BlockMemory memory_;
    std::string directory_;
    Mode mode_;
    std::vector<Output> outputs_;
    std::unordered_map<std::string, int> byName_;
    std::deque<int> opened_; // outputs in the order their files were opened
    std::size_t openFiles_ = 0;
    std::size_t maxOpenFiles_;
    std::size_t pendingBytes_ = 0;
    std::size_t buffered_ = 0; // outputs that hold a block
    bool ok_ = true;
    int error_ = 0; // errno of the first write that failed
    std::string unrestored_;
    std::string failureNote_;
    std::string identityNotes_;
};

} // namespace morvane
