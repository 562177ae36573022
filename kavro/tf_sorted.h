#pragma once
// The never-shown window whose list is the sort buffer of the station list
// and results sorts, and the PID buffer of a merge.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/line_list_view.h"

class TFSorted : public QWidget {
    Q_OBJECT
public:
    explicit TFSorted(QWidget* parent = nullptr);
    ~TFSorted() override;

    // Empty between operations but for the PIDs a merge leaves. Its sorted
    // flag (ds::listBoxLess) is switched on by a key sort and off by an order
    // sort and stays so; it is off at start.
    platform::LineListView* SortedList = nullptr;

    // The list is FFound's FoundList for the name "FFound", FList's MarksList
    // for any other name. Keys: "bydist", "bypid", "bylat", "bylon", "byname";
    // any other key does nothing.
    void SortByKey(const std::string& list, const std::string& key);
    void SortByVOrder(const std::string& list);
    void SortByHOrder(const std::string& list);
    // A Sort menu item's sort: "byhorder" or "byvorder" (the order sorts),
    // else a key of SortByKey.
    void Sort(const std::string& list, const std::string& sort);
    // Deletes the first line of SortedList equal to the text: 1, else 0.
    int RemoveSortedEntry(const std::string& text);

private:
    void SortWith(const std::string& list, bool bufferSorted,
                  const std::function<void(std::vector<std::string>&)>& sorter);

    std::string SortLine;
};

extern TFSorted* FSorted;
