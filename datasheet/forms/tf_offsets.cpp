#include "datasheet/forms/tf_offsets.h"

#include <QVBoxLayout>

#include "platform/notices.h"

TFOffsets* FOffsets = nullptr;

TFOffsets::TFOffsets(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FOffsets = this;
    setWindowTitle("BYTE LOCATION");
    auto* layout = new QVBoxLayout(this);
    LocList = new platform::LineListView(this);
    layout->addWidget(LocList);
    index_ = std::make_unique<ds::OffsetIndex>(LocList->lines());
}

TFOffsets::~TFOffsets()
{
    if (FOffsets == this)
        FOffsets = nullptr;
}

std::int64_t TFOffsets::FindOffset(const std::string& pid) const
{
    std::int64_t offset = index_->find(pid);
    if (offset < 0)
        platform::notices().notice("NOTICE", "Offset Location not found for " + pid);
    return offset;
}
