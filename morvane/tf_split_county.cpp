#include "morvane/tf_split_county.h"

#include "datasheet/forms/tf_status.h"

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

morvane::DefaultIndex TFSplitCounty::WriteDefaultCountyIndex(platform::LineReader& input)
{
    ProgressWindow progress(this, true);
    return morvane::defaultNameIndex(input, morvane::IndexKind::County, progress.sink());
}
