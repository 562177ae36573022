#include "morvane/tf_split_mm.h"

#include "morvane/core/index_files.h"

TFSplitMM* FSplitMM = nullptr;

namespace {

const morvane::IndexMethodProfile kProfile{"Split by area",
                                           "AreaFile Options",
                                           {"Create a default DSARAEA.INX file", "Edit the DSAREA.INX file",
                                            "Use DSAREA.INX and begin Split"},
                                           "AREA",
                                           5};

} // namespace

TFSplitMM::TFSplitMM(QWidget* parent) : morvane::IndexMethodWindow(kProfile, parent)
{
    FSplitMM = this;
}

TFSplitMM::~TFSplitMM()
{
    if (FSplitMM == this)
        FSplitMM = nullptr;
}

std::vector<std::string> TFSplitMM::WriteDefaultAreaIndex() const
{
    return morvane::defaultAreaIndex();
}
