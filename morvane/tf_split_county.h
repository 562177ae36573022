#pragma once
// "Split By County": the index actions of the split by county.
#include "morvane/index_method_window.h"

class TFSplitCounty : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitCounty(QWidget* parent = nullptr);
    ~TFSplitCounty() override;

    void HelpClick() { ShowHelp(); }
};

extern TFSplitCounty* FSplitCounty;
