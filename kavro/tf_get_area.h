#pragma once
// Dialog of the latitude/longitude box search.
#include <QWidget>

class TFGetArea : public QWidget {
    Q_OBJECT
public:
    explicit TFGetArea(QWidget* parent = nullptr);
    ~TFGetArea() override;
};

extern TFGetArea* FGetArea;
