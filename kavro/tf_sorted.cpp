#include "kavro/tf_sorted.h"

#include "datasheet/list_sort.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"

TFSorted* FSorted = nullptr;

namespace {

// "FFound" is the results list; every other name the station list.
platform::LineListView* chosenList(const std::string& list)
{
    return list == "FFound" ? FFound->FoundList : FList->MarksList;
}

} // namespace

TFSorted::TFSorted(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSorted = this;
    setWindowTitle("TEMPORARY SORT WINDOW");
    SortedList = new platform::LineListView(this);
    SortedList->setFixedFont(true);
    SortedList->hide();
}

TFSorted::~TFSorted()
{
    if (FSorted == this)
        FSorted = nullptr;
}

// Rewrites the chosen list in the sorter's order in one assign (one reset of
// the view, however long the list). The buffer is emptied and its sorted flag
// set as the sort goes and left so: the merge adds its PIDs to the buffer
// later and they take that order.
void TFSorted::SortWith(const std::string& list, bool bufferSorted,
                        const std::function<void(std::vector<std::string>&)>& sorter)
{
    hide();
    platform::LineList& buffer = SortedList->lines();
    buffer.clear();
    buffer.setSorted(bufferSorted, ds::listBoxLess);

    platform::LineListView* view = chosenList(list);
    // Off first: a list left sorted (the results after a radius search) would
    // put the lines written back into its own order.
    view->lines().setSorted(false);
    std::vector<std::string> lines = view->lines().lines();
    sorter(lines);
    view->lines().assign(std::move(lines));

    buffer.clear();
    hide();
    view->show();
}

void TFSorted::SortByKey(const std::string& list, const std::string& key)
{
    if (!ds::isSortKey(key))
        return;
    SortWith(list, true, [&key](std::vector<std::string>& lines) { ds::sortByKey(lines, key); });
}

void TFSorted::SortByVOrder(const std::string& list)
{
    SortWith(list, false, [](std::vector<std::string>& lines) { ds::sortByVOrder(lines); });
}

void TFSorted::SortByHOrder(const std::string& list)
{
    SortWith(list, false, [](std::vector<std::string>& lines) { ds::sortByHOrder(lines); });
}

void TFSorted::Sort(const std::string& list, const std::string& sort)
{
    if (sort == "byhorder")
        SortByHOrder(list);
    else if (sort == "byvorder")
        SortByVOrder(list);
    else
        SortByKey(list, sort);
}

int TFSorted::RemoveSortedEntry(const std::string& text)
{
    platform::LineList& buffer = SortedList->lines();
    const std::vector<std::string>& lines = buffer.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == text) {
            buffer.remove(i);
            return 1;
        }
    }
    return 0;
}
