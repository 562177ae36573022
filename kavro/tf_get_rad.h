#pragma once
// Dialog of the point-radius search.
#include <QWidget>

class TFGetRad : public QWidget {
    Q_OBJECT
public:
    explicit TFGetRad(QWidget* parent = nullptr);
    ~TFGetRad() override;

    // Runs the search with the boxes as they stand (the type dialog's OK calls it).
    void RadiusSearch();
};

extern TFGetRad* FGetRad;
