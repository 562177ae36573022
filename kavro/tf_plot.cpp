#include "kavro/tf_plot.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_status.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_pform.h"
#include "kavro/tf_poptions.h"
#include "kavro/tf_pprint_set.h"
#include "platform/notices.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/text.h"

TFPlot* FPlot = nullptr;

namespace {

constexpr int kPanelHeight = 25;

class WidgetPlotMetrics : public ds::PlotMetrics {
public:
    explicit WidgetPlotMetrics(const QFont& font) : metrics_(font) {}
    int textWidth(std::string_view text) const override { return metrics_.horizontalAdvance(platform::toQ(text)); }
    int textHeight(std::string_view) const override { return metrics_.height(); }
    int maxCharWidth() const override { return metrics_.maxWidth(); }

private:
    QFontMetrics metrics_;
};

// The zoom buttons' glyphs: a magnifying glass with a plus or a minus.
QIcon zoomGlyph(bool plus, const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 1.6));
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    painter.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    painter.setPen(QPen(colour, 1.4));
    painter.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (plus)
        painter.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return QIcon(pixmap);
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

TFPlot::TFPlot(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPlot = this;
    setWindowTitle("Plot");
    setAttribute(Qt::WA_OpaquePaintEvent);

    PlotPanel = new QFrame(this);
    PlotPanel->setFrameShape(QFrame::Panel);
    PlotPanel->setFrameShadow(QFrame::Raised);
    PlotPanel->setAutoFillBackground(true);
    auto* buttons = new QHBoxLayout(PlotPanel);
    buttons->setContentsMargins(1, 1, 1, 1);
    buttons->setSpacing(1);
    auto addButton = [&](const char* caption, const char* tip, void (TFPlot::*handler)()) {
        auto* button = new QPushButton(caption, PlotPanel);
        button->setFocusPolicy(Qt::TabFocus);
        button->setFixedHeight(kPanelHeight - 2);
        if (*tip)
            button->setToolTip(tip);
        else // the panel's spare width goes to its right end
            button->setMaximumWidth(button->sizeHint().width());
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        buttons->addWidget(button);
        return button;
    };
    PlotReset = addButton("Reset", "", &TFPlot::ResetClicked);
    PlotLbutton = addButton("List", "", &TFPlot::PlotListClicked);
    PlotPrint = addButton("Print", "", &TFPlot::PlotPrintClick);
    PlotVoomIn = addButton("", "Zoom in", &TFPlot::VoomInClicked);
    BitBtn1 = addButton("", "Zoom out", &TFPlot::VoomOutClicked);
    PlotOptions = addButton("Options", "", &TFPlot::PlotOptionsClick);
    Help = addButton("Help", "", &TFPlot::HelpClick);
    const QColor glyph = palette().color(QPalette::ButtonText);
    PlotVoomIn->setIcon(zoomGlyph(true, glyph));
    BitBtn1->setIcon(zoomGlyph(false, glyph));
    for (QPushButton* zoom : {PlotVoomIn, BitBtn1})
        zoom->setFixedWidth(kPanelHeight + 2);
    buttons->addStretch(1);

    HScrollBar = new QScrollBar(Qt::Horizontal, this);
    VScrollBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {HScrollBar, VScrollBar}) {
        bar->setRange(0, 100);
        bar->setFocusPolicy(Qt::ClickFocus);
        bar->installEventFilter(this);
    }
    VScrollBar->setEnabled(false);
    connect(HScrollBar, &QScrollBar::actionTriggered, this, [this](int action) { HScrollBarScroll(action); });
    connect(VScrollBar, &QScrollBar::actionTriggered, this, [this](int action) { VScrollBarScroll(action); });
    connect(HScrollBar, &QScrollBar::sliderReleased, this, [this] { thumbReleased(*HScrollBar); });
    connect(VScrollBar, &QScrollBar::sliderReleased, this, [this] { thumbReleased(*VScrollBar); });

    resize(ds::kPlotClientWidth, ds::kPlotClientHeight);
    State = ds::resetPlotState(ds::kPlotClientWidth, ds::kPlotClientHeight, WidgetPlotMetrics(font()));
}

TFPlot::~TFPlot()
{
    if (FPlot == this)
        FPlot = nullptr;
}

void TFPlot::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    PlotPanel->setGeometry(0, 0, width(), kPanelHeight);
    HScrollBar->setGeometry(0, height() - extent, width() - extent, extent);
    VScrollBar->setGeometry(width() - extent, kPanelHeight, extent, height() - kPanelHeight - extent);
}

std::vector<ds::PlotStep> TFPlot::scene() const
{
    static const std::vector<std::string> none;
    const std::vector<std::string>& lines = FFound ? FFound->FoundList->lines().lines() : none;
    return ds::buildPlotScene(State, lines, width(), height(), WidgetPlotMetrics(font()));
}

void TFPlot::paintEvent(QPaintEvent*)
{
    // Drawn as the canvas of the window system draws: rectangles and lines
    // leave out their right and bottom end point, text stands on its
    // top-left corner over the background colour.
    QPainter painter(this);
    const QColor background = palette().color(QPalette::Base);
    const QColor ink = palette().color(QPalette::Text);
    painter.setPen(ink);
    painter.setBrush(background);
    painter.setBackground(background);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const int ascent = painter.fontMetrics().ascent();
    for (const ds::PlotStep& step : scene()) {
        switch (step.kind) {
        case ds::PlotStep::Fill:
            painter.fillRect(QRect(QPoint(step.x1, step.y1), QPoint(step.x2 - 1, step.y2 - 1)), background);
            break;
        case ds::PlotStep::Rectangle:
            painter.drawRect(step.x1, step.y1, step.x2 - step.x1 - 1, step.y2 - step.y1 - 1);
            break;
        case ds::PlotStep::Line:
            painter.drawLine(step.x1, step.y1, step.x2 - sign(step.x2 - step.x1), step.y2 - sign(step.y2 - step.y1));
            break;
        case ds::PlotStep::Text:
            painter.drawText(step.x1, step.y1 + ascent, platform::toQ(step.text));
            break;
        }
    }
}

void TFPlot::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    LoadPts();
}

void TFPlot::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        LoadPts();
}

void TFPlot::closeEvent(QCloseEvent* event)
{
    CloseKids();
    event->accept();
}

bool TFPlot::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != HScrollBar && watched != VScrollBar)
        return QWidget::eventFilter(watched, event);
    auto* bar = static_cast<QScrollBar*>(watched);
    if (event->type() == QEvent::FocusIn)
        ScaleScroll();
    // The wheel over a bar steps as its arrows do.
    if (event->type() == QEvent::Wheel && bar->isEnabled()) {
        const QPoint delta = static_cast<QWheelEvent*>(event)->angleDelta();
        const int turn = delta.y() != 0 ? delta.y() : delta.x();
        if (turn != 0)
            bar->triggerAction(turn > 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TFPlot::CloseKids()
{
    for (QWidget* window : std::initializer_list<QWidget*>{FDisplay, FPPrintSet, FPOptions, FPForm})
        if (window)
            window->hide();
}

void TFPlot::ScaleScroll()
{
    for (QScrollBar* bar : {HScrollBar, VScrollBar}) {
        bar->setMaximum(100);
        bar->setSliderPosition(50);
    }
    LastHPos = LastVPos = 50;
}

void TFPlot::LoadPts()
{
    if (FFound)
        ds::findPlotCenter(State, FFound->FoundList->lines().lines());
    PaintPlot();
}

void TFPlot::PaintPlot()
{
    // A bar at its end gets room to go on; each keeps where it stands now
    // for its next thumb release.
    for (QScrollBar* bar : {HScrollBar, VScrollBar})
        if (bar->sliderPosition() >= bar->maximum())
            bar->setMaximum(bar->sliderPosition() + 100);
    LastHPos = HScrollBar->sliderPosition();
    LastVPos = VScrollBar->sliderPosition();
    update();
    HScrollBar->setEnabled(true);
    VScrollBar->setEnabled(true);
    show();
}

void TFPlot::ResetClicked()
{
    resize(ds::kPlotClientWidth, ds::kPlotClientHeight);
    State = ds::resetPlotState(ds::kPlotClientWidth, ds::kPlotClientHeight, WidgetPlotMetrics(font()));
    LastHPos = LastVPos = 0;
    LoadPts(); // which paints
}

void TFPlot::PlotListClicked()
{
    FPForm->ListPts();
}

void TFPlot::PlotPrintClick()
{
    FPPrintSet->show();
    FPPrintSet->raise();
}

void TFPlot::PlotOptionsClick()
{
    FPOptions->show();
    FPOptions->raise();
}

void TFPlot::HelpClick()
{
    OpenHelp(4);
}

void TFPlot::VoomInClicked()
{
    ds::zoomIn(State);
    PaintPlot();
}

void TFPlot::VoomOutClicked()
{
    ds::zoomOut(State);
    PaintPlot();
}

void TFPlot::SetPlotCenter(double latitude, double longitude)
{
    State.CenterLat = latitude;
    State.CenterLon = longitude;
}

void TFPlot::PanWest()
{
    ds::PanWest(State, width());
}

void TFPlot::PanEast()
{
    ds::PanEast(State, width());
}

void TFPlot::PanNorth()
{
    ds::PanNorth(State, height());
}

void TFPlot::PanSouth()
{
    ds::PanSouth(State, height());
}

void TFPlot::HScrollBarScroll(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        ds::scrollLeft(State, width());
        break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        ds::scrollRight(State, width());
        break;
    default: // tracking, top, bottom, end of scroll; a thumb release pans at sliderReleased
        return;
    }
    PaintPlot();
}

void TFPlot::VScrollBarScroll(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        ds::scrollUp(State, height());
        break;
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        ds::scrollDown(State, height());
        break;
    default:
        return;
    }
    PaintPlot();
}

void TFPlot::thumbReleased(QScrollBar& bar)
{
    if (&bar == HScrollBar)
        ds::thumbHorizontal(State, width(), bar.sliderPosition() - LastHPos);
    else
        ds::thumbVertical(State, height(), bar.sliderPosition() - LastVPos);
    PaintPlot();
}

void TFPlot::PrintPlot()
{
    ProgressWindow progress(this);
    const std::vector<std::string>& lines = FFound->FoundList->lines().lines();
    ds::printPlot(State, lines, width(), height(), HCorrector, WCorrector, platform::printFont(font()),
                  platform::currentPrinter(), progress.sink(), platform::notices());
}
