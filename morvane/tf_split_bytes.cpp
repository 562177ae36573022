#include "morvane/tf_split_bytes.h"

TFSplitBytes* FSplitBytes = nullptr;

TFSplitBytes::TFSplitBytes(QWidget* parent)
    : morvane::CountSplitWindow(QStringLiteral("Split by Bytes"), QStringLiteral("Output File Size ="), QStringLiteral("1.4"),
                                QStringLiteral("Megabytes"), true, parent)
{
    FSplitBytes = this;
}

TFSplitBytes::~TFSplitBytes()
{
    if (FSplitBytes == this)
        FSplitBytes = nullptr;
}

void TFSplitBytes::OkayClick()
{
    runSplit(morvane::CountKind::Bytes);
}
