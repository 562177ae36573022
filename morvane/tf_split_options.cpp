#include "morvane/tf_split_options.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "morvane/radio_group.h"
#include "morvane/tf_split_bytes.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_lines.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_quad.h"
#include "morvane/tf_split_stations.h"

TFSplitOptions* FSplitOptions = nullptr;

TFSplitOptions::TFSplitOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSplitOptions = this;
    setWindowTitle(QStringLiteral("Split Methods"));
    auto* layout = new QVBoxLayout(this);
    SplitOptions = new morvane::RadioGroup(
        QString(),
        {QStringLiteral("USGS Quad Names"), QStringLiteral("COUNTY Names"), QStringLiteral("MIN/MAX Areas"),
         QStringLiteral("Specified number of bytes per file"), QStringLiteral("Specified number of lines per file"),
         QStringLiteral("Specified number of stations per File")},
        1, this);
    layout->addWidget(SplitOptions);
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    layout->addWidget(Okay, 0, Qt::AlignHCenter);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

TFSplitOptions::~TFSplitOptions()
{
    if (FSplitOptions == this)
        FSplitOptions = nullptr;
}

void TFSplitOptions::OkayClick()
{
    QWidget* const windows[] = {FSplitQuad, FSplitCounty, FSplitMM, FSplitBytes, FSplitLines, FSplitStations};
    const int item = SplitOptions->itemIndex();
    if (item < 0 || item >= 6)
        return;
    windows[item]->show();
    windows[item]->raise();
}

void TFSplitOptions::RunIndexSplit(const std::string&)
{
}
