#pragma once
// "Split by #Lines": splits a datasheet file into pieces of a number of lines.
#include "morvane/count_split_window.h"

class TFSplitLines : public morvane::CountSplitWindow {
    Q_OBJECT
public:
    explicit TFSplitLines(QWidget* parent = nullptr);
    ~TFSplitLines() override;
};

extern TFSplitLines* FSplitLines;
