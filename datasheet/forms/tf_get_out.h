#pragma once
// Output-format dialog of the saves.
#include <QWidget>

class TFGetOut : public QWidget {
    Q_OBJECT
public:
    explicit TFGetOut(QWidget* parent = nullptr);
    ~TFGetOut() override;
};

extern TFGetOut* FGetOut;
