#include "morvane/tf_split_mm.h"

#include "morvane/core/index_files.h"

TFSplitMM* FSplitMM = nullptr;

TFSplitMM::TFSplitMM(QWidget* parent)
    : morvane::IndexMethodWindow(QStringLiteral("Split by area"), QStringLiteral("AreaFile Options"),
                                 {QStringLiteral("Create a default DSARAEA.INX file"), QStringLiteral("Edit the DSAREA.INX file"), QStringLiteral("Use DSAREA.INX and begin Split")}, "AREA", 5,
                                 parent)
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
