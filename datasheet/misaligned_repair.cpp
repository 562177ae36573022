#include "datasheet/misaligned_repair.h"

#include "datasheet/datasheet_format.h"
#include "platform/crlf_writer.h"
#include "platform/line_reader.h"
#include "platform/safe_output.h"

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
    bool lineStart = true;
    for (int reads = 0; reads < 500 && reader.next(piece); ++reads) {
        if (lineStart && startsWithPid(piece))
            return ProbeResult::Misaligned;
        lineStart = !piece.empty() && piece.back() == '\n';
    }
    return ProbeResult::Aligned;
}

RepairResult repairMisaligned(const std::string& path, platform::ProgressSink& progress, std::string* keptNote)
{
    platform::LineReader reader; // whole lines: a long line is never split
    if (!reader.open(path))
        return RepairResult::CannotReadData;
    platform::SafeOutput output;
    if (!output.open(path, platform::SafeOutput::Mode::Overwrite))
        return output.failure() == platform::SafeOutput::Failure::CannotMakeTemp ? RepairResult::CannotWriteTemp
                                                                                 : RepairResult::CannotWriteData;

    platform::CrlfWriter& writer = output.writer();
    const std::uint64_t size = reader.size();
    platform::ProgressCounter counter(progress);
    bool changed = false;
    std::string_view line;
    while (reader.next(line)) {
        if (isHeaderLine(line))
            counter.unit(reader.pieceOffset(), size);
        std::string_view text = platform::chompLineEnd(line);
        if (!isHeaderLine(text) && (text.empty() || text[0] != ' ')) {
            writer.write(" ");
            changed = true;
        }
        if (line.size() != text.size() + 2 || line[text.size()] != '\r')
            changed = true; // the line end becomes CR LF
        writer.writeLine(text);
    }
    if (reader.failed())
        return RepairResult::CannotReadData; // the copy is dropped with `output`
    reader.close();
    if (!changed)
        return RepairResult::Unchanged; // the copy is dropped with `output`
    if (!output.commit()) {
        if (keptNote)
            *keptNote = output.keptNote();
        return output.failure() == platform::SafeOutput::Failure::CannotWriteTemp ? RepairResult::CannotWriteTemp
                                                                                  : RepairResult::CannotWriteData;
    }
    counter.report(size, size);
    return RepairResult::Fixed;
}

} // namespace ds
