#include "platform/qt/simple_combo_box.h"

#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/qt/text.h"

namespace platform {

SimpleComboBox::SimpleComboBox(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    edit_ = new QLineEdit(this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    column->addWidget(edit_);
    column->addWidget(list_, 1);
    setFocusProxy(edit_);

    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        setCurrentIndex(list_->row(item));
    });
    connect(edit_, &QLineEdit::textEdited, this, [this] {
        selectMatching();
        emit textChanged();
    });
}

void SimpleComboBox::setItems(const std::vector<std::string>& items)
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const auto& item : items)
        list_->addItem(toQ(item));
    selectMatching();
}

int SimpleComboBox::count() const
{
    return list_->count();
}

std::string SimpleComboBox::itemText(int row) const
{
    const QListWidgetItem* item = list_->item(row);
    return item ? fromQ(item->text()) : std::string();
}

int SimpleComboBox::findText(const std::string& text) const
{
    const QString wanted = toQ(text);
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->text() == wanted)
            return row;
    return -1;
}

std::string SimpleComboBox::text() const
{
    return fromQ(edit_->text());
}

void SimpleComboBox::setText(const std::string& text)
{
    edit_->setText(toQ(text));
    selectMatching();
    emit textChanged();
}

int SimpleComboBox::currentIndex() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void SimpleComboBox::setCurrentIndex(int row)
{
    if (row < 0 || row >= list_->count()) {
        list_->clearSelection();
        return;
    }
    list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    edit_->setText(list_->item(row)->text());
    emit textChanged();
}

void SimpleComboBox::selectMatching()
{
    const int row = findText(fromQ(edit_->text()));
    if (row < 0)
        list_->clearSelection();
    else
        list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

} // namespace platform
