#include "morvane/tf_split_bytes.h"

TFSplitBytes* FSplitBytes = nullptr;

namespace {

const morvane::CountSplitProfile kProfile{"Split by Bytes", "Output File Size =", "1.4", "Megabytes", true,
                                          morvane::CountKind::Bytes};

} // namespace

TFSplitBytes::TFSplitBytes(QWidget* parent) : morvane::CountSplitWindow(kProfile, parent)
{
    FSplitBytes = this;
}

TFSplitBytes::~TFSplitBytes()
{
    if (FSplitBytes == this)
        FSplitBytes = nullptr;
}
