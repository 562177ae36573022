// The plot's drawing steps with fixed text sizes (6 pixels a character, 13
// high) on the 309 x 400 client area: reset, zoom, pan, the label modes, the
// recentre from a marks line, the printed page, and the text conversions.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>

#include "datasheet/list_lines.h"
#include "datasheet/plot_scene.h"
#include "platform/recording_printer.h"
#include "tests/support/plot_stations.h"

namespace ds {
void PrintTo(const PlotStep& step, std::ostream* out)
{
    *out << "{" << step.kind << " " << step.x1 << "," << step.y1 << " " << step.x2 << "," << step.y2 << " \""
         << step.text << "\" " << step.station << "}";
}
} // namespace ds

namespace {

using ds::PlotStep;

const ds::FixedPlotMetrics kMetrics(6, 13);

using testsupport::plotListLine;
const std::vector<std::string>& kThree = testsupport::kThreeStations;

PlotStep text(int x, int y, const std::string& s, long long station = -1)
{
    return {PlotStep::Text, x, y, 0, 0, s, station};
}

// Background, LON box, LAT box and cross of the 309 x 400 area with the
// fixed metrics: "000 00 00" is 54 wide, "0" 13 high.
std::vector<PlotStep> frame(const std::string& lon, const std::string& lat)
{
    return {
        {PlotStep::Fill, 0, 0, 309, 400, {}, -1},
        {PlotStep::Rectangle, 125, 365, 183, 382, {}, -1}, // x = 154 - 27, y = 400 - 13 - 20
        text(127, 367, lon),
        {PlotStep::Rectangle, 233, 192, 291, 208, {}, -1}, // x = 309 - 54 - 20, y = 200 - 6
        text(235, 194, lat),
        {PlotStep::Line, 114, 200, 194, 200, {}, -1},
        {PlotStep::Line, 154, 160, 154, 240, {}, -1},
    };
}

std::vector<PlotStep> withLabels(std::vector<PlotStep> steps, const std::vector<PlotStep>& labels)
{
    steps.insert(steps.end(), labels.begin(), labels.end());
    return steps;
}

ds::PlotState resetAndLoad(const std::vector<std::string>& lines)
{
    ds::PlotState state = ds::resetPlotState(309, 400, kMetrics);
    ds::findPlotCenter(state, lines);
    return state;
}

TEST(PlotScene, ResetPutsTheStationNearestTheCornersMidpointOnTheCross)
{
    const ds::PlotState state = resetAndLoad(kThree);
    EXPECT_EQ(state.OriginX, 151); // 309 / 2 - 6 / 2
    EXPECT_EQ(state.OriginY, 194); // 400 / 2 - 13 / 2
    EXPECT_DOUBLE_EQ(state.Span, 0.125);
    EXPECT_DOUBLE_EQ(state.CenterLat, 38 + 59 / 60.0 + 59 / 3600.0);
    EXPECT_DOUBLE_EQ(state.CenterLon, 98 + 59 / 60.0 + 59 / 3600.0);

    // Offsets from the first station in seconds: the second -31" and -11"
    // (the half second is not read), the third +59" and +89"; one second is
    // 309 * 8 / 3600 pixels across and 400 * 8 / 3600 down.
    // x2 = 151 - 7.55, y2 = 194 - 27.56; x3 = 151 + 61.11, y3 = 194 + 52.44.
    // 098 59 59 comes back one second short through the truncation.
    EXPECT_EQ(ds::buildPlotScene(state, kThree, 309, 400, kMetrics),
              withLabels(frame("098 59 58", "38 59 59"),
                         {text(151, 194, "1", 0), text(143, 166, "2", 1), text(212, 246, "3", 2)}));
}

TEST(PlotScene, ZoomInDoublesEveryDistanceFromTheOrigin)
{
    ds::PlotState state = resetAndLoad(kThree);
    EXPECT_TRUE(ds::zoomIn(state));
    EXPECT_DOUBLE_EQ(state.Span, 0.0625);
    // x2 = 151 - 15.11, y2 = 194 - 55.11; x3 = 151 + 122.23, y3 = 194 + 104.89.
    EXPECT_EQ(ds::buildPlotScene(state, kThree, 309, 400, kMetrics),
              withLabels(frame("098 59 58", "38 59 59"),
                         {text(151, 194, "1", 0), text(135, 138, "2", 1), text(273, 298, "3", 2)}));
}

// The LON and LAT texts of a scene, each "d mm ss" in digits.
std::vector<std::string> boxTexts(const std::vector<PlotStep>& steps)
{
    std::vector<std::string> texts;
    for (const PlotStep& step : steps)
        if (step.kind == PlotStep::Text && step.station < 0)
            texts.push_back(step.text);
    return texts;
}

bool isDms(const std::string& text, std::size_t degreeDigits)
{
    if (text.size() != degreeDigits + 6 || text[degreeDigits] != ' ' || text[degreeDigits + 3] != ' ')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != degreeDigits && i != degreeDigits + 3 && !std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

TEST(PlotScene, ZoomStopsAtTheGlobeAndBeforeTheSpanUnderflows)
{
    // Out: 0.125 doubled 12 times is 512, the first span over 360 degrees.
    ds::PlotState state = resetAndLoad(kThree);
    int doublings = 0;
    while (doublings < 5000 && ds::zoomOut(state))
        ++doublings;
    EXPECT_EQ(doublings, 12);
    EXPECT_EQ(state.Span, 512.0);
    EXPECT_FALSE(ds::zoomOut(state));
    EXPECT_EQ(state.Span, 512.0);
    // Pans at the widest span keep the boxes in numbers inside their width.
    for (int i = 0; i < 3; ++i) {
        ds::scrollLeft(state, 309);
        ds::scrollUp(state, 400);
        const auto texts = boxTexts(ds::buildPlotScene(state, kThree, 309, 400, kMetrics));
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_TRUE(isDms(texts[0], 3)) << texts[0];
        EXPECT_TRUE(isDms(texts[1], 2)) << texts[1];
    }

    // In: halved down to the smallest normal double, 2^-1022, never to 0.
    state = resetAndLoad(kThree);
    int halvings = 0;
    while (halvings < 5000 && ds::zoomIn(state))
        ++halvings;
    EXPECT_EQ(halvings, 1019);
    EXPECT_EQ(state.Span, std::numeric_limits<double>::min());
    EXPECT_FALSE(ds::zoomIn(state));
    EXPECT_GT(state.Span, 0.0);
    // The centre station stays on the cross, the others far off are left
    // out, and the boxes still read the centre; zoom out comes back.
    EXPECT_EQ(ds::buildPlotScene(state, kThree, 309, 400, kMetrics),
              withLabels(frame("098 59 58", "38 59 59"), {text(151, 194, "1", 0)}));
    EXPECT_TRUE(ds::zoomOut(state));
    EXPECT_EQ(state.Span, 2 * std::numeric_limits<double>::min());
}

TEST(PlotScene, AScrollStepMovesTheOriginAndTheCentreByTenPixelsEach)
{
    ds::PlotState state = resetAndLoad(kThree);
    ds::scrollRight(state, 309);
    EXPECT_EQ(state.OriginX, 141);
    // 10 pixels of 0.125 degrees over 309: 0.0040453 degrees east, so the
    // LON box reads 98 59' 44.4" -> "098 59 44"; every label moves 20
    // pixels left (x2 = 141 - 7.55 - 10, x3 = 141 + 61.11 - 10).
    const std::vector<PlotStep> steps = ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
    EXPECT_EQ(steps, withLabels(frame("098 59 44", "38 59 59"),
                                {text(131, 194, "1", 0), text(123, 166, "2", 1), text(192, 246, "3", 2)}));

    ds::scrollDown(state, 400);
    EXPECT_EQ(state.OriginY, 184);
    EXPECT_DOUBLE_EQ(state.CenterLat, 38 + 59 / 60.0 + 59 / 3600.0 - 10 * 0.125 / 400);
    // The thumb dragged two units left from where it stood: two line steps west.
    ds::thumbHorizontal(state, 309, -2);
    EXPECT_EQ(state.OriginX, 161);
    EXPECT_NEAR(state.CenterLon, 98 + 59 / 60.0 + 59 / 3600.0 + 10 * 0.125 / 309, 1e-12);
}

// At the widest span one step is 16.6 degrees: panning ends at the edge
// of the globe, and there the drawing stops too.
TEST(PlotScene, PanningStopsAtTheEdgesOfTheGlobe)
{
    struct EdgeCase {
        const char* name;
        void (*step)(ds::PlotState&);
        void (*back)(ds::PlotState&);
        double ds::PlotState::*centre;
        double edge;
        std::string box; // the LON or LAT text at the edge
        std::size_t boxAt;
    };
    const std::vector<EdgeCase> cases{
        {"east", [](ds::PlotState& s) { ds::scrollRight(s, 309); }, [](ds::PlotState& s) { ds::scrollLeft(s, 309); },
         &ds::PlotState::CenterLon, -180.0, "-180 00 00", 0},
        {"west", [](ds::PlotState& s) { ds::scrollLeft(s, 309); }, [](ds::PlotState& s) { ds::scrollRight(s, 309); },
         &ds::PlotState::CenterLon, 180.0, "180 00 00", 0},
        {"north", [](ds::PlotState& s) { ds::scrollUp(s, 400); }, [](ds::PlotState& s) { ds::scrollDown(s, 400); },
         &ds::PlotState::CenterLat, 90.0, "90 00 00", 1},
        {"south", [](ds::PlotState& s) { ds::scrollDown(s, 400); }, [](ds::PlotState& s) { ds::scrollUp(s, 400); },
         &ds::PlotState::CenterLat, -90.0, "-90 00 00", 1},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ds::PlotState state = resetAndLoad(kThree);
        while (ds::zoomOut(state)) {
        }
        for (int i = 0; i < 300; ++i) {
            c.step(state);
            ASSERT_LE(std::fabs(state.CenterLon), 180.0);
            ASSERT_LE(std::fabs(state.CenterLat), 90.0);
        }
        EXPECT_EQ(state.*c.centre, c.edge);
        const std::vector<PlotStep> atEdge = ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
        EXPECT_EQ(boxTexts(atEdge).at(c.boxAt), c.box);
        // One more step changes nothing: not the boxes, not the labels.
        const ds::PlotState held = state;
        c.step(state);
        EXPECT_EQ(state, held);
        // Back from the edge by a whole step: the centre by 10 pixels' span,
        // the labels by 20 pixels.
        c.back(state);
        EXPECT_NEAR(std::fabs(state.*c.centre - c.edge), 10 * 512.0 / (c.boxAt == 0 ? 309 : 400), 1e-9);
        EXPECT_EQ(std::abs(state.OriginX - held.OriginX) + std::abs(state.OriginY - held.OriginY), 10);
    }

    // The last step short of the edge moves the origin by its part of 10
    // pixels; a centre already beyond the edge (a station's position out of
    // range) moves no farther out, and comes back by whole steps.
    ds::PlotState state = resetAndLoad(kThree);
    state.Span = 32.0; // one step is one degree over 320 pixels
    state.CenterLon = 179.5;
    const int origin = state.OriginX;
    ds::scrollLeft(state, 320);
    EXPECT_EQ(state.CenterLon, 180.0);
    EXPECT_EQ(state.OriginX, origin + 5);
    state.CenterLon = 250.0;
    ds::scrollLeft(state, 320);
    EXPECT_EQ(state.CenterLon, 250.0);
    EXPECT_EQ(state.OriginX, origin + 5);
    ds::scrollRight(state, 320);
    EXPECT_EQ(state.CenterLon, 249.0);
    EXPECT_EQ(state.OriginX, origin - 5);
}

TEST(PlotScene, LabelModes)
{
    ds::PlotState state = resetAndLoad(kThree);
    const struct {
        int mode;
        std::string first, third;
    } cases[] = {
        {0, "1", "3"},
        {1, "AA1001", "AA1003"},
        {2, "MARK ONE", "MARK THREE"},
        {7, "1", "3"}, // any other value draws numbers
    };
    for (const auto& c : cases) {
        state.LabelMode = c.mode;
        const std::vector<PlotStep> steps = ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
        ASSERT_EQ(steps.size(), 10u);
        EXPECT_EQ(steps[7], text(151, 194, c.first, 0)) << c.mode;
        EXPECT_EQ(steps[9], text(212, 246, c.third, 2)) << c.mode;
    }
    // A PID field cut short by the line's end is padded to six.
    EXPECT_EQ(ds::plotLabel("      AB1", 1, 1), "AB1   ");
    EXPECT_EQ(ds::plotLabel("short", 1, 2), "");
    EXPECT_EQ(ds::plotLabel(kThree[0] + std::string(60, 'x'), 1, 2), "MARK ONE" + std::string(42, 'x'));
}

TEST(PlotScene, EmptyResultsShowTheUnsetCentre)
{
    const ds::PlotState state = resetAndLoad({});
    EXPECT_DOUBLE_EQ(state.CenterLat, -1.0);
    EXPECT_EQ(ds::buildPlotScene(state, {}, 309, 400, kMetrics), frame("-01 00 00", "-1 00 00"));
}

TEST(PlotScene, CornerSearchAndTies)
{
    // No station is both north and west of the first: it stays the NW
    // corner; SE is the second. The third and fourth are equally far from
    // the midpoint (39 30, 98 30): the earlier wins.
    const std::vector<std::string> lines = {
        plotListLine("AA0001", "40 00 00.0", "099 00 00.0", ""),
        plotListLine("AA0002", "39 00 00.0", "098 00 00.0", ""),
        plotListLine("AA0003", "41 00 00.0", "098 30 00.0", ""), // north but east: not a corner
        plotListLine("AA0004", "39 30 00.0", "098 00 00.0", ""),
        plotListLine("AA0005", "39 30 00.0", "099 00 00.0", ""),
    };
    ds::PlotState state = resetAndLoad(lines);
    EXPECT_DOUBLE_EQ(state.CenterLat, 39.5);
    EXPECT_DOUBLE_EQ(state.CenterLon, 98.0);

    // A centre once set is kept.
    state.CenterLat = 45;
    ds::findPlotCenter(state, lines);
    EXPECT_DOUBLE_EQ(state.CenterLat, 45);

    // A station without a position counts at (0, 0).
    ds::PlotState blank = resetAndLoad({plotListLine("AA0009", "", "", "")});
    EXPECT_DOUBLE_EQ(blank.CenterLat, 0);
    EXPECT_DOUBLE_EQ(blank.CenterLon, 0);
}

TEST(PlotScene, RecentreFromAMarksLine)
{
    const std::string third = ds::plotMarksLine(3, kThree[2]);
    EXPECT_EQ(third, "    3 = " + kThree[2].substr(6));

    ds::PlotState state = resetAndLoad(kThree);
    double lat = 0, lon = 0;
    ASSERT_TRUE(ds::marksLinePosition(third, lat, lon));
    state.CenterLat = lat;
    state.CenterLon = lon;
    ds::findPlotCenter(state, kThree);
    // The third station on the cross; the first 59" north and 89" west of it.
    // 38 59 00 and 098 58 30 read back exactly.
    EXPECT_EQ(ds::buildPlotScene(state, kThree, 309, 400, kMetrics),
              withLabels(frame("098 58 30", "38 59 00"),
                         {text(89, 141, "1", 0), text(82, 114, "2", 1), text(151, 194, "3", 2)}));

    // Past 99,999 results the number widens; the position still follows " = ".
    const std::string wide = ds::plotMarksLine(123456, kThree[1]);
    EXPECT_EQ(wide.substr(0, 9), "123456 = ");
    ASSERT_TRUE(ds::marksLinePosition(wide, lat, lon));
    EXPECT_DOUBLE_EQ(lat, 39 + 30 / 3600.0);
    EXPECT_DOUBLE_EQ(lon, 99 + 10 / 3600.0);

    for (const std::string bad : {"", "    1 = AA1001|2-1|38 59", "no equals sign at all in this line, long enough......."}) {
        lat = lon = 7;
        EXPECT_FALSE(ds::marksLinePosition(bad, lat, lon)) << bad;
        EXPECT_EQ(lat, 7);
        EXPECT_EQ(lon, 7);
    }
}

TEST(PlotScene, TextConversions)
{
    const struct {
        std::string text;
        double degrees;
    } reads[] = {
        {"38 59 59.9", 38 + 59 / 60.0 + 59 / 3600.0}, // fractions of a second ignored
        {"098 30", 98.5},
        {"", 0},
        {"ab 12 13", 0},
        {"10 xx 30", 10}, // reading stops at the first failure
        {"10-30-36", 10 - 0.5 - 0.01},
        {"99999999999 0 0", 2147483647.0}, // held at the int range
    };
    for (const auto& r : reads)
        EXPECT_DOUBLE_EQ(ds::DmsTextToDegrees(r.text), r.degrees) << r.text;

    EXPECT_EQ(ds::DegreesToDmsText("LAT", 38.5), "38 30 00");
    EXPECT_EQ(ds::DegreesToDmsText("LAT", 9.25), "09 15 00");
    EXPECT_EQ(ds::DegreesToDmsText("LON", 98.5), "098 30 00");
    EXPECT_EQ(ds::DegreesToDmsText("LON", -0.5), "-01 30 00");
    EXPECT_EQ(ds::DegreesToDmsText("LON", 1e300).size(), 301u + 6);
    EXPECT_EQ(ds::DegreesToDmsText("LAT", INFINITY), "inf nan nan");

    EXPECT_EQ(ds::correctorValue("-100"), -100);
    EXPECT_EQ(ds::correctorValue("  +12x"), 12);
    EXPECT_EQ(ds::correctorValue("abc"), 0);
    EXPECT_EQ(ds::correctorValue(""), 0);
}

TEST(PlotScene, UnlimitedZoomAndPanNeverOverflow)
{
    ds::PlotState state = resetAndLoad(kThree);
    for (int i = 0; i < 1100; ++i) {
        state.Span *= 0.5;
        ds::scrollLeft(state, 309);
        const auto steps = ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
        ASSERT_GE(steps.size(), 7u);
        for (const PlotStep& s : steps)
            if (s.kind == PlotStep::Text && s.station >= 0) {
                EXPECT_GE(s.x1, -20 * 6);
                EXPECT_LE(s.x1, 309);
            }
    }
    state = resetAndLoad(kThree);
    for (int i = 0; i < 1100; ++i) {
        state.Span *= 2.0;
        ds::scrollUp(state, 400);
        ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
    }
    EXPECT_TRUE(std::isinf(state.Span));
}

TEST(PlotScene, FarLabelsAreLeftOutNearOnesKept)
{
    // One station per pixel row west of the centre: only those whose label
    // can still reach the area are drawn.
    ds::PlotState state = ds::resetPlotState(309, 400, kMetrics);
    state.CenterLat = 40;
    state.CenterLon = 100;
    std::vector<std::string> lines;
    for (int seconds = 0; seconds < 3600; seconds += 10)
        lines.push_back(plotListLine("AA0001", "40 00 00.0", "100 " + std::to_string(seconds / 60) + " " +
                                                             std::to_string(seconds % 60), ""));
    std::size_t labels = 0;
    for (const PlotStep& s : ds::buildPlotScene(state, lines, 309, 400, kMetrics))
        if (s.kind == PlotStep::Text && s.station >= 0) {
            ++labels;
            EXPECT_GE(s.x1, -120); // 20 characters of 6
        }
    // Longitude grows westward: x = 151 - 309 * 8 * seconds / 3600.
    // Kept: 151 - 0.6867 * seconds >= -120, seconds <= 394 -> 0..390, 40 labels.
    EXPECT_EQ(labels, 40u);
}

TEST(PlotScene, PrintedPageStretchesTheClientArea)
{
    ds::PlotState state = resetAndLoad(kThree);
    // Twice the client size: sx = sy = 2; printer text 10 a character, 20 high.
    const ds::FixedPlotMetrics printer(10, 20);
    ds::PlotPage page{618, 800, 309, 400, 0, 0};
    const std::vector<PlotStep> expected = {
        // tw 90, th 20: x = 309 - 45, y = 800 - 20 - 40
        {PlotStep::Rectangle, 262, 738, 356, 762, {}, -1},
        text(264, 740, "098 59 58"),
        // x = 618 - 90 - 40, y = 400 - 10
        {PlotStep::Rectangle, 486, 388, 580, 412, {}, -1},
        text(488, 390, "38 59 59"),
        {PlotStep::Line, 229, 400, 389, 400, {}, -1},
        // one digit (10) left of the middle
        {PlotStep::Line, 299, 320, 299, 480, {}, -1},
        // ox = 302, oy = 388; y adds half of "5"'s height (10):
        // x2 = 302 - 15.1, y2 = 388 + 10 - 55.1; x3 = 302 + 122.2, y3 = 398 + 104.9
        text(302, 398, "1", 0),
        text(286, 342, "2", 1),
        text(424, 502, "3", 2),
    };
    EXPECT_EQ(ds::buildPlotPage(state, kThree, page, printer), expected);

    // Correctors move the labels only; a point off the page is left out.
    page.WCorrector = -100;
    page.HCorrector = -350;
    std::vector<PlotStep> shifted(expected.begin(), expected.end() - 3);
    shifted.push_back(text(202, 48, "1", 0));
    shifted.push_back(text(324, 152, "3", 2));
    EXPECT_EQ(ds::buildPlotPage(state, kThree, page, printer), shifted);

    // Another page shape scales each axis on its own.
    page = {309, 800, 309, 400, 0, 0};
    const auto tall = ds::buildPlotPage(state, kThree, page, printer);
    EXPECT_EQ(tall.back(), text(212, 502, "3", 2));
}

} // namespace

namespace {

TEST(PlotPrint, OneJobOfTheScreensDrawingStretchedToThePage)
{
    ds::PlotState state = resetAndLoad(kThree);
    state.Span = 0.0625;
    // 600 pixels an inch, 4800 x 6300; a 12-pixel font is 75 printer
    // pixels high and 37 a character.
    platform::RecordingPrinter printer;
    platform::PrintFont font;
    font.family = "Sans";
    font.pixelSize = 12;
    platform::RecordingProgress progress;
    platform::RecordingNotices notices;
    ASSERT_TRUE(ds::printPlot(state, kThree, 309, 400, -100, -100, font, printer, progress, notices));
    EXPECT_TRUE(notices.recorded().empty());
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.printouts, 1);
    const platform::RecordingPrinter::Job& job = printer.jobs[0];
    EXPECT_FALSE(job.fonts.empty());
    EXPECT_EQ(job.fonts.back(), font);

    // The page: sx = 4800 / 309, sy = 6300 / 400; tw = 9 * 37 = 333, th = 75.
    using Shape = platform::RecordingPrinter::Shape;
    const std::vector<Shape> shapes = {
        {true, 2400 - 166 - 2, 6300 - 75 - 315 - 2, 2400 + 166 + 2, 6300 - 315 + 2}, // LON box
        // LAT box: x = trunc(4800 - 333 - 310.68) = 4156, right trunc(4800 - 310.68) + 2
        {true, 4156 - 2, 3150 - 37 - 2, 4489 + 2, 3150 + 37 + 2},
        {false, 1778, 3150, 3021, 3150}, // 2400 -/+ 40 * sx (621.36), truncated

        {false, 2400 - 37, 3150 - 630, 2400 - 37, 3150 + 630},                        // one digit left
    };
    EXPECT_EQ(job.shapes, shapes);
    ASSERT_EQ(job.texts.size(), 5u);
    EXPECT_EQ(job.texts[0].text, "098 59 58");
    EXPECT_EQ(job.texts[0].x, 2400 - 166);
    EXPECT_EQ(job.texts[1].text, "38 59 59");

    // The labels are the screen's scaled, half a digit's height lower and
    // moved by the correctors: ox = trunc(151 * sx) = 2345, oy = trunc(194 * sy) = 3055.
    const std::vector<ds::PlotStep> screen = ds::buildPlotScene(state, kThree, 309, 400, kMetrics);
    const double sx = 4800.0 / 309, sy = 6300.0 / 400;
    for (int k = 0; k < 3; ++k) {
        const platform::RecordingPrinter::Text& label = job.texts[2 + k];
        const PlotStep& shown = screen[7 + k];
        EXPECT_EQ(label.text, shown.text);
        EXPECT_NEAR(label.x, shown.x1 * sx - 100, sx + 1) << k;
        EXPECT_NEAR(label.y, shown.y1 * sy + 37 - 100, sy + 1) << k;
    }
    EXPECT_EQ(job.texts[2].x, 2345 - 100);
    EXPECT_EQ(job.texts[2].y, 3055 + 37 - 100);

    // The bar moved with the labels, once a percentage, and finished.
    EXPECT_EQ(progress.values, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(progress.finishes, 1);
}

TEST(PlotPrint, EmptyListAndFailingPrinter)
{
    const ds::PlotState state = resetAndLoad({});
    platform::RecordingPrinter printer;
    platform::RecordingProgress progress;
    platform::RecordingNotices notices;
    ASSERT_TRUE(ds::printPlot(state, {}, 309, 400, 0, 0, {}, printer, progress, notices));
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].lines(), (std::vector<std::string>{"-01 00 00", "-1 00 00"}));
    EXPECT_EQ(printer.jobs[0].shapes.size(), 4u);

    platform::RecordingPrinter broken;
    broken.failBeginJob = 1;
    platform::RecordingProgress brokenProgress;
    EXPECT_FALSE(ds::printPlot(state, kThree, 309, 400, 0, 0, {}, broken, brokenProgress, notices));
    EXPECT_TRUE(broken.jobs.empty());
    EXPECT_EQ(brokenProgress.finishes, 1);
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Could not print to Recording Printer"}}));
}

} // namespace
