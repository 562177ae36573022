#pragma once
// The station list window: one station-list line per station of the loaded file.
#include <QMainWindow>

#include "platform/line_list.h"
#include "platform/qt/line_list_view.h"

class TFList : public QMainWindow {
    Q_OBJECT
public:
    explicit TFList(QWidget* parent = nullptr);
    ~TFList() override;

    platform::LineListView* MarksList = nullptr;

private:
};

extern TFList* FList;
