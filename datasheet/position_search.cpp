#include "datasheet/position_search.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

#include "datasheet/datasheet_format.h"

namespace ds {

namespace {

constexpr std::size_t kPidColumn = 6;
constexpr std::size_t kPidLength = 6;
constexpr std::size_t kLatitudeColumn = 17;
constexpr std::size_t kLatitudeLength = 8;
constexpr std::size_t kLongitudeColumn = 28;
constexpr std::size_t kLongitudeLength = 9;
constexpr std::size_t kTagWidth = 5;

// GRS80, with the heights and the value of pi the distance has always used.
constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kEccentricitySquared = 0.006694380022903416;
constexpr double kEllipsoidHeight = 0.0;
constexpr double kPi = 3.14159265;
constexpr double kMetresPerMile = 1609.3472;

constexpr std::array<std::size_t, 3> kLatitudeWidths{2, 2, 2};
constexpr std::array<std::size_t, 3> kLongitudeWidths{3, 2, 2};

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads blank-separated whole numbers the way sscanf's "%Nd" conversions do:
// leading white space skipped, an optional sign, then digits, the sign and
// digits together at most N characters. Returns how many fields were read
// before the first that failed; fields not read keep their values.
int scanFields(std::string_view text, const std::array<std::size_t, 3>& widths, std::array<int, 3>& values)
{
    std::size_t pos = 0;
    int read = 0;
    for (std::size_t field = 0; field < widths.size(); ++field) {
        while (pos < text.size() && isCSpace(text[pos]))
            ++pos;
        if (pos >= text.size())
            return read;
        std::size_t taken = 0;
        bool negative = false;
        if (text[pos] == '+' || text[pos] == '-') {
            negative = text[pos] == '-';
            ++pos;
            ++taken;
        }
        int value = 0;
        std::size_t digits = 0;
        while (taken < widths[field] && pos < text.size() && isDigit(text[pos])) {
            value = value * 10 + (text[pos] - '0');
            ++pos;
            ++taken;
            ++digits;
        }
        if (digits == 0)
            return read;
        values[field] = negative ? -value : value;
        ++read;
    }
    return read;
}

// The three fields of a coordinate that passes its check.
bool readCoordinate(std::string_view text, std::size_t firstBlank, int maxDegrees, std::array<int, 3>& dms)
{
    if (text.size() < firstBlank + 6 || text[firstBlank] != ' ' || text[firstBlank + 3] != ' ')
        return false;
    dms = {0, 0, 0};
    const auto& widths = firstBlank == 2 ? kLatitudeWidths : kLongitudeWidths;
    if (scanFields(text, widths, dms) != 3)
        return false;
    return dms[0] >= 0 && dms[0] <= maxDegrees && dms[1] >= 0 && dms[1] <= 59 && dms[2] >= 0 && dms[2] <= 59;
}

std::string formatDms(const char* format, const std::array<int, 3>& dms)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, dms[0], dms[1], dms[2]);
    return buffer;
}

// "%5.1lf" without the locale's decimal point: the programs' texts always have '.'.
std::string formatMiles(double miles)
{
    char buffer[400]; // the longest fixed-point double
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, miles, std::chars_format::fixed, 1);
    std::string text(buffer, result.ptr);
    if (text.size() < kTagWidth)
        text.insert(0, kTagWidth - text.size(), ' ');
    return text;
}

// "%5.5s": the first five characters, right-aligned in five columns.
std::string tagField(std::string_view tag)
{
    std::string field(tag.substr(0, kTagWidth));
    field.insert(0, kTagWidth - field.size(), ' ');
    return field;
}

std::string_view column(std::string_view line, std::size_t at, std::size_t length)
{
    return at < line.size() ? line.substr(at, length) : std::string_view();
}

struct Cartesian {
    double x;
    double y;
    double z;
};

Cartesian toCartesian(double latitude, double longitude)
{
    const double phi = DegToRad(latitude);
    const double lambda = DegToRad(longitude);
    const double sinPhi = std::sin(phi);
    const double n = kSemiMajorAxis / std::sqrt(1.0 - kEccentricitySquared * sinPhi * sinPhi);
    return {(n + kEllipsoidHeight) * std::cos(phi) * std::cos(lambda),
            (n + kEllipsoidHeight) * std::cos(phi) * std::sin(lambda),
            (1.0 - kEccentricitySquared) * (n + kEllipsoidHeight) * sinPhi};
}

void reportProgress(std::size_t i, std::size_t count, platform::ProgressSink& progress)
{
    if (i % 20 == 0)
        progress.set(static_cast<int>(100 * static_cast<std::uint64_t>(i) / count));
}

} // namespace

std::string positionInput(std::string_view typed)
{
    return std::string(typed.substr(0, kPositionInputLength));
}

int CheckLatitude(std::string_view text)
{
    std::array<int, 3> dms{};
    return readCoordinate(text, 2, 90, dms) ? 0 : 1;
}

int CheckLongitude(std::string_view text)
{
    std::array<int, 3> dms{};
    return readCoordinate(text, 3, 359, dms) ? 0 : 1;
}

int CheckRadius(std::string_view text)
{
    if (text.size() > 4)
        return 1;
    const double radius = radiusValue(text);
    return radius >= 0.1 && radius <= 99.9 ? 0 : 1;
}

std::string canonicalLatitude(std::string_view text)
{
    std::array<int, 3> dms{};
    readCoordinate(text, 2, 90, dms);
    return formatDms("%02d %02d %02d", dms);
}

std::string canonicalLongitude(std::string_view text)
{
    std::array<int, 3> dms{};
    readCoordinate(text, 3, 359, dms);
    return formatDms("%03d %02d %02d", dms);
}

double radiusValue(std::string_view text)
{
    // The program runs under the user's locale (Qt sets it), where atof may
    // want a decimal comma; radius texts are always read with the C locale.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    // A decimal number only, as the original's atof read it: strtod would
    // also take "0x5A", "inf" and "nan". The longest prefix of blanks, a
    // sign, digits, a point, digits and an exponent is read.
    std::size_t end = 0;
    auto digits = [&] {
        const std::size_t start = end;
        while (end < text.size() && isDigit(text[end]))
            ++end;
        return end > start;
    };
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    if (end < text.size() && (text[end] == '+' || text[end] == '-'))
        ++end;
    bool mantissa = digits();
    if (end < text.size() && text[end] == '.') {
        ++end;
        mantissa = digits() || mantissa;
    }
    if (!mantissa)
        return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        const std::size_t mark = end++;
        if (end < text.size() && (text[end] == '+' || text[end] == '-'))
            ++end;
        if (!digits())
            end = mark;
    }
    const std::string terminated(text.substr(0, end));
    const locale_t previous = uselocale(cLocale);
    const double value = std::strtod(terminated.c_str(), nullptr);
    uselocale(previous);
    return value;
}

int InBox(std::string_view lat, std::string_view lon, std::string_view minLat, std::string_view maxLat,
          std::string_view minLon, std::string_view maxLon)
{
    // string_view compares bytes as unsigned char, as strcmp does.
    return minLat <= lat && lat < maxLat && minLon <= lon && lon < maxLon ? 1 : 0;
}

double DmsToDegrees(int degrees, int minutes, double seconds)
{
    return degrees + minutes * (1.0 / 60.0) + seconds * (1.0 / 3600.0);
}

double DegToRad(double degrees)
{
    return degrees * 2.0 * kPi / 360.0;
}

int ChordDistance(double lat1, double lon1, double lat2, double lon2, double radius, std::string& tag)
{
    const double limit = radius * kMetresPerMile;
    const Cartesian a = toCartesian(lat1, lon1);
    const Cartesian b = toCartesian(lat2, lon2);
    const double dx = std::fabs(a.x - b.x);
    const double dy = std::fabs(a.y - b.y);
    const double dz = std::fabs(a.z - b.z);
    const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (distance > limit)
        return 0;
    tag = formatMiles(distance / kMetresPerMile);
    return 1;
}

int InRadius(std::string_view pointLat, std::string_view stationLat, std::string_view pointLon,
             std::string_view stationLon, double radius, std::string& tag)
{
    std::array<int, 3> lat1{0, 0, 0};
    std::array<int, 3> lon1{0, 0, 0};
    std::array<int, 3> lat2{0, 0, 0};
    std::array<int, 3> lon2{0, 0, 0};
    const int read[] = {scanFields(pointLat, kLatitudeWidths, lat1), scanFields(pointLon, kLongitudeWidths, lon1),
                        scanFields(stationLat, kLatitudeWidths, lat2),
                        scanFields(stationLon, kLongitudeWidths, lon2)};
    for (int fields : read)
        if (fields == 0)
            return 1;
    return ChordDistance(DmsToDegrees(lat1[0], lat1[1], lat1[2]), DmsToDegrees(lon1[0], lon1[1], lon1[2]),
                         DmsToDegrees(lat2[0], lat2[1], lat2[2]), DmsToDegrees(lon2[0], lon2[1], lon2[2]), radius,
                         tag);
}

std::vector<std::string> AreaScan(const std::vector<std::string>& lines, std::string_view minLat,
                                  std::string_view maxLat, std::string_view minLon, std::string_view maxLon,
                                  const StationPasses& passes, platform::ProgressSink& progress)
{
    std::vector<std::string> hits;
    const std::size_t count = lines.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = lines[i];
        const bool inside = InBox(column(line, kLatitudeColumn, kLatitudeLength),
                                  column(line, kLongitudeColumn, kLongitudeLength), minLat, maxLat, minLon,
                                  maxLon) == 1;
        reportProgress(i, count, progress);
        if (inside && passes(std::string(column(line, kPidColumn, kPidLength))))
            hits.push_back(lines[i]);
    }
    return hits;
}

std::vector<std::string> FindInRadius(const std::vector<std::string>& lines, std::string_view pointLat,
                                      std::string_view pointLon, std::string_view radiusText,
                                      const StationPasses& passes, platform::ProgressSink& progress)
{
    std::vector<std::string> hits;
    const double radius = radiusValue(radiusText);
    const std::size_t count = lines.size();
    std::string tag;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = lines[i];
        tag.clear();
        const bool inside = InRadius(pointLat, column(line, kLatitudeColumn, kLatitudeLength), pointLon,
                                     column(line, kLongitudeColumn, kLongitudeLength), radius, tag) == 1;
        reportProgress(i, count, progress);
        if (inside && passes(std::string(column(line, kPidColumn, kPidLength)))) {
            std::string hit = tagField(tag);
            hit += '|';
            hit += column(line, kPidColumn, std::string_view::npos);
            hits.push_back(std::move(hit));
        }
    }
    return hits;
}

} // namespace ds
