// Positions in decimal degrees, plane coordinates, factors, flags and the
// satellite date.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdio>
#include <limits>

#include "itempick/core/formatters.h"
#include "itempick/core/record_format.h"
#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::line;
using itempick::Settings;

Settings decimal(const char* decimals, int westSign)
{
    Settings settings;
    settings.positionFormat = itempick::kDecimalDegreePositions;
    settings.decimals = decimals;
    settings.westSign = westSign;
    return settings;
}

std::string latitude(const std::string& text, const Settings& settings, std::string_view letter = "N")
{
    std::string value = "untouched";
    itempick::FormatLatitude(line({{24, text}, {38, "("}, {39, letter}, {40, ")"}}), settings.positionFormat,
                             settings, value);
    return value;
}

std::string longitude(const std::string& text, const Settings& settings, std::string_view letter = "W")
{
    std::string value = "untouched";
    itempick::FormatLongitude(line({{45, text}, {60, "("}, {61, letter}, {62, ")"}}), settings.positionFormat,
                              settings, value);
    return value;
}

TEST(DecimalDegrees, SumsInExtendedPrecision)
{
    // The sum keeps the 64-bit mantissa of x86-64's long double before it
    // is rounded to a double.
    static_assert(std::numeric_limits<long double>::digits == 64, "x86-64 extended precision assumed");
    const long double exact = 38.0L + 47.0L * (1.0L / 60.0L) + 48.99469L * (1.0L / 3600.0L);
    EXPECT_EQ(itempick::DecimalDegrees(38, 47, 48.99469), static_cast<double>(exact));
    EXPECT_EQ(itempick::FormatFixed(itempick::DecimalDegrees(38, 47, 48.99469), {10, 7}), "38.7969430");
    EXPECT_EQ(itempick::FormatFixed(itempick::DecimalDegrees(98, 12, 30.87742), {11, 7}), " 98.2085771");
}

TEST(PositionFormat, DecimalsAndSign)
{
    EXPECT_EQ(latitude("37 30 00.00000", decimal("1 decimals", 0)), "37.5");
    EXPECT_EQ(latitude("37 30 00.00000", decimal("0 decimals", 0)), " 38");
    EXPECT_EQ(longitude("098 30 00.00000", decimal("1 decimals", 1)), "-98.5");
    EXPECT_EQ(longitude("098 30 00.00000", decimal("1 decimals", 0)), " 98.5");
    EXPECT_EQ(latitude("38 47 48.99469", decimal("10 decimals", 0)), "38.7969429694");
    EXPECT_EQ(longitude("098 12 30.87742", decimal("7 decimals", 1)), "-98.2085771");
    // Standard: the characters as they stand, blanks included.
    Settings standard;
    EXPECT_EQ(latitude("38 47 48.9    ", standard), "38 47 48.9    ");
    // The blank decimals line, and a format other than the two: no value.
    EXPECT_EQ(latitude("37 30 00.00000", decimal(" ", 0)), "untouched");
    Settings other = decimal("7 decimals", 0);
    other.positionFormat = 2;
    EXPECT_EQ(latitude("37 30 00.00000", other), "untouched");
    // Fewer than three numbers: an empty field.
    EXPECT_EQ(latitude("              ", decimal("7 decimals", 0)), "");
    EXPECT_EQ(longitude("098 30        ", decimal("7 decimals", 0)), "");
}

TEST(PositionFormat, HemispheresTakeTheirSigns)
{
    // South latitudes are negative; an east longitude takes the sign a west
    // one does not.
    EXPECT_EQ(latitude("13 28 30.00000", decimal("4 decimals", 0), "S"), "-13.4750");
    EXPECT_EQ(longitude("144 45 00.00000", decimal("4 decimals", 1), "E"), "144.7500");
    EXPECT_EQ(longitude("144 45 00.00000", decimal("4 decimals", 0), "E"), "-144.7500");
    EXPECT_EQ(longitude("144 45 00.00000", decimal("4 decimals", 1), "W"), "-144.7500");
    // Standard keeps the text whatever the letter.
    EXPECT_EQ(latitude("13 28 30.00000", Settings{}, "S"), "13 28 30.00000");
}

TEST(PositionFormat, ZeroLongitudeTakesItsLetterSign)
{
    // A longitude's sign comes from its letter and the West choice alone:
    // an exact zero prints as a non-zero value that rounds to zero does
    // (printf's "%W.Pf" of the signed value, "-0.000" included).
    const char* const precisions[] = {"10 decimals", "9 decimals", "8 decimals", "7 decimals",
                                      "6 decimals",  "5 decimals", "4 decimals", "3 decimals",
                                      "2 decimals",  "1 decimals", "0 decimals"};
    const struct {
        const char* text;
        double degrees;
    } positions[] = {
        {"000 00 00.00000", 0},
        {"000 00 00      ", 0},
        {"000 00 00.00360", 0.00360 / 3600},
    };
    for (int westSign : {0, 1}) {
        for (const char* letter : {"W", "E"}) {
            const bool negative = (westSign == 1) == (std::string_view(letter) == "W");
            for (const auto& position : positions) {
                // Standard: the text as it stands, whatever the sign.
                Settings standard;
                standard.westSign = westSign;
                EXPECT_EQ(longitude(position.text, standard, letter), position.text);
                for (int i = 0; i <= 10; ++i) {
                    const int decimals = 10 - i;
                    SCOPED_TRACE(std::string(position.text) + " " + letter + " " + precisions[i] +
                                 (westSign ? " West = -" : " West = +"));
                    char expected[32];
                    std::snprintf(expected, sizeof expected, "%*.*f", decimals + 4, decimals,
                                  negative ? -position.degrees : position.degrees);
                    EXPECT_EQ(longitude(position.text, decimal(precisions[i], westSign), letter), expected);
                }
            }
        }
    }
    // The cases as a user sees them.
    EXPECT_EQ(longitude("000 00 00.00000", decimal("3 decimals", 1), "W"), " -0.000");
    EXPECT_EQ(longitude("000 00 00.00000", decimal("3 decimals", 1), "E"), "  0.000");
    EXPECT_EQ(longitude("000 00 00.00000", decimal("3 decimals", 0), "W"), "  0.000");
    EXPECT_EQ(longitude("000 00 00.00000", decimal("0 decimals", 0), "E"), "  -0");
    EXPECT_EQ(longitude("000 00 00.00360", decimal("7 decimals", 1), "E"), "  0.0000010");
    // A zero latitude is never negative, south or not.
    EXPECT_EQ(latitude("00 00 00.00000", decimal("3 decimals", 1), "S"), " 0.000");
    EXPECT_EQ(latitude("00 00 00.00000", decimal("0 decimals", 0), "N"), "  0");
}

TEST(PlaneCoordinates, SixFieldsByLayout)
{
    const std::string spc = line(
        {{7, ";SPC KS E"}, {21, "-"}, {23, "  240,411.374"}, {37, "  322,520.006"}, {53, "MT"}, {56, "0.99961802"},
         {70, "+0 01 05.2"}});
    Settings settings;
    std::string value;
    itempick::FormatPlaneCoords(spc, settings, value);
    EXPECT_EQ(value, "SPC KS E|  240,411.374|  322,520.006| MT|0.99961802|+0 01 05.2");
    settings.fixedField = true;
    itempick::FormatPlaneCoords(spc, settings, value);
    EXPECT_EQ(value, "SPC KS E  |  240,411.374|  322,520.006| MT|0.99961802 |+0 01 05.2");
    EXPECT_EQ(value.size(), 65u);
    // Without a sign at 70 the convergence starts at 68.
    settings.fixedField = false;
    itempick::FormatPlaneCoords(line({{7, ";UTM  14"}, {68, "0 19 08.9"}}), settings, value);
    EXPECT_EQ(value, "UTM  14|||||0 19 08.9");
    // "Scaled" empties the scale factor and the convergence.
    itempick::FormatPlaneCoords(line({{7, ";SPC KS E"}, {23, "1"}, {56, "0.9996"}, {70, "+0 01"}, {82, "Scaled"}}),
                                settings, value);
    EXPECT_EQ(value, "SPC KS E|1||||");
}

TEST(CombinedFactor, FourFields)
{
    const std::string text =
        line({{7, "!SPC KS E"}, {21, "-"}, {24, "0.99986558"}, {40, "0.99961802"}, {56, "0.99948365"}});
    Settings settings;
    settings.fieldDelim = ',';
    std::string value;
    itempick::FormatCombinedFactor(text, settings, value);
    EXPECT_EQ(value, "SPC KS E,0.99986558,0.99961802,0.99948365");
    settings.fixedField = true;
    itempick::FormatCombinedFactor(text, settings, value);
    EXPECT_EQ(value, "SPC KS E  ,0.99986558 ,0.99961802 ,0.99948365 ");
    EXPECT_EQ(value.size(), 46u);
}

TEST(Flags, SetTheFirstCharacter)
{
    std::string value;
    itempick::SetSpecialStatus("", value);
    EXPECT_EQ(value, "Y");
    value.clear();
    itempick::SetNoCheck("", value);
    EXPECT_EQ(value, "N");
    Settings fixed;
    fixed.fixedField = true;
    itempick::SetGpsSuitability(" AB1234_SATELLITE: SUITABLE", fixed, 10, value);
    EXPECT_EQ(value, "Y         ");
}

TEST(SatelliteDate, YearOrYearMonthDay)
{
    const auto date = [](std::string_view tail) {
        return itempick::SatelliteDate(line({{7, "+SATELLITE: SATELLITE OBSERVATIONS "}, {42, tail}}));
    };
    EXPECT_EQ(date("- 1990"), "1990");
    EXPECT_EQ(date("- 2004"), "2004");
    EXPECT_EQ(date("- January 3, 1991"), "199101 3");
    EXPECT_EQ(date("- December 25, 2003"), "20031225");
    EXPECT_EQ(date("- Janvier 13, 1991"), "199113");
    EXPECT_EQ(date("- sometime"), "");
    EXPECT_EQ(itempick::MonthNumber("in May and June"), "05");
    EXPECT_EQ(itempick::MonthNumber("nothing"), "");
}

TEST(RecordFormat, PadItemAndTrimTrailing)
{
    EXPECT_EQ(itempick::PadItem("Y", 10, true), "Y         ");
    EXPECT_EQ(itempick::PadItem("Y", 10, false), "Y");
    EXPECT_EQ(itempick::PadItem("Y", 0, true), "");
    EXPECT_EQ(itempick::PadItem("MX426012", 6, false), "MX4260");
    EXPECT_EQ(itempick::PadItem("MX426012", 6, true), "MX4260");
    std::string text = "A\xE9 \t\r\n";
    text += '\0';
    itempick::TrimTrailing(text);
    EXPECT_EQ(text, "A\xE9"); // 8-bit text stays
    EXPECT_EQ(itempick::CutLineEnd("AB\r\nCD"), "AB");
    EXPECT_EQ(itempick::CutLineEnd("AB\nCD\r"), "AB");
}

} // namespace
