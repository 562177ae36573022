#include "platform/qt/simple_combo.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace platform {

SimpleCombo::SimpleCombo(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Edit = new QLineEdit(this);
    List = new QListWidget(this);
    List->setSelectionMode(QAbstractItemView::SingleSelection);
    column->addWidget(Edit);
    column->addWidget(List, 1);
    setFocusProxy(Edit);
    connect(List, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { Edit->setText(item->text()); });
    connect(List, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Edit->setText(List->item(row)->text());
    });
}

void SimpleCombo::addItems(const QStringList& items)
{
    List->addItems(items);
}

int SimpleCombo::count() const
{
    return List->count();
}

QString SimpleCombo::itemText(int index) const
{
    const QListWidgetItem* item = List->item(index);
    return item ? item->text() : QString();
}

int SimpleCombo::findText(const QString& text) const
{
    for (int i = 0; i < List->count(); ++i)
        if (List->item(i)->text() == text)
            return i;
    return -1;
}

void SimpleCombo::setCurrentIndex(int index)
{
    if (index < 0 || index >= List->count())
        return;
    List->setCurrentRow(index);
    List->scrollToItem(List->item(index));
    Edit->setText(List->item(index)->text());
}

int SimpleCombo::currentIndex() const
{
    return List->currentRow();
}

QString SimpleCombo::text() const
{
    return Edit->text();
}

void SimpleCombo::setText(const QString& text)
{
    Edit->setText(text);
    const int index = findText(text);
    if (index >= 0) {
        const QSignalBlocker quiet(List);
        List->setCurrentRow(index);
        List->scrollToItem(List->item(index));
    }
}

} // namespace platform
