#include "itempick/core/formatters.h"

#include <charconv>
#include <cstdlib>

#include "itempick/core/record_format.h"

namespace itempick {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigitChar(char c)
{
    return c >= '0' && c <= '9';
}

void skipSpace(std::string_view text, std::size_t& at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
}

// The start of a scanf number field of at most `width` characters: blanks
// skipped (from `at`), then the sign, if any.
struct NumberField {
    std::size_t end;  // where the field's width ends
    std::size_t p;    // after the sign
    bool negative;
};

NumberField startNumber(std::string_view text, std::size_t& at, std::size_t width)
{
    skipSpace(text, at);
    NumberField field{std::min(text.size(), at + width), at, false};
    if (field.p < field.end && (text[field.p] == '+' || text[field.p] == '-'))
        field.negative = text[field.p++] == '-';
    return field;
}

// scanf's "%Nd": blanks skipped, then at most N characters of sign and digits.
bool scanInt(std::string_view text, std::size_t& at, std::size_t width, int& value)
{
    auto [end, p, negative] = startNumber(text, at, width);
    const std::size_t digits = p;
    long result = 0;
    while (p < end && isDigitChar(text[p]))
        result = result * 10 + (text[p++] - '0');
    if (p == digits)
        return false;
    value = static_cast<int>(negative ? -result : result);
    at = p;
    return true;
}

// scanf's "%Nlf" for the numbers a datasheet holds: blanks skipped, then at
// most N characters of sign, digits, point, digits and exponent.
bool scanDouble(std::string_view text, std::size_t& at, std::size_t width, double& value)
{
    auto [end, p, negative] = startNumber(text, at, width);
    const std::size_t start = p;
    std::size_t digits = 0;
    while (p < end && isDigitChar(text[p]))
        ++p, ++digits;
    if (p < end && text[p] == '.') {
        ++p;
        while (p < end && isDigitChar(text[p]))
            ++p, ++digits;
    }
    if (digits == 0)
        return false;
    std::size_t mantissaEnd = p;
    if (p < end && (text[p] == 'e' || text[p] == 'E')) {
        std::size_t q = p + 1;
        if (q < end && (text[q] == '+' || text[q] == '-'))
            ++q;
        const std::size_t expDigits = q;
        while (q < end && isDigitChar(text[q]))
            ++q;
        if (q > expDigits)
            mantissaEnd = q;
    }
    double number = 0;
    const auto result = std::from_chars(text.data() + start, text.data() + mantissaEnd, number);
    if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range)
        return false;
    value = negative ? -number : number;
    at = mantissaEnd;
    return true;
}

std::optional<int> decimalsOf(std::string_view decimalsText)
{
    for (int d = 10; d >= 0; --d) {
        const std::string digits = std::to_string(d);
        if (decimalsText.find(digits) != std::string_view::npos)
            return d;
    }
    return std::nullopt;
}

std::optional<std::string> positionField(std::string_view line, int positionFormat, const Settings& settings,
                                         bool longitude)
{
    const std::string_view text = Field(line, longitude ? 45 : 24, longitude ? 15 : 14);
    if (positionFormat == kStandardPositions)
        return std::string(text);
    if (positionFormat != kDecimalDegreePositions)
        return std::nullopt;
    const auto format = longitude ? LongitudeFormat(settings.decimals) : LatitudeFormat(settings.decimals);
    if (!format)
        return std::nullopt;
    int degrees = 0;
    int minutes = 0;
    double seconds = 0;
    if (!ScanPosition(text, longitude ? 3 : 2, degrees, minutes, seconds))
        return std::string();
    double value = DecimalDegrees(degrees, minutes, seconds);
    bool negative;
    if (longitude) {
        // West longitudes take the chosen sign, east ones the other.
        const bool east = Field(line, 61, 1) == "E";
        negative = (settings.westSign == 1) != east;
    } else {
        negative = Field(line, 39, 1) == "S";
    }
    // A longitude's sign follows its letter alone, a zero's too (" -0.000"
    // for a zero marked W with "West = -", as for any west longitude that
    // rounds to zero). A zero latitude is never negative.
    if (value == 0 && !longitude)
        negative = false;
    if (negative)
        value = -value;
    return FormatFixed(value, *format);
}

} // namespace

double DecimalDegrees(int degrees, int minutes, double seconds)
{
    // The nearest extended-precision numbers to 1/60 and 1/3600.
    const long double perMinute = 1.0L / 60.0L;
    const long double perSecond = 1.0L / 3600.0L;
    long double sum = static_cast<long double>(degrees) + static_cast<long double>(minutes) * perMinute;
    sum += static_cast<long double>(seconds) * perSecond;
    return static_cast<double>(sum);
}

bool ScanPosition(std::string_view text, int degreeDigits, int& degrees, int& minutes, double& seconds)
{
    std::size_t at = 0;
    return scanInt(text, at, static_cast<std::size_t>(degreeDigits), degrees) && scanInt(text, at, 2, minutes) &&
           scanDouble(text, at, 8, seconds);
}

std::optional<DegreeFormat> LatitudeFormat(std::string_view decimalsText)
{
    const auto decimals = decimalsOf(decimalsText);
    if (!decimals)
        return std::nullopt;
    return DegreeFormat{*decimals + 3, *decimals};
}

std::optional<DegreeFormat> LongitudeFormat(std::string_view decimalsText)
{
    const auto decimals = decimalsOf(decimalsText);
    if (!decimals)
        return std::nullopt;
    return DegreeFormat{*decimals + 4, *decimals};
}

std::string FormatFixed(double value, DegreeFormat format)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, format.decimals);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (text.size() < static_cast<std::size_t>(format.width))
        text.insert(0, static_cast<std::size_t>(format.width) - text.size(), ' ');
    return text;
}

std::optional<std::string> LatitudeField(std::string_view line, int positionFormat, const Settings& settings)
{
    return positionField(line, positionFormat, settings, false);
}

std::optional<std::string> LongitudeField(std::string_view line, int positionFormat, const Settings& settings)
{
    return positionField(line, positionFormat, settings, true);
}

void FormatLatitude(std::string_view line, int positionFormat, const Settings& settings, std::string& value)
{
    if (auto field = LatitudeField(line, positionFormat, settings))
        value = std::move(*field);
}

void FormatLongitude(std::string_view line, int positionFormat, const Settings& settings, std::string& value)
{
    if (auto field = LongitudeField(line, positionFormat, settings))
        value = std::move(*field);
}

namespace {

std::string layout(const Settings& settings, std::initializer_list<FieldPart> fields, bool fixed)
{
    return JoinFields(settings.fieldDelim, fields, fixed);
}

} // namespace

void FormatPlaneCoords(std::string_view line, const Settings& settings, std::string& value)
{
    const std::string zone = TrimmedField(line, 8, 10);
    const std::string northing = TrimmedField(line, 23, 13);
    const std::string easting = TrimmedField(line, 37, 13);
    const std::string units = TrimmedField(line, 52, 3);
    std::string scale = TrimmedField(line, 56, 11);
    const std::string_view sign = Field(line, 70, 1);
    std::string convergence = TrimmedField(line, sign == "+" || sign == "-" ? 70 : 68, 10);
    if (line.find("Scaled") != std::string_view::npos) {
        scale.clear();
        convergence.clear();
    }
    value = layout(settings,
                   {{zone, 10}, {northing, 13}, {easting, 13}, {units, 3}, {scale, 11}, {convergence, 10}},
                   settings.fixedField);
}

void FormatCombinedFactor(std::string_view line, const Settings& settings, std::string& value)
{
    value = layout(settings,
                   {{TrimmedField(line, 8, 10), 10},
                    {TrimmedField(line, 24, 11), 11},
                    {TrimmedField(line, 40, 11), 11},
                    {TrimmedField(line, 56, 11), 11}},
                   settings.fixedField);
}

void SetSpecialStatus(std::string_view, std::string& value)
{
    if (value.empty())
        value.assign(1, 'Y');
    else
        value[0] = 'Y';
}

void SetNoCheck(std::string_view, std::string& value)
{
    if (value.empty())
        value.assign(1, 'N');
    else
        value[0] = 'N';
}

void SetGpsSuitability(std::string_view line, const Settings& settings, int width, std::string& value)
{
    const std::string_view letter = line.find(" NOT ") != std::string_view::npos ? "N" : "Y";
    value = PadItem(letter, width, settings.fixedField);
}

std::string MonthNumber(std::string_view line)
{
    static constexpr std::string_view kMonths[12] = {"January", "February", "March",     "April",
                                                     "May",     "June",     "July",      "August",
                                                     "September", "October", "November", "December"};
    static constexpr std::string_view kNumbers[12] = {"01", "02", "03", "04", "05", "06",
                                                      "07", "08", "09", "10", "11", "12"};
    for (std::size_t i = 0; i < 12; ++i)
        if (line.find(kMonths[i]) != std::string_view::npos)
            return std::string(kNumbers[i]);
    return {};
}

std::string SatelliteDate(std::string_view line)
{
    if (Field(line, 42, 4) == "- 19" || Field(line, 42, 3) == "- 2")
        return std::string(Field(line, 44, 4));
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos || comma < 1)
        return {};
    std::string date(Field(line, comma + 2, 4));
    date += MonthNumber(line);
    // The day: the two characters before the comma (one when the comma
    // stands at index 1).
    date += comma >= 2 ? Field(line, comma - 2, 2) : Field(line, 0, 1);
    return date;
}

} // namespace itempick
