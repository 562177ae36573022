#pragma once
// "Split by Bytes": splits a datasheet file into pieces of a number of megabytes.
#include "morvane/count_split_window.h"

class TFSplitBytes : public morvane::CountSplitWindow {
    Q_OBJECT
public:
    explicit TFSplitBytes(QWidget* parent = nullptr);
    ~TFSplitBytes() override;
};

extern TFSplitBytes* FSplitBytes;
