#pragma once
// Print settings.
#include <QWidget>

class TFPrintSet : public QWidget {
    Q_OBJECT
public:
    explicit TFPrintSet(QWidget* parent = nullptr);
    ~TFPrintSet() override;
};

extern TFPrintSet* FPrintSet;
