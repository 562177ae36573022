#include "morvane/tf_split_lines.h"

TFSplitLines* FSplitLines = nullptr;

TFSplitLines::TFSplitLines(QWidget* parent)
    : morvane::CountSplitWindow(QStringLiteral("Split by #Lines"), QStringLiteral("Output File Length="), QStringLiteral("20000"),
                                QStringLiteral("Lines"), true, parent)
{
    FSplitLines = this;
}

TFSplitLines::~TFSplitLines()
{
    if (FSplitLines == this)
        FSplitLines = nullptr;
}

void TFSplitLines::OkayClick()
{
    runSplit(morvane::CountKind::Lines);
}
