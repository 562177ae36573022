#include "kavro/tf_pform.h"

TFPForm* FPForm = nullptr;

TFPForm::TFPForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FPForm = this;
    setWindowTitle("Plot Marks");
}

TFPForm::~TFPForm()
{
    if (FPForm == this)
        FPForm = nullptr;
}
