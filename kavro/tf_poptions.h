#pragma once
// Label choice of the plot.
#include <QWidget>

class TFPOptions : public QWidget {
    Q_OBJECT
public:
    explicit TFPOptions(QWidget* parent = nullptr);
    ~TFPOptions() override;
};

extern TFPOptions* FPOptions;
