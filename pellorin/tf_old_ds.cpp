#include "pellorin/tf_old_ds.h"

#include <QPlainTextEdit>

namespace pellorin {

TFOldDS* FOldDS = nullptr;

TFOldDS::TFOldDS(QWidget* parent)
    : DatasheetViewer("OLD DATASHEET", "This is a datasheet form the OLD file", "Stay on Top", parent)
{
    FOldDS = this;
    OldMemo = memo_;
    OldMemo->setObjectName("OldMemo");
}

TFOldDS::~TFOldDS()
{
    if (FOldDS == this)
        FOldDS = nullptr;
}

} // namespace pellorin
