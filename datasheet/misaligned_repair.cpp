#include "datasheet/misaligned_repair.h"

#include <sys/stat.h>

#include "datasheet/datasheet_format.h"
#include "platform/crlf_writer.h"
#include "platform/files.h"
#include "platform/line_reader.h"

namespace ds {

namespace {

bool startsWithPid(std::string_view line)
{
    if (line.size() < 6)
        return false;
    return isUpper(line[0]) && isUpper(line[1]) && isDigit(line[2]) && isDigit(line[3]) && isDigit(line[4]) &&
           isDigit(line[5]);
}

} // namespace

ProbeResult probeMisaligned(const std::string& path)
{
    platform::LineReader reader(kKavro.readLength());
    if (!reader.open(path))
        return ProbeResult::CannotOpen;
    std::string_view piece;
    for (int reads = 0; reads < 500 && reader.next(piece); ++reads)
        if (startsWithPid(piece))
            return ProbeResult::Misaligned;
    return ProbeResult::Aligned;
}

RepairResult repairMisaligned(const std::string& path, platform::ProgressSink& progress)
{
    platform::LineReader reader; // whole lines: a long line is never split
    if (!reader.open(path))
        return RepairResult::CannotReadData;
    struct stat original {};
    bool haveMode = ::stat(path.c_str(), &original) == 0;

    std::string directory = platform::directoryPart(path);
    std::string temp = platform::makeTempFile(directory.empty() ? "." : directory, "tmp");
    if (temp.empty())
        return RepairResult::CannotWriteTemp;
    platform::CrlfWriter writer;
    if (!writer.open(temp)) {
        platform::removeFile(temp);
        return RepairResult::CannotWriteTemp;
    }

    const std::uint64_t size = reader.size();
    platform::ProgressCounter counter(progress);
    std::string_view line;
    while (reader.next(line)) {
        if (isHeaderLine(line))
            counter.unit(reader.pieceOffset(), size);
        std::string_view text = platform::chompLineEnd(line);
        if (!isHeaderLine(text) && (text.empty() || text[0] != ' '))
            writer.write(" ");
        writer.writeLine(text);
    }
    bool readFailed = reader.failed();
    reader.close();
    if (!writer.close() || readFailed) {
        platform::removeFile(temp);
        return readFailed ? RepairResult::CannotReadData : RepairResult::CannotWriteTemp;
    }
    if (haveMode)
        ::chmod(temp.c_str(), original.st_mode & 07777);
    if (!platform::replaceFile(temp, path)) {
        platform::removeFile(temp);
        return RepairResult::CannotWriteData;
    }
    counter.report(size, size);
    return RepairResult::Fixed;
}

} // namespace ds
