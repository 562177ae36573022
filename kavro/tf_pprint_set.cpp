#include "kavro/tf_pprint_set.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/forms/tf_help.h"
#include "datasheet/plot_scene.h"
#include "kavro/tf_plot.h"
#include "platform/qt/text.h"

TFPPrintSet* FPPrintSet = nullptr;

TFPPrintSet::TFPPrintSet(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPPrintSet = this;
    setWindowTitle("Plot Print");

    auto* layout = new QVBoxLayout(this);
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    auto* boxes = new QGridLayout(Panel1);
    Label1 = new QLabel(" Corrector (Pixels)", Panel1);
    boxes->addWidget(Label1, 0, 0, 1, 2);
    auto addBox = [&](QLabel*& label, const char* caption, QLineEdit*& box, int row) {
        label = new QLabel(caption, Panel1);
        box = new QLineEdit("0", Panel1);
        box->setMaxLength(4);
        box->setMaximumWidth(60);
        label->setBuddy(box);
        boxes->addWidget(label, row, 0);
        boxes->addWidget(box, row, 1);
    };
    addBox(Label3, "Width =", WOffsetBox, 1);
    addBox(Label2, "Height = ", HOffsetBox, 2);
    layout->addWidget(Panel1);

    auto* buttons = new QHBoxLayout;
    Print = new QPushButton("Print", this);
    Help = new QPushButton("Help", this);
    Cancel = new QPushButton("Cancel", this);
    Print->setDefault(true);
    for (QPushButton* button : {Print, Help, Cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(Print, &QPushButton::clicked, this, [this] { PrintClick(); });
    connect(Help, &QPushButton::clicked, this, [this] { HelpClick(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

TFPPrintSet::~TFPPrintSet()
{
    if (FPPrintSet == this)
        FPPrintSet = nullptr;
}

void TFPPrintSet::PrintClick()
{
    FPlot->SetHCorrector(ds::correctorValue(platform::fromQ(HOffsetBox->text())));
    FPlot->SetWCorrector(ds::correctorValue(platform::fromQ(WOffsetBox->text())));
    FPlot->PrintPlot();
}

void TFPPrintSet::HelpClick()
{
    OpenHelp(5);
}

void TFPPrintSet::CancelClick()
{
    hide();
}
