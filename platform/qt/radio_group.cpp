#include "platform/qt/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QGridLayout>

namespace platform {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent, int columns)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    const int across = columns > 0 ? columns : 1;
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        buttons_->addButton(button, index);
        grid->addWidget(button, index / across, index % across);
    }
    if (!items.isEmpty())
        buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

QAbstractButton* RadioGroup::item(int index) const
{
    return buttons_->button(index);
}

} // namespace platform
