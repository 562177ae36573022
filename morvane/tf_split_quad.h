#pragma once
// "Split by Quad": the index actions of the split by USGS quad.
#include "morvane/core/index_files.h"
#include "morvane/index_method_window.h"
#include "platform/line_reader.h"

class TFSplitQuad : public morvane::IndexMethodWindow {
    Q_OBJECT
public:
    explicit TFSplitQuad(QWidget* parent = nullptr);
    ~TFSplitQuad() override;

    // The default index of the open datasheet file, with a progress window.
    morvane::DefaultIndex WriteDefaultQuadIndex(platform::LineReader& input);

    void HelpClick() { ShowHelp(); }
};

extern TFSplitQuad* FSplitQuad;
