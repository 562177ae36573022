#include "platform/qt/line_list_model.h"

#include "platform/qt/text.h"

namespace platform {

LineListModel::LineListModel(LineList& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines)
{
    lines_.addObserver(this);
}

LineListModel::~LineListModel()
{
    lines_.removeObserver(this);
}

int LineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= lines_.size())
        return {};
    return toQ(lines_.at(static_cast<std::size_t>(index.row())));
}

void LineListModel::aboutToReset()
{
    beginResetModel();
}

void LineListModel::didReset()
{
    endResetModel();
}

void LineListModel::aboutToInsert(std::size_t index, std::size_t count)
{
    beginInsertRows({}, static_cast<int>(index), static_cast<int>(index + count) - 1);
}

void LineListModel::didInsert()
{
    endInsertRows();
}

void LineListModel::aboutToRemove(std::size_t index, std::size_t count)
{
    beginRemoveRows({}, static_cast<int>(index), static_cast<int>(index + count) - 1);
}

void LineListModel::didRemove()
{
    endRemoveRows();
}

void LineListModel::didChange(std::size_t index)
{
    QModelIndex changed = this->index(static_cast<int>(index));
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

} // namespace platform
