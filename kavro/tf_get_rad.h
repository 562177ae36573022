#pragma once
// Dialog of the point-radius search.
#include <QWidget>

class TFGetRad : public QWidget {
    Q_OBJECT
public:
    explicit TFGetRad(QWidget* parent = nullptr);
    ~TFGetRad() override;
};

extern TFGetRad* FGetRad;
