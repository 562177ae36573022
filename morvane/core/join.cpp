#include "morvane/core/join.h"

#include <cstring>

#include "datasheet/datasheet_format.h"
#include "datasheet/line_parsers.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/profile.h"
#include "datasheet/station_loader.h"
#include "datasheet/type_filter.h"
#include "platform/files.h"
#include "platform/safe_output.h"

namespace morvane {

namespace {

const char* const kCaption = "NOTICE";

// Whether the line's characters 1-6 are not the PID, compared as the
// six-character fields they are (a shorter line differs).
bool otherPid(std::string_view line, std::string_view pid)
{
    return line.empty() || line.substr(1, 6) != pid;
}

// A line read whole (its LF, if any, last) cut at its first CR or LF. One
// memchr: libstdc++'s find_first_of tests the set once per character.
std::string_view lineText(std::string_view whole)
{
    std::size_t cut = whole.size();
    if (cut > 0 && whole.back() == '\n')
        --cut;
    if (const void* cr = std::memchr(whole.data(), '\r', cut))
        cut = static_cast<std::size_t>(static_cast<const char*>(cr) - whole.data());
    return whole.substr(0, cut);
}

int percentOf(std::uint64_t done, std::uint64_t total)
{
    return total == 0 ? 0 : static_cast<int>(100 * done / total);
}

void copyDatasheets(platform::LineReader& input, platform::CrlfWriter& out, std::string_view typeCode,
                    platform::ProgressSink& progress)
{
    const std::uint64_t size = input.size();
    input.seek(0);
    std::uint64_t headerOffset = 0;
    std::uint64_t headers = 0;
    std::string pid;
    std::string designation;
    std::string_view piece;
    while (input.next(piece)) {
        const std::string_view line = lineText(piece);
        const bool header = ds::isHeaderLine(line);
        if (!header && !ds::isBodyLine(line))
            continue;
        if (header) {
            headerOffset = input.pieceOffset();
            ++headers;
        }
        if (headers <= 1 || headers % 20 == 0)
            progress.set(percentOf(headerOffset, size));
        if (!ds::hasAt(line, 7, ds::kDesignationLabel))
            continue;
        ds::ParseDesignation(line, pid, designation);
        if (ds::StationMatchesType(typeCode, pid, input, headerOffset, ds::kMorvane))
            headerOffset = CopyDatasheet(input, out, pid, headerOffset);
        else
            headerOffset = SkipDatasheet(input, pid);
    }
}

} // namespace

std::uint64_t CopyDatasheet(platform::LineReader& input, platform::CrlfWriter& out, std::string_view pid,
                            std::uint64_t headerOffset)
{
    std::string_view piece;
    if (!input.seek(headerOffset) || !input.next(piece))
        return input.position();
    // The header line loses only its line end: a CR inside it stays.
    out.writeLine(platform::chompLineEnd(piece));
    // The first line after the header is written whatever it carries.
    if (!input.next(piece))
        return input.position();
    out.writeLine(lineText(piece));

    // The rest goes in runs of lines up to the next header line. A line that
    // already stands as it is written (one CR, before its LF) is copied with
    // its neighbours in one write; any other is cut at its first CR or LF.
    std::string_view run;
    for (;;) {
        if (!input.nextRun(run, ds::kHeaderStart)) {
            // The next header (or the end): it carries no PID.
            if (!input.next(piece))
                return input.position();
            return input.pieceOffset();
        }
        const std::uint64_t runOffset = input.pieceOffset();
        std::size_t batch = 0; // start of the lines not yet written
        std::size_t start = 0;
        while (start < run.size()) {
            const std::size_t lf = run.find('\n', start);
            const std::size_t end = lf == std::string_view::npos ? run.size() : lf + 1;
            const std::string_view whole = run.substr(start, end - start);
            const std::string_view line = lineText(whole);
            if (otherPid(line, pid)) {
                out.write(run.substr(batch, start - batch));
                input.seek(runOffset + end);
                return runOffset + start;
            }
            const bool asWritten = lf != std::string_view::npos && line.size() + 2 == whole.size() &&
                                   whole[line.size()] == '\r';
            if (!asWritten) {
                out.write(run.substr(batch, start - batch));
                out.writeLine(line);
                batch = end;
            }
            start = end;
        }
        out.write(run.substr(batch));
    }
}

std::uint64_t SkipDatasheet(platform::LineReader& input, std::string_view pid)
{
    std::string_view piece;
    for (;;) {
        std::string_view run;
        while (input.nextRun(run, ds::kHeaderStart)) {
        }
        if (!input.next(piece))
            return input.position();
        if (otherPid(lineText(piece), pid))
            return input.pieceOffset();
    }
}

void WriteFileSummary(platform::LineReader& input, platform::CrlfWriter& out, int format,
                      std::string_view typeCode, platform::ProgressSink& progress)
{
    ds::StationFields fields;
    std::string verticalClass;
    std::string ellipsoidClass;
    const std::uint64_t size = input.size();
    input.seek(0);
    std::uint64_t offset = 0;
    std::uint64_t headers = 0;

    const auto finish = [&] {
        if (!ds::StationMatchesType(typeCode, fields.pid, input, offset, ds::kMorvane))
            return;
        const std::string line = ds::MakeListLine("", fields.pid, fields.horizontal, fields.vertical,
                                                  fields.latitude, fields.longitude, fields.designation);
        out.writeLine(format == ds::kPinmapFormat ? std::string_view(line).substr(6) : std::string_view(line));
    };

    std::string_view piece;
    while (input.next(piece)) {
        const std::string_view line = lineText(piece);
        if (ds::isHeaderLine(line)) {
            // The filter reads the station from just inside its header line.
            // (Taken first: the filter's reads reuse the reader's buffer.)
            const bool ended = !piece.empty() && piece.back() == '\n';
            const std::uint64_t next = input.pieceOffset() + (ended ? 1 : 0);
            progress.set(percentOf(offset, size));
            if (++headers > 1) {
                finish();
                fields.clear();
            }
            offset = headers == 1 ? 0 : next;
            continue;
        }
        if (!ds::isBodyLine(line))
            continue;
        if (ds::hasAt(line, 7, ds::kDesignationLabel)) {
            ds::ParseDesignation(line, fields.pid, fields.designation);
        } else if (ds::isPositionLine(line)) {
            ds::ParsePosition(line, fields.latitude, fields.longitude);
        } else if (ds::hasAt(line, 7, ds::kHorzOrderLabel)) {
            ds::ParseOrder(line, fields.horizontal, fields.ellipsoid, fields.vertical, ds::kMorvane);
        } else if (ds::hasAt(line, 7, ds::kVertOrderLabel)) {
            ds::ParseOrder(line, fields.horizontal, fields.ellipsoid, fields.vertical, ds::kMorvane);
            ds::ParseClass(line, verticalClass, ellipsoidClass);
        }
    }
    // A file without a header line has no datasheet to finish.
    if (headers > 0)
        finish();
}

void CopyFileFiltered(platform::LineReader& input, platform::CrlfWriter& out, const JoinSettings& settings,
                      platform::ProgressSink& progress)
{
    switch (settings.format) {
    case ds::kListFormat:
    case ds::kPinmapFormat:
        WriteFileSummary(input, out, settings.format, settings.typeCode, progress);
        return;
    case ds::kItemPickFormat:
        if (settings.itemPick.writeFileItems)
            settings.itemPick.writeFileItems(input, out, progress);
        return;
    default:
        copyDatasheets(input, out, settings.typeCode, progress);
        return;
    }
}

std::string entryPath(std::string_view entry)
{
    return std::string(entry.substr(0, entry.find_first_of(" |")));
}

bool JoinFiles(const JoinRequest& request, platform::NoticeSink& notices, platform::ProgressSink& progress,
               std::string* identityNote)
{
    if (identityNote)
        identityNote->clear();
    for (const auto& input : request.inputs) {
        if (platform::isSameFile(request.output, input)) {
            notices.notice(kCaption, "Not saved: " + request.output + "\r\nis one of the files to join.");
            return false;
        }
    }
    platform::SafeOutput output;
    if (!output.open(request.output,
                     request.append ? platform::SafeOutput::Mode::Append : platform::SafeOutput::Mode::Overwrite)) {
        notices.notice(kCaption, "Could not open file " + request.output + " for Write" + output.keptNote());
        return false;
    }
    platform::CrlfWriter& out = output.writer();
    if (request.settings.format == ds::kItemPickFormat && request.settings.itemPick.writeItemHeader)
        request.settings.itemPick.writeItemHeader(out);

    const std::size_t count = request.inputs.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& path = request.inputs[i];
        platform::LineReader input(0);
        // A directory opens on this system, but holds no lines to join.
        const bool opened = !platform::isDirectory(path) && input.open(path);
        if (!opened)
            notices.notice(kCaption, "Cannot Open file " + path + " for read.");
        if (request.fileStarted)
            request.fileStarted(i + 1, count);
        if (!opened) {
            notices.notice(kCaption, "Could not open file " + path);
            continue;
        }
        CopyFileFiltered(input, out, request.settings, progress);
        if (input.failed()) {
            notices.notice(kCaption, "Could not read file " + path + " to its end.\r\n" + request.output +
                                         " is as it was.");
            return false;
        }
    }
    if (!output.commit()) {
        // After an in-place copy that stopped, the file is as it was but the
        // complete new data is kept beside it; the note names what is kept
        // and why the write failed.
        notices.notice(kCaption, "Could not write file " + request.output +
                                     (output.keptOldCopy().empty() ? "\r\nIt is as it was." : "") +
                                     output.keptNote());
        return false;
    }
    if (identityNote)
        *identityNote = output.identityNote();
    return true;
}

} // namespace morvane
