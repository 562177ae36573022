#include "kavro/tf_found.h"

TFFound* FFound = nullptr;

TFFound::TFFound(QWidget* parent) : QMainWindow(parent)
{
    FFound = this;
    setWindowTitle("SEARCH RESULTS");
    FoundList = new platform::LineListView(this);
    setCentralWidget(FoundList);
}

TFFound::~TFFound()
{
    if (FFound == this)
        FFound = nullptr;
}
