#include "itempick/tf_select.h"

TFSelect* FSelect = nullptr;

TFSelect::TFSelect(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSelect = this;
    setWindowTitle("ITEMPICK");
}

TFSelect::~TFSelect()
{
    if (FSelect == this)
        FSelect = nullptr;
}
