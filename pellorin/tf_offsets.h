#pragma once
// The never-shown window that holds the PID/offset lines of both files:
// line i of OldLocList belongs to line i of the Station Lists window's
// OldList, line i of UpLocList to line i of UpList.
#include <QWidget>

#include "pellorin/core/station_lists.h"

namespace platform {
class LineListView;
}

namespace pellorin {

class TFOffsets : public QWidget {
    Q_OBJECT
public:
    // Becomes FOffsets; shows the lists held in `lists`, which must outlive it.
    explicit TFOffsets(UpdateLists& lists, QWidget* parent = nullptr);
    ~TFOffsets() override;

    platform::LineListView* OldLocList = nullptr;
    platform::LineListView* UpLocList = nullptr;
};

extern TFOffsets* FOffsets;

} // namespace pellorin
