#include "datasheet/plot_scene.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace ds {

namespace {

// Fields of a station-list line.
constexpr std::size_t kPidAt = 6, kPidLength = 6;
constexpr std::size_t kLatAt = 17, kLatLength = 10;
constexpr std::size_t kLonAt = 28, kLonLength = 11;
constexpr std::size_t kDesignationAt = 40, kDesignationLength = 50;

std::string_view field(std::string_view line, std::size_t at, std::size_t length)
{
    return line.size() > at ? line.substr(at, length) : std::string_view();
}

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// One "%d" of scanf at `at`: leading white space, a sign, digits. A number
// beyond the int range is held at its end (scanf's is undefined).
bool scanWhole(std::string_view text, std::size_t& at, int& value)
{
    while (at < text.size() && isBlank(text[at]))
        ++at;
    std::size_t i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i])))
        return false;
    long long magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > INT_MAX)
        magnitude = negative ? static_cast<long long>(INT_MAX) + 1 : INT_MAX;
    value = static_cast<int>(negative ? -magnitude : magnitude);
    at = i;
    return true;
}

// A whole number in at least `width` digits ("%02d", "%03d"); a value that
// an int cannot hold is written out as it is ("inf", "nan", all its digits).
std::string whole(double value, int width)
{
    if (std::isnan(value))
        return "nan";
    char small[32];
    if (std::isfinite(value) && std::fabs(value) < 1e9) {
        std::snprintf(small, sizeof small, "%0*d", width, static_cast<int>(value));
        return small;
    }
    char big[320]; // the largest double has 309 digits
    std::snprintf(big, sizeof big, "%.0f", value);
    return big;
}

// The widest label a mode can draw, in characters: a designation is cut at
// 50, a PID at 6, a number has at most 20 digits.
int labelChars(int labelMode)
{
    return labelMode == 1 ? static_cast<int>(kPidLength)
                          : labelMode == 2 ? static_cast<int>(kDesignationLength) : 20;
}

// How a scene is laid out: the screen is the page with scales 1, the cross
// in the middle, no half label height and no correctors.
struct Layout {
    int width;
    int height;
    double sx;
    double sy;
    int crossX;
    int labelDy;
    int wCorrector;
    int hCorrector;
    bool page;
};

std::vector<PlotStep> build(const PlotState& state, const std::vector<std::string>& lines, const Layout& layout,
                            const PlotMetrics& metrics)
{
    const int W = layout.width, H = layout.height;
    const int tw = metrics.textWidth("000 00 00");
    const int th = metrics.textHeight("0");
    std::vector<PlotStep> steps;
    auto rectangle = [&steps](int x1, int y1, int x2, int y2) {
        steps.push_back({PlotStep::Rectangle, x1, y1, x2, y2, {}, -1});
    };
    auto line = [&steps](int x1, int y1, int x2, int y2) {
        steps.push_back({PlotStep::Line, x1, y1, x2, y2, {}, -1});
    };
    auto text = [&steps](int x, int y, std::string s, long long station) {
        steps.push_back({PlotStep::Text, x, y, 0, 0, std::move(s), station});
    };
    auto trunc = [](double v) { return static_cast<int>(v); };

    if (!layout.page)
        steps.push_back({PlotStep::Fill, 0, 0, W, H, {}, -1});

    int x = W / 2 - tw / 2;
    int y = trunc(H - th - 20 * layout.sy);
    rectangle(x - 2, y - 2, W / 2 + tw / 2 + 2, trunc(H - 20 * layout.sy) + 2);
    text(x, y, DegreesToDmsText("LON", state.CenterLon), -1);

    x = trunc(W - tw - 20 * layout.sx);
    y = H / 2 - th / 2;
    rectangle(x - 2, y - 2, trunc(W - 20 * layout.sx) + 2, H / 2 + th / 2 + 2);
    text(x, y, DegreesToDmsText("LAT", state.CenterLat), -1);

    line(trunc(W / 2 - 40 * layout.sx), H / 2, trunc(W / 2 + 40 * layout.sx), H / 2);
    line(layout.crossX, trunc(H / 2 - 40 * layout.sy), layout.crossX, trunc(H / 2 + 40 * layout.sy));

    // Positions stay in double until a label is known to lie near the
    // area, so no zoom or pan can overflow them.
    const double ox = std::trunc(state.OriginX * layout.sx);
    const double oy = std::trunc(state.OriginY * layout.sy);
    const double widest = static_cast<double>(labelChars(state.LabelMode)) * metrics.maxCharWidth();
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& listLine = lines[k];
        // The row first: a label out of reach is left before its longitude is read.
        const double ly = std::trunc(oy + (layout.labelDy + H * (state.CenterLat - plotLatitude(listLine)) / state.Span) +
                                     layout.hCorrector);
        if (!(layout.page ? ly >= 0 && ly <= H : ly >= -th && ly <= H)) // also NaN
            continue;
        const double lx = std::trunc(ox + W * (state.CenterLon - plotLongitude(listLine)) / state.Span +
                                     layout.wCorrector);
        if (!(layout.page ? lx >= 0 && lx <= W : lx >= -widest && lx <= W))
            continue;
        text(static_cast<int>(lx), static_cast<int>(ly),
             plotLabel(listLine, static_cast<long long>(k) + 1, state.LabelMode), static_cast<long long>(k));
    }
    return steps;
}

} // namespace

PlotState resetPlotState(int clientWidth, int clientHeight, const PlotMetrics& metrics)
{
    PlotState state;
    state.OriginX = clientWidth / 2 - metrics.textWidth("5") / 2;
    state.OriginY = clientHeight / 2 - metrics.textHeight("5") / 2;
    return state;
}

double DmsTextToDegrees(std::string_view text)
{
    int values[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int& value : values) {
        // The blank between the numbers of the format matches any white
        // space, none included; whole-number reading skips it anyway.
        if (!scanWhole(text, at, value))
            break;
    }
    return values[0] + values[1] * (1.0 / 60.0) + values[2] * (1.0 / 3600.0);
}

std::string DegreesToDmsText(std::string_view kind, double degrees)
{
    const double d = std::floor(degrees) + 0.0; // + 0.0: no "-0"
    const double f = (degrees - d) * 60.0;
    const double m = std::floor(f);
    const double s = std::trunc((f - m) * 60.0);
    return whole(d, kind == "LAT" ? 2 : 3) + " " + whole(m, 2) + " " + whole(s, 2);
}

double plotLatitude(std::string_view listLine)
{
    return DmsTextToDegrees(field(listLine, kLatAt, kLatLength));
}

double plotLongitude(std::string_view listLine)
{
    return DmsTextToDegrees(field(listLine, kLonAt, kLonLength));
}

std::string plotLabel(std::string_view listLine, long long number, int labelMode)
{
    if (labelMode == 1) {
        std::string pid(field(listLine, kPidAt, kPidLength));
        pid.resize(kPidLength, ' ');
        return pid;
    }
    if (labelMode == 2)
        return std::string(field(listLine, kDesignationAt, kDesignationLength));
    return std::to_string(number);
}

std::string plotMarksLine(long long number, std::string_view listLine)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "%5lld = ", number);
    return prefix + std::string(field(listLine, kPidAt, std::string_view::npos));
}

bool marksLinePosition(std::string_view marksLine, double& latitude, double& longitude)
{
    const std::size_t equals = marksLine.find(" = ");
    if (equals == std::string_view::npos)
        return false;
    const std::string_view rest = marksLine.substr(equals + 3);
    if (rest.size() < kLonAt - kPidAt + kLonLength)
        return false;
    latitude = DmsTextToDegrees(field(rest, kLatAt - kPidAt, kLatLength));
    longitude = DmsTextToDegrees(field(rest, kLonAt - kPidAt, kLonLength));
    return true;
}

void findPlotCenter(PlotState& state, const std::vector<std::string>& lines)
{
    const bool centreSet = state.CenterLat > 0;
    if (centreSet || lines.empty())
        return;
    // Each position is read once for both passes.
    std::vector<std::pair<double, double>> positions;
    positions.reserve(lines.size());
    for (const std::string& line : lines)
        positions.emplace_back(plotLatitude(line), plotLongitude(line));
    double nwLat = 0, nwLon = 0, seLat = 0, seLon = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto [lat, lon] = positions[i];
        if (i == 0) {
            nwLat = seLat = lat;
            nwLon = seLon = lon;
            continue;
        }
        if (lat > nwLat && lon > nwLon) {
            nwLat = lat;
            nwLon = lon;
        }
        if (lat < seLat && lon < seLon) {
            seLat = lat;
            seLon = lon;
        }
    }
    const double midLat = (nwLat - seLat) * 0.5 + seLat;
    const double midLon = (nwLon - seLon) * 0.5 + seLon;
    double best = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto [lat, lon] = positions[i];
        const double distance = std::sqrt((lat - midLat) * (lat - midLat) + (lon - midLon) * (lon - midLon));
        if (i == 0 || distance < best) {
            best = distance;
            state.CenterLat = lat;
            state.CenterLon = lon;
        }
    }
}

bool zoomIn(PlotState& state)
{
    const double half = state.Span * 0.5;
    if (!(half >= std::numeric_limits<double>::min()))
        return false;
    state.Span = half;
    return true;
}

bool zoomOut(PlotState& state)
{
    // Beyond the globe a doubling shows nothing more, and enough of them
    // would make the span, and the centre that pans by it, infinite.
    if (!(state.Span < kPlotGlobeSpan))
        return false;
    state.Span *= 2.0;
    return true;
}

namespace {

// Moves a centre coordinate by `by` degrees, but not past +-`limit`; a
// centre already beyond it (a station's position out of range) moves no
// farther out. Returns the part of the step made: 1 for a whole one.
double panBy(double& centre, double by, double limit)
{
    const double before = centre;
    double after = centre + by;
    if (by > 0 && !(after <= limit))
        after = std::max(before, limit);
    else if (by < 0 && !(after >= -limit))
        after = std::min(before, -limit);
    centre = after;
    if (by == 0 || after == before + by)
        return 1.0;
    const double made = (after - before) / by;
    return std::isfinite(made) ? made : 0.0;
}

constexpr double kLongitudeLimit = 180.0;
constexpr double kLatitudeLimit = 90.0;

} // namespace

double PanWest(PlotState& state, int clientWidth)
{
    return panBy(state.CenterLon, 10 * state.Span / clientWidth, kLongitudeLimit);
}

double PanEast(PlotState& state, int clientWidth)
{
    return panBy(state.CenterLon, -(10 * state.Span / clientWidth), kLongitudeLimit);
}

double PanNorth(PlotState& state, int clientHeight)
{
    return panBy(state.CenterLat, 10 * state.Span / clientHeight, kLatitudeLimit);
}

double PanSouth(PlotState& state, int clientHeight)
{
    return panBy(state.CenterLat, -(10 * state.Span / clientHeight), kLatitudeLimit);
}

namespace {

// The origin moves with every step; held inside the int range so that no
// number of steps overflows it.
void moveOrigin(int& origin, int by)
{
    const long long moved = static_cast<long long>(origin) + by;
    origin = static_cast<int>(moved > INT_MAX / 2 ? INT_MAX / 2 : moved < INT_MIN / 2 ? INT_MIN / 2 : moved);
}

// The origin follows the part of the pan step that was made, so that at the
// globe's edge the drawing stops with the centre's boxes.
int originStep(double made)
{
    return static_cast<int>(std::lround(10 * made));
}

} // namespace

void scrollLeft(PlotState& state, int clientWidth)
{
    moveOrigin(state.OriginX, originStep(PanWest(state, clientWidth)));
}

void scrollRight(PlotState& state, int clientWidth)
{
    moveOrigin(state.OriginX, -originStep(PanEast(state, clientWidth)));
}

void scrollUp(PlotState& state, int clientHeight)
{
    moveOrigin(state.OriginY, originStep(PanNorth(state, clientHeight)));
}

void scrollDown(PlotState& state, int clientHeight)
{
    moveOrigin(state.OriginY, -originStep(PanSouth(state, clientHeight)));
}

void thumbHorizontal(PlotState& state, int clientWidth, int delta)
{
    for (int i = 0; i < delta; ++i)
        scrollRight(state, clientWidth);
    for (int i = 0; i > delta; --i)
        scrollLeft(state, clientWidth);
}

void thumbVertical(PlotState& state, int clientHeight, int delta)
{
    for (int i = 0; i < delta; ++i)
        scrollDown(state, clientHeight);
    for (int i = 0; i > delta; --i)
        scrollUp(state, clientHeight);
}

std::vector<PlotStep> buildPlotScene(const PlotState& state, const std::vector<std::string>& lines, int width,
                                     int height, const PlotMetrics& metrics)
{
    return build(state, lines, {width, height, 1.0, 1.0, width / 2, 0, 0, 0, false}, metrics);
}

std::vector<PlotStep> buildPlotPage(const PlotState& state, const std::vector<std::string>& lines,
                                    const PlotPage& page, const PlotMetrics& printerMetrics)
{
    const double sx = static_cast<double>(page.pageWidth) / page.clientWidth;
    const double sy = static_cast<double>(page.pageHeight) / page.clientHeight;
    // The vertical stroke of the printed cross stands one digit left of the
    // middle, and the labels sit half a digit's height lower than on screen.
    const Layout layout{page.pageWidth,
                        page.pageHeight,
                        sx,
                        sy,
                        page.pageWidth / 2 - printerMetrics.textWidth("0"),
                        printerMetrics.textHeight("5") / 2,
                        page.WCorrector,
                        page.HCorrector,
                        true};
    return build(state, lines, layout, printerMetrics);
}

namespace {

class PrinterMetrics : public PlotMetrics {
public:
    explicit PrinterMetrics(platform::Printer& printer) : printer_(printer) {}
    int textWidth(std::string_view text) const override { return printer_.textWidth(text); }
    int textHeight(std::string_view text) const override { return printer_.textHeight(text); }
    int maxCharWidth() const override { return printer_.textWidth("W"); }

private:
    platform::Printer& printer_;
};

} // namespace

bool printPlot(const PlotState& state, const std::vector<std::string>& lines, int clientWidth, int clientHeight,
               int HCorrector, int WCorrector, const platform::PrintFont& font, platform::Printer& printer,
               platform::ProgressSink& progress, platform::NoticeSink& notices)
{
    auto fail = [&] {
        progress.finish();
        notices.notice("NOTICE", "Could not print to " + printer.name());
        return false;
    };
    printer.setFont(font);
    const PlotPage page{printer.printableWidth(), printer.printableHeight(), clientWidth, clientHeight, HCorrector,
                        WCorrector};
    const std::vector<PlotStep> steps = buildPlotPage(state, lines, page, PrinterMetrics(printer));

    if (!printer.beginPrintout())
        return fail();
    if (!printer.beginJob()) {
        printer.endPrintout();
        return fail();
    }
    // The canvas of a new job starts with the default font on some printers.
    printer.setFont(font);
    int shown = 0;
    for (const PlotStep& step : steps) {
        switch (step.kind) {
        case PlotStep::Fill:
            break;
        case PlotStep::Rectangle:
            printer.drawRectangle(step.x1, step.y1, step.x2, step.y2);
            break;
        case PlotStep::Line:
            printer.drawLine(step.x1, step.y1, step.x2, step.y2);
            break;
        case PlotStep::Text:
            printer.textOut(step.x1, step.y1, step.text);
            if (step.station >= 0) {
                const int percent = static_cast<int>(100.0 * static_cast<double>(step.station) /
                                                     static_cast<double>(lines.size()));
                if (percent != shown) {
                    shown = percent;
                    progress.set(percent);
                }
            }
            break;
        }
    }
    if (!printer.endJob()) {
        printer.endPrintout();
        return fail();
    }
    if (!printer.endPrintout())
        return fail();
    progress.finish();
    return true;
}

int correctorValue(std::string_view text)
{
    std::size_t at = 0;
    int value = 0;
    return scanWhole(text, at, value) ? value : 0;
}

} // namespace ds
