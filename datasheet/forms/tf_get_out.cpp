#include "datasheet/forms/tf_get_out.h"

TFGetOut* FGetOut = nullptr;

TFGetOut::TFGetOut(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetOut = this;
    setWindowTitle("OUTPUT FORMAT");
}

TFGetOut::~TFGetOut()
{
    if (FGetOut == this)
        FGetOut = nullptr;
}
