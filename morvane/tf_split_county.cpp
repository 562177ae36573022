#include "morvane/tf_split_county.h"

TFSplitCounty* FSplitCounty = nullptr;

TFSplitCounty::TFSplitCounty(QWidget* parent)
    : morvane::IndexMethodWindow(QStringLiteral("Split By County"), QStringLiteral("Quad File Options"),
                                 {QStringLiteral("Create a default  DSCOUNTY.INX file"), QStringLiteral("Edit the DSCOUNTY.INX file"), QStringLiteral("Use DSCOUNTY.INX and begin Split")}, "COUNTY", 3,
                                 parent)
{
    FSplitCounty = this;
}

TFSplitCounty::~TFSplitCounty()
{
    if (FSplitCounty == this)
        FSplitCounty = nullptr;
}
