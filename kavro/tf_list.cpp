#include "kavro/tf_list.h"

TFList* FList = nullptr;

TFList::TFList(QWidget* parent) : QMainWindow(parent)
{
    FList = this;
    setWindowTitle("STATION LIST");
    resize(427, 285);
    MarksList = new platform::LineListView(this);
    MarksList->hide();
    setCentralWidget(MarksList);
}

TFList::~TFList()
{
    if (FList == this)
        FList = nullptr;
}
