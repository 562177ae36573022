#pragma once
// "Split by area": the index actions of the split by latitude/longitude area.
#include "morvane/index_method_window.h"

class TFSplitMM : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitMM(QWidget* parent = nullptr);
    ~TFSplitMM() override;

    void Button1Click() { ShowHelp(); }
};

extern TFSplitMM* FSplitMM;
