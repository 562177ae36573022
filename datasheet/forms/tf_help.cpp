#include "datasheet/forms/tf_help.h"

TFHelp* FHelp = nullptr;

TFHelp::TFHelp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FHelp = this;
    setWindowTitle("FHelp");
    resize(576, 306);
}

TFHelp::~TFHelp()
{
    if (FHelp == this)
        FHelp = nullptr;
}
