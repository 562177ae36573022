#pragma once
// Dialog of the name search.
#include <QWidget>

class TFGetName : public QWidget {
    Q_OBJECT
public:
    explicit TFGetName(QWidget* parent = nullptr);
    ~TFGetName() override;
};

extern TFGetName* FGetName;
