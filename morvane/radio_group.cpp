#include "morvane/radio_group.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace morvane {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int checked, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    for (int index = 0; index < items.size(); ++index) {
        auto* button = new QRadioButton(items[index], this);
        buttons_->addButton(button, index);
        layout->addWidget(button);
    }
    setItemIndex(checked);
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

} // namespace morvane
