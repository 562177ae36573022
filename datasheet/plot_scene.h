#pragma once
// The plot of the search results as a list of drawing steps, without a
// window system: the plot window paints the steps, the plot print sends them
// to the printer. Stations are the results' station-list lines (PID at index
// 6-11, latitude text 17-26, longitude text 28-38, designation from 40),
// placed by a linear projection around the plot centre.
//
// Drawing conventions of the steps (the adapters keep them): text is placed
// by its top-left corner; a rectangle from (x1, y1) to (x2, y2) and a line
// from (x1, y1) to (x2, y2) leave out their right/bottom end point; a
// rectangle's inside is filled with the background.
#include <string>
#include <string_view>
#include <vector>

#include "platform/notices.h"
#include "platform/printer.h"
#include "platform/progress.h"

namespace ds {

// Text sizes of the font the plot is drawn in.
class PlotMetrics {
public:
    virtual ~PlotMetrics() = default;
    virtual int textWidth(std::string_view text) const = 0;
    virtual int textHeight(std::string_view text) const = 0;
    // No character of the font is wider; bounds a label's width unmeasured.
    virtual int maxCharWidth() const = 0;
};

// Every character `charWidth` wide, every text `height` high.
class FixedPlotMetrics : public PlotMetrics {
public:
    FixedPlotMetrics(int charWidth, int height) : charWidth_(charWidth), height_(height) {}
    int textWidth(std::string_view text) const override { return charWidth_ * static_cast<int>(text.size()); }
    int textHeight(std::string_view) const override { return height_; }
    int maxCharWidth() const override { return charWidth_; }

private:
    int charWidth_;
    int height_;
};

struct PlotStep {
    enum Kind { Fill, Rectangle, Line, Text };
    Kind kind = Fill;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0; // Fill, Rectangle, Line
    int y2 = 0;
    std::string text; // Text
    // The results line a station label stands for (0-based); -1 for the rest.
    long long station = -1;
    bool operator==(const PlotStep&) const = default;
};

// The plot's view: what Reset sets and the buttons, scroll bars and
// dialogs change.
struct PlotState {
    double Span = 0.125; // degrees across the width (longitude) and the height (latitude)
    double CenterLat = -1.0; // not greater than 0: no centre set
    double CenterLon = -1.0; // west-positive
    int OriginX = 0; // pixel at which the centre is drawn
    int OriginY = 0;
    int LabelMode = 0; // 0 number, 1 PID, 2 designation; any other value numbers
    bool operator==(const PlotState&) const = default;
};

inline constexpr int kPlotClientWidth = 309;
inline constexpr int kPlotClientHeight = 400;

// The state at creation and after Reset, for a client area of the given size.
PlotState resetPlotState(int clientWidth, int clientHeight, const PlotMetrics& metrics);

// "d m s" read as three whole numbers separated by blanks ("%d %d %d"); a
// number that cannot be read counts as 0, fractions of a second are ignored.
double DmsTextToDegrees(std::string_view text);
// "LAT" gives "dd mm ss", any other kind "ddd mm ss"; seconds truncated.
// Any value gives a text (huge or non-finite ones too).
std::string DegreesToDmsText(std::string_view kind, double degrees);

// A station's position from its station-list line (a blank field reads 0).
double plotLatitude(std::string_view listLine);
double plotLongitude(std::string_view listLine);
// Its label in the given mode; `number` is its 1-based place in the results.
std::string plotLabel(std::string_view listLine, long long number, int labelMode);

// A line of the marks list: "%5d = %s" of the plot number and the
// station-list line from index 6 on.
std::string plotMarksLine(long long number, std::string_view listLine);
// The position in a marks line: latitude and longitude read from the text
// after its first " = " (the station-list line from its PID on), wherever
// that stands. False, with nothing set, for a line without " = " or too
// short to hold both fields.
bool marksLinePosition(std::string_view marksLine, double& latitude, double& longitude);

// The load's centre search: when no centre is set, the station nearest to
// the midpoint of the two corner stations (NW: north and west of every
// earlier corner, SE: south and east) becomes the centre, the earlier one on
// a tie. An empty list leaves the centre unset.
void findPlotCenter(PlotState& state, const std::vector<std::string>& lines);

// The zoom buttons: the span halved or doubled, within bounds that keep the
// centre's boxes in numbers. Zoom out stops once the window spans the whole
// globe (360 degrees or more); zoom in stops where the halved span would
// underflow towards 0 (below the smallest normal double). False when the
// span stays as it was.
inline constexpr double kPlotGlobeSpan = 360.0;
bool zoomIn(PlotState& state);
bool zoomOut(PlotState& state);

// Pan steps: the span of 10 pixels of the client area. The centre stays
// within 180 degrees of longitude and 90 of latitude either way: a step
// stops at that edge (a centre already beyond it moves back only). Each
// returns the part of the step made, 1 for a whole step, 0 at the edge.
double PanWest(PlotState& state, int clientWidth);
double PanEast(PlotState& state, int clientWidth);
double PanNorth(PlotState& state, int clientHeight);
double PanSouth(PlotState& state, int clientHeight);
// A scroll bar's line or page step: one pan step and the origin by 10 pixels
// (by the part of 10 that the pan step made at the edge).
void scrollLeft(PlotState& state, int clientWidth);
void scrollRight(PlotState& state, int clientWidth);
void scrollUp(PlotState& state, int clientHeight);
void scrollDown(PlotState& state, int clientHeight);
// A thumb released `delta` units from where it stood at the last paint
// (negative: left or up) counts as that many line steps.
void thumbHorizontal(PlotState& state, int clientWidth, int delta);
void thumbVertical(PlotState& state, int clientHeight, int delta);

// The window's drawing for a client area of `width` x `height`: the
// background, the LON box at the bottom centre, the LAT box at the right
// middle, the cross, and a label for each station whose label can reach the
// area (one whose point lies farther off than the widest label is left out).
std::vector<PlotStep> buildPlotScene(const PlotState& state, const std::vector<std::string>& lines, int width,
                                     int height, const PlotMetrics& metrics);

// The printed page: the window's client area (`clientWidth` x
// `clientHeight`) stretched to the page; text sizes those of the printer
// font. The correctors (printer pixels) move the labels only; a label whose
// point lies off the page is left out. No background fill.
struct PlotPage {
    int pageWidth = 0;
    int pageHeight = 0;
    int clientWidth = kPlotClientWidth;
    int clientHeight = kPlotClientHeight;
    int HCorrector = 0;
    int WCorrector = 0;
};
std::vector<PlotStep> buildPlotPage(const PlotState& state, const std::vector<std::string>& lines,
                                    const PlotPage& page, const PlotMetrics& printerMetrics);

// Prints the plot on one page of the printer, in `font`, as buildPlotPage
// lays it out for the printer's printable area. The progress window is
// already open; its bar follows the labels printed (moved only when its
// percentage changes) and is finished. When the printer cannot begin or
// fails: the bar finished, the notice "Could not print to <name>" (caption
// "NOTICE"), false.
bool printPlot(const PlotState& state, const std::vector<std::string>& lines, int clientWidth, int clientHeight,
               int HCorrector, int WCorrector, const platform::PrintFont& font, platform::Printer& printer,
               platform::ProgressSink& progress, platform::NoticeSink& notices);

// The corrector typed in a print box: the number that the text begins with
// (leading blanks and a sign allowed), 0 when it begins with none.
int correctorValue(std::string_view text);

} // namespace ds
