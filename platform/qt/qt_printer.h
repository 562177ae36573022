#pragma once
// The program's printer on QPrinter: one for the program, holding the
// choice made in the printer set-up dialog (a printer, or a PDF file).
// Until a choice is made it prints on the system's default printer. On a
// printer every job is a print job of its own; into a PDF file the jobs of
// one printout become the pages of one file. Fonts sized in pixels keep
// their screen size on paper (96 pixels an inch); positions count from the
// corner of the printable area.
#include <QFont>
#include <QObject>

#include <memory>
#include <string>

#include "platform/printer.h"

class QPainter;
class QPrinter;
class QWidget;

namespace platform {

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // The choice, as the set-up dialog makes it.
    void usePdfFile(const std::string& path);
    // A printer by name; an empty name is the system's default printer.
    void useSystemPrinter(const std::string& name = {});
    // Runs the printer set-up dialog (QPrintDialog, answerable from tests
    // through platform::execModal); true when it was accepted.
    bool setup(QWidget* parent);
    bool printsToPdf() const;
    QPrinter& qPrinter() { return *printer_; }

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
    int pixelsPerInch() const override;
    int printableWidth() const override;
    int printableHeight() const override;
    std::string name() const override;

private:
    void applyFont();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    QFont font_;
    bool inPrintout_ = false;
    bool ownPrintout_ = false;
    bool pdfPrintout_ = false;
    int pdfPages_ = 0;
};

// The program's one Qt printer (made at first use).
QtPrinter& programPrinter();
// What the programs print on: the printer a test installed
// (platform::setPrinter), else the program's Qt printer.
Printer& currentPrinter();

// A widget's font as the printer takes it, and back.
PrintFont printFont(const QFont& font);
QFont qFont(const PrintFont& font);

// The printer set-up dialog of a form: runs programPrinter().setup().
class PrinterSetupDialog : public QObject {
    Q_OBJECT
public:
    explicit PrinterSetupDialog(QWidget* owner);
    // True when the user accepted a choice.
    bool Execute();

private:
    QWidget* owner_;
};

} // namespace platform
