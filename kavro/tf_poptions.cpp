#include "kavro/tf_poptions.h"

TFPOptions* FPOptions = nullptr;

TFPOptions::TFPOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPOptions = this;
    setWindowTitle("Plot Options");
}

TFPOptions::~TFPOptions()
{
    if (FPOptions == this)
        FPOptions = nullptr;
}
