#include "platform/qt/qt_printer.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

#include "platform/qt/modal.h"
#include "platform/qt/text.h"

namespace platform {

namespace {

constexpr double kScreenPixelsPerInch = 96.0;

} // namespace

QtPrinter::QtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

QtPrinter::~QtPrinter()
{
    if (painter_ && painter_->isActive())
        painter_->end();
}

void QtPrinter::usePdfFile(const std::string& path)
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pathToQ(path));
}

void QtPrinter::useSystemPrinter(const std::string& name)
{
    printer_->setOutputFileName(QString());
    printer_->setOutputFormat(QPrinter::NativeFormat);
    printer_->setPrinterName(name.empty() ? QPrinterInfo::defaultPrinterName() : toQ(name));
}

bool QtPrinter::setup(QWidget* parent)
{
    QPrintDialog dialog(printer_.get(), parent);
    return execModal(dialog) == QDialog::Accepted;
}

bool QtPrinter::printsToPdf() const
{
    return printer_->outputFormat() == QPrinter::PdfFormat;
}

bool QtPrinter::beginPrintout()
{
    if (inPrintout_)
        return true;
    pdfPrintout_ = printsToPdf();
    pdfPages_ = 0;
    if (pdfPrintout_) {
        painter_ = std::make_unique<QPainter>();
        if (printer_->outputFileName().isEmpty() || !painter_->begin(printer_.get())) {
            painter_.reset();
            return false;
        }
    }
    inPrintout_ = true;
    return true;
}

bool QtPrinter::endPrintout()
{
    if (!inPrintout_)
        return true;
    inPrintout_ = false;
    bool ok = true;
    if (pdfPrintout_ && painter_) {
        ok = painter_->end();
        painter_.reset();
    }
    return ok;
}

bool QtPrinter::beginJob()
{
    if (!inPrintout_) {
        if (!beginPrintout())
            return false;
        ownPrintout_ = true;
    }
    if (pdfPrintout_) {
        // The first page comes with the file; every further job is a new page.
        if (pdfPages_++ > 0 && !printer_->newPage())
            return false;
    } else {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get())) {
            painter_.reset();
            return false;
        }
    }
    applyFont();
    return true;
}

bool QtPrinter::endJob()
{
    bool ok = painter_ != nullptr;
    if (!pdfPrintout_ && painter_) {
        ok = painter_->end();
        painter_.reset();
    }
    if (ownPrintout_) {
        ownPrintout_ = false;
        ok = endPrintout() && ok;
    }
    return ok;
}

void QtPrinter::setFont(const PrintFont& font)
{
    font_ = qFont(font);
    // Pixels are screen pixels: on paper the font keeps its size in inches.
    if (font.pixelSize > 0)
        font_.setPointSizeF(font.pixelSize * 72.0 / kScreenPixelsPerInch);
    applyFont();
}

void QtPrinter::applyFont()
{
    if (painter_ && painter_->isActive())
        painter_->setFont(font_);
}

int QtPrinter::textHeight(std::string_view)
{
    return QFontMetrics(font_, printer_.get()).height();
}

int QtPrinter::textWidth(std::string_view text)
{
    return QFontMetrics(font_, printer_.get()).horizontalAdvance(toQ(text));
}

void QtPrinter::textOut(int x, int y, std::string_view text)
{
    if (!painter_ || !painter_->isActive())
        return;
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), toQ(text));
}

void QtPrinter::drawLine(int x1, int y1, int x2, int y2)
{
    if (!painter_ || !painter_->isActive())
        return;
    painter_->setPen(QPen(Qt::black, 0));
    painter_->drawLine(x1, y1, x2, y2);
}

void QtPrinter::drawRectangle(int left, int top, int right, int bottom)
{
    if (!painter_ || !painter_->isActive())
        return;
    painter_->setPen(QPen(Qt::black, 0));
    painter_->setBrush(Qt::white);
    // The rectangle covers left..right-1 and top..bottom-1, as the
    // class library's canvas drew it.
    painter_->drawRect(left, top, right - left - 1, bottom - top - 1);
}

int QtPrinter::pixelsPerInch() const
{
    return printer_->resolution();
}

int QtPrinter::printableWidth() const
{
    return static_cast<int>(std::lround(printer_->pageRect(QPrinter::DevicePixel).width()));
}

int QtPrinter::printableHeight() const
{
    return static_cast<int>(std::lround(printer_->pageRect(QPrinter::DevicePixel).height()));
}

std::string QtPrinter::name() const
{
    if (printsToPdf())
        return pathFromQ(printer_->outputFileName());
    const QString printer = printer_->printerName();
    return printer.isEmpty() ? std::string("the default printer") : fromQ(printer);
}

QtPrinter& programPrinter()
{
    static QtPrinter printer;
    return printer;
}

Printer& currentPrinter()
{
    if (Printer* installed = installedPrinter())
        return *installed;
    return programPrinter();
}

PrintFont printFont(const QFont& font)
{
    PrintFont out;
    out.family = fromQ(font.family());
    if (font.pixelSize() > 0)
        out.pixelSize = font.pixelSize();
    else
        out.pointSize = font.pointSizeF();
    out.bold = font.bold();
    out.italic = font.italic();
    out.fixedPitch = font.fixedPitch();
    return out;
}

QFont qFont(const PrintFont& font)
{
    QFont out(toQ(font.family));
    if (font.pixelSize > 0)
        out.setPixelSize(font.pixelSize);
    else if (font.pointSize > 0)
        out.setPointSizeF(font.pointSize);
    out.setBold(font.bold);
    out.setItalic(font.italic);
    out.setFixedPitch(font.fixedPitch);
    if (font.fixedPitch)
        out.setStyleHint(QFont::Monospace);
    return out;
}

PrinterSetupDialog::PrinterSetupDialog(QWidget* owner) : QObject(owner), owner_(owner) {}

bool PrinterSetupDialog::Execute()
{
    return programPrinter().setup(owner_);
}

} // namespace platform
