#include "pellorin/tf_up_ds.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace pellorin {

TFUpDS* FUpDS = nullptr;

TFUpDS::TFUpDS(QWidget* parent) : DatasheetViewer("UPDATE DATASHEET", "Panel1", "Stay On Top", parent)
{
    FUpDS = this;
    UpMemo = memo_;
    UpMemo->setObjectName("UpMemo");
    UpMemo->viewport()->installEventFilter(this);
}

TFUpDS::~TFUpDS()
{
    if (FUpDS == this)
        FUpDS = nullptr;
}

bool TFUpDS::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == UpMemo->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        PrintDSClick();
    return DatasheetViewer::eventFilter(watched, event);
}

} // namespace pellorin
