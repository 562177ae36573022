#pragma once
// A printer for tests: records every job with what was printed in it, at
// which position and in which font. Its sizes follow simple rules that tests
// can count with: text height = the font's size in printer pixels (pixels
// at 96 an inch, points at 72), at least 1; text width = half the height
// per character. Any call can be made to fail.
#include <string>
#include <vector>

#include "platform/printer.h"

namespace platform {

class RecordingPrinter : public Printer {
public:
    struct Text {
        int x = 0;
        int y = 0;
        std::string text;
        bool operator==(const Text&) const = default;
    };
    struct Shape {
        bool rectangle = false; // else a line
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        bool operator==(const Shape&) const = default;
    };
    struct Job {
        std::vector<Text> texts;
        std::vector<Shape> shapes;
        std::vector<PrintFont> fonts; // fonts set while the job was open
        // The texts alone, in order.
        std::vector<std::string> lines() const;
    };

    explicit RecordingPrinter(int pixelsPerInch = 600, int printableWidth = 4800, int printableHeight = 6300,
                              std::string name = "Recording Printer");

    bool beginPrintout() override;
    bool endPrintout() override;
    bool beginJob() override;
    bool endJob() override;
    void setFont(const PrintFont& font) override;
    int textHeight(std::string_view text) override;
    int textWidth(std::string_view text) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void drawRectangle(int left, int top, int right, int bottom) override;
    int pixelsPerInch() const override { return ppi_; }
    int printableWidth() const override { return width_; }
    int printableHeight() const override { return height_; }
    std::string name() const override { return name_; }

    // Finished jobs, in order, and the printouts' count.
    std::vector<Job> jobs;
    int printouts = 0;
    PrintFont font;
    bool inJob = false;
    bool inPrintout = false;
    // Texts or shapes given outside a job (a fault of the caller).
    int strayCalls = 0;

    // Failures to play: the n-th (1-based) beginJob or endJob fails; 0 never.
    int failBeginJob = 0;
    int failEndJob = 0;
    bool failBeginPrintout = false;

private:
    int ppi_;
    int width_;
    int height_;
    std::string name_;
    int begun_ = 0;
    int ended_ = 0;
    bool ownPrintout_ = false;
    Job current_;
};

} // namespace platform
