#pragma once
// "Split By County": the index actions of the split by county.
#include "morvane/core/index_files.h"
#include "morvane/index_method_window.h"
#include "platform/line_reader.h"

class TFSplitCounty : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitCounty(QWidget* parent = nullptr);
    ~TFSplitCounty() override;

    // The default index of the open datasheet file, with a progress window.
    morvane::DefaultIndex WriteDefaultCountyIndex(platform::LineReader& input);

    void HelpClick() { ShowHelp(); }
};

extern TFSplitCounty* FSplitCounty;
