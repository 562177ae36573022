#include "pellorin/tf_offsets.h"

#include <QHBoxLayout>

#include "platform/qt/line_list_view.h"

namespace pellorin {

TFOffsets* FOffsets = nullptr;

TFOffsets::TFOffsets(UpdateLists& lists, QWidget* parent) : QWidget(parent, Qt::Window)
{
    FOffsets = this;
    setWindowTitle("FOffsets");
    auto* layout = new QHBoxLayout(this);
    OldLocList = new platform::LineListView(lists.oldLocList, this);
    OldLocList->setObjectName("OldLocList");
    UpLocList = new platform::LineListView(lists.upLocList, this);
    UpLocList->setObjectName("UpLocList");
    layout->addWidget(OldLocList);
    layout->addWidget(UpLocList);
}

TFOffsets::~TFOffsets()
{
    if (FOffsets == this)
        FOffsets = nullptr;
}

} // namespace pellorin
