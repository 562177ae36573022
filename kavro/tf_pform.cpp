#include "kavro/tf_pform.h"

#include <QLabel>
#include <QVBoxLayout>

#include "datasheet/plot_scene.h"
#include "kavro/tf_found.h"
#include "kavro/tf_plot.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/status_strip.h"

TFPForm* FPForm = nullptr;

TFPForm::TFPForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPForm = this;
    setWindowTitle("Plot Marks");

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    PlotList = new platform::LineListView(this);
    PlotList->setFixedFont(true);
    PlotList->hide();
    column->addWidget(PlotList, 1);
    Panel1 = new QLabel("Click on a station to place that station in the Center of the plot", this);
    platform::styleInfoTip(*Panel1);
    Panel1->setWordWrap(true);
    column->addWidget(Panel1);
    connect(PlotList, &platform::LineListView::itemClicked, this, [this](int) { PlotRecenter(); });
    resize(460, 300);
}

TFPForm::~TFPForm()
{
    if (FPForm == this)
        FPForm = nullptr;
}

void TFPForm::ListPts()
{
    hide();
    platform::LineList& marks = PlotList->lines();
    marks.clear();
    const std::vector<std::string>& found = FFound->FoundList->lines().lines();
    std::vector<std::string> lines;
    lines.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        lines.push_back(ds::plotMarksLine(static_cast<long long>(i) + 1, found[i]));
    marks.assign(std::move(lines));
    PlotList->show();
    show();
}

void TFPForm::PlotRecenter()
{
    const int row = PlotList->selectedRow();
    if (row < 0)
        return;
    Marked = PlotList->lines().at(static_cast<std::size_t>(row));
    double latitude = 0, longitude = 0;
    // A line too short to hold a position changes nothing.
    if (!ds::marksLinePosition(Marked, latitude, longitude))
        return;
    FPlot->SetPlotCenter(latitude, longitude);
    FPlot->LoadPts();
}
