#pragma once
// Sort buffer of the station list and results sorts.
#include <QWidget>

class TFSorted : public QWidget {
    Q_OBJECT
public:
    explicit TFSorted(QWidget* parent = nullptr);
    ~TFSorted() override;
};

extern TFSorted* FSorted;
