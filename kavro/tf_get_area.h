#pragma once
// Dialog of the latitude/longitude box search.
#include <QWidget>

class TFGetArea : public QWidget {
    Q_OBJECT
public:
    explicit TFGetArea(QWidget* parent = nullptr);
    ~TFGetArea() override;

    // Runs the search with the boxes as they stand (the type dialog's OK calls it).
    void SearchArea();
};

extern TFGetArea* FGetArea;
