#include "itempick/core/collectors.h"

#include <array>
#include <cctype>
#include <initializer_list>
#include <span>

#include "itempick/core/formatters.h"
#include "itempick/core/record_format.h"

namespace itempick {

namespace {

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

using Part = FieldPart;

std::string join(char delimiter, std::initializer_list<Part> parts, bool fixed)
{
    return JoinFields(delimiter, parts, fixed);
}

void add(LineList& lines, std::string line, bool last)
{
    if (last)
        lines.assign(1, std::move(line));
    else
        lines.push_back(std::move(line));
}

// A field of a history or box-score line: trimmed in Kavro, as it stands in Morvane.
std::string historyField(std::string_view line, std::size_t at, std::size_t count,
                         bool raw)
{
    return raw ? std::string(Field(line, at, count)) : TrimmedField(line, at, count);
}

bool isLastName(const CollectContext& context, std::string_view name, bool history)
{
    // Morvane's HISTORY collector knows LAST by the name's beginning.
    if (history && context.build.rawHistory)
        return name.substr(0, 4) == "LAST";
    return contains(name, "LAST ");
}

std::string historyLine(const CollectContext& context, std::string_view date, std::string_view condition,
                        std::string_view agency)
{
    const bool fixed = context.build.rawHistory || context.settings.fixedField;
    return join(context.settings.fieldDelim, {{date, 8}, {condition, 14}, {agency, 6}}, fixed);
}

enum class HistoryField { All, Date, Condition, Agency };

void collectHistory(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines,
                    HistoryField which)
{
    if (contains(line, "Condition"))
        return;
    const bool raw = context.build.rawHistory;
    const bool fixed = raw || context.settings.fixedField;
    std::string out;
    switch (which) {
    case HistoryField::All:
        out = historyLine(context, historyField(line, 23, 8, raw), historyField(line, 32, 14, raw),
                          historyField(line, 49, 6, raw));
        break;
    case HistoryField::Date:
        out = join(' ', {{historyField(line, 23, 8, raw), 8}}, fixed);
        break;
    case HistoryField::Condition: {
        // Morvane keeps 16 characters of the condition, Kavro 14.
        const std::size_t width = raw ? 16 : 14;
        out = join(' ', {{historyField(line, 32, width, raw), width}}, fixed);
        break;
    }
    case HistoryField::Agency:
        out = join(' ', {{historyField(line, 49, 6, raw), 6}}, fixed);
        break;
    }
    add(lines, std::move(out), isLastName(context, name, which == HistoryField::All));
}

// A converted position of a superseded line: empty when no format applies.
std::string positionOf(const CollectContext& context, std::string_view line, bool longitude)
{
    const auto field = longitude ? LongitudeField(line, context.settings.positionFormat, context.settings)
                                 : LatitudeField(line, context.settings.positionFormat, context.settings);
    return field ? *field : std::string();
}

// A field of a line: `count` characters from column `at`, trimmed, set in
// `width` characters.
struct FieldAt {
    std::size_t at;
    std::size_t count;
    std::size_t width;
};

// A line of the height collectors, always in fixed fields: the `leading`
// fields (five at most), then the three every one of them ends with (11
// characters from column 64, one from 76, one from 78).
void addHeightLine(const CollectContext& context, std::string_view line, LineList& lines,
                   std::initializer_list<FieldAt> leading)
{
    static constexpr FieldAt kTrailing[] = {{64, 11, 11}, {76, 1, 1}, {78, 1, 1}};
    constexpr std::size_t kMost = 8;
    std::array<std::string, kMost> texts;
    std::array<Part, kMost> parts;
    std::size_t count = 0;
    auto take = [&](const FieldAt& field) {
        texts[count] = TrimmedField(line, field.at, field.count);
        parts[count] = {texts[count], field.width};
        ++count;
    };
    for (const FieldAt& field : leading)
        take(field);
    for (const FieldAt& field : kTrailing)
        take(field);
    add(lines, JoinFields(context.settings.fieldDelim, std::span<const Part>(parts.data(), count), true), false);
}

// A superseded position line: the PID, for NAD 83 the 4 characters from
// column 16, the converted latitude and longitude each with the character
// after it, then 11 characters from column 64 and one from 76.
void addSupersededPosition(const CollectContext& context, std::string_view line, LineList& lines, bool nad83)
{
    const Settings& settings = context.settings;
    const std::string pid = TrimmedField(line, 9, 6);
    const std::string nad83Part = TrimmedField(line, 16, 4);
    const std::string latitude = positionOf(context, line, false);
    const std::string latitudeSide = TrimmedField(line, 39, 1);
    const std::string longitude = positionOf(context, line, true);
    const std::string longitudeSide = TrimmedField(line, 61, 1);
    const std::string column64 = TrimmedField(line, 64, 11);
    const std::string column76 = TrimmedField(line, 76, 1);
    std::array<Part, 8> parts{};
    std::size_t count = 0;
    auto put = [&](std::string_view text, std::size_t width) { parts[count++] = {text, width}; };
    put(pid, 6);
    if (nad83)
        put(nad83Part, 4);
    put(latitude, 14);
    put(latitudeSide, 1);
    put(longitude, 15);
    put(longitudeSide, 1);
    put(column64, 11);
    put(column76, 1);
    add(lines, JoinFields(settings.fieldDelim, std::span<const Part>(parts.data(), count), settings.fixedField), false);
}

} // namespace

void CollectHistory(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines)
{
    collectHistory(context, line, name, lines, HistoryField::All);
}

void CollectRecDate(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines)
{
    collectHistory(context, line, name, lines, HistoryField::Date);
}

void CollectRecCond(const CollectContext& context, std::string_view line, std::string_view name, LineList& lines)
{
    collectHistory(context, line, name, lines, HistoryField::Condition);
}

void CollectRecAgency(const CollectContext& context, std::string_view line, std::string_view name,
                      LineList& lines)
{
    collectHistory(context, line, name, lines, HistoryField::Agency);
}

std::string EmptyCollectedLine(const CollectContext& context, std::string_view name)
{
    if (contains(name, "HISTORY"))
        return historyLine(context, {}, {}, {});
    const bool nad83 = name == "SUPER_NAD83_DATA";
    if (nad83 || name == "SUPER_1927_DATA") {
        // The fields of a superseded position line.
        static constexpr std::size_t kNad83Widths[] = {6, 4, 14, 1, 15, 1, 11, 1};
        static constexpr std::size_t kNad27Widths[] = {6, 14, 1, 15, 1, 11, 1};
        std::vector<Part> parts;
        for (std::size_t width : nad83 ? std::span<const std::size_t>(kNad83Widths)
                                       : std::span<const std::size_t>(kNad27Widths))
            parts.push_back({{}, width});
        return JoinFields(context.settings.fieldDelim, parts, context.settings.fixedField);
    }
    // REC_DATE, REC_COND, REC_AGENCY and the superseded heights.
    return {};
}

void CollectBoxScore(const CollectContext& context, std::string_view line, LineList& lines)
{
    if (contains(line, "Reference Object") || contains(line, "dddmmss"))
        return;
    const bool approx = contains(line, "APPROX");
    if (!approx && !contains(line, "METERS"))
        return;
    const bool raw = context.build.rawBoxScore;
    const Settings& settings = context.settings;
    std::string_view distance = approx ? Field(line, 59, 10) : Field(line, 49, 10);
    if (approx && !raw && !distance.empty() && (isdigit(static_cast<unsigned char>(distance[0])) || distance[0] == '.')) {
        std::size_t end = 0;
        while (end < distance.size() && (isdigit(static_cast<unsigned char>(distance[end])) || distance[end] == '.'))
            ++end;
        distance = distance.substr(0, end);
    }
    const std::string toPid = historyField(line, 9, 6, raw);
    const std::string name = historyField(line, 16, 35, raw);
    std::string cutDistance(distance);
    if (!raw)
        TrimTrailing(cutDistance);
    const std::string azimuth = historyField(line, 67, 10, raw);
    const std::string_view unit = approx ? "KM" : "MT";
    // Morvane writes fixed fields always; without Fixed Field an APPROX
    // distance takes 4 characters there.
    const bool fixed = raw || settings.fixedField;
    const std::size_t distanceWidth = raw && approx && !settings.fixedField ? 4 : 10;
    add(lines,
        join(settings.fieldDelim, {{toPid, 6}, {name, 35}, {cutDistance, distanceWidth}, {unit, 2}, {azimuth, 10}},
             fixed),
        false);
}

void CollectSuperNad83(const CollectContext& context, std::string_view line, LineList& lines)
{
    addSupersededPosition(context, line, lines, true);
}

void CollectSuperNad27(const CollectContext& context, std::string_view line, LineList& lines)
{
    addSupersededPosition(context, line, lines, false);
}

void CollectEllipHeight(const CollectContext& context, std::string_view line, LineList& lines)
{
    addHeightLine(context, line, lines, {{29, 9, 9}});
}

void CollectEllipDated(const CollectContext& context, std::string_view line, LineList& lines)
{
    addHeightLine(context, line, lines, {{18, 8, 8}, {27, 8, 9}});
}

void CollectNgvd29(const CollectContext& context, std::string_view line, LineList& lines)
{
    addHeightLine(context, line, lines, {{9, 7, 7}, {27, 9, 9}});
}

void CollectNgvd29Dated(const CollectContext& context, std::string_view line, LineList& lines)
{
    addHeightLine(context, line, lines, {{9, 7, 7}, {18, 8, 8}, {28, 9, 9}});
}

void CollectNavd88(const CollectContext& context, std::string_view line, LineList& lines)
{
    CollectNgvd29Dated(context, line, lines);
}

void CollectRecoveryText(const CollectContext& context, std::string_view line, LineList& lines)
{
    const Settings& settings = context.settings;
    if (settings.singleLine &&
        (Field(line, 31, 21) == "  STATION DESCRIPTION" || Field(line, 31, 18) == "  STATION RECOVERY")) {
        // Cut so that the entry holds 100 characters, as a collected line does.
        std::string entry(1, settings.descDelim);
        entry += Field(line, 8, 99);
        lines.push_back(std::move(entry));
        return;
    }
    lines.emplace_back(Field(line, 8, 80));
}

} // namespace itempick
