#include "kavro/tf_pprint_set.h"

TFPPrintSet* FPPrintSet = nullptr;

TFPPrintSet::TFPPrintSet(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPPrintSet = this;
    setWindowTitle("Plot Print");
}

TFPPrintSet::~TFPPrintSet()
{
    if (FPPrintSet == this)
        FPPrintSet = nullptr;
}
