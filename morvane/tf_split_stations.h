#pragma once
// "Split by #Stations": splits a datasheet file into pieces of a number of stations, or one station per file named after its PID.
#include "morvane/count_split_window.h"

class TFSplitStations : public morvane::CountSplitWindow {
    Q_OBJECT
public:
    explicit TFSplitStations(QWidget* parent = nullptr);
    ~TFSplitStations() override;
};

extern TFSplitStations* FSplitStations;
