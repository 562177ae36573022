#pragma once
// Printing of the plot.
#include <QWidget>

class TFPPrintSet : public QWidget {
    Q_OBJECT
public:
    explicit TFPPrintSet(QWidget* parent = nullptr);
    ~TFPPrintSet() override;
};

extern TFPPrintSet* FPPrintSet;
