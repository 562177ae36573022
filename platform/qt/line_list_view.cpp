#include "platform/qt/line_list_view.h"

#include "platform/qt/line_list_model.h"

#include <QFontDatabase>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace platform {

namespace {

// Rows all have one size, which the view takes from one line (its last):
// here the size of the longest line, so that the horizontal scroll bar
// reaches the end of every line, wherever the longest one stands.
class WidestLineDelegate : public QStyledItemDelegate {
public:
    WidestLineDelegate(LineListModel& model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const LineList& lines = model_.lines();
        if (lines.revision() != revision_ || longest_ >= lines.size()) {
            longest_ = 0;
            for (std::size_t row = 1; row < lines.size(); ++row)
                if (lines.at(row).size() > lines.at(longest_).size())
                    longest_ = row;
            revision_ = lines.revision();
        }
        const QModelIndex widest = longest_ < lines.size() ? model_.index(static_cast<int>(longest_)) : index;
        return QStyledItemDelegate::sizeHint(option, widest.isValid() ? widest : index);
    }

private:
    LineListModel& model_;
    mutable std::uint64_t revision_ = ~std::uint64_t{0};
    mutable std::size_t longest_ = 0;
};

} // namespace

LineListView::LineListView(QWidget* parent)
    : QListView(parent), owned_(std::make_unique<LineList>()), model_(new LineListModel(*owned_, this))
{
    setUp();
}

LineListView::LineListView(LineList& lines, QWidget* parent)
    : QListView(parent), model_(new LineListModel(lines, this))
{
    setUp();
}

LineListView::~LineListView()
{
    // The model observes the lines: it goes first.
    setModel(nullptr);
    delete model_;
}

void LineListView::setUp()
{
    setModel(model_);
    setItemDelegate(new WidestLineDelegate(*model_, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A list box cuts a long line at its edge rather than shortening it with "...".
    setTextElideMode(Qt::ElideNone);
}

LineList& LineListView::lines()
{
    return model_->lines();
}

void LineListView::setFixedFont(bool fixed)
{
    setFont(fixed ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont());
}

int LineListView::topIndex() const
{
    QModelIndex top = indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

void LineListView::setTopIndex(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    scrollTo(model_->index(row), QAbstractItemView::PositionAtTop);
}

int LineListView::itemAt(const QPoint& point) const
{
    QModelIndex index = indexAt(point);
    return index.isValid() ? index.row() : -1;
}

int LineListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void LineListView::setSelectedRow(int row)
{
    if (row < 0 || row >= model_->rowCount()) {
        clearSelection();
        return;
    }
    QModelIndex index = model_->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    // As a list box does when the program selects an item.
    scrollTo(index);
}

void LineListView::mousePressEvent(QMouseEvent* event)
{
    // Only a left press on a line goes to the list; anything else leaves the
    // selection and the scroll position as they are.
    if (event->button() == Qt::LeftButton)
        leftPressOnLine_ = itemAt(event->position().toPoint()) >= 0;
    if (event->button() != Qt::LeftButton || !leftPressOnLine_) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void LineListView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton && !leftPressOnLine_) {
        event->accept();
        return;
    }
    QListView::mouseMoveEvent(event);
}

void LineListView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    int clickedRow = -1;
    if (event->button() == Qt::LeftButton && leftPressOnLine_) {
        leftPressOnLine_ = false;
        // A drag with the left button moves the selection along, as in a list
        // box; the click is on the line where the button comes up.
        clickedRow = itemAt(position);
        QListView::mouseReleaseEvent(event);
    } else {
        event->accept();
    }
    if (clickedRow >= 0)
        emit itemClicked(clickedRow);
    emit mouseReleased(event->button(), event->modifiers(), position);
}

} // namespace platform
