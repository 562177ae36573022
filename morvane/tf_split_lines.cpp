#include "morvane/tf_split_lines.h"

TFSplitLines* FSplitLines = nullptr;

namespace {

const morvane::CountSplitProfile kProfile{"Split by #Lines", "Output File Length=", "20000", "Lines", true,
                                          morvane::CountKind::Lines};

} // namespace

TFSplitLines::TFSplitLines(QWidget* parent) : morvane::CountSplitWindow(kProfile, parent)
{
    FSplitLines = this;
}

TFSplitLines::~TFSplitLines()
{
    if (FSplitLines == this)
        FSplitLines = nullptr;
}
