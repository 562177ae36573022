// The plot window with its marks list, options and print dialogs: the Plot
// menu of the results, Reset, zoom, the scroll bars, recentring from the
// marks list, the label options, the help contexts and the closes.
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "datasheet/forms/tf_help.h"
#include "datasheet/list_lines.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_pform.h"
#include "kavro/tf_plot.h"
#include "kavro/tf_poptions.h"
#include "platform/qt/radio_group.h"
#include "kavro/tf_pprint_set.h"
#include "datasheet/forms/tf_status.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/qt_printer.h"
#include "platform/recording_printer.h"
#include "platform/qt/text.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/pdf_text.h"
#include "tests/support/plot_stations.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::plotListLine;
const std::vector<std::string>& kThree = testsupport::kThreeStations;

class Plot : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        FFound->FoundList->lines().assign(kThree);
        FFound->FoundList->show();
        FFound->show();
    }

    // The station labels of the current scene, in order.
    std::vector<ds::PlotStep> labels() const
    {
        std::vector<ds::PlotStep> found;
        for (const ds::PlotStep& step : FPlot->scene())
            if (step.kind == ds::PlotStep::Text && step.station >= 0)
                found.push_back(step);
        return found;
    }
    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> texts;
        for (const ds::PlotStep& step : FPlot->scene())
            if (step.kind == ds::PlotStep::Text && step.station < 0)
                texts.push_back(step.text);
        return texts;
    }
    // Paints the window into an image, as the screen would; true when
    // something besides the background was drawn.
    bool paintsSomething() const
    {
        const QImage image = FPlot->grab().toImage();
        const QRgb background = image.pixel(image.width() / 2 - 30, image.height() / 2 + 30);
        for (int y = 30; y < image.height() - 30; ++y)
            if (image.pixel(image.width() / 2, y) != background)
                return true;
        return false;
    }
    void clickMark(int row)
    {
        const QPoint point = FPForm->PlotList->visualRect(FPForm->PlotList->model()->index(row, 0)).center();
        QTest::mouseClick(FPForm->PlotList->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    }
};

TEST_F(Plot, WindowsAndTheirControls)
{
    TFPlot& p = *FPlot;
    EXPECT_EQ(p.windowTitle(), "Plot");
    EXPECT_EQ(p.PlotReset->text(), "Reset");
    EXPECT_EQ(p.PlotLbutton->text(), "List");
    EXPECT_EQ(p.PlotPrint->text(), "Print");
    EXPECT_EQ(p.PlotVoomIn->text(), "");
    EXPECT_FALSE(p.PlotVoomIn->icon().isNull());
    EXPECT_FALSE(p.BitBtn1->icon().isNull());
    EXPECT_EQ(p.PlotOptions->text(), "Options");
    EXPECT_EQ(p.Help->text(), "Help");
    EXPECT_EQ(p.size(), QSize(309, 400));
    EXPECT_FALSE(p.VScrollBar->isEnabled());
    EXPECT_EQ(FPForm->windowTitle(), "Plot Marks");
    EXPECT_EQ(FPForm->Panel1->text(), "Click on a station to place that station in the Center of the plot");
    EXPECT_FALSE(FPForm->PlotList->isVisibleTo(FPForm));
    EXPECT_EQ(FPOptions->windowTitle(), "Plot Options");
    EXPECT_EQ(FPOptions->PlotRadio->title(), "Plot Label");
    EXPECT_EQ(FPOptions->PlotRadioIndex(), 0);
    EXPECT_EQ(FPOptions->PlotOptionOK->text(), "OK");
    EXPECT_EQ(FPOptions->PlotOptionCancel->text(), "Cancel");
    TFPPrintSet& s = *FPPrintSet;
    EXPECT_EQ(s.windowTitle(), "Plot Print");
    EXPECT_EQ(s.Label1->text(), " Corrector (Pixels)");
    EXPECT_EQ(s.Label3->text(), "Width =");
    EXPECT_EQ(s.Label2->text(), "Height = ");
    EXPECT_EQ(s.WOffsetBox->text(), "0");
    EXPECT_EQ(s.HOffsetBox->maxLength(), 4);
    EXPECT_EQ(s.Print->text(), "Print");
    EXPECT_EQ(s.Help->text(), "Help");
    EXPECT_EQ(s.Cancel->text(), "Cancel");

    // The buttons' panel and the scroll bars stay inside the 309-pixel window.
    p.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&p));
    for (QWidget* button : {static_cast<QWidget*>(p.PlotReset), static_cast<QWidget*>(p.Help)})
        EXPECT_LE(button->mapTo(&p, QPoint(button->width(), 0)).x(), 309);
    EXPECT_EQ(p.HScrollBar->geometry().bottom(), 399);
    EXPECT_EQ(p.VScrollBar->geometry().right(), 308);
}

TEST_F(Plot, PlotMenuShowsTheResultsAroundTheNearestStation)
{
    FFound->Plot1->trigger();
    ASSERT_TRUE(FPlot->isVisible());
    EXPECT_TRUE(FPlot->VScrollBar->isEnabled());
    const ds::PlotState& s = FPlot->state();
    const QFontMetrics metrics(FPlot->font());
    EXPECT_EQ(s.OriginX, 154 - metrics.horizontalAdvance("5") / 2);
    EXPECT_EQ(s.OriginY, 200 - metrics.height() / 2);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"098 59 58", "38 59 59"}));
    const auto l = labels();
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].x1, s.OriginX); // the first station on the cross
    EXPECT_EQ(l[0].y1, s.OriginY);
    EXPECT_EQ(l[0].text, "1");
    EXPECT_LT(l[1].x1, s.OriginX); // the second north-west
    EXPECT_LT(l[1].y1, s.OriginY);
    EXPECT_GT(l[2].x1, s.OriginX); // the third south-east
    EXPECT_GT(l[2].y1, s.OriginY);
    EXPECT_TRUE(paintsSomething());

    // A new search keeps the centre until Reset.
    FFound->FoundList->lines().assign({kThree[2]});
    FFound->Plot1->trigger();
    EXPECT_EQ(boxTexts()[1], "38 59 59");
    FPlot->PlotReset->click();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"098 58 30", "38 59 00"}));

    // No results: the unset centre.
    FFound->FoundList->lines().clear();
    FPlot->PlotReset->click();
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"-01 00 00", "-1 00 00"}));
    EXPECT_TRUE(labels().empty());
}

TEST_F(Plot, ZoomAndScrollSteps)
{
    FFound->Plot1Click();
    const ds::PlotState start = FPlot->state();
    FPlot->PlotVoomIn->click();
    EXPECT_DOUBLE_EQ(FPlot->state().Span, 0.0625);
    FPlot->BitBtn1->click();
    FPlot->BitBtn1->click();
    EXPECT_DOUBLE_EQ(FPlot->state().Span, 0.25);

    // A line step right, even at the end of the bar: origin 10 pixels left
    // and the centre 10 pixels' span east.
    QScrollBar& h = *FPlot->HScrollBar;
    h.setSliderPosition(h.maximum());
    h.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(FPlot->state().OriginX, start.OriginX - 10);
    EXPECT_DOUBLE_EQ(FPlot->state().CenterLon, start.CenterLon - 10 * 0.25 / 309);
    EXPECT_GT(h.maximum(), 100); // room to go on
    FPlot->VScrollBar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(FPlot->state().OriginY, start.OriginY + 10);
    EXPECT_DOUBLE_EQ(FPlot->state().CenterLat, start.CenterLat + 10 * 0.25 / 400);

    // Entering a bar puts both thumbs in the middle; a thumb released three
    // units left of there pans three steps west.
    FPlot->ScaleScroll();
    EXPECT_EQ(h.maximum(), 100);
    EXPECT_EQ(h.value(), 50);
    const int originX = FPlot->state().OriginX;
    h.setSliderDown(true);
    h.setSliderPosition(47);
    EXPECT_EQ(FPlot->state().OriginX, originX); // nothing while tracking
    h.setSliderDown(false);
    EXPECT_EQ(FPlot->state().OriginX, originX + 30);
    EXPECT_EQ(FPlot->GetLastHPos(), 47);

    // Reset: the centre found again, origin, span and size as at creation.
    FPlot->resize(500, 300);
    FPlot->PlotReset->click();
    EXPECT_EQ(FPlot->size(), QSize(309, 400));
    EXPECT_EQ(FPlot->state(), start);
}

TEST_F(Plot, ZoomIsBoundedAndTheBoxesShowNumbers)
{
    FFound->Plot1Click();
    for (int i = 0; i < 40; ++i)
        FPlot->PlotVoomIn->click();
    FPlot->HScrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_TRUE(paintsSomething());
    // Zoom in stops before the span underflows to 0.
    for (int i = 0; i < 1100; ++i)
        FPlot->VoomInClicked();
    EXPECT_GT(FPlot->state().Span, 0.0);
    EXPECT_TRUE(paintsSomething());
    // Zoom out stops at the globe: 512 degrees across.
    for (int i = 0; i < 1100; ++i)
        FPlot->BitBtn1->click();
    EXPECT_EQ(FPlot->state().Span, 512.0);
    for (int i = 0; i < 2; ++i) {
        FPlot->HScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        FPlot->VScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    EXPECT_TRUE(paintsSomething());
    // Each box holds its text: "ddd mm ss" and "dd mm ss" in digits, inside the rectangle drawn for it.
    const std::vector<ds::PlotStep> scene = FPlot->scene();
    int boxes = 0;
    for (std::size_t i = 1; i < scene.size(); ++i) {
        const ds::PlotStep& step = scene[i];
        if (step.kind != ds::PlotStep::Text || step.station >= 0)
            continue;
        ++boxes;
        for (const char c : step.text)
            EXPECT_TRUE(c == ' ' || (c >= '0' && c <= '9')) << step.text;
        const ds::PlotStep& box = scene[i - 1];
        ASSERT_EQ(box.kind, ds::PlotStep::Rectangle);
        EXPECT_LE(step.x1 + FPlot->fontMetrics().horizontalAdvance(QString::fromStdString(step.text)), box.x2)
            << step.text;
    }
    EXPECT_EQ(boxes, 2);
}

// At the widest span the scroll bars pan to the edge of the globe and no
// farther: 300 steps each way leave the boxes at the edge.
TEST_F(Plot, PanningAtTheWidestSpanEndsAtTheEdgeOfTheGlobe)
{
    FFound->Plot1Click();
    while (FPlot->state().Span < 512.0)
        FPlot->BitBtn1->click();
    struct Edge {
        QScrollBar* bar;
        QAbstractSlider::SliderAction action;
        std::vector<std::string> boxes; // LON, LAT
    };
    for (const Edge& edge : {
             Edge{FPlot->HScrollBar, QAbstractSlider::SliderSingleStepAdd, {"-180 00 00", "38 59 59"}},
             Edge{FPlot->VScrollBar, QAbstractSlider::SliderPageStepSub, {"-180 00 00", "90 00 00"}},
             Edge{FPlot->HScrollBar, QAbstractSlider::SliderPageStepSub, {"180 00 00", "90 00 00"}},
             Edge{FPlot->VScrollBar, QAbstractSlider::SliderSingleStepAdd, {"180 00 00", "-90 00 00"}},
         }) {
        for (int i = 0; i < 300; ++i)
            edge.bar->triggerAction(edge.action);
        EXPECT_EQ(boxTexts(), edge.boxes);
        const std::vector<ds::PlotStep> labelsAtEdge = labels();
        edge.bar->triggerAction(edge.action);
        EXPECT_EQ(labels(), labelsAtEdge);
    }
    EXPECT_TRUE(paintsSomething());
}

TEST_F(Plot, MarksListRecentresThePlot)
{
    FFound->Plot1Click();
    FPlot->PlotLbutton->click();
    ASSERT_TRUE(FPForm->isVisible());
    EXPECT_TRUE(FPForm->PlotList->isVisible());
    const platform::LineList& marks = FPForm->PlotList->lines();
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks.at(2), "    3 = " + kThree[2].substr(6));

    // After a pan the chosen station is drawn at the moved origin.
    FPlot->HScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    clickMark(2);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"098 58 30", "38 59 00"}));
    auto l = labels();
    EXPECT_EQ(l[2].x1, FPlot->state().OriginX);
    EXPECT_EQ(l[2].y1, FPlot->state().OriginY);

    // The list does not follow the results; a line without a position
    // changes nothing.
    FFound->FoundList->lines().assign({kThree[0]});
    EXPECT_EQ(marks.size(), 3u);
    FPForm->PlotList->lines().set(1, "    2 = AA1002|2-1|39 0");
    clickMark(1);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"098 58 30", "38 59 00"}));
}

TEST_F(Plot, LabelOptionsAndReset)
{
    FFound->Plot1Click();
    TFPOptions& o = *FPOptions;
    FPlot->PlotOptions->click();
    ASSERT_TRUE(o.isVisible());
    o.SetPlotRadioIndex(1);
    o.PlotOptionOK->click();
    EXPECT_TRUE(o.isVisible());
    EXPECT_EQ(labels()[0].text, "AA1001");

    o.SetPlotRadioIndex(2);
    o.PlotOptionCancel->click();
    EXPECT_FALSE(o.isVisible());
    EXPECT_EQ(labels()[0].text, "AA1001");
    o.PlotOptionOK->click(); // the group kept the new choice
    EXPECT_EQ(labels()[2].text, "MARK THREE");

    // Reset brings numbers back though the dialog still shows Designation.
    FPlot->PlotReset->click();
    EXPECT_EQ(labels()[0].text, "1");
    EXPECT_EQ(o.PlotRadioIndex(), 2);
}

TEST_F(Plot, HelpContextsAndCloses)
{
    FFound->Plot1Click();
    FPlot->Help->click();
    EXPECT_EQ(FHelp->GetHelpContext(), 4);
    FPlot->PlotPrint->click();
    ASSERT_TRUE(FPPrintSet->isVisible());
    FPPrintSet->Help->click();
    EXPECT_EQ(FHelp->GetHelpContext(), 5);
    FPPrintSet->Cancel->click();
    EXPECT_FALSE(FPPrintSet->isVisible());

    // The plot's close hides its dialogs and the viewer, not the results.
    auto openAll = [] {
        for (QWidget* w : std::initializer_list<QWidget*>{FPPrintSet, FPOptions, FDisplay})
            w->show();
        FPForm->ListPts();
    };
    openAll();
    FPlot->close();
    for (QWidget* w : std::initializer_list<QWidget*>{FPPrintSet, FPOptions, FPForm, FDisplay, FPlot})
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
    EXPECT_TRUE(FFound->isVisible());

    // The results window's close hides the plot too.
    FFound->Plot1Click();
    openAll();
    FFound->close();
    for (QWidget* w : std::initializer_list<QWidget*>{FPPrintSet, FPOptions, FPForm, FDisplay, FPlot, FFound})
        EXPECT_FALSE(w->isVisible()) << w->windowTitle().toStdString();
}

TEST_F(Plot, PrintGoesToThePrinterWithTheCorrectors)
{
    FFound->Plot1Click();
    platform::RecordingPrinter printer;
    platform::setPrinter(&printer);
    TFPPrintSet& s = *FPPrintSet;
    FPlot->PlotPrint->click();
    s.WOffsetBox->setText("abc");
    s.HOffsetBox->setText("-100");
    s.Print->click();
    EXPECT_TRUE(s.isVisible());
    EXPECT_EQ(FPlot->GetWCorrector(), 0);
    EXPECT_EQ(FPlot->GetHCorrector(), -100);
    EXPECT_EQ(FStatus, nullptr); // the progress window is gone
    ASSERT_EQ(printer.jobs.size(), 1u);
    const platform::RecordingPrinter::Job job = printer.jobs[0];
    EXPECT_EQ(job.lines(), (std::vector<std::string>{"098 59 58", "38 59 59", "1", "2", "3"}));
    EXPECT_EQ(job.fonts.back(), platform::printFont(FPlot->font()));
    // Against a print without correctors: labels 100 pixels up, the rest in place.
    s.HOffsetBox->setText(" 0");
    s.Print->click();
    ASSERT_EQ(printer.jobs.size(), 2u);
    const platform::RecordingPrinter::Job& plain = printer.jobs[1];
    EXPECT_EQ(plain.shapes, job.shapes);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(job.texts[i].x, plain.texts[i].x);
        EXPECT_EQ(job.texts[i].y, plain.texts[i].y - (i >= 2 ? 100 : 0));
    }

    // A printer that cannot print says so.
    printer.failBeginJob = 3;
    s.Print->click();
    EXPECT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", "Could not print to Recording Printer"}}));
    EXPECT_EQ(FStatus, nullptr);
    platform::setPrinter(nullptr);
}

TEST_F(Plot, PrintIntoAPdfFile)
{
    if (!testsupport::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    testsupport::TempDir dir;
    const std::string pdf = dir.file("plot.pdf");
    platform::programPrinter().usePdfFile(pdf);
    FFound->Plot1Click();
    FPPrintSet->Print->click();
    platform::programPrinter().useSystemPrinter();
    EXPECT_TRUE(notices.recorded().empty());
    const auto pages = testsupport::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    bool latitude = false;
    for (const std::string& line : pages[0])
        latitude = latitude || line.find("38 59 59") != std::string::npos;
    EXPECT_TRUE(latitude);
}

} // namespace
