#pragma once
// Item model over a LineList: one row a line, read from the list itself (no
// copy), so a list of a million lines costs nothing beyond its strings.
#include "platform/line_list.h"

#include <QAbstractListModel>

namespace platform {

class LineListModel : public QAbstractListModel, private LineList::Observer {
    Q_OBJECT
public:
    // The list must outlive the model.
    explicit LineListModel(LineList& lines, QObject* parent = nullptr);
    ~LineListModel() override;

    LineList& lines() { return lines_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void aboutToReset() override;
    void didReset() override;
    void aboutToInsert(std::size_t index, std::size_t count) override;
    void didInsert() override;
    void aboutToRemove(std::size_t index, std::size_t count) override;
    void didRemove() override;
    void didChange(std::size_t index) override;

    LineList& lines_;
};

} // namespace platform
