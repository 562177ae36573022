#include "kavro/tf_sorted.h"

TFSorted* FSorted = nullptr;

TFSorted::TFSorted(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSorted = this;
    setWindowTitle("TEMPORARY SORT WINDOW");
    SortedList = new platform::LineListView(this);
    SortedList->hide();
}

TFSorted::~TFSorted()
{
    if (FSorted == this)
        FSorted = nullptr;
}

void TFSorted::SortByKey(const std::string&, const std::string&) {}
void TFSorted::SortByVOrder(const std::string&) {}
void TFSorted::SortByHOrder(const std::string&) {}
int TFSorted::RemoveSortedEntry(const std::string&)
{
    return 0;
}
