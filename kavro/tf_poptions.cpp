#include "kavro/tf_poptions.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "kavro/tf_plot.h"

TFPOptions* FPOptions = nullptr;

TFPOptions::TFPOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPOptions = this;
    setWindowTitle("Plot Options");

    auto* layout = new QVBoxLayout(this);
    PlotRadio = new QGroupBox("Plot Label", this);
    auto* radios = new QVBoxLayout(PlotRadio);
    items_ = new QButtonGroup(this);
    int index = 0;
    for (const char* caption : {"Number", "PID", "Designation"}) {
        auto* item = new QRadioButton(caption, PlotRadio);
        items_->addButton(item, index++);
        radios->addWidget(item);
    }
    SetPlotRadioIndex(0);
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
    return items_->checkedId();
}

void TFPOptions::SetPlotRadioIndex(int index)
{
    if (QAbstractButton* item = items_->button(index))
        item->setChecked(true);
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
