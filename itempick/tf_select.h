#pragma once
// ITEMPICK item selection form.
#include <QWidget>

class TFSelect : public QWidget {
    Q_OBJECT
public:
    explicit TFSelect(QWidget* parent = nullptr);
    ~TFSelect() override;
};

extern TFSelect* FSelect;
