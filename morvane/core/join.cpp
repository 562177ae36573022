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

// The stations of the file (ds::StationRule), each copied or skipped at its
// first DESIGNATION line. A station whose header line is damaged opens at
// its first body line and is copied from the line before it, its damaged
// header. Copy and skip return where the next station begins; reading goes
// on there.
void copyDatasheets(platform::LineReader& input, platform::CrlfWriter& out, std::string_view typeCode,
                    platform::ProgressSink& progress)
{
    const std::uint64_t size = input.size();
    input.seek(0);
    std::uint64_t headerOffset = 0;
    std::uint64_t headers = 0;
    std::uint64_t previous = 0; // where the line before began
    ds::StationRule rule;
    std::string pid;
    std::string designation;
    std::string_view piece;
    while (input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        std::uint64_t resume = 0;
        bool moved = false;
        ds::forEachLineIn(piece, [&](std::string_view part, std::size_t at, bool breaksInside) {
            const std::uint64_t offset = pieceOffset + at;
            const std::string_view line = lineText(part);
            const ds::StationRule::Opening opening = rule.next(line, breaksInside);
            if (opening != ds::StationRule::Opening::None) {
                headerOffset = rule.stationStart(opening, offset, previous);
                ++headers;
            }
            previous = offset;
            if (!ds::isHeaderLine(line) && !ds::isBodyLine(line))
                return true;
            if (headers <= 1 || headers % 20 == 0)
                progress.set(percentOf(headerOffset, size));
            if (!ds::hasAt(line, 7, ds::kDesignationLabel))
                return true;
            ds::ParseDesignation(line, pid, designation);
            // The reads below move the reader: the line is not used after them.
            const std::uint64_t after = offset + part.size();
            if (ds::StationMatchesType(typeCode, pid, input, headerOffset, ds::kMorvane)) {
                resume = CopyDatasheet(input, out, pid, headerOffset);
            } else {
                input.seek(after);
                resume = SkipDatasheet(input, pid);
            }
            headerOffset = resume;
            rule = ds::StationRule::within(pid);
            moved = true;
            return false;
        });
        if (moved)
            input.seek(resume);
    }
}

} // namespace

std::uint64_t CopyDatasheet(platform::LineReader& input, platform::CrlfWriter& out, std::string_view pid,
                            std::uint64_t headerOffset)
{
    if (!input.seek(headerOffset))
        return input.position();
    ds::StationRule rule = ds::StationRule::atStation();
    std::size_t count = 0;
    std::uint64_t stop = 0;
    bool stopped = false;
    const auto each = [&](std::string_view part, std::uint64_t offset, bool breaksInside) {
        const std::string_view line = lineText(part);
        const bool opens = rule.next(line, breaksInside) != ds::StationRule::Opening::None;
        ++count;
        if (count == 1) {
            // The header line loses only its line end: a CR inside it stays.
            out.writeLine(platform::chompLineEnd(part));
            return true;
        }
        // The first line after the header is written whatever it carries;
        // after it, the station's lines and stray lines of other PIDs.
        if (count > 2 && (opens || (otherPid(line, pid) && ds::heldPid(line).empty()))) {
            stop = offset;
            stopped = true;
            return false;
        }
        // A line that already stands as it is written (one CR, before its
        // LF) goes out as it is.
        if (part.size() == line.size() + 2 && part[line.size()] == '\r' && part.back() == '\n')
            out.write(part);
        else
            out.writeLine(line);
        return true;
    };
    std::string_view piece;
    while (input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        if (!ds::forEachLineIn(piece, [&](std::string_view part, std::size_t at, bool breaksInside) {
                return each(part, pieceOffset + at, breaksInside);
            }))
            break;
    }
    return stopped ? stop : input.position();
}

std::uint64_t SkipDatasheet(platform::LineReader& input, std::string_view pid)
{
    ds::StationRule rule = ds::StationRule::within(pid);
    std::uint64_t previous = input.position();
    std::uint64_t stop = 0;
    bool stopped = false;
    std::string_view piece;
    while (!stopped && input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        ds::forEachLineIn(piece, [&](std::string_view part, std::size_t at, bool breaksInside) {
            const std::uint64_t offset = pieceOffset + at;
            const ds::StationRule::Opening opening = rule.next(lineText(part), breaksInside);
            if (opening != ds::StationRule::Opening::None) {
                // A station that opens at a body line begins at its damaged header.
                stop = rule.stationStart(opening, offset, previous);
                stopped = true;
                return false;
            }
            previous = offset;
            return true;
        });
    }
    return stopped ? stop : input.position();
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

    // Stations open by ds::StationRule; one whose header line is damaged is
    // tested from its first body line.
    ds::StationRule rule;
    std::string_view piece;
    while (input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        const bool ended = !piece.empty() && piece.back() == '\n';
        bool moved = false;
        std::string held; // an opening line, kept over the filter's reads
        ds::forEachLineIn(piece, [&](std::string_view part, std::size_t at, bool breaksInside) {
            std::string_view line = lineText(part);
            const ds::StationRule::Opening opening = rule.next(line, breaksInside);
            if (opening != ds::StationRule::Opening::None) {
                // The filter reads a station from just inside its header line.
                const bool header = opening == ds::StationRule::Opening::Header;
                const std::uint64_t next =
                    pieceOffset + at + (header && (ended || at + part.size() < piece.size()) ? 1 : 0);
                progress.set(percentOf(offset, size));
                if (++headers > 1) {
                    // The filter's reads reuse the reader's buffer: the rest
                    // of the line is read again after them.
                    held.assign(line);
                    line = held;
                    finish();
                    fields.clear();
                    input.seek(pieceOffset + at + part.size());
                    moved = true;
                }
                offset = headers == 1 && header ? 0 : next;
            }
            if (!ds::isBodyLine(line))
                return !moved;
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
            return !moved;
        });
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
