#include "kavro/tf_get_area.h"

TFGetArea* FGetArea = nullptr;

TFGetArea::TFGetArea(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetArea = this;
    setWindowTitle("AREA INPUT");
}

TFGetArea::~TFGetArea()
{
    if (FGetArea == this)
        FGetArea = nullptr;
}

void TFGetArea::SearchArea()
{
}
