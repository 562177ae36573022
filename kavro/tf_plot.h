#pragma once
// Plot of the search results.
#include <QWidget>

class TFPlot : public QWidget {
    Q_OBJECT
public:
    explicit TFPlot(QWidget* parent = nullptr);
    ~TFPlot() override;
};

extern TFPlot* FPlot;
