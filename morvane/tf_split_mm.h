#pragma once
// "Split by area": the index actions of the split by latitude/longitude area.
#include "morvane/index_method_window.h"

#include <string>
#include <vector>

class TFSplitMM : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitMM(QWidget* parent = nullptr);
    ~TFSplitMM() override;

    // The 16 entries of the default area index.
    std::vector<std::string> WriteDefaultAreaIndex() const;

    void Button1Click() { ShowHelp(); }
};

extern TFSplitMM* FSplitMM;
