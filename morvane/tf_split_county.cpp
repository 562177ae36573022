#include "morvane/tf_split_county.h"

TFSplitCounty* FSplitCounty = nullptr;

namespace {

const morvane::IndexMethodProfile kProfile{"Split By County",
                                           "Quad File Options",
                                           {"Create a default  DSCOUNTY.INX file", "Edit the DSCOUNTY.INX file",
                                            "Use DSCOUNTY.INX and begin Split"},
                                           "COUNTY",
                                           3};

} // namespace

TFSplitCounty::TFSplitCounty(QWidget* parent) : morvane::IndexMethodWindow(kProfile, parent)
{
    FSplitCounty = this;
}

TFSplitCounty::~TFSplitCounty()
{
    if (FSplitCounty == this)
        FSplitCounty = nullptr;
}

morvane::DefaultIndex TFSplitCounty::WriteDefaultCountyIndex(platform::LineReader& input)
{
    return writeDefaultNameIndex(input, morvane::IndexKind::County);
}
