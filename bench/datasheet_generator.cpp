#include "bench/datasheet_generator.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace dsgen {
namespace {

// ---------------------------------------------------------------------------
// Random numbers: splitmix64, the same sequence everywhere.

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // 0 .. n-1 (the modulo bias is far below anything a test could see).
    long long below(long long n) { return static_cast<long long>(next() % static_cast<std::uint64_t>(n)); }
    long long between(long long lo, long long hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }

    template <typename T, std::size_t N>
    T pick(const std::array<T, N>& items)
    {
        return items[static_cast<std::size_t>(below(static_cast<long long>(N)))];
    }

private:
    std::uint64_t state_;
};

// ---------------------------------------------------------------------------
// Number and text formatting, integers only.

[[gnu::format(printf, 1, 2)]] std::string format(const char* fmt, ...);

std::string format(const char* fmt, ...)
{
    char buffer[256];
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    return std::string(buffer, n < 0 ? 0 : static_cast<std::size_t>(n));
}

long long power10(int decimals)
{
    long long p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

// value / 10^decimals with that many decimals, e.g. (-2193, 2) -> "-21.93";
// with `grouped`, commas between the thousands of the whole part.
std::string fixedPoint(long long value, int decimals, bool grouped = false)
{
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    const auto scale = static_cast<unsigned long long>(power10(decimals));
    std::string whole = std::to_string(magnitude / scale);
    if (grouped)
        for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(static_cast<std::size_t>(i), 1, ',');
    std::string text = negative ? "-" + whole : whole;
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % scale);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
        text += fraction;
    }
    return text;
}

std::string rightAligned(std::string_view text, std::size_t width)
{
    std::string out;
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out += text;
    return out;
}

std::string leftAligned(std::string_view text, std::size_t width)
{
    std::string out(text);
    if (out.size() < width)
        out.append(width - out.size(), ' ');
    return out;
}

// Joins the parts in the order written. The elements of a braced list are
// evaluated in order, while the operands of + and the arguments of a call are
// not: compilers differ, and so would the PRNG draws made in them.
std::string cat(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += part;
    return text;
}

void appendWord(std::string& text, const std::string& word)
{
    text += ' ';
    text += word;
}

// Words joined with blanks into lines of at most `width` characters.
std::vector<std::string> wrap(const std::string& text, std::size_t width)
{
    std::vector<std::string> lines;
    std::string current;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        if (!current.empty() && current.size() + 1 + word.size() > width) {
            lines.push_back(current);
            current.clear();
        }
        if (!current.empty())
            current += ' ';
        current += word;
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

// ---------------------------------------------------------------------------
// Word lists. All names are made up.

constexpr std::array<std::string_view, 68> kWords = {
    "ALDER", "ARROYO", "BADGER", "BASALT", "BEACON", "BENCH", "BIRCH", "BLUFF", "BOULDER",
    "BRUSH", "BUTTE", "CACTUS", "CANYON", "CEDAR", "CHALK", "CINDER", "CLAY", "COPPER",
    "COTTON", "COYOTE", "CRATER", "CREEK", "CROW", "DRAW", "EAGLE", "ELK", "FLAT",
    "FORK", "GAP", "GRANITE", "GULCH", "HAWK", "HOLLOW", "IRON", "JUNIPER", "KNOB",
    "LAVA", "LEDGE", "LOOKOUT", "MESA", "MILL", "OAK", "OWL", "PASS", "PEAK",
    "PINE", "PINON", "QUAIL", "QUARRY", "RAVEN", "RIDGE", "ROCK", "SADDLE", "SAGE",
    "SALT", "SAND", "SHALE", "SPRING", "SPUR", "TANK", "TIMBER", "VALLEY", "WASH",
    "WELL", "WILLOW", "WIND", "YUCCA", "ZINC",
};

constexpr std::array<std::string_view, 8> kDirections = {
    "NORTH", "SOUTH", "EAST", "WEST", "NORTHEAST", "NORTHWEST", "SOUTHEAST", "SOUTHWEST",
};

constexpr std::array<std::string_view, 12> kMonths = {
    "JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE",
    "JULY", "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER",
};

// The month names as the satellite lines spell them.
constexpr std::array<std::string_view, 12> kMonthsMixed = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December",
};

struct Choice {
    std::string_view code;
    std::string_view text;
};

constexpr std::array<Choice, 6> kMarkers = {{
    {"DD", "SURVEY DISK"}, {"DB", "BENCH MARK DISK"}, {"DR", "REFERENCE MARK DISK"},
    {"DZ", "AZIMUTH MARK DISK"}, {"F ", "FLANGE-ENCASED ROD"}, {"I ", "METAL ROD"},
}};

constexpr std::array<Choice, 5> kSettings = {{
    {"7", "SET IN TOP OF CONCRETE MONUMENT"},
    {"36", "SET IN A MASSIVE STRUCTURE"},
    {"30", "SET IN A DRILL HOLE IN BEDROCK"},
    {"5", "SET IN THE HEADWALL OF A CULVERT"},
    {"49", "STEEL ROD DRIVEN TO REFUSAL"},
}};

constexpr std::array<std::string_view, 4> kStabilities = {
    "A = EXPECTED TO HOLD ITS POSITION VERY WELL",
    "B = PROBABLY HOLDS ITS POSITION WELL",
    "C = MAY HOLD, BUT OF A KIND THAT GROUND",
    "D = STABILITY UNKNOWN OR IN DOUBT",
};

constexpr std::array<std::string_view, 6> kConditions = {
    "GOOD", "GOOD", "GOOD", "POOR", "MARK NOT FOUND", "SEE DESCRIPTION",
};

constexpr std::array<std::string_view, 6> kAgencies = {"QGB", "QGB", "COUNTY", "STATE", "CITY", "PRIVAT"};

constexpr std::array<std::string_view, 5> kAgencyNames = {
    "QUARNDALE GEOMARK BUREAU", "QUARNDALE GEOMARK BUREAU", "THE COUNTY SURVEYOR",
    "THE STATE HIGHWAY DEPARTMENT", "A PRIVATE SURVEYOR",
};

constexpr std::array<std::string_view, 6> kSurfaces = {
    "THE EDGE OF PAVEMENT", "A FENCE CORNER", "A POWER POLE", "A CATTLE GUARD",
    "THE CENTER OF A DIRT TRACK", "A STEEL WITNESS POST",
};

// Where positions and heights fall: whole degrees of the range, hemispheres,
// heights in metres, the COUNTRY line's value.
struct Region {
    std::string_view code;
    int latFrom, latTo;
    char latHemisphere;
    int lonFrom, lonTo;
    char lonHemisphere;
    int heightFrom, heightTo;
    std::string_view country;
};

constexpr std::array<Region, 5> kRegions = {{
    {"AZ", 31, 36, 'N', 109, 114, 'W', 100, 3400, "UNITED STATES OF AMERICA"},
    {"NM", 32, 36, 'N', 103, 108, 'W', 900, 3900, "UNITED STATES OF AMERICA"},
    {"CO", 37, 40, 'N', 102, 108, 'W', 1000, 4300, "UNITED STATES OF AMERICA"},
    {"GU", 13, 13, 'N', 144, 144, 'E', 0, 400, "GUAM"},
    // Around the sample values of the area and point-radius dialogs.
    {"KS", 37, 38, 'N', 98, 99, 'W', 300, 900, "UNITED STATES OF AMERICA"},
}};

constexpr Region kMainland = {"", 30, 44, 'N', 80, 120, 'W', 0, 2000, "UNITED STATES OF AMERICA"};

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

const Region& regionOf(std::string_view state)
{
    for (const Region& region : kRegions)
        if (region.code == state)
            return region;
    return kMainland;
}

// ---------------------------------------------------------------------------
// Positions in units of 1/100000 of an arc second.

constexpr long long kDegree = 3600LL * 100000LL;
constexpr long long kMinute = 60LL * 100000LL;
constexpr long long kSecond = 100000LL;

// "dd mm ss" or "ddd mm ss" in units of 1/100000 of an arc second; -1 when
// the text is not three numbers with minutes and seconds below 60.
long long angleValue(const std::string& text)
{
    int degrees = 0, minutes = 0, seconds = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%d %d %d%c", &degrees, &minutes, &seconds, &rest) != 3 || degrees < 0 ||
        degrees > 359 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return -1;
    return degrees * kDegree + minutes * kMinute + seconds * kSecond;
}

// "dd mm ss.sssss" (14) or "ddd mm ss.sssss" (15); a scaled position prints
// the whole seconds and the point, then blanks to the same width.
std::string angleText(long long angle, int degreeDigits, bool scaled)
{
    const long long degrees = angle / kDegree;
    const long long minutes = angle % kDegree / kMinute;
    const long long seconds = angle % kMinute / kSecond;
    const long long fraction = angle % kSecond;
    if (scaled)
        return format("%0*lld %02lld %02lld.     ", degreeDigits, degrees, minutes, seconds);
    return format("%0*lld %02lld %02lld.%05lld", degreeDigits, degrees, minutes, seconds, fraction);
}

// "dddmmss.s", an azimuth in tenths of an arc second.
std::string azimuthText(long long tenths)
{
    return format("%03lld%02lld%02lld.%lld", tenths / 36000, tenths / 600 % 60, tenths / 10 % 60, tenths % 10);
}

// "+d mm ss.s" with its sign, a convergence angle in tenths of an arc second.
std::string convergenceText(long long tenths)
{
    const char sign = tenths < 0 ? '-' : '+';
    const long long m = tenths < 0 ? -tenths : tenths;
    return format("%c%lld %02lld %02lld.%lld", sign, m / 36000, m / 600 % 60, m / 10 % 60, m % 10);
}

// ---------------------------------------------------------------------------
// One body line, built field by field at fixed indexes.

class Line {
public:
    Line(const std::string& pid, char mark)
    {
        text_.reserve(96);
        text_ += ' ';
        text_ += pid;
        text_ += mark;
    }

    // Blank-pads up to the index and puts the text there. Fields must come
    // in column order; an overlap is a fault in the layout below.
    Line& at(std::size_t index, std::string_view text)
    {
        if (text_.size() > index)
            throw std::logic_error("datasheet generator: field overlaps at index " + std::to_string(index));
        text_.append(index - text_.size(), ' ');
        text_ += text;
        return *this;
    }

    // A labelled line: the name padded to 12 with '-' at index 21, the value
    // from index 24.
    Line& label(std::string_view name, std::string_view value)
    {
        at(9, leftAligned(name, 12) + "-");
        if (!value.empty())
            at(24, value);
        return *this;
    }

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// ---------------------------------------------------------------------------
// What one station holds, drawn before its lines are written so that related
// lines (heights, orders, notes) agree with each other.

enum class Special { None, Fbn, Cbn, Cors, Pacs, Sacs, Tidal };
enum class Vertical { None, Leveled, Posted, Readjust, Unknown };

struct Station {
    std::string pid;
    std::string designation;
    Special special = Special::None;
    bool positioned = true;
    bool oldPositionForm = false;
    bool scaled = false;
    std::string datumTag;
    long long lat = 0, lon = 0;
    std::string horizontalOrder; // empty: no HORZ ORDER line
    Vertical vertical = Vertical::None;
    std::string verticalOrder;    // the value of the VERT ORDER line
    bool navd88 = false;
    long long orthoCm = 0;
    long long geoidCm = 0;
    bool ellipsoid = false;
    std::string ellipsoidOrder; // empty: no ELLP ORDER line
    int monumentYear = 1950;
};

// Writes one station at a time. The bytes depend on the order of the PRNG
// draws, so no statement leaves that order to the compiler: at most one draw
// among the arguments of a call or the operands of +, more only in the
// condition of ?:, in chained calls (left to right) or in cat() lists.
class StationWriter {
public:
    StationWriter(const Options& options, Rng& rng, const std::vector<std::string>& quads)
        : options_(options), rng_(rng), quads_(quads), state_(upper(options.state)), region_(regionOf(state_)),
          eol_(options.lineEnd == LineEnd::CrLf ? "\r\n" : "\n")
    {
    }

    void write(const std::string& pid, const std::string& header, bool longLine, std::string& out)
    {
        out_ = &out;
        s_ = drawStation(pid);
        out += header;
        out += eol_;
        specialLines();
        identityLines();
        currentControl();
        orderLines();
        notes();
        if (s_.positioned && !s_.scaled && rng_.percent(75))
            gridBlock();
        if (rng_.percent(45))
            boxScore();
        if (rng_.percent(45))
            supersededBlock();
        markLines();
        history();
        descriptionAndRecoveries(longLine);
    }

private:
    Line body(char mark = ' ') const { return Line(s_.pid, mark); }

    void emit(const Line& line)
    {
        *out_ += line.text();
        *out_ += eol_;
    }

    void labelled(std::string_view name, std::string_view value) { emit(body().label(name, value)); }

    // An empty body line: the blank and the PID alone.
    void blank()
    {
        *out_ += ' ';
        *out_ += s_.pid;
        *out_ += eol_;
    }

    std::string word() { return std::string(rng_.pick(kWords)); }

    std::string twoWords() { return cat({word(), " ", word()}); }

    std::string direction() { return std::string(rng_.pick(kDirections)); }

    std::string year(int from, int to) { return std::to_string(rng_.between(from, to)); }

    // "mm/dd/yy"
    std::string shortDate(int fromYear, int toYear)
    {
        const long long month = rng_.between(1, 12);
        const long long day = rng_.between(1, 28);
        return format("%02lld/%02lld/%02lld", month, day, rng_.between(fromYear, toYear) % 100);
    }

    // Lengths from one character to past the 40 that the station list keeps.
    std::string drawDesignation()
    {
        switch (rng_.below(20)) {
        case 0: {
            std::string name = word();
            const auto length = static_cast<std::size_t>(rng_.between(34, 52));
            while (name.size() < length)
                appendWord(name, word());
            return name;
        }
        case 1:
            return std::string(1, static_cast<char>('A' + rng_.below(26)));
        case 2:
        case 3:
            return cat({twoWords(), " RESET ", year(1960, 2003)});
        case 4:
        case 5:
            return cat({twoWords(), " ", std::to_string(rng_.between(1, 9)), " ", year(1930, 2003)});
        case 6:
        case 7:
            return cat({std::to_string(rng_.between(1000, 9999)), " ", word()});
        case 8:
        case 9:
            return cat({word(), " ", rng_.percent(50) ? "AZ MK" : "RM " + std::to_string(rng_.between(1, 4))});
        case 10:
        case 11:
        case 12:
            return cat({word(), " ", std::to_string(rng_.between(1, 99))});
        case 13:
        case 14:
        case 15:
            return cat({std::string(1, static_cast<char>('A' + rng_.below(26))), " ", std::to_string(rng_.between(1, 999))});
        default:
            return twoWords();
        }
    }

    std::string drawVerticalOrder(Vertical kind)
    {
        static constexpr std::array<std::string_view, 9> kLeveled = {
            "FIRST     CLASS I", "FIRST     CLASS II", "FIRST     CLASS 0", "SECOND    CLASS 0",
            "SECOND    CLASS I", "SECOND    CLASS II", "THIRD", "THIRD", "THIRD ?",
        };
        static constexpr std::array<char, 7> kCodes = {'A', 'B', 'C', 'D', 'E', 'F', 'N'};
        switch (kind) {
        case Vertical::Leveled:
            return std::string(rng_.pick(kLeveled));
        case Vertical::Posted:
            return std::string("* POSTED, Code ") + rng_.pick(kCodes);
        case Vertical::Readjust:
            return "* READJUSTED M-HEIGHT";
        case Vertical::Unknown:
            return "?";
        case Vertical::None:
            break;
        }
        return {};
    }

    Station drawStation(const std::string& pid)
    {
        Station s;
        s.pid = pid;
        s.designation = drawDesignation();
        const long long r = rng_.below(100);
        s.special = r < 3 ? Special::Fbn : r < 8 ? Special::Cbn : r < 10 ? Special::Cors
                  : r < 12 ? Special::Pacs : r < 15 ? Special::Sacs : r < 16 ? Special::Tidal : Special::None;
        s.positioned = s.special != Special::None || rng_.percent(98);
        s.oldPositionForm = rng_.percent(3);
        s.scaled = s.special == Special::None && rng_.percent(15);
        s.datumTag = s.special == Special::Cors ? "CORS" : std::string(rng_.pick(std::array<std::string_view, 4>{"1986", "1992", "1993", "2007"}));
        if (options_.nearSeconds > 0) {
            const long long within = options_.nearSeconds * kSecond;
            s.lat = angleValue(options_.nearLatitude) - within + rng_.below(2 * within + 1);
            s.lon = angleValue(options_.nearLongitude) - within + rng_.below(2 * within + 1);
        } else {
            s.lat = region_.latFrom * kDegree + rng_.below((region_.latTo - region_.latFrom + 1) * kDegree);
            s.lon = region_.lonFrom * kDegree + rng_.below((region_.lonTo - region_.lonFrom + 1) * kDegree);
        }

        if (s.positioned) {
            if (s.special == Special::Cors)
                s.horizontalOrder = "SPECIAL (CORS)";
            else if (s.scaled)
                s.horizontalOrder = rng_.percent(50) ? "THIRD" : "";
            else if (s.special == Special::Fbn)
                s.horizontalOrder = "A";
            else if (s.special == Special::Cbn)
                s.horizontalOrder = "B";
            else
                s.horizontalOrder = std::string(rng_.pick(std::array<std::string_view, 9>{
                    "A", "B", "B", "FIRST", "FIRST", "SECOND", "SECOND", "THIRD", "THIRD"}));
        }

        const long long v = rng_.below(100);
        s.vertical = v < 45 ? Vertical::Leveled : v < 60 ? Vertical::Posted : v < 65 ? Vertical::Readjust
                   : v < 70 ? Vertical::Unknown : Vertical::None;
        s.verticalOrder = drawVerticalOrder(s.vertical);
        s.navd88 = s.vertical != Vertical::None || rng_.percent(50);
        s.orthoCm = rng_.between(region_.heightFrom * 100LL, region_.heightTo * 100LL);
        s.geoidCm = rng_.between(-3500, -1500);
        s.ellipsoid = s.special == Special::Fbn || s.special == Special::Cbn || s.special == Special::Cors
                   || rng_.percent(30);
        if (s.ellipsoid && rng_.percent(85))
            s.ellipsoidOrder = std::string(rng_.pick(std::array<std::string_view, 8>{
                "FIRST     CLASS I", "FIRST     CLASS II", "SECOND    CLASS I", "SECOND    CLASS II",
                "THIRD     CLASS III", "FOURTH    CLASS I", "FOURTH    CLASS II", "FIFTH"}));
        s.monumentYear = static_cast<int>(rng_.between(1930, 1998));
        return s;
    }

    // Lines that name a special kind of station, above the designation.
    void specialLines()
    {
        const bool controlForm = rng_.percent(50);
        switch (s_.special) {
        case Special::Fbn:
            labelled(controlForm ? "FBN CONTROL" : "FBN", "This station belongs to the Federal Base Network.");
            break;
        case Special::Cbn:
            labelled(controlForm ? "CBN CONTROL" : "CBN", "This station belongs to the Cooperative Base Network.");
            break;
        case Special::Cors:
            labelled("CORS", "This station is a Continuously Operating Reference Station.");
            labelled("CORS_ID", format("Q%03lld", rng_.between(0, 999)));
            break;
        case Special::Pacs:
            labelled("PACS", "This station is a Primary Airport Control Station.");
            break;
        case Special::Sacs:
            labelled("SACS", "This station is a Secondary Airport Control Station.");
            break;
        case Special::Tidal:
            labelled("TIDAL BM", "This station is a tidal bench mark.");
            break;
        case Special::None:
            break;
        }
    }

    void identityLines()
    {
        labelled("DESIGNATION", s_.designation);
        labelled("PID", s_.pid);
        const std::string county = options_.countyName.empty() ? format("COUNTY %03d", options_.county) : options_.countyName;
        labelled("STATE/COUNTY", state_ + "/" + county);
        if (rng_.percent(40))
            labelled("COUNTRY", region_.country);
        labelled("USGS QUAD", quads_[static_cast<std::size_t>(rng_.below(static_cast<long long>(quads_.size())))]);
        blank();
    }

    std::string latitudeText() const { return angleText(s_.lat, 2, s_.scaled); }
    std::string longitudeText() const { return angleText(s_.lon, 3, s_.scaled); }
    std::string latHemisphere() const { return std::string("(") + region_.latHemisphere + ")"; }
    std::string lonHemisphere() const { return std::string("(") + region_.lonHemisphere + ")"; }

    long long ellipsoidMm() const { return (s_.orthoCm + s_.geoidCm) * 10; }

    // Tenths of a foot from centimetres (1 m = 3937/1200 ft).
    static long long feetTenths(long long cm) { return cm * 3937 / 12000; }

    // "* NAD 83(tag)-" position or the older "POSITION" form; heights after it.
    void currentControl()
    {
        emit(body().at(33, "*CURRENT SURVEY CONTROL"));
        emit(body().at(9, std::string(68, '_')));
        if (s_.positioned) {
            Line line = body(s_.oldPositionForm ? ' ' : '*');
            if (s_.oldPositionForm)
                line.label("POSITION", "");
            else
                line.at(9, "NAD 83(" + s_.datumTag + ")-");
            line.at(24, latitudeText()).at(38, latHemisphere()).at(45, longitudeText()).at(60, lonHemisphere());
            line.at(68, s_.scaled ? "SCALED" : "ADJUSTED");
            emit(line);
        }
        if (s_.navd88) {
            static constexpr std::array<std::string_view, 3> kSources = {"ADJUSTED", "POSTED", "GPS OBS"};
            const std::string_view source = s_.vertical == Vertical::Leveled ? kSources[0]
                                          : s_.vertical == Vertical::Posted  ? kSources[1]
                                                                             : kSources[2];
            emit(body('*').label("NAVD 88", "").at(27, rightAligned(fixedPoint(s_.orthoCm, 2), 9)).at(37, "(meters)")
                     .at(47, rightAligned(fixedPoint(feetTenths(s_.orthoCm), 1), 8)).at(56, "(feet)").at(68, source));
        }
        emit(body().at(9, std::string(68, '_')));
        if (s_.special == Special::Cors)
            labelled("EPOCH DATE", "      " + year(1997, 2003) + ".00");
        if (s_.positioned && rng_.percent(35)) {
            const std::array<std::string_view, 3> axes = {"X", "Y", "Z"};
            for (std::string_view axis : axes) {
                const long long mm = rng_.between(-6000000000LL, 6000000000LL);
                emit(body().label(axis, rightAligned(fixedPoint(mm, 3, true), 14)).at(40, "(meters)").at(68, "COMP"));
            }
        }
        if (rng_.percent(8))
            emit(body().label("LAPLACE CORR", "").at(31, rightAligned(fixedPoint(rng_.between(-999, 999), 2), 6))
                     .at(40, "(seconds)").at(68, "DEFLEC-Q"));
        if (s_.ellipsoid)
            emit(body().label("ELLIP HEIGHT", "").at(29, rightAligned(fixedPoint(ellipsoidMm(), 3), 9)).at(40, "(meters)")
                     .at(55, "(" + shortDate(1994, 2003) + ")").at(68, "GPS OBS"));
        if (s_.positioned && rng_.percent(60))
            emit(body().label("GEOID HEIGHT", "").at(31, rightAligned(fixedPoint(s_.geoidCm, 2), 6)).at(40, "(meters)")
                     .at(68, "QGEOID04"));
        if (s_.navd88 && rng_.percent(50)) {
            const long long dynamicCm = s_.orthoCm - rng_.between(0, 150);
            emit(body().label("DYNAMIC HT", "").at(29, rightAligned(fixedPoint(dynamicCm * 10, 3), 9)).at(40, "(meters)")
                     .at(50, rightAligned(fixedPoint(feetTenths(dynamicCm), 1), 8)).at(59, "(feet)").at(68, "COMP"));
        }
        if (s_.navd88 && rng_.percent(40))
            emit(body().label("MODELED GRAV", "").at(27, rightAligned(fixedPoint(rng_.between(9785000, 9799999), 1, true), 9))
                     .at(40, "(mgal)").at(68, "NAVD 88"));
        blank();
    }

    void orderLines()
    {
        if (!s_.horizontalOrder.empty())
            labelled("HORZ ORDER", s_.horizontalOrder);
        if (!s_.verticalOrder.empty())
            labelled("VERT ORDER", s_.verticalOrder);
        if (!s_.ellipsoidOrder.empty())
            labelled("ELLP ORDER", s_.ellipsoidOrder);
        blank();
    }

    // A paragraph of '.' lines, then an empty body line.
    void note(const std::string& text)
    {
        for (const std::string& part : wrap(text, 70))
            emit(body('.').at(8, part));
        blank();
    }

    void notes()
    {
        static constexpr std::array<std::string_view, 4> kMethods = {
            "satellite observations", "a classical triangulation survey", "a traverse survey",
            "a field sketch on a topographic map"};
        if (s_.positioned)
            note(cat({"The horizontal position was fixed by ", std::string(s_.scaled ? kMethods[3] : rng_.pick(kMethods)),
                      " and adjusted by the bureau in ", year(1986, 2003), "."}));
        if (s_.navd88)
            note("The orthometric height comes from " + std::string(s_.vertical == Vertical::Leveled ? "spirit leveling" : "satellite observations")
                 + " and was last adjusted in " + year(1991, 2003) + ".");
        if (s_.ellipsoid)
            note("The ellipsoidal height is referred to NAD 83 and was fixed by satellite observations.");
        if (s_.special != Special::None && rng_.percent(40))
            note("This is a SPECIAL STATUS station. Its values are held fixed in every adjustment.");
        if (s_.positioned && rng_.percent(5))
            note("No horizontal observational check was made on this position.");
        if (s_.navd88 && rng_.percent(5))
            note("No vertical observational check was made on this height.");
    }

    std::string spcZone() const
    {
        const int span = region_.lonTo - region_.lonFrom + 1;
        const long long third = (s_.lon / kDegree - region_.lonFrom) * 3 / span;
        return "SPC " + state_ + " " + (third == 0 ? "E" : third == 1 ? "C" : "W");
    }

    int utmZone() const
    {
        const long long degrees = s_.lon / kDegree;
        return static_cast<int>(region_.lonHemisphere == 'W' ? (180 - degrees - 1) / 6 + 1 : (180 + degrees) / 6 + 1);
    }

    std::string scaleFactor() { return fixedPoint(rng_.between(99960000, 100010000), 8); }

    // Plane coordinates (';'), combined factors ('!') and the grid azimuth (':').
    void gridBlock()
    {
        emit(body(';').at(28, "North").at(42, "East").at(50, "Units").at(57, "Scale Factor").at(70, "Converg."));
        const long long northMm = rng_.between(100000000, 600000000);
        const long long eastMm = rng_.between(100000000, 400000000);
        const std::string spcScale = scaleFactor();
        auto plane = [&](const std::string& zone, long long north, long long east, std::string_view units, const std::string& scale) {
            emit(body(';').at(8, leftAligned(zone, 10)).at(21, "-").at(23, rightAligned(fixedPoint(north, 3, true), 13))
                     .at(37, rightAligned(fixedPoint(east, 3, true), 13)).at(52, units).at(56, rightAligned(scale, 11))
                     .at(70, convergenceText(rng_.between(-15000, 15000))));
        };
        plane(spcZone(), northMm, eastMm, " MT", spcScale);
        if (rng_.percent(40))
            plane(spcZone(), northMm * 3937 / 1200, eastMm * 3937 / 1200, rng_.percent(50) ? "sFT" : "iFT", spcScale);
        const std::string utm = format("UTM  %d", utmZone());
        const std::string utmScale = scaleFactor();
        const long long utmNorthMm = s_.lat / kSecond * 30870 + rng_.between(0, 999);
        plane(utm, utmNorthMm, rng_.between(200000000, 800000000), " MT", utmScale);
        blank();

        const long long elevation = 100000000 - ellipsoidMm() * 100 / 6371;
        emit(body('!').at(21, "-").at(24, "Elev Factor").at(36, "x").at(40, "Scale Factor").at(53, "=").at(56, "Combined Factor"));
        auto combined = [&](const std::string& zone, const std::string& scale) {
            const long long scaleValue = std::stoll(scale.substr(0, 1) + scale.substr(2));
            emit(body('!').at(8, leftAligned(zone, 10)).at(21, "-").at(24, rightAligned(fixedPoint(elevation, 8), 11))
                     .at(36, "x").at(40, rightAligned(scale, 11)).at(53, "=")
                     .at(56, rightAligned(fixedPoint(elevation * scaleValue / 100000000, 8), 11)));
        };
        combined(spcZone(), spcScale);
        combined(utm, utmScale);
        blank();

        if (rng_.percent(50)) {
            emit(body(':').at(24, "Primary Azimuth Mark").at(67, "Grid Az"));
            emit(body(':').at(8, leftAligned(spcZone(), 10)).at(21, "-").at(23, s_.designation.substr(0, 20) + " AZ MK")
                     .at(67, azimuthText(rng_.between(0, 12959999))));
            blank();
        }
    }

    // Reference marks: distances in metres, or approximate in kilometres.
    void boxScore()
    {
        const std::string rule = std::string(69, '-') + "|";
        emit(body('|').at(8, rule));
        emit(body('|').at(9, "PID    Reference Object").at(59, "Distance").at(69, "Geod. Az").at(78, "|"));
        emit(body('|').at(67, "dddmmss.s").at(78, "|"));
        const long long marks = rng_.between(1, 4);
        for (long long i = 0; i < marks; ++i) {
            const bool approximate = rng_.percent(30);
            std::string name = s_.designation.substr(0, 24) + (i == 0 && approximate ? " AZ MK" : format(" RM %lld", i + 1));
            if (rng_.percent(20))
                name = twoWords();
            Line line = body('|');
            line.at(9, rng_.percent(50) ? format("%.2s%04lld", s_.pid.c_str(), rng_.between(0, 9999)) : std::string(6, ' '));
            line.at(16, name.substr(0, 32));
            if (approximate)
                line.at(49, "APPROX.").at(59, fixedPoint(rng_.between(3, 99), 1) + " KM");
            else
                line.at(49, rightAligned(fixedPoint(rng_.between(1500, 99999), 3), 10)).at(60, "METERS");
            line.at(67, azimuthText(rng_.between(0, 12959999))).at(78, "|");
            emit(line);
        }
        emit(body('|').at(8, rule));
        blank();
    }

    // Older positions and heights, without the '*' mark.
    void supersededBlock()
    {
        emit(body().at(30, "SUPERSEDED SURVEY CONTROL"));
        blank();
        auto position = [&](const std::string& datum, long long shift) {
            const long long lat = s_.lat + rng_.between(-shift, shift);
            const long long lon = s_.lon + rng_.between(-shift, shift);
            emit(body().at(9, leftAligned(datum, 12) + "-").at(24, angleText(lat, 2, false)).at(38, latHemisphere())
                     .at(45, angleText(lon, 3, false)).at(60, lonHemisphere())
                     .at(64, rng_.percent(70) ? "AD(       )" : "GP(       )").at(76, std::to_string(rng_.between(1, 3))));
        };
        if (s_.ellipsoid && rng_.percent(60)) {
            const long long mm = ellipsoidMm() + rng_.between(-80, 80);
            if (rng_.percent(70))
                emit(body().at(9, "ELLIP H (" + shortDate(1990, 2001) + ")").at(27, rightAligned(fixedPoint(mm, 3), 8))
                         .at(37, "(meters)").at(64, "GP(       )").at(76, "1").at(78, std::to_string(rng_.between(1, 2))));
            else
                emit(body().label("ELLIP HT", "").at(29, rightAligned(fixedPoint(mm, 3), 9)).at(40, "(meters)")
                         .at(64, "GP(       )").at(76, "2").at(78, "1"));
        }
        if (s_.positioned) {
            position("NAD 83(1986)", 300000);
            if (s_.monumentYear < 1986 && rng_.percent(70))
                position("NAD 27", 5000000);
        }
        if (s_.navd88 && rng_.percent(40))
            emit(body().at(9, "NAVD 88 (" + shortDate(1991, 2001) + ")")
                     .at(28, rightAligned(fixedPoint(s_.orthoCm + rng_.between(-9, 9), 2), 9)).at(38, "(meters)")
                     .at(64, "ADJUSTED").at(76, "1").at(78, "2"));
        if (s_.navd88 && rng_.percent(60)) {
            const long long cm = s_.orthoCm - rng_.between(20, 150);
            const std::string order = std::to_string(rng_.between(1, 3));
            const std::string klass = std::to_string(rng_.between(0, 2));
            if (rng_.percent(50))
                emit(body().label("NGVD 29", "").at(27, rightAligned(fixedPoint(cm, 2), 9)).at(37, "(meters)")
                         .at(64, "ADJUSTED").at(76, order).at(78, klass));
            else
                emit(body().at(9, "NGVD 29 (" + shortDate(1960, 1990) + ")").at(28, rightAligned(fixedPoint(cm, 2), 9))
                         .at(38, "(meters)").at(64, "ADJ UNCH").at(76, order).at(78, klass));
        }
        blank();
        emit(body('.').at(8, "Superseded values are given for reference only."));
        blank();
    }

    std::string usngAddress()
    {
        std::string address = format("%02d", utmZone());
        address += static_cast<char>('R' + rng_.below(5));
        address += static_cast<char>('A' + rng_.below(8));
        address += static_cast<char>('A' + rng_.below(8));
        address += format("%05lld", rng_.between(0, 99999));
        address += format("%05lld(NAD 83)", rng_.between(0, 99999));
        return address;
    }

    // '_' lines describe the mark, '+' lines continue them.
    void markLines()
    {
        if (s_.positioned)
            emit(body('_').at(8, "U.S. NATIONAL GRID SPATIAL ADDRESS: " + usngAddress()));
        const Choice& marker = rng_.pick(kMarkers);
        emit(body('_').at(8, "MARKER: " + std::string(marker.code) + " = " + std::string(marker.text)));
        const Choice& setting = marker.code == "F " ? kSettings[4] : rng_.pick(kSettings);
        emit(body('_').at(8, "SETTING: " + std::string(setting.code) + " = " + std::string(setting.text)));
        if (rng_.percent(85))
            emit(body('_').at(8, "STAMPING: " + s_.designation.substr(0, 40) + " " + std::to_string(s_.monumentYear)));
        if (rng_.percent(40))
            emit(body('_').at(8, "MARK LOGO: QGB"));
        if (rng_.percent(50))
            emit(body('_').at(8, "PROJECTION: " + std::string(rng_.pick(std::array<std::string_view, 3>{
                                      "FLUSH", "PROJECTING 8 CENTIMETERS", "RECESSED 3 CENTIMETERS"}))));
        emit(body('_').at(8, "MAGNETIC: " + std::string(rng_.pick(std::array<std::string_view, 3>{
                                  "N = NO MAGNETIC MATERIAL", "O = OTHER MAGNETIC MATERIAL NEARBY", "R = STEEL ROD"}))));
        const std::string_view stability = rng_.pick(kStabilities);
        emit(body('_').at(8, "STABILITY: " + std::string(stability)));
        if (stability[0] == 'C')
            emit(body('+').at(8, "STABILITY: HEAVE OR SETTLING MAY MOVE"));
        if (rng_.percent(45)) {
            const bool suitable = rng_.percent(80);
            emit(body('_').at(8, std::string("SATELLITE: THE SITE LOCATION WAS REPORTED AS ") + (suitable ? "" : "NOT ")
                                    + "SUITABLE FOR"));
            const long long y = rng_.between(1988, 2004);
            std::string date = std::to_string(y);
            if (rng_.percent(60)) {
                const std::string month(rng_.pick(kMonthsMixed));
                date = format("%s %lld, %lld", month.c_str(), rng_.between(1, 28), y);
            }
            emit(body('+').at(8, "SATELLITE: SATELLITE OBSERVATIONS - " + date));
        }
        if (setting.code == "49") {
            emit(body('_').at(8, "ROD/PIPE-DEPTH: " + fixedPoint(rng_.between(10, 300), 1) + " meters"));
            if (rng_.percent(60))
                emit(body('_').at(8, "SLEEVE-DEPTH  : " + fixedPoint(rng_.between(3, 15), 1) + " meters"));
        }
        blank();
    }

    void history()
    {
        emit(body().label("HISTORY", "").at(23, "Date").at(32, "Condition").at(49, "Report By"));
        int y = s_.monumentYear;
        emit(body().label("HISTORY", "").at(23, std::to_string(y)).at(32, "MONUMENTED").at(49, "QGB"));
        recoveryYears_.clear();
        const long long visits = rng_.between(0, 4);
        for (long long i = 0; i < visits && y < 2004; ++i) {
            y = static_cast<int>(rng_.between(y + 1, std::min(2004, y + 15)));
            recoveryYears_.push_back(y);
            std::string date = std::to_string(y);
            if (rng_.percent(50)) {
                const long long month = rng_.between(1, 12);
                date = format("%d%02lld%02lld", y, month, rng_.between(1, 28));
            }
            emit(body().label("HISTORY", "").at(23, date).at(32, rng_.pick(kConditions)).at(49, rng_.pick(kAgencies)));
        }
        blank();
    }

    std::string tenthsKmAndMiles(long long kmTenths)
    {
        return fixedPoint(kmTenths, 1) + " KM (" + fixedPoint((kmTenths * 621 + 500) / 1000, 1) + " MI)";
    }

    std::string tenthsMetresAndFeet(long long mTenths)
    {
        return fixedPoint(mTenths, 1) + " M (" + std::to_string((mTenths * 3281 + 5000) / 10000) + " FT)";
    }

    std::string descriptionSentence()
    {
        switch (rng_.below(5)) {
        case 0:
            return cat({"THE STATION IS ABOUT ", tenthsKmAndMiles(rng_.between(5, 400)), " ", direction(),
                        " ALONG STATE HIGHWAY ", std::to_string(rng_.between(1, 399)), " FROM ", twoWords(), "."});
        case 1:
            return cat({"TO REACH IT FROM THE ", word(), " STORE GO ", direction(), " ON COUNTY ROAD ",
                        std::to_string(rng_.between(1, 99)), " FOR ", tenthsKmAndMiles(rng_.between(5, 150)), "."});
        case 2:
            return cat({"THE MARK IS ", tenthsMetresAndFeet(rng_.between(10, 400)), " ", direction(), " OF ",
                        std::string(rng_.pick(kSurfaces)), "."});
        case 3:
            return cat({"A WITNESS POST STANDS ", tenthsMetresAndFeet(rng_.between(5, 20)), " ", direction(), " OF THE MARK."});
        default:
            return cat({"THE MARK IS ABOUT LEVEL WITH THE ROAD AND ", tenthsMetresAndFeet(rng_.between(5, 60)),
                        " HIGHER THAN THE ", word(), " WASH."});
        }
    }

    std::string recoverySentence()
    {
        switch (rng_.below(4)) {
        case 0:
            return "RECOVERED AS DESCRIBED.";
        case 1:
            return cat({"THE MARK WAS FOUND IN GOOD CONDITION AND A NEW WITNESS POST WAS SET ",
                        tenthsMetresAndFeet(rng_.between(5, 20)), " ", direction(), "."});
        case 2:
            return "THE MARK WAS NOT FOUND AFTER A SEARCH OF " + std::to_string(rng_.between(10, 90))
                 + " MINUTES. THE AREA HAS BEEN REGRADED.";
        default:
            return "THE ROAD HAS BEEN WIDENED. " + descriptionSentence();
        }
    }

    // "'" lines from index 8; wrapped to 72 characters, or one long line.
    void text(std::string paragraph, bool longLine)
    {
        if (longLine) {
            while (paragraph.size() < 160)
                appendWord(paragraph, descriptionSentence());
            emit(body('\'').at(8, paragraph.substr(0, 292)));
            return;
        }
        for (const std::string& part : wrap(paragraph, 72))
            emit(body('\'').at(8, part));
    }

    void descriptionAndRecoveries(bool longLine)
    {
        emit(body().at(33, "STATION DESCRIPTION"));
        blank();
        emit(body('\'').at(8, "DESCRIBED BY " + std::string(rng_.pick(kAgencyNames)) + " " + std::to_string(s_.monumentYear)));
        std::string paragraph = descriptionSentence();
        const long long more = rng_.between(0, 3);
        for (long long i = 0; i < more; ++i)
            appendWord(paragraph, descriptionSentence());
        text(paragraph, longLine);
        for (int y : recoveryYears_) {
            blank();
            emit(body().at(33, "STATION RECOVERY (" + std::to_string(y) + ")"));
            blank();
            std::string initials;
            for (int i = 0; i < 3; ++i)
                initials += static_cast<char>('A' + rng_.below(26));
            emit(body('\'').at(8, "RECOVERY NOTE BY " + std::string(rng_.pick(kAgencyNames)) + " " + std::to_string(y) + " (" + initials + ")"));
            text(recoverySentence(), false);
        }
    }

    const Options& options_;
    Rng& rng_;
    const std::vector<std::string>& quads_;
    const std::string state_;
    const Region& region_;
    const std::string_view eol_;
    std::string* out_ = nullptr;
    Station s_;
    std::vector<int> recoveryYears_;
};

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool isLetter(char c) { return isCapital(c) || (c >= 'a' && c <= 'z'); }

// The n-th PID after the first: four digits, carrying into the letters.
std::string pidAt(const Options& options, std::uint64_t n)
{
    const std::uint64_t first = static_cast<std::uint64_t>(options.pidPrefix[0] - 'A') * 26 * 10000
                              + static_cast<std::uint64_t>(options.pidPrefix[1] - 'A') * 10000
                              + static_cast<std::uint64_t>(options.firstPidNumber);
    const std::uint64_t value = (first + n) % (26ull * 26 * 10000);
    return format("%c%c%04llu", static_cast<char>('A' + value / 260000), static_cast<char>('A' + value / 10000 % 26),
                  static_cast<unsigned long long>(value % 10000));
}

// '1', 8 blanks, the bureau, a comma; the retrieval date from index 54.
std::string headerLine(const std::string& date)
{
    return leftAligned("1        Quarndale Geomark Bureau,   Retrieval Date =", 54) + date;
}

} // namespace

void validate(const Options& options)
{
    if (options.state.size() != 2 || !isLetter(options.state[0]) || !isLetter(options.state[1]))
        throw std::invalid_argument("state must be two letters");
    if (options.county < 0 || options.county > 999)
        throw std::invalid_argument("county must be 0-999");
    if (options.pidPrefix.size() != 2 || !isCapital(options.pidPrefix[0]) || !isCapital(options.pidPrefix[1]))
        throw std::invalid_argument("PID prefix must be two capital letters");
    if (options.firstPidNumber < 0 || options.firstPidNumber > 9999)
        throw std::invalid_argument("first PID number must be 0-9999");
    if (options.nearSeconds < 0 || options.nearSeconds > 3600)
        throw std::invalid_argument("the distance from the point must be 0-3600 seconds");
    if (options.nearSeconds > 0 &&
        (angleValue(options.nearLatitude) < options.nearSeconds * kSecond ||
         angleValue(options.nearLongitude) < options.nearSeconds * kSecond))
        throw std::invalid_argument("the point must be \"dd mm ss\" and \"ddd mm ss\"");
}

std::size_t generate(const Options& options, std::ostream& out)
{
    validate(options);
    Rng rng(options.seed);

    const std::string date = !options.retrievalDate.empty()
        ? options.retrievalDate
        : cat({std::string(rng.pick(kMonths)), " ", std::to_string(rng.between(1, 28)), ", ",
               std::to_string(rng.between(2001, 2006))});
    const std::string header = headerLine(date);

    // A county has a handful of quads that its stations share.
    std::vector<std::string> quads;
    for (int i = 0; i < 6; ++i)
        quads.push_back(cat({std::string(rng.pick(kWords)), " ", std::string(rng.pick(kWords)), " (",
                             std::to_string(rng.between(1950, 1995)), ")"}));

    StationWriter writer(options, rng, quads);
    std::string station;
    std::uint64_t written = 0;
    std::size_t count = 0;
    while (options.targetBytes > 0 ? written < options.targetBytes : count < options.stations) {
        station.clear();
        const bool longLine = options.longLines && (count == 0 || rng.below(8) == 0);
        writer.write(pidAt(options, count), header, longLine, station);
        out.write(station.data(), static_cast<std::streamsize>(station.size()));
        if (!out)
            break;
        written += station.size();
        ++count;
    }
    return count;
}

std::string generateString(const Options& options)
{
    std::ostringstream out;
    generate(options, out);
    return std::move(out).str();
}

} // namespace dsgen
