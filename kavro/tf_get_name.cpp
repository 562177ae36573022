#include "kavro/tf_get_name.h"

TFGetName* FGetName = nullptr;

TFGetName::TFGetName(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetName = this;
    setWindowTitle("NAME INPUT");
}

TFGetName::~TFGetName()
{
    if (FGetName == this)
        FGetName = nullptr;
}
