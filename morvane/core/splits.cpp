#include "morvane/core/splits.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "datasheet/datasheet_format.h"
#include "morvane/core/output_set.h"
#include "platform/files.h"
#include "platform/line_reader.h"

namespace morvane {

namespace {

const char* const kCaption = "NOTICE";

bool isLetter(char c)
{
    return ds::isUpper(c) || ds::isLower(c);
}

// The characters at the indexes, as far as the line holds them.
std::string charactersAt(std::string_view line, std::initializer_list<std::size_t> indexes)
{
    std::string text;
    for (std::size_t index : indexes) {
        if (index >= line.size())
            break;
        text += line[index];
    }
    return text;
}

std::string latitudeOf(std::string_view line)
{
    return charactersAt(line, {24, 25, 27, 28, 30, 31});
}

std::string longitudeOf(std::string_view line)
{
    return charactersAt(line, {45, 46, 47, 49, 50, 52, 53});
}

int percentOf(std::uint64_t done, std::uint64_t total)
{
    return total == 0 ? 0 : static_cast<int>(100 * done / total);
}

const char* failedToOpen(IndexKind kind)
{
    switch (kind) {
    case IndexKind::Quad:
        return "Quad File Failed to Open.";
    case IndexKind::County:
        return "County File Failed to Open.";
    case IndexKind::Area:
        return "MM File Failed to Open.";
    }
    return "";
}

void cannotCommit(platform::NoticeSink& notices, const std::string& dir, const OutputSet& outputs)
{
    const std::string& unrestored = outputs.unrestored();
    notices.notice(kCaption, "Could not write the split's files in " + dir + outputs.failureNote() +
                                 (unrestored.empty() ? "\r\nNo file has changed."
                                                     : "\r\nThese files could not be put back as they were:" +
                                                           unrestored));
}

// A split that worked, but left replaced pieces without the owner, group or
// mode they had, says so.
void reportIdentity(platform::NoticeSink& notices, const OutputSet& outputs)
{
    if (!outputs.identityNotes().empty())
        notices.notice(kCaption, "The split is complete." + outputs.identityNotes());
}

// A piece whose name is another name of the input (a symbolic or hard link
// to it) would write over the file being split: refused, after a notice.
bool writesTheInput(const OutputSet& outputs, const std::string& input, platform::NoticeSink& notices)
{
    const std::string name = outputs.outputWriting(input);
    if (name.empty())
        return false;
    notices.notice(kCaption, "Not split: " + outputs.pathOf(name) + "\r\nis another name of the file to split, " +
                                 input + ".\r\nNo file has changed.");
    return true;
}

bool isPid(std::string_view text)
{
    return text.size() == 6 && ds::isUpper(text[0]) && ds::isUpper(text[1]) && ds::isDigit(text[2]) &&
           ds::isDigit(text[3]) && ds::isDigit(text[4]) && ds::isDigit(text[5]);
}

// The PID of the station whose header was just read: from the first of the
// next five lines of the station that begins with a blank, two capitals
// and a digit, when it is two capitals and four digits. The reader is put
// back after the header.
std::string pidAfterHeader(platform::LineReader& input)
{
    const std::uint64_t back = input.position();
    std::string pid = "XX0000";
    std::string_view piece;
    for (int i = 0; i < 5 && input.next(piece); ++i) {
        // The next station's lines never name this one.
        if (ds::isHeaderLine(piece))
            break;
        if (piece.size() >= 4 && piece[0] == ' ' && ds::isUpper(piece[1]) && ds::isUpper(piece[2]) &&
            ds::isDigit(piece[3])) {
            const std::string_view candidate = piece.substr(1, 6);
            if (isPid(candidate))
                pid = std::string(candidate);
            break;
        }
    }
    input.seek(back);
    return pid;
}

double numberIn(std::string_view text)
{
    static locale_t c = ::newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string copy(text);
    return ::strtod_l(copy.c_str(), nullptr, c);
}

} // namespace

IndexLookup::IndexLookup(IndexKind kind, const std::vector<std::string>& indexLines) : kind_(kind)
{
    for (const auto& line : indexLines) {
        if (!isIndexEntry(line) || !entryHasShape(line, kind))
            continue;
        const std::string number = line.substr(1, 3);
        if (kind == IndexKind::Area)
            areas_.push_back({line.substr(5, 6) + line.substr(12, 6) + line.substr(19, 7) + line.substr(27, 7), number});
        else
            names_.try_emplace(line.substr(5, kKeyLength), number); // the first entry of a name wins
    }
}

std::string IndexLookup::find(std::string_view keyLine) const
{
    switch (kind_) {
    case IndexKind::Quad:
        return FindQuadOutput(keyLine);
    case IndexKind::County:
        return FindCountyOutput(keyLine);
    case IndexKind::Area:
        return FindAreaOutput(keyLine);
    }
    return {};
}

std::string IndexLookup::findName(std::string_view keyLine) const
{
    const std::string key(keyText(keyLine));
    if (const auto found = names_.find(key); found != names_.end())
        return found->second;
    return key.empty() || !isLetter(key[0]) ? "000" : std::string();
}

std::string IndexLookup::FindAreaOutput(std::string_view keyLine) const
{
    for (const Area& area : areas_)
        if (InCurrentArea(area.bounds, keyLine))
            return area.number;
    const std::string latitude = latitudeOf(keyLine);
    const std::string longitude = longitudeOf(keyLine);
    const bool noDigits = latitude.empty() || !ds::isDigit(latitude[0]) || longitude.empty() ||
                          !ds::isDigit(longitude[0]);
    return noDigits ? "000" : std::string();
}

bool InCurrentArea(std::string_view area, std::string_view keyLine)
{
    if (area.size() < 26)
        return false;
    const std::string latitude = latitudeOf(keyLine);
    const std::string longitude = longitudeOf(keyLine);
    return latitude >= area.substr(0, 6) && latitude < area.substr(6, 6) && longitude >= area.substr(12, 7) &&
           longitude < area.substr(19, 7);
}

bool SplitByIndex(const IndexSplit& split, platform::NoticeSink& notices, platform::ProgressSink& progress)
{
    platform::LineReader input(0);
    if (platform::isDirectory(split.input) || !input.open(split.input)) {
        notices.notice(kCaption, "Could not open file " + split.input + " for read.\n");
        return false;
    }
    OutputSet outputs(split.outDir, OutputSet::Mode::Add);
    if (outputs.output("dsdata.000") < 0) {
        notices.notice(kCaption, "Cannot Open file dsdata.000 for write." + outputs.failureNote());
        return false;
    }
    const IndexLookup lookup(split.kind, split.indexLines);
    const std::uint64_t size = input.size();
    // The station's lines before its key line; the strings are reused.
    std::vector<std::string> pending;
    std::size_t pendingCount = 0;
    const auto keep = [&](std::string_view line) {
        if (pendingCount < pending.size())
            pending[pendingCount].assign(line);
        else
            pending.emplace_back(line);
        ++pendingCount;
    };
    // The output of each number once made (-1 before).
    std::vector<int> outputOf(1000, -1);
    bool beforeKey = false;
    int current = -1; // the station's output; -1 writes nothing
    std::uint64_t headers = 0;
    bool failed = false;
    const auto startStation = [&](std::uint64_t offset) {
        ++headers;
        pendingCount = 0;
        beforeKey = true;
        current = -1;
        if (headers == 1 || headers % 20 == 0)
            progress.set(percentOf(offset, size));
    };
    // A line of the station: pending before its key line, which decides
    // where all of it goes, written after it.
    const auto take = [&](std::string_view line) {
        if (!beforeKey) {
            if (current >= 0)
                outputs.WriteTrimmedLine(current, line);
            return;
        }
        if (!isKeyLine(line, split.kind)) {
            keep(line);
            return;
        }
        // The station's first key line decides where all of it goes.
        beforeKey = false;
        const std::string number = lookup.find(line);
        if (!number.empty()) {
            int& known = outputOf[static_cast<std::size_t>(std::stoi(number))];
            if (known < 0)
                known = outputs.output("dsdata." + number);
            current = known;
            if (current < 0) {
                failed = true;
                return;
            }
            for (std::size_t i = 0; i < pendingCount; ++i)
                outputs.WriteTrimmedLine(current, pending[i]);
            outputs.WriteTrimmedLine(current, line);
        }
        pendingCount = 0;
    };
    // Stations open by ds::StationRule. A line without a PID waits for the
    // next: when that opens a station at a body line (its header damaged),
    // the line before is that station's damaged header and goes with it.
    ds::StationRule rule;
    std::string waiting;
    bool haveWaiting = false;
    std::string_view piece;
    while (!failed && input.next(piece)) {
        const std::uint64_t pieceOffset = input.pieceOffset();
        const auto each = [&](std::string_view part, std::size_t at, bool breaksInside) {
            const std::string_view line = platform::chompLineEnd(part);
            const ds::StationRule::Opening opening = rule.next(line, breaksInside);
            if (opening == ds::StationRule::Opening::Body) {
                startStation(pieceOffset + at);
                if (haveWaiting)
                    keep(waiting);
                haveWaiting = false;
                take(line);
                return !failed;
            }
            if (haveWaiting)
                take(waiting);
            haveWaiting = false;
            if (opening == ds::StationRule::Opening::Header) {
                startStation(pieceOffset + at);
                keep(line);
            } else if (!ds::heldPid(line).empty()) {
                take(line); // a line that holds a PID never is a damaged header
            } else {
                waiting.assign(line);
                haveWaiting = true;
            }
            return !failed;
        };
        // A line holds a further one only after a CR of its own, which the
        // reader's CR bits tell without a look at its bytes.
        if (input.pieceHoldsInnerCr())
            ds::forEachLineIn(piece, each);
        else
            each(piece, 0, false);
    }
    if (!failed && haveWaiting)
        take(waiting);
    if (failed) {
        notices.notice(kCaption, failedToOpen(split.kind) + outputs.failureNote());
        return false;
    }
    if (input.failed()) {
        notices.notice(kCaption, "Could not read file " + split.input + " to its end.\r\nNo file has changed.");
        return false;
    }
    if (writesTheInput(outputs, split.input, notices))
        return false;
    if (!outputs.commit()) {
        cannotCommit(notices, split.outDir, outputs);
        return false;
    }
    reportIdentity(notices, outputs);
    return true;
}

std::string pieceName(int number)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return "dsdata." + digits;
}

double byteLimit(std::string_view text)
{
    return numberIn(text) * 1000000.0;
}

double countLimit(std::string_view text)
{
    const std::string copy(text);
    return static_cast<double>(std::strtol(copy.c_str(), nullptr, 10));
}

bool SplitByCount(const CountSplit& split, platform::NoticeSink& notices, platform::ProgressSink& progress)
{
    platform::LineReader input(0);
    if (platform::isDirectory(split.input) || !input.open(split.input)) {
        notices.notice(kCaption, "Could not open file " + split.input + " for read.");
        return false;
    }
    OutputSet pieces(split.outDir, OutputSet::Mode::Replace);
    int number = 1;
    int current = pieces.output(pieceName(number));
    if (current < 0) {
        notices.notice(kCaption,
                       "Cannot Open file " + pieces.pathOf(pieceName(number)) + " for write." + pieces.failureNote());
        return false;
    }
    bool currentEmpty = true;
    const auto openPiece = [&](const std::string& name) {
        pieces.finish(current);
        current = pieces.output(name);
        currentEmpty = true;
        if (current < 0)
            notices.notice(kCaption, "Output File Failed to Open." + pieces.failureNote());
        return current >= 0;
    };
    // A piece never ends before it holds a line (a limit of 0 cuts at each
    // chance after that); PID pieces begin at every station.
    const auto NextOutputFile = [&] { return currentEmpty || openPiece(pieceName(++number)); };

    const bool pidPieces = split.kind == CountKind::Stations && split.prefixMode == 0 && split.limit == 1;
    const std::uint64_t size = input.size();
    std::uint64_t last = 0;
    double count = 0;
    std::uint64_t headers = 0;
    bool firstLine = true;
    std::string held;
    std::string_view piece;
    if (split.kind == CountKind::Stations) {
        // Stations open by ds::StationRule. A line without a PID waits for
        // the next: when that opens a station at a body line (its header
        // damaged), the line before is that station's damaged header and
        // goes with it.
        ds::StationRule rule;
        std::string waiting;
        bool haveWaiting = false;
        const auto write = [&](std::string_view line) {
            pieces.WriteTrimmedLine(current, line);
            currentEmpty = false;
            firstLine = false;
        };
        // A station opens: a new piece when the count is over, or for each
        // station with PID pieces (the PID read ahead after a header line).
        const auto opens = [&](bool header, std::string_view pidHeld, std::uint64_t lineStart) {
            ++count;
            ++headers;
            if (pidPieces && (count > split.limit || firstLine)) {
                const std::string pid = header ? pidAfterHeader(input) : std::string(pidHeld);
                if (!openPiece(pid + ".out"))
                    return false;
                count = 1;
            } else if (count > split.limit) {
                if (!NextOutputFile())
                    return false;
                count = 1;
            }
            if (headers <= 1 || headers % 20 == 0)
                progress.set(percentOf(lineStart, size));
            return true;
        };
        bool failed = false;
        while (!failed && input.next(piece)) {
            const std::uint64_t pieceOffset = input.pieceOffset();
            std::uint64_t resume = 0;
            const auto each = [&](std::string_view part, std::size_t at, bool breaksInside) {
                std::string_view line = platform::chompLineEnd(part);
                const ds::StationRule::Opening opening = rule.next(line, breaksInside);
                if (opening == ds::StationRule::Opening::Body) {
                    held.assign(line);
                    if (!opens(false, ds::heldPid(held), pieceOffset + at)) {
                        failed = true;
                        return false;
                    }
                    if (haveWaiting)
                        write(waiting);
                    haveWaiting = false;
                    write(held);
                    return true;
                }
                if (haveWaiting)
                    write(waiting);
                haveWaiting = false;
                if (opening == ds::StationRule::Opening::Header) {
                    // Reading ahead for the PID reuses the reader's buffer:
                    // the rest of the line is read again after it.
                    held.assign(line);
                    if (!opens(true, {}, pieceOffset + at)) {
                        failed = true;
                        return false;
                    }
                    write(held);
                    resume = pieceOffset + at + part.size();
                    return false;
                }
                if (!ds::heldPid(line).empty()) {
                    write(line); // a line that holds a PID never is a damaged header
                    return true;
                }
                waiting.assign(line);
                haveWaiting = true;
                return true;
            };
            if (input.pieceHoldsInnerCr())
                ds::forEachLineIn(piece, each);
            else
                each(piece, 0, false);
            if (resume > 0)
                input.seek(resume);
        }
        if (failed)
            return false;
        if (haveWaiting)
            write(waiting);
    }
    while (split.kind != CountKind::Stations && input.next(piece)) {
        const bool header = ds::isHeaderLine(platform::chompLineEnd(piece));
        const std::uint64_t lineStart = input.pieceOffset();
        switch (split.kind) {
        case CountKind::Bytes: {
            const std::uint64_t pos = input.position() + 2;
            const bool over = static_cast<double>(pos - last) > split.limit;
            if (over && (!split.betweenDatasheets || header)) {
                if (!NextOutputFile())
                    return false;
                last = pos;
            } else if (header) {
                ++headers;
            }
            if (headers == 1 || headers % 20 == 0)
                progress.set(percentOf(lineStart, size));
            break;
        }
        case CountKind::Lines:
            ++count;
            if (count > split.limit && (!split.betweenDatasheets || header)) {
                if (!NextOutputFile())
                    return false;
                count = 1;
            }
            progress.set(percentOf(lineStart, size));
            break;
        case CountKind::Stations: // read above, by the station rule
            break;
        }
        pieces.WriteTrimmedLine(current, platform::chompLineEnd(piece));
        currentEmpty = false;
        firstLine = false;
        // Where only header lines decide, the lines up to the next header
        // go in runs.
        if (split.betweenDatasheets) {
            std::string_view run;
            while (input.nextRun(run, ds::kHeaderStart)) {
                if (split.kind == CountKind::Lines)
                    count += static_cast<double>(std::count(run.begin(), run.end(), '\n') +
                                                 (run.empty() || run.back() == '\n' ? 0 : 1));
                pieces.WriteTrimmedLines(current, run);
            }
        }
    }
    if (input.failed()) {
        notices.notice(kCaption, "Could not read file " + split.input + " to its end.\r\nNo file has changed.");
        return false;
    }
    if (writesTheInput(pieces, split.input, notices))
        return false;
    if (!pieces.commit()) {
        cannotCommit(notices, split.outDir, pieces);
        return false;
    }
    reportIdentity(notices, pieces);
    return true;
}

} // namespace morvane
