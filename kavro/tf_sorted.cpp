#include "kavro/tf_sorted.h"

TFSorted* FSorted = nullptr;

TFSorted::TFSorted(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSorted = this;
    setWindowTitle("TEMPORARY SORT WINDOW");
}

TFSorted::~TFSorted()
{
    if (FSorted == this)
        FSorted = nullptr;
}
