#pragma once
// Area and point-radius searches over station-list lines: the tests of the
// typed coordinates and radius, the inside tests, the distance, and the two
// scans. Coordinate texts are "dd mm ss" (latitude) and "ddd mm ss"
// (longitude, west-positive as in the datasheets), fields separated by
// blanks. Of a station-list line the scans take the PID (index 6-11), the
// latitude's first 8 characters (index 17-24) and the longitude's first 9
// (index 28-36): fractions of seconds take no part.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/progress.h"

namespace ds {

// At most this many typed characters of a box take part.
inline constexpr std::size_t kPositionInputLength = 15;

// The typed text as far as it takes part.
std::string positionInput(std::string_view typed);

// 0 when the text passes, 1 when it fails. A latitude has at least 8
// characters, blanks at index 2 and 5, and reads as three numbers of at most
// two digits each (leading blanks skipped, as "%02d%02d%02d" reads):
// degrees 0-90, minutes and seconds 0-59. Whatever follows the seconds is
// not looked at.
int CheckLatitude(std::string_view text);
// A longitude: at least 9 characters, blanks at index 3 and 6, three-digit
// degrees 0-359, minutes and seconds 0-59.
int CheckLongitude(std::string_view text);
// A radius: at most 4 characters, its value (as the C library's atof reads
// it, 0 for a text that is no number) 0.1 to 99.9 miles.
int CheckRadius(std::string_view text);

// A coordinate that passed its check, in the form of the station list
// ("dd mm ss", "ddd mm ss"), so that " 9 00 00" and "09 00 00" compare alike.
std::string canonicalLatitude(std::string_view text);
std::string canonicalLongitude(std::string_view text);

// The radius text's value as atof gives it, in any locale.
double radiusValue(std::string_view text);

// 1 when minLat <= lat < maxLat and minLon <= lon < maxLon, 0 otherwise;
// whole texts compared byte by byte. Closed at the minimum edges, open at
// the maximum edges; a box with a minimum above its maximum holds nothing.
int InBox(std::string_view lat, std::string_view lon, std::string_view minLat, std::string_view maxLat,
          std::string_view minLon, std::string_view maxLon);

// degrees + minutes / 60 + seconds / 3600.
double DmsToDegrees(int degrees, int minutes, double seconds);
// x degrees in radians, with pi taken as 3.14159265.
double DegToRad(double degrees);

// The straight-line (chord) distance between the two positions (decimal
// degrees) on the GRS80 ellipsoid at height 0. Within the radius (miles;
// the edge included): the distance in miles "%5.1lf" into tag, returns 1.
// Outside: 0, tag untouched.
int ChordDistance(double lat1, double lon1, double lat2, double lon2, double radius, std::string& tag);

// The point and the station as texts. A text with no number at all (a
// station without a position) is inside at once, its tag left empty;
// otherwise the fields not read count 0 and the chord distance decides.
int InRadius(std::string_view pointLat, std::string_view stationLat, std::string_view pointLon,
             std::string_view stationLon, double radius, std::string& tag);

// Decides, by its PID, whether a station inside the box or circle is listed
// (the offset lookup and the type test of its datasheet).
using StationPasses = std::function<bool(const std::string& pid)>;

// The lines inside the box whose stations pass, unchanged, in list order.
// The bounds are compared as given: canonicalise typed ones first. Progress:
// the truncated 100 x i / count at every i divisible by 20.
std::vector<std::string> AreaScan(const std::vector<std::string>& lines, std::string_view minLat,
                                  std::string_view maxLat, std::string_view minLon, std::string_view maxLon,
                                  const StationPasses& passes, platform::ProgressSink& progress);

// The lines within the radius (text, read as atof does) whose stations pass,
// in list order, each "%5.5s|%s": the distance tag in place of the line's own
// tag, then the line from index 6. Progress as in the area scan.
std::vector<std::string> FindInRadius(const std::vector<std::string>& lines, std::string_view pointLat,
                                      std::string_view pointLon, std::string_view radiusText,
                                      const StationPasses& passes, platform::ProgressSink& progress);

} // namespace ds
