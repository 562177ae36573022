#include "datasheet/forms/tf_get_type.h"

TFGetType* FGetType = nullptr;

TFGetType::TFGetType(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetType = this;
    setWindowTitle("CONTROL TYPE INPUT");
}

TFGetType::~TFGetType()
{
    if (FGetType == this)
        FGetType = nullptr;
}
