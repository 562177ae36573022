#pragma once
// Numbered marks of the plot.
#include <QWidget>

class TFPForm : public QWidget {
    Q_OBJECT
public:
    explicit TFPForm(QWidget* parent = nullptr);
    ~TFPForm() override;
};

extern TFPForm* FPForm;
