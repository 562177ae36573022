#include "kavro/tf_display.h"

#include <QPlainTextEdit>

TFDisplay* FDisplay = nullptr;

TFDisplay::TFDisplay(QWidget* parent) : QMainWindow(parent)
{
    FDisplay = this;
    setWindowTitle("QGB DATASHEET");
    resize(759, 378);
    DsDisplay = new QPlainTextEdit(this);
    DsDisplay->setReadOnly(true);
    DsDisplay->setLineWrapMode(QPlainTextEdit::NoWrap);
    setCentralWidget(DsDisplay);
}

TFDisplay::~TFDisplay()
{
    if (FDisplay == this)
        FDisplay = nullptr;
}
