#include "itempick/core/extractor.h"

#include <algorithm>

#include "datasheet/code_tables.h"
#include "datasheet/line_parsers.h"
#include "itempick/core/collectors.h"
#include "itempick/core/formatters.h"
#include "itempick/core/record_format.h"
#include "platform/line_reader.h"

namespace itempick {

namespace {

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool at(std::string_view line, std::size_t index, std::string_view text)
{
    return Field(line, index, text.size()) == text;
}

bool at7(std::string_view line, std::string_view text)
{
    return at(line, 7, text);
}

// What a rule does with the line.
enum class Action : std::uint8_t {
    Copy,
    CopyDatum,     // copy, then a '(' at index 6 of the value becomes a blank
    Country,
    Suitability,
    SatelliteDate,
    Setting,
    HorzOrder,
    VertOrder,
    VertClass,
    EllpOrder,
    EllpClass,
    PlaneCoords,
    CombinedFactor,
    SpecialStatus,
    NoCheck,
    History,
    Latitude,
    Longitude,
    BoxScore,
    SuperNad83,
    SuperNad27,
    EllipDated,
    EllipHeight,
    Ngvd29,
    Ngvd29Dated,
    Navd88,
    RecoveryTitle,
    RecoveryText,
};

// Line tests that more than one rule uses.
enum class Test : std::uint8_t {
    Label,        // `label` at 7
    Label2,       // `label` or `label2` at 7
    SpcUnits,     // ";SPC " at 7 and `label2` at `unitsAt`
    CurrentNad83, // "* NAD 83" at 7
    Nad83Super,   // "-" at 21 and "  NAD 83" at 7
    Nad27Super,   // "-" at 21 and a NAD 27 line
    Nad27,        // a NAD 27 line
    BoxScore,     // "| " at 7
    RecoveryTitle,
};

struct Rule {
    std::uint8_t number;
    std::string_view item; // empty for rule 44, which takes the history names
    Test test;
    std::string_view label;
    std::string_view label2;
    Action action;
    std::uint8_t from; // copy start, or the units index of a SPC test
    bool next;         // the line goes on to the next entry
};

constexpr std::string_view kNad83Current = "* NAD 83";
constexpr std::string_view kNad83Datum = "* NAD 83(";
constexpr std::string_view kNavd88 = "* NAVD 88     - ";
constexpr std::string_view kNgvd29Super = "  NGVD 29     - ";
constexpr std::string_view kLocalTidalSuper = "  LOCAL TIDAL - ";

constexpr Rule kRules[] = {
    {1, "DESIGNATION", Test::Label, "  DESIGNATION - ", {}, Action::Copy, 24, false},
    {2, "PID", Test::Label, "  PID         - ", {}, Action::Copy, 24, false},
    {3, "STATE", Test::Label, "  STATE/COUNTY- ", {}, Action::Copy, 24, true},
    {4, "STATE", Test::Label, "  COUNTRY     - ", {}, Action::Country, 24, true},
    {5, "COUNTY", Test::Label, "  STATE/COUNTY- ", {}, Action::Copy, 27, true},
    {6, "USGS_QUAD", Test::Label, "  USGS QUAD   - ", {}, Action::Copy, 24, false},
    {7, "HORZ_DATUM", Test::Label, kNad83Datum, {}, Action::CopyDatum, 9, true},
    {8, "DATUM_TAG", Test::Label, kNad83Datum, {}, Action::Copy, 16, true},
    {9, "VERT_DATUM", Test::Label2, kNavd88, "* LOCAL TIDAL - ", Action::Copy, 9, true},
    {10, "POS_SRC", Test::Label, kNad83Datum, {}, Action::Copy, 68, true},
    {11, "HEIGHT", Test::Label, kNavd88, {}, Action::Copy, 27, true},
    {12, "HEIGHT_SRC", Test::Label, kNavd88, {}, Action::Copy, 68, true},
    {13, "STAMPING", Test::Label, "_STAMPING:", {}, Action::Copy, 18, false},
    {14, "PROJECTION", Test::Label, "_PROJECTION:", {}, Action::Copy, 20, false},
    {15, "ROD/PIPE-DEPTH", Test::Label, "_ROD/PIPE-DEPTH:", {}, Action::Copy, 24, false},
    {16, "SLEEVE-DEPTH", Test::Label, "_SLEEVE-DEPTH  : ", {}, Action::Copy, 24, false},
    {17, "GPS_SUITABILITY", Test::Label, "_SATELLITE: ", {}, Action::Suitability, 0, true},
    {18, "GPS_SUITABILITY", Test::Label, "+SATELLITE: ", {}, Action::SatelliteDate, 0, false},
    {19, "LAPLACE_CORR", Test::Label, "  LAPLACE CORR- ", {}, Action::Copy, 31, false},
    {20, "SETTING", Test::Label, "_SETTING:", {}, Action::Setting, 17, false},
    {21, "MAGNETIC", Test::Label, "_MAGNETIC:", {}, Action::Copy, 18, false},
    {22, "MARK_LOGO", Test::Label, "_MARK LOGO", {}, Action::Copy, 19, false},
    {23, "U.S. NATIONAL GRID", Test::Label, "_U.S. NATIONAL GRID SPATIAL ADDRESS: ", {}, Action::Copy, 44, false},
    {24, "MONUMENTATION", Test::Label, "_MARKER:", {}, Action::Copy, 16, false},
    {25, "STABILITY", Test::Label, "_STABILITY: ", {}, Action::Copy, 19, false},
    {26, "GEOID_HEIGHT", Test::Label, "  GEOID HEIGHT- ", {}, Action::Copy, 31, true},
    {27, "GEOID_SRC", Test::Label, "  GEOID HEIGHT- ", {}, Action::Copy, 68, true},
    {28, "ELLIP_HEIGHT", Test::Label, "  ELLIP HEIGHT- ", {}, Action::Copy, 29, true},
    {29, "DYNAMIC_HT", Test::Label, "  DYNAMIC HT  - ", {}, Action::Copy, 29, true},
    {30, "MODELED_GRAV", Test::Label, "  MODELED GRAV- ", {}, Action::Copy, 27, false},
    {31, "HORZ_ORDER", Test::Label, "  HORZ ORDER  - ", {}, Action::HorzOrder, 0, false},
    {32, "SPC_MT", Test::SpcUnits, ";SPC ", "MT", Action::PlaneCoords, 53, false},
    {33, "SPC_SFT", Test::SpcUnits, ";SPC ", "sFT", Action::PlaneCoords, 52, false},
    {34, "SPC_IFT", Test::SpcUnits, ";SPC ", "iFT", Action::PlaneCoords, 52, false},
    {35, "SPC_COMBINED_FACTOR", Test::Label, "!SPC ", {}, Action::CombinedFactor, 0, false},
    {36, "UTM_COMBINED_FACTOR", Test::Label, "!UTM ", {}, Action::CombinedFactor, 0, false},
    {37, "EPOCH_DATE", Test::Label, "  EPOCH DATE  - ", {}, Action::Copy, 30, false},
    {38, "VERT_ORDER", Test::Label, "  VERT ORDER  - ", {}, Action::VertOrder, 0, true},
    {39, "VERT_CLASS", Test::Label, "  VERT ORDER  - ", {}, Action::VertClass, 0, true},
    {40, "ELLP_SRC", Test::Label, "  ELLIP HEIGHT- ", {}, Action::Copy, 68, true},
    {41, "ELLP_ORDER", Test::Label, "  ELLP ORDER  - ", {}, Action::EllpOrder, 0, true},
    {42, "ELLP_CLASS", Test::Label, "  ELLP ORDER  - ", {}, Action::EllpClass, 0, true},
    {43, "SPECIAL_STATUS", Test::Label, ".This is a SPECIAL STATUS", {}, Action::SpecialStatus, 0, false},
    {44, {}, Test::Label, "  HISTORY     - ", {}, Action::History, 0, true},
    {45, "X", Test::Label, "  X           - ", {}, Action::Copy, 24, false},
    {46, "Y", Test::Label, "  Y           - ", {}, Action::Copy, 24, false},
    {47, "Z", Test::Label, "  Z           - ", {}, Action::Copy, 24, false},
    {48, "LATITUDE", Test::CurrentNad83, {}, {}, Action::Latitude, 0, true},
    {49, "LATITUDE_DIR", Test::CurrentNad83, {}, {}, Action::Copy, 39, true},
    {50, "LONGITUDE", Test::CurrentNad83, {}, {}, Action::Longitude, 0, true},
    {51, "LONGITUDE_DIR", Test::CurrentNad83, {}, {}, Action::Copy, 61, true},
    {52, "SUPER_LAT83", Test::Nad83Super, {}, {}, Action::Latitude, 0, true},
    {53, "SUPER_LAT_DIR83", Test::Nad83Super, {}, {}, Action::Copy, 39, true},
    {54, "SUPER_LON83", Test::Nad83Super, {}, {}, Action::Longitude, 0, true},
    {55, "SUPER_LON_DIR83", Test::Nad83Super, {}, {}, Action::Copy, 61, true},
    {56, "SUPER_LAT", Test::Nad27Super, {}, {}, Action::Copy, 24, true},
    {57, "SUPER_LAT_DIR", Test::Nad27Super, {}, {}, Action::Copy, 39, true},
    {58, "SUPER_LON", Test::Nad27Super, {}, {}, Action::Copy, 45, true},
    {59, "SUPER_LON_DIR", Test::Nad27Super, {}, {}, Action::Copy, 61, true},
    {60, "SUPER_HORZ_DATUM83", Test::Nad83Super, {}, {}, Action::Copy, 9, true},
    {61, "SUPER_HORZ_DATUM", Test::Nad27Super, {}, {}, Action::Copy, 9, true},
    {62, "SUPER_POS_SRC83", Test::Nad83Super, {}, {}, Action::Copy, 64, true},
    {63, "SUPER_POS_SRC", Test::Nad27Super, {}, {}, Action::Copy, 64, true},
    {64, "SUPER_POS_ORDER83", Test::Nad83Super, {}, {}, Action::Copy, 76, true},
    {65, "SUPER_POS_ORDER", Test::Nad27Super, {}, {}, Action::Copy, 76, true},
    {66, "SUPER_HEIGHT", Test::Label2, kNgvd29Super, kLocalTidalSuper, Action::Copy, 27, true},
    {67, "SUPER_HEIGHT_SRC", Test::Label2, kNgvd29Super, kLocalTidalSuper, Action::Copy, 64, true},
    {68, "SUPER_HGT_ORDER", Test::Label2, kNgvd29Super, kLocalTidalSuper, Action::Copy, 76, true},
    {69, "SUPER_HGT_CLASS", Test::Label2, kNgvd29Super, kLocalTidalSuper, Action::Copy, 78, true},
    {70, "SUPER_VERT_DATUM", Test::Label2, kNgvd29Super, kLocalTidalSuper, Action::Copy, 9, true},
    {71, "UTM", Test::Label, ";UTM ", {}, Action::PlaneCoords, 0, false},
    {72, "HORZ_NO_CHECK", Test::Label, ".No horizontal observational check", {}, Action::NoCheck, 0, false},
    {73, "VERT_NO_CHECK", Test::Label, ".No vertical observational check", {}, Action::NoCheck, 0, false},
    {74, "BOX_SCORE", Test::BoxScore, {}, {}, Action::BoxScore, 0, false},
    {75, "SUPER_NAD83_DATA", Test::Label, "  NAD 83", {}, Action::SuperNad83, 0, false},
    {76, "SUPER_1927_DATA", Test::Nad27, {}, {}, Action::SuperNad27, 0, false},
    {77, "SUPER_ELLIP_DATA", Test::Label, "  ELLIP H (", {}, Action::EllipDated, 0, false},
    {78, "SUPER_ELLIP_DATA", Test::Label, "  ELLIP HT    - ", {}, Action::EllipHeight, 0, false},
    {79, "SUPER_NGVD29_DATA", Test::Label, "  NGVD 29  ", {}, Action::Ngvd29, 0, false},
    {80, "SUPER_NGVD29_DATA", Test::Label, "  NGVD 29 (", {}, Action::Ngvd29Dated, 0, false},
    {81, "SUPER_NAVD88_DATA", Test::Label, "  NAVD 88", {}, Action::Navd88, 0, false},
    {82, "RECOVERY TEXT", Test::RecoveryTitle, {}, {}, Action::RecoveryTitle, 0, false},
    {83, "RECOVERY TEXT", Test::Label, "'", {}, Action::RecoveryText, 0, false},
};
constexpr std::size_t kRuleCount = sizeof kRules / sizeof kRules[0];

bool isHistoryName(std::string_view name)
{
    return contains(name, "HISTORY") || contains(name, "REC_DATE") || contains(name, "REC_COND") ||
           contains(name, "REC_AGENCY");
}

// A superseded NAD 27 position line: "(W)" or "(E)" at 60, and not a NAD 83
// line (Kavro: no "NAD 83" at 9; Morvane: "  NAD" at 7 but not "  NAD 83").
bool isNad27Line(const Build& build, std::string_view line)
{
    if (!at(line, 60, "(W)") && !at(line, 60, "(E)"))
        return false;
    if (build.nad27ByNadLabel)
        return at7(line, "  NAD") && !at7(line, "  NAD 83");
    return !at(line, 9, "NAD 83");
}

bool ruleHolds(const Build& build, const Rule& rule, std::string_view line)
{
    switch (rule.test) {
    case Test::Label:
        return at7(line, rule.label);
    case Test::Label2:
        return at7(line, rule.label) || at7(line, rule.label2);
    case Test::SpcUnits:
        return at7(line, rule.label) && at(line, rule.from, rule.label2);
    case Test::CurrentNad83:
        return at7(line, kNad83Current);
    case Test::Nad83Super:
        return at(line, 21, "-") && at7(line, "  NAD 83");
    case Test::Nad27Super:
        return at(line, 21, "-") && isNad27Line(build, line);
    case Test::Nad27:
        return isNad27Line(build, line);
    case Test::BoxScore:
        return at7(line, "| ");
    case Test::RecoveryTitle:
        return at(line, 31, "  STATION DESCRIPTION") || at(line, 31, "  STATION RECOVERY");
    }
    return false;
}

// The character a rule's line must hold at index 7, or -1 when the rule
// tests other places only.
int keyAt7(const Build& build, const Rule& rule)
{
    switch (rule.test) {
    case Test::Label:
    case Test::SpcUnits:
        return static_cast<unsigned char>(rule.label[0]);
    case Test::Label2:
        return rule.label[0] == rule.label2[0] ? static_cast<unsigned char>(rule.label[0]) : -1;
    case Test::CurrentNad83:
        return '*';
    case Test::Nad83Super:
        return ' ';
    case Test::Nad27Super:
    case Test::Nad27:
        return build.nad27ByNadLabel ? ' ' : -1;
    case Test::BoxScore:
        return '|';
    case Test::RecoveryTitle:
        return -1;
    }
    return -1;
}

// "%2d" of the number in the two characters at 17 (0 when there is none).
std::string settingNumber(std::string_view line)
{
    const std::string_view text = Field(line, 17, 2);
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        negative = text[p++] == '-';
    int number = 0;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9')
        number = number * 10 + (text[p++] - '0');
    std::string out = std::to_string(negative ? -number : number);
    if (out.size() < 2)
        out.insert(0, 2 - out.size(), ' ');
    return out;
}

LineKind kindOfName(std::string_view name)
{
    if (contains(name, "HISTORY"))
        return LineKind::History;
    if (contains(name, "REC_DATE"))
        return LineKind::RecDate;
    if (contains(name, "REC_COND"))
        return LineKind::RecCond;
    if (contains(name, "REC_AGENCY"))
        return LineKind::RecAgency;
    if (name == "BOX_SCORE")
        return LineKind::BoxScore;
    if (name == "RECOVERY TEXT")
        return LineKind::RecoveryText;
    if (name == "SUPER_NAD83_DATA")
        return LineKind::SuperNad83;
    if (name == "SUPER_1927_DATA")
        return LineKind::SuperNad27;
    if (name == "SUPER_ELLIP_DATA")
        return LineKind::SuperEllip;
    if (name == "SUPER_NGVD29_DATA")
        return LineKind::SuperNgvd29;
    return LineKind::SuperNavd88;
}

// How the record writer writes an item, by its name.
void resolveField(ResolvedEntry& entry)
{
    const std::string& name = entry.name;
    static constexpr std::string_view kListNames[] = {"LAST HISTORY",      "ALL HISTORY",      "RECOVERY TEXT",
                                                      "BOX_SCORE",         "SUPER_NAD83_DATA", "SUPER_1927_DATA",
                                                      "SUPER_ELLIP_DATA",  "SUPER_NGVD29_DATA", "SUPER_NAVD88_DATA"};
    static constexpr std::string_view kRecNames[] = {"LAST REC_DATE", "LAST REC_COND", "LAST REC_AGENCY",
                                                     "ALL REC_DATE",  "ALL REC_COND",  "ALL REC_AGENCY"};
    for (std::string_view list : kListNames)
        if (name == list)
            entry.field = FieldKind::ListLines;
    for (std::string_view rec : kRecNames)
        if (name == rec)
            entry.field = FieldKind::RecLines;
    if (name == "GPS_SUITABILITY")
        entry.field = FieldKind::GpsSuit;
    if (name == "SPC_MT" || name == "SPC_SFT" || name == "SPC_IFT" || name == "UTM")
        entry.field = FieldKind::PlaneCoords;
    if (name == "SPC_COMBINED_FACTOR" || name == "UTM_COMBINED_FACTOR")
        entry.field = FieldKind::CombinedFactor;
    if (entry.field == FieldKind::ListLines || entry.field == FieldKind::RecLines) {
        entry.kind = kindOfName(name);
        entry.last = name.starts_with("LAST ");
        entry.inRecord = entry.last || name.starts_with("SUPER_");
    } else if (isHistoryName(name)) {
        // Another name the history rule takes: its collector by the kind.
        entry.kind = kindOfName(name);
    }
    entry.delimiterAfter = !contains(name, "ALL ") && !contains(name, "LAST ") && !contains(name, "_DATA");
    entry.morvaneDelimiterAfter = !contains(name, "ALL ") && !contains(name, "LAST ");
}

} // namespace

void StationData::reset(std::size_t entries)
{
    values.resize(entries);
    lines.resize(entries);
    dated.assign(entries, 0);
    for (std::size_t i = 0; i < entries; ++i) {
        values[i].clear();
        lines[i].clear();
    }
}

Extractor::Extractor(const Build& build, const Settings& settings) : build_(build), settings_(settings)
{
    entries_.reserve(settings.items.size());
    for (const ItemChoice& item : settings.items) {
        // An empty name ends the selection table, which holds 100 entries.
        if (item.name.empty() || entries_.size() == kTableRows)
            break;
        ResolvedEntry entry;
        entry.name = item.name;
        entry.width = item.width;
        for (std::size_t r = 0; r < kRuleCount; ++r) {
            const Rule& rule = kRules[r];
            if (rule.number == 44 ? isHistoryName(item.name) : rule.item == item.name)
                entry.rules.push_back(static_cast<std::uint8_t>(r));
        }
        resolveField(entry);
        if (entry.inRecord && settings_.fixedField) {
            const std::string empty = EmptyCollectedLine({build_, settings_}, entry.name);
            entry.fixedColumn = empty.empty() ? static_cast<std::size_t>(std::max(item.width, 0)) : empty.size();
        }
        entries_.push_back(std::move(entry));
    }
    for (std::size_t e = 0; e < entries_.size(); ++e) {
        for (std::uint8_t r : entries_[e].rules) {
            const int key = keyAt7(build_, kRules[r]);
            for (int c = 0; c < 256; ++c)
                if (key < 0 || key == c)
                    candidates_[static_cast<std::size_t>(c)].push_back({static_cast<std::uint16_t>(e), r});
        }
    }
}

std::string Extractor::PadItem(std::string_view value, int width) const
{
    return itempick::PadItem(value, width, settings_.fixedField);
}

void Extractor::ExtractLineItems(std::string_view line, const NextLine& next, StationData& data) const
{
    const CollectContext context{build_, settings_};
    const auto key = line.size() > 7 ? static_cast<unsigned char>(line[7]) : 0;
    // The first rule of an entry that holds applies; its later rules are
    // then passed over.
    std::size_t doneEntry = entries_.size();
    for (const Candidate& candidate : candidates_[key]) {
        const std::size_t e = candidate.entry;
        if (e == doneEntry || !ruleHolds(build_, kRules[candidate.rule], line))
            continue;
        doneEntry = e;
        const ResolvedEntry& entry = entries_[e];
        const Rule* applied = &kRules[candidate.rule];
        std::string& value = data.values[e];
        LineList& lines = data.lines[e];
        const auto width = static_cast<std::size_t>(std::max(entry.width, 0));
        switch (applied->action) {
        case Action::Copy:
            // A name the available table lacks has width 0: nothing is copied.
            if (width > 0)
                value.assign(Field(line, applied->from, width));
            break;
        case Action::CopyDatum:
            if (width > 0) {
                value.assign(Field(line, applied->from, width));
                if (value.size() > 6 && value[6] == '(')
                    value[6] = ' ';
            }
            break;
        case Action::Country: {
            const std::string_view text = Field(line, 24, std::string_view::npos);
            value = text.empty() ? std::string() : ds::CodeLookup(ds::countryRows(), text, "to_code");
            break;
        }
        case Action::Suitability:
            SetGpsSuitability(line, settings_, entry.width, value);
            data.dated[e] = 0;
            break;
        case Action::SatelliteDate: {
            std::string letter = value.substr(0, 1);
            value = letter + settings_.fieldDelim + SatelliteDate(line);
            data.dated[e] = 1;
            break;
        }
        case Action::Setting:
            value = settingNumber(line);
            break;
        case Action::HorzOrder: {
            std::string scratch;
            ds::ParseOrder(line, value, scratch, scratch, *build_.profile);
            break;
        }
        case Action::VertOrder: {
            std::string scratch;
            ds::ParseOrder(line, scratch, scratch, value, *build_.profile);
            break;
        }
        case Action::EllpOrder: {
            std::string scratch;
            ds::ParseOrder(line, scratch, value, scratch, *build_.profile);
            break;
        }
        case Action::VertClass: {
            std::string scratch;
            ds::ParseClass(line, value, scratch);
            break;
        }
        case Action::EllpClass: {
            std::string scratch;
            ds::ParseClass(line, scratch, value);
            break;
        }
        case Action::PlaneCoords:
            FormatPlaneCoords(line, settings_, value);
            break;
        case Action::CombinedFactor:
            FormatCombinedFactor(line, settings_, value);
            break;
        case Action::SpecialStatus:
            SetSpecialStatus(line, value);
            break;
        case Action::NoCheck:
            SetNoCheck(line, value);
            break;
        case Action::History:
            // The entry's kind was resolved from its name once.
            if (entry.kind == LineKind::History)
                CollectHistory(context, line, entry.name, lines);
            else if (entry.kind == LineKind::RecDate)
                CollectRecDate(context, line, entry.name, lines);
            else if (entry.kind == LineKind::RecCond)
                CollectRecCond(context, line, entry.name, lines);
            else
                CollectRecAgency(context, line, entry.name, lines);
            break;
        case Action::Latitude:
            FormatLatitude(line, settings_.positionFormat, settings_, value);
            break;
        case Action::Longitude:
            FormatLongitude(line, settings_.positionFormat, settings_, value);
            break;
        case Action::BoxScore:
            CollectBoxScore(context, line, lines);
            break;
        case Action::SuperNad83:
            CollectSuperNad83(context, line, lines);
            break;
        case Action::SuperNad27:
            CollectSuperNad27(context, line, lines);
            break;
        case Action::EllipDated:
            CollectEllipDated(context, line, lines);
            break;
        case Action::EllipHeight:
            CollectEllipHeight(context, line, lines);
            break;
        case Action::Ngvd29:
            CollectNgvd29(context, line, lines);
            break;
        case Action::Ngvd29Dated:
            CollectNgvd29Dated(context, line, lines);
            break;
        case Action::Navd88:
            CollectNavd88(context, line, lines);
            break;
        case Action::RecoveryTitle: {
            CollectRecoveryText(context, line, lines);
            // The line after a title belongs to the text, whatever it holds;
            // it is consumed here and tested by nothing else.
            // Only its line end goes: a CR inside it is text.
            std::string following;
            if (next && next(following))
                CollectRecoveryText(context, platform::chompLineEnd(following), lines);
            else
                CollectRecoveryText(context, {}, lines);
            break;
        }
        case Action::RecoveryText:
            CollectRecoveryText(context, line, lines);
            break;
        }
        if (!applied->next)
            return;
    }
}

} // namespace itempick
