#include "kavro/tf_plot.h"

TFPlot* FPlot = nullptr;

TFPlot::TFPlot(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPlot = this;
    setWindowTitle("Plot");
}

TFPlot::~TFPlot()
{
    if (FPlot == this)
        FPlot = nullptr;
}
