#include "kavro/tf_get_rad.h"

TFGetRad* FGetRad = nullptr;

TFGetRad::TFGetRad(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetRad = this;
    setWindowTitle("POINT RADIUS INPUT");
}

TFGetRad::~TFGetRad()
{
    if (FGetRad == this)
        FGetRad = nullptr;
}

void TFGetRad::RadiusSearch()
{
}
