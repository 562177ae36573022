#include "kavro/tf_get_pid.h"

TFGetPid* FGetPid = nullptr;

TFGetPid::TFGetPid(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetPid = this;
    setWindowTitle("PID INPUT");
}

TFGetPid::~TFGetPid()
{
    if (FGetPid == this)
        FGetPid = nullptr;
}
