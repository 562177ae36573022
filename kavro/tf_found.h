#pragma once
// The search results window.
#include <QMainWindow>

#include "platform/line_list.h"
#include "platform/qt/line_list_view.h"

class TFFound : public QMainWindow {
    Q_OBJECT
public:
    explicit TFFound(QWidget* parent = nullptr);
    ~TFFound() override;

    platform::LineListView* FoundList = nullptr;

private:
};

extern TFFound* FFound;
