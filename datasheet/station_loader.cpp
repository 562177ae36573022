#include "datasheet/station_loader.h"

#include <algorithm>

#include "datasheet/datasheet_format.h"
#include "datasheet/line_parsers.h"
#include "datasheet/list_lines.h"
#include "platform/line_reader.h"

namespace ds {

void StationFields::clear()
{
    pid.clear();
    designation.clear();
    latitude.clear();
    longitude.clear();
    horizontal.clear();
    vertical.clear();
    ellipsoid.clear();
}

void parseStationLine(std::string_view line, StationFields& fields, const Profile& profile)
{
    // Most body lines carry none of these labels: look at the label's first
    // letter (index 9) before comparing whole labels.
    if (!mayHoldListLabel(line))
        return;
    switch (line[9]) {
    case 'D':
        if (hasAt(line, 7, kDesignationLabel))
            ParseDesignation(line, fields.pid, fields.designation);
        break;
    case 'P':
    case 'N':
        if (isPositionLine(line))
            ParsePosition(line, fields.latitude, fields.longitude);
        break;
    case 'H':
    case 'V':
    case 'E':
        if (hasAt(line, 7, kHorzOrderLabel) || hasAt(line, 7, kVertOrderLabel) || hasAt(line, 7, kEllpOrderLabel))
            ParseOrder(line, fields.horizontal, fields.ellipsoid, fields.vertical, profile);
        break;
    default:
        break;
    }
}

bool scanStations(const std::string& path, const Profile& profile, platform::ProgressSink& progress,
                  const StationEmitter& emit, const StationEmitter& undesignated, bool* readError)
{
    platform::LineReader reader(profile.readLength());
    if (!reader.open(path))
        return false;
    const std::uint64_t size = reader.size();
    platform::ProgressCounter counter(progress);
    StationFields fields;
    StationRule rule;
    std::uint64_t current = 0;
    auto take = [&](std::string_view line, std::uint64_t offset, bool breaksInside) __attribute__((always_inline)) {
        if (rule.next(line, breaksInside) != StationRule::Opening::None) {
            const std::uint64_t previous = current;
            current = offset;
            counter.unit(current, size);
            // Labels met before the first station belong to it.
            if (counter.count() > 1) {
                emit(fields, previous);
                fields.clear();
            }
        }
        // Most body lines hold none of the labels: tested here, without a call.
        if (mayHoldListLabel(line) && isBodyLine(line))
            parseStationLine(line, fields, profile);
    };
    // A line that holds a CR besides its line end is rare: split out of
    // line, so that the step for every other line stays inlined.
    const auto takeParts = [&](std::string_view piece, std::uint64_t offset) __attribute__((noinline)) {
        forEachLineIn(piece, [&](std::string_view line, std::size_t at, bool breaksInside) {
            take(line, offset + at, breaksInside);
            return true;
        });
    };
    reader.forEachPiece([&](std::string_view piece, std::uint64_t offset, bool innerCr) __attribute__((always_inline)) {
        if (!innerCr) [[likely]]
            take(piece, offset, false);
        else
            takeParts(piece, offset);
        return true;
    });
    if (!fields.designation.empty())
        emit(fields, current);
    else if (undesignated && counter.count() > 0)
        undesignated(fields, current);
    if (readError)
        *readError = reader.failed();
    return true;
}

namespace {

// After this many stations the lists take room for the whole file.
constexpr std::size_t kStationsToMeasure = 64;

// Room in the lists for the stations of a file of `size` bytes, at the rate
// the stations kept before `offset` show, and an eighth more: lists of
// many stations then grow without being copied, and the memory that a
// copy would touch costs more than the reading. Room that stays unused is
// never touched; still, a file that begins with tiny stations gets room
// for one station in 256 bytes at most (a quarter of its size in list
// entries), and the lists grow as usual beyond that.
void reserveForFile(LoadedStations& out, std::uint64_t size, std::uint64_t offset)
{
    if (offset == 0 || size <= offset)
        return;
    const double expected = std::min(static_cast<double>(out.listLines.size()) * static_cast<double>(size) /
                                         static_cast<double>(offset) * 1.125,
                                     static_cast<double>(size / 256));
    out.listLines.reserve(static_cast<std::size_t>(expected) + 1);
    out.locLines.reserve(static_cast<std::size_t>(expected) + 1);
}

} // namespace

bool loadStations(const std::string& path, const Profile& profile, platform::ProgressSink& progress,
                  LoadedStations& out, const TypeTest& typeTest)
{
    out.listLines.clear();
    out.locLines.clear();
    out.identity = platform::FileIdentity::of(path);
    bool readError = false;
    std::size_t stations = 0;
    const bool opened = scanStations(
        path, profile, progress,
        [&](const StationFields& f, std::uint64_t offset) {
            if (++stations == kStationsToMeasure)
                reserveForFile(out, out.identity.size, offset);
            if (typeTest && !typeTest(f.pid, offset))
                return;
            out.listLines.push_back(MakeListLine("", f.pid, f.horizontal, f.vertical, f.latitude, f.longitude,
                                                 f.designation, profile.tagWidth));
            out.locLines.push_back(MakeLocLine(f.pid, static_cast<std::int64_t>(offset)));
        },
        {}, &readError);
    // A read that failed part way gives no list: the stations after the
    // failure would be missing without a word.
    const bool read = opened && !readError;
    if (!read) {
        out.listLines.clear();
        out.locLines.clear();
    }
    if (!out.identity.matches(path))
        out.identity = platform::FileIdentity(); // changed under the read: never matches
    return read;
}

} // namespace ds
