#pragma once
// Values that are not plain copies of a datasheet line: positions (as they
// stand, or in decimal degrees), plane coordinates, combined factors, the
// status flags and the GPS suitability with its date. Numbers are read and
// printed without the C library's locale, so a user's locale never changes
// a decimal point.
#include <optional>
#include <string>
#include <string_view>

#include "itempick/core/item_settings.h"

namespace itempick {

// D + M/60 + S/3600, summed left to right in x86-64 extended precision
// (64-bit mantissa) and rounded to a double.
double DecimalDegrees(int degrees, int minutes, double seconds);

// The three numbers of a position text read as scanf reads them with
// "%2d %2d %8lf" (latitude, `degreeDigits` 2) or "%3d %2d %8lf"
// (longitude, 3). False when fewer than three were read.
bool ScanPosition(std::string_view text, int degreeDigits, int& degrees, int& minutes, double& seconds);

// The printf formats of a decimal-degree value, by the first of "10", "9",
// ..., "0" that the decimals text holds; none for the blank line.
struct DegreeFormat {
    int width;
    int decimals;
};
std::optional<DegreeFormat> LatitudeFormat(std::string_view decimalsText);
std::optional<DegreeFormat> LongitudeFormat(std::string_view decimalsText);

// printf's "%W.Pf" in the C locale.
std::string FormatFixed(double value, DegreeFormat format);

// A position field of a datasheet line in the chosen position format: the
// 14 (latitude at 24) or 15 (longitude at 45) characters as they stand, or
// the decimal-degree number. In decimal degrees a latitude marked S (index
// 39) is negative; a longitude is negative with "West = -" when marked W
// and with "West = +" when marked E (index 61), a zero as any other; a
// zero latitude is never negative. A text of fewer than three numbers gives
// an empty field. Nothing (no value written) when no format
// applies: the blank decimals line, or a position format other than 0, 1.
std::optional<std::string> LatitudeField(std::string_view line, int positionFormat, const Settings& settings);
std::optional<std::string> LongitudeField(std::string_view line, int positionFormat, const Settings& settings);

// TFSelect::FormatLatitude and FormatLongitude: the field into the value.
void FormatLatitude(std::string_view line, int positionFormat, const Settings& settings, std::string& value);
void FormatLongitude(std::string_view line, int positionFormat, const Settings& settings, std::string& value);

// TFSelect::FormatPlaneCoords: zone, northing, easting, units, scale factor
// and convergence of a ";SPC " or ";UTM " line.
void FormatPlaneCoords(std::string_view line, const Settings& settings, std::string& value);
// TFSelect::FormatCombinedFactor: zone and the three factors of a "!SPC "
// or "!UTM " line.
void FormatCombinedFactor(std::string_view line, const Settings& settings, std::string& value);

// The flags: "Y" and "N" in the value's first position.
void SetSpecialStatus(std::string_view line, std::string& value);
void SetNoCheck(std::string_view line, std::string& value);

// TFSelect::SetGpsSuitability: "N" when the "_SATELLITE: " line holds
// " NOT ", else "Y", fitted to the item's width.
void SetGpsSuitability(std::string_view line, const Settings& settings, int width, std::string& value);
// TFSelect::SatelliteDate: the year of a "+SATELLITE: " line, or year,
// month number and day run together.
std::string SatelliteDate(std::string_view line);
// TFSelect::MonthNumber: "01".."12" for the first month name of the
// calendar that the line holds; empty when it holds none.
std::string MonthNumber(std::string_view line);

} // namespace itempick
