#include "kavro/tf_poptions.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "kavro/tf_plot.h"
#include "platform/qt/radio_group.h"

TFPOptions* FPOptions = nullptr;

TFPOptions::TFPOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPOptions = this;
    setWindowTitle("Plot Options");

    auto* layout = new QVBoxLayout(this);
    PlotRadio = new platform::RadioGroup("Plot Label", {"Number", "PID", "Designation"}, this);
    layout->addWidget(PlotRadio);

    auto* buttons = new QHBoxLayout;
    PlotOptionOK = new QPushButton("OK", this);
    PlotOptionCancel = new QPushButton("Cancel", this);
    PlotOptionOK->setDefault(true);
    buttons->addWidget(PlotOptionOK);
    buttons->addWidget(PlotOptionCancel);
    layout->addLayout(buttons);
    connect(PlotOptionOK, &QPushButton::clicked, this, [this] { PlotOptionOKClick(); });
    connect(PlotOptionCancel, &QPushButton::clicked, this, [this] { PlotOptionCancelClick(); });
}

TFPOptions::~TFPOptions()
{
    if (FPOptions == this)
        FPOptions = nullptr;
}

int TFPOptions::PlotRadioIndex() const
{
    return PlotRadio->itemIndex();
}

void TFPOptions::SetPlotRadioIndex(int index)
{
    PlotRadio->setItemIndex(index);
}

void TFPOptions::PlotOptionOKClick()
{
    FPlot->SetLabelMode(PlotRadioIndex());
    FPlot->LoadPts();
}

void TFPOptions::PlotOptionCancelClick()
{
    hide();
}
