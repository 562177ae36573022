#include "datasheet/forms/tf_print_set.h"

TFPrintSet* FPrintSet = nullptr;

TFPrintSet::TFPrintSet(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPrintSet = this;
    setWindowTitle("PrintSet");
}

TFPrintSet::~TFPrintSet()
{
    if (FPrintSet == this)
        FPrintSet = nullptr;
}
