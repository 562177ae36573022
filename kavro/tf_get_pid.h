#pragma once
// Dialog of the PID search.
#include <QWidget>

class TFGetPid : public QWidget {
    Q_OBJECT
public:
    explicit TFGetPid(QWidget* parent = nullptr);
    ~TFGetPid() override;
};

extern TFGetPid* FGetPid;
