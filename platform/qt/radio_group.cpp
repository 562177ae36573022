#include "platform/qt/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace platform {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* column = new QVBoxLayout(this);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        buttons_->addButton(button, index);
        column->addWidget(button);
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
