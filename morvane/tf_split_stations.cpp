#include "morvane/tf_split_stations.h"

TFSplitStations* FSplitStations = nullptr;

namespace {

const morvane::CountSplitProfile kProfile{"Split by #Stations", "Output File Stations =", "100", "Stations", false,
                                          morvane::CountKind::Stations};

} // namespace

TFSplitStations::TFSplitStations(QWidget* parent) : morvane::CountSplitWindow(kProfile, parent)
{
    FSplitStations = this;
}

TFSplitStations::~TFSplitStations()
{
    if (FSplitStations == this)
        FSplitStations = nullptr;
}
