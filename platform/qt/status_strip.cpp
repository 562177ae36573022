#include "platform/qt/status_strip.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QSplitter>

namespace platform {

void styleInfoTip(QLabel& label)
{
    label.setAutoFillBackground(true);
    QPalette tip = label.palette();
    tip.setColor(QPalette::Window, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::WindowText, tip.color(QPalette::ToolTipText));
    label.setPalette(tip);
    label.setFrameShape(QFrame::Panel);
    label.setFrameShadow(QFrame::Sunken);
}

StatusStrip makeStatusStrip(QWidget* parent, const QString& prompt, int windowWidth)
{
    constexpr int kRightWidth = 105;
    StatusStrip strip;
    strip.Panel1 = new QFrame(parent);
    strip.Panel1->setFixedHeight(20);
    auto* row = new QHBoxLayout(strip.Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    strip.Splitter1 = new QSplitter(Qt::Horizontal, strip.Panel1);
    row->addWidget(strip.Splitter1);

    strip.Panel2 = new QLabel(prompt, strip.Splitter1);
    styleInfoTip(*strip.Panel2);

    strip.Panel3 = new QFrame(strip.Splitter1);
    strip.Panel3->setFrameShape(QFrame::Panel);
    strip.Panel3->setFrameShadow(QFrame::Raised);
    auto* right = new QHBoxLayout(strip.Panel3);
    right->setContentsMargins(2, 0, 2, 0);
    strip.CheckBox = new QCheckBox("Stay On Top", strip.Panel3);
    strip.CheckBox->setLayoutDirection(Qt::RightToLeft);
    strip.CheckBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    right->addWidget(strip.CheckBox);

    strip.Splitter1->addWidget(strip.Panel2);
    strip.Splitter1->addWidget(strip.Panel3);
    strip.Splitter1->setStretchFactor(0, 1);
    strip.Splitter1->setSizes({windowWidth - kRightWidth, kRightWidth});
    return strip;
}

} // namespace platform
