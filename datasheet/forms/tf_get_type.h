#pragma once
// Station-type dialog.
#include <QWidget>

class TFGetType : public QWidget {
    Q_OBJECT
public:
    explicit TFGetType(QWidget* parent = nullptr);
    ~TFGetType() override;
};

extern TFGetType* FGetType;
