#include "platform/recording_printer.h"

#include <algorithm>
#include <cmath>

namespace platform {

std::vector<std::string> RecordingPrinter::Job::lines() const
{
    std::vector<std::string> out;
    out.reserve(texts.size());
    for (const Text& text : texts)
        out.push_back(text.text);
    return out;
}

RecordingPrinter::RecordingPrinter(int pixelsPerInch, int printableWidth, int printableHeight, std::string name)
    : ppi_(pixelsPerInch), width_(printableWidth), height_(printableHeight), name_(std::move(name))
{
}

bool RecordingPrinter::beginPrintout()
{
    if (failBeginPrintout)
        return false;
    inPrintout = true;
    ++printouts;
    return true;
}

bool RecordingPrinter::endPrintout()
{
    inPrintout = false;
    return true;
}

bool RecordingPrinter::beginJob()
{
    ++begun_;
    if (failBeginJob == begun_)
        return false;
    if (!inPrintout) {
        beginPrintout();
        ownPrintout_ = true;
    }
    inJob = true;
    current_ = Job{};
    return true;
}

bool RecordingPrinter::endJob()
{
    ++ended_;
    if (!inJob)
        ++strayCalls;
    inJob = false;
    jobs.push_back(std::move(current_));
    current_ = Job{};
    if (ownPrintout_) {
        ownPrintout_ = false;
        endPrintout();
    }
    return failEndJob != ended_;
}

void RecordingPrinter::setFont(const PrintFont& value)
{
    font = value;
    if (inJob)
        current_.fonts.push_back(value);
}

int RecordingPrinter::textHeight(std::string_view)
{
    const double inches = font.pixelSize > 0 ? font.pixelSize / 96.0 : font.pointSize / 72.0;
    return std::max(1, static_cast<int>(std::lround(inches * ppi_)));
}

int RecordingPrinter::textWidth(std::string_view text)
{
    return static_cast<int>(text.size()) * std::max(1, textHeight(text) / 2);
}

void RecordingPrinter::textOut(int x, int y, std::string_view text)
{
    if (!inJob)
        ++strayCalls;
    current_.texts.push_back({x, y, std::string(text)});
}

void RecordingPrinter::drawLine(int x1, int y1, int x2, int y2)
{
    if (!inJob)
        ++strayCalls;
    current_.shapes.push_back({false, x1, y1, x2, y2});
}

void RecordingPrinter::drawRectangle(int left, int top, int right, int bottom)
{
    if (!inJob)
        ++strayCalls;
    current_.shapes.push_back({true, left, top, right, bottom});
}

} // namespace platform
