// The Qt printer into PDF files: jobs become pages, the page printer's lines
// come out in order, fonts in pixels keep their screen size, and a file that
// cannot be written is reported.
#include "platform/qt/qt_printer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <gtest/gtest.h>

#include "datasheet/page_printer.h"
#include "platform/files.h"
#include "platform/qt/modal.h"
#include "tests/support/pdf_text.h"
#include "platform/recording_printer.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::pdfPages;
using testsupport::squeezed;
using testsupport::trimmed;

QFont listFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    return font;
}

std::vector<std::string> listLines(int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "     |KA%04d|B-2|39 00 %02d. |094 30 00.  |STATION %d", i, i % 60, i);
        lines.emplace_back(line);
    }
    return lines;
}

class QtPrinterTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!testsupport::havePdfToText())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    testsupport::TempDir dir;
    platform::RecordingProgress progress;
    platform::RecordingNotices notices;
};

TEST_F(QtPrinterTest, PagePrinterIntoAPdfFile)
{
    platform::QtPrinter printer;
    const std::string pdf = dir.file("list.pdf");
    printer.usePdfFile(pdf);
    EXPECT_TRUE(printer.printsToPdf());
    EXPECT_EQ(printer.name(), pdf);
    const auto lines = listLines(120);
    ds::PageOptions options;
    ASSERT_TRUE(ds::printPages(lines, platform::printFont(listFont()), options, printer, progress, notices));
    EXPECT_TRUE(notices.recorded().empty());

    const auto pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 59u);
    EXPECT_EQ(pages[1].size(), 59u);
    EXPECT_EQ(pages[2].size(), 2u);
    std::size_t i = 0;
    for (const auto& page : pages)
        for (const auto& line : page)
            EXPECT_EQ(squeezed(line), squeezed(lines[i++]));

    // A second printout replaces the file with its own pages.
    ASSERT_TRUE(ds::printPages(listLines(3), platform::printFont(listFont()), options, printer, progress, notices));
    EXPECT_EQ(pdfPages(pdf).size(), 1u);
}

TEST_F(QtPrinterTest, PixelFontKeepsItsScreenSize)
{
    platform::QtPrinter printer;
    printer.usePdfFile(dir.file("size.pdf"));
    const QFont font = listFont();
    printer.setFont(platform::printFont(font));
    const double screenInches = QFontMetrics(font).height() / 96.0;
    const double paperInches = static_cast<double>(printer.textHeight("E")) / printer.pixelsPerInch();
    EXPECT_NEAR(paperInches, screenInches, screenInches * 0.25);
    EXPECT_GT(printer.printableHeight(), 59 * printer.textHeight("E") + printer.pixelsPerInch() / 2);
    EXPECT_GT(printer.printableWidth(), printer.pixelsPerInch() * 5);
}

TEST_F(QtPrinterTest, JobsOutsideAPrintoutAndShapes)
{
    platform::QtPrinter printer;
    const std::string pdf = dir.file("plot.pdf");
    printer.usePdfFile(pdf);
    printer.setFont(platform::printFont(listFont()));
    ASSERT_TRUE(printer.beginJob());
    printer.drawRectangle(100, 100, 900, 300);
    printer.textOut(120, 120, "LON 094 30 00");
    printer.drawLine(0, 500, 2000, 500);
    ASSERT_TRUE(printer.endJob());
    const auto pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].size(), 1u);
    EXPECT_EQ(trimmed(pages[0][0]), "LON 094 30 00");
}

TEST_F(QtPrinterTest, AFileThatCannotBeWritten)
{
    platform::QtPrinter printer;
    const std::string pdf = dir.file("no such dir/list.pdf");
    printer.usePdfFile(pdf);
    EXPECT_FALSE(ds::printPages(listLines(5), platform::printFont(listFont()), {}, printer, progress, notices));
    const std::vector<platform::Notice> expected{{"NOTICE", "Could not print to " + pdf, false}};
    EXPECT_EQ(notices.recorded(), expected);
    EXPECT_EQ(progress.finishes, 1);
    EXPECT_FALSE(platform::fileExists(pdf));
    EXPECT_FALSE(printer.beginJob());
}

TEST_F(QtPrinterTest, APrinterTheSystemDoesNotHave)
{
    platform::QtPrinter printer;
    printer.useSystemPrinter("No Such Printer 7");
    EXPECT_FALSE(ds::printPages(listLines(5), platform::printFont(listFont()), {}, printer, progress, notices));
    const std::vector<platform::Notice> expected{{"NOTICE", "Could not print to No Such Printer 7", false}};
    EXPECT_EQ(notices.recorded(), expected);
}

TEST_F(QtPrinterTest, SetupRunsThePrintDialog)
{
    platform::setModalTestMode(true);
    bool shown = false;
    platform::queueModal([&shown](QDialog& dialog) {
        shown = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
        dialog.reject();
    });
    platform::QtPrinter printer;
    printer.usePdfFile(dir.file("kept.pdf"));
    EXPECT_FALSE(printer.setup(nullptr));
    EXPECT_TRUE(shown);
    // A rejected dialog keeps the choice.
    EXPECT_EQ(printer.name(), dir.file("kept.pdf"));
    EXPECT_EQ(platform::modalQueueUnderflows(), 0);
    platform::setModalTestMode(false);
}

TEST_F(QtPrinterTest, SetupChoosesAPdfFile)
{
    platform::setModalTestMode(true);
    const std::string pdf = dir.file("chosen.pdf");
    // The user picks "Print to File (PDF)", types the file's name and accepts.
    platform::queueModal([&pdf](QDialog& dialog) {
        for (QComboBox* printers : dialog.findChildren<QComboBox*>()) {
            const int entry = printers->findText(QStringLiteral("Print to File (PDF)"));
            if (entry >= 0)
                printers->setCurrentIndex(entry);
        }
        for (QLineEdit* field : dialog.findChildren<QLineEdit*>())
            if (field->objectName() == QStringLiteral("filename"))
                field->setText(QString::fromStdString(pdf));
        dialog.accept();
    });
    platform::QtPrinter printer;
    EXPECT_TRUE(printer.setup(nullptr));
    EXPECT_TRUE(printer.printsToPdf());
    EXPECT_EQ(printer.name(), pdf);
    ASSERT_TRUE(ds::printPages(listLines(60), platform::printFont(listFont()), {}, printer, progress, notices));
    EXPECT_EQ(pdfPages(pdf).size(), 2u);
    platform::setModalTestMode(false);
}

TEST(CurrentPrinter, AnInstalledPrinterComesFirst)
{
    platform::RecordingPrinter recording;
    EXPECT_EQ(&platform::currentPrinter(), &platform::programPrinter());
    platform::setPrinter(&recording);
    EXPECT_EQ(&platform::currentPrinter(), &recording);
    platform::setPrinter(nullptr);
    EXPECT_EQ(&platform::currentPrinter(), &platform::programPrinter());
}

} // namespace
