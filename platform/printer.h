#pragma once
// The printer: what the programs print through. A printout is a run of print
// jobs; the page printer makes every page a job of its own. Positions are
// printer pixels from the corner of the printable area, y downwards; a text
// is placed by its top left corner. What passes the printable area's edge is
// clipped. The Qt printer (platform/qt/qt_printer.h) prints on the chosen
// printer or into a PDF file; tests use the RecordingPrinter.
#include <string>
#include <string_view>

namespace platform {

// A font as the source control has it, without Qt: a size in pixels (screen
// pixels, 96 to the inch, kept on paper) or else in points.
struct PrintFont {
    std::string family;
    int pixelSize = 0;      // > 0: the size is in screen pixels
    double pointSize = 0;   // used when pixelSize is 0
    bool bold = false;
    bool italic = false;
    bool fixedPitch = false;
    bool operator==(const PrintFont&) const = default;
};

class Printer {
public:
    virtual ~Printer() = default;

    // Around the jobs of one printout (the page printer calls them). Into a
    // PDF file the jobs of one printout become the pages of one file. A job
    // begun outside a printout makes a printout of its own. False when the
    // printout cannot begin or could not be completed.
    virtual bool beginPrintout() = 0;
    virtual bool endPrintout() = 0;

    // One print job (a page). False when it cannot begin or failed.
    virtual bool beginJob() = 0;
    virtual bool endJob() = 0;

    // The canvas font for what follows; the sizes below measure in it.
    virtual void setFont(const PrintFont& font) = 0;
    virtual int textHeight(std::string_view text) = 0;
    virtual int textWidth(std::string_view text) = 0;
    // The bytes are 8-bit text (each byte one character), printed as they are.
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // Lines and rectangles (outline over a white inside) in a thin black pen.
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void drawRectangle(int left, int top, int right, int bottom) = 0;

    virtual int pixelsPerInch() const = 0;
    // The printable area in printer pixels.
    virtual int printableWidth() const = 0;
    virtual int printableHeight() const = 0;

    // The printer's name, or the PDF file's path: what a notice names.
    virtual std::string name() const = 0;
};

// The program-wide printer installed for tests (not owned); null when none
// is. The Qt programs print on their Qt printer while none is installed
// (platform::currentPrinter() of platform/qt/qt_printer.h).
Printer* installedPrinter();
// Installs a printer (not owned); null removes it. Returns the previous one.
Printer* setPrinter(Printer* printer);

} // namespace platform
