#include "itempick/core/record_format.h"

namespace itempick {

namespace {

bool beginsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// Blanks, NULs and the ASCII control characters (DEL included).
bool isTrimmed(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7f;
}

} // namespace

std::string_view CutLineEnd(std::string_view line)
{
    // Two vectorised scans: the line feed, then a CR before it.
    line = line.substr(0, line.find('\n'));
    return line.substr(0, line.find('\r'));
}

void TrimTrailing(std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && isTrimmed(text[end - 1]))
        --end;
    text.resize(end);
}

std::string_view Field(std::string_view line, std::size_t at, std::size_t count)
{
    if (at >= line.size())
        return {};
    return line.substr(at, count);
}

std::string TrimmedField(std::string_view line, std::size_t at, std::size_t count)
{
    std::string field(Field(line, at, count));
    TrimTrailing(field);
    return field;
}

void AppendFixed(std::string& out, std::string_view text, std::size_t width)
{
    text = text.substr(0, width);
    out.append(text);
    out.append(width - text.size(), ' ');
}

std::string JoinFields(char delimiter, std::span<const FieldPart> parts, bool fixed)
{
    std::string out;
    bool first = true;
    for (const FieldPart& part : parts) {
        if (!first)
            out += delimiter;
        first = false;
        if (fixed)
            AppendFixed(out, part.text, part.width);
        else
            out += part.text;
    }
    return out;
}

std::string PadItem(std::string_view value, int width, bool fixedField)
{
    if (width < 1)
        return {};
    const auto w = static_cast<std::size_t>(width);
    if (!fixedField)
        return std::string(value.substr(0, w));
    std::string result;
    AppendFixed(result, value, w);
    return result;
}

std::string GpsSuitHeader(const Settings& settings)
{
    return settings.fixedField ? "G|SUIT_DAT" : "GPS_SUITABILITY|GPS_SUIT_DATE";
}

std::string PlaneCoordHeader(const Settings& settings)
{
    return settings.fixedField ? "ZONE      |NORTHING     |EASTING      |UNT|SCALE.     |CONVERG.  "
                               : "ZONE|NORTHING|EASTING|UNITS|SCALE FACTOR|CONVERGENCE";
}

std::string CombFactorHeader(const Settings& settings)
{
    return settings.fixedField ? "ZONE      |ELEV_FACTOR|SCAL_FACTOR|COMB_FACTOR" : "ZONE|ELEV_FACTOR|SCAL_FACTOR|COMB_FACTOR";
}

std::string SuperNad83Header(const Build& build, const Settings& settings)
{
    if (settings.fixedField)
        return std::string(build.superDatumHeader) + "|STag|SUP83_LAT|D|SUP83_LON|D|SUP83_SRC  |O";
    return "SUP83_DTM|SUP83_TAG|SUP83_LAT|SUP83_LATDIR|SUP83_LON|SUP83_LON_DIR|SUP83_SRC|SUP83_ORD";
}

std::string SuperNad27Header(const Build& build, const Settings& settings)
{
    if (settings.fixedField)
        return std::string(build.superDatumHeader) + "|SUP27_LAT|D|SUP27_LON|D|SUP27_SRC  |O";
    return "SUP27_DTM|SUP27_LAT|SUP27_LATDIR|SUP27_LON|SUP27_LON_DIR|SUP27_SRC|SUP27_ORD";
}

std::string RecoveryTextHeader(const Settings& settings)
{
    if (settings.singleLine)
        return "TEXT";
    return settings.fixedField ? "PID   |TEXT" : "PID|TEXT";
}

std::string HistoryHeader(const Build& build, const Settings& settings, std::string_view name)
{
    std::string fields;
    if (contains(name, "HISTORY"))
        fields = !settings.fixedField && build.shortConditionHeader ? "REC_DATE|CONDITION|AGENCY"
                                                                    : "REC_DATE|CONDITION     |AGENCY";
    else if (contains(name, "REC_DATE"))
        fields = "REC_DATE";
    else if (contains(name, "REC_COND"))
        fields = "REC_COND";
    else
        fields = "REC_AGENCY";
    // Only the separate lines of an ALL item begin with the PID.
    if (settings.singleLine || beginsWith(name, "LAST"))
        return fields;
    return (settings.fixedField ? "PID   |" : "PID|") + fields;
}

std::string BoxScoreHeader(const Settings& settings)
{
    std::string fields = settings.fixedField
                             ? "TO_PID|TO_NAME                            |DISTANCE  |UT|AZIMUTH"
                             : "TO_PID|TO_NAME|DISTANCE|UT|AZIMUTH";
    return settings.singleLine ? fields : "FR_PID|" + fields;
}

std::string HeaderText(const Build& build, const Settings& settings, const ItemChoice& item, bool morvaneHeader)
{
    const std::string text = settings.fixedField ? PadItem(item.name, item.width, true) : item.name;
    if (beginsWith(text, "GPS_SUIT"))
        return GpsSuitHeader(settings);
    if (beginsWith(text, "SUPER_NAD83_DATA"))
        return SuperNad83Header(build, settings);
    if (beginsWith(text, "SUPER_1927_DATA"))
        return SuperNad27Header(build, settings);
    if (beginsWith(text, "SPC_COMBINED_FACTOR") || beginsWith(text, "UTM_COMBINED_FACTOR"))
        return CombFactorHeader(settings);
    if (beginsWith(text, "SPC_MT") || beginsWith(text, "SPC_SFT") || beginsWith(text, "SPC_IFT") ||
        beginsWith(text, "UTM"))
        return PlaneCoordHeader(settings);
    if (beginsWith(text, "LAST HISTORY") || beginsWith(text, "ALL HISTORY"))
        return HistoryHeader(build, settings, text);
    if (!morvaneHeader) {
        for (std::string_view name : {"ALL REC_DATE", "ALL REC_COND", "ALL REC_AGENCY", "LAST REC_DATE",
                                      "LAST REC_COND", "LAST REC_AGENCY"})
            if (beginsWith(text, name))
                return HistoryHeader(build, settings, name);
    }
    if (beginsWith(text, "BOX_SCORE"))
        return BoxScoreHeader(settings);
    if (beginsWith(text, "RECOVERY "))
        return RecoveryTextHeader(settings);
    return text;
}

namespace {

void writeSeparateLine(std::string& out, const Settings& settings, std::string_view pid, std::string_view line)
{
    out += PadItem(pid, kPidWidth, settings.fixedField);
    out += settings.fieldDelim;
    out += line;
    out += "\r\n";
}

} // namespace

void WriteRecLine(std::string& out, const Settings& settings, std::string_view pid, const ItemChoice& item,
                  std::string_view line)
{
    std::string text = PadItem(line, item.width, settings.fixedField);
    TrimTrailing(text);
    if (settings.singleLine) {
        out += text;
        out += contains(item.name, "ALL") ? settings.lineDelim : settings.fieldDelim;
    } else if (contains(item.name, "LAST")) {
        out += text;
        out += settings.fieldDelim;
    } else {
        writeSeparateLine(out, settings, pid, text);
    }
}

void WriteListLine(std::string& out, const Settings& settings, std::string_view pid, std::string_view name,
                   std::string_view line)
{
    std::string text = PadItem(line, kCollectedLineWidth, settings.fixedField);
    TrimTrailing(text);
    if (settings.singleLine) {
        out += text;
        out += settings.lineDelim;
    } else if (contains(name, "LAST") || contains(name, "SUPER_")) {
        out += text;
        out += settings.fieldDelim;
    } else {
        writeSeparateLine(out, settings, pid, text);
    }
}

namespace {

// The delimiter after a line of an item that stands inside the record.
char inRecordDelimiter(const Settings& settings, const ItemChoice& item, bool recLine)
{
    if (settings.singleLine && !(recLine && !contains(item.name, "ALL")))
        return settings.lineDelim;
    return settings.fieldDelim;
}

} // namespace

void WriteEmptyLine(std::string& out, const Settings& settings, const ItemChoice& item, bool recLine,
                    std::string_view fields)
{
    if (fields.empty())
        out += PadItem({}, item.width, settings.fixedField);
    else
        out += fields;
    out += inRecordDelimiter(settings, item, recLine);
}

void WriteColumnLine(std::string& out, const Settings& settings, const ItemChoice& item, bool recLine,
                     std::string_view line, std::size_t width)
{
    AppendFixed(out, line, width);
    out += inRecordDelimiter(settings, item, recLine);
}

void WriteItemValue(std::string& out, const Settings& settings, const ItemChoice& item, std::string_view value)
{
    if (settings.fixedField)
        out += PadItem(value, item.width, true);
    else
        out += value;
}

} // namespace itempick
