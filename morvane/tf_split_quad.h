#pragma once
// "Split by Quad": the index actions of the split by USGS quad.
#include "morvane/index_method_window.h"

class TFSplitQuad : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitQuad(QWidget* parent = nullptr);
    ~TFSplitQuad() override;

    void HelpClick() { ShowHelp(); }
};

extern TFSplitQuad* FSplitQuad;
