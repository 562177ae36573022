#include "morvane/tf_split_stations.h"

TFSplitStations* FSplitStations = nullptr;

TFSplitStations::TFSplitStations(QWidget* parent)
    : morvane::CountSplitWindow(QStringLiteral("Split by #Stations"), QStringLiteral("Output File Stations ="), QStringLiteral("100"),
                                QStringLiteral("Stations"), false, parent)
{
    FSplitStations = this;
}

TFSplitStations::~TFSplitStations()
{
    if (FSplitStations == this)
        FSplitStations = nullptr;
}

void TFSplitStations::OkayClick()
{
    runSplit(morvane::CountKind::Stations);
}
