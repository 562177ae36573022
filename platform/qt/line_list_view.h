#pragma once
// A list box: a QListView over a LineList, one row a line, every row the same
// height so that a million lines load and scroll at once. Rows are picked
// with the left button only; other buttons are left to the window that
// shows the view (marks, drags), which hears of every release.
#include "platform/line_list.h"

#include <QListView>
#include <memory>

namespace platform {

class LineListModel;

class LineListView : public QListView {
    Q_OBJECT
public:
    // A list box that holds its own lines.
    explicit LineListView(QWidget* parent = nullptr);
    // A view of lines held elsewhere; the list must outlive the view.
    explicit LineListView(LineList& lines, QWidget* parent = nullptr);
    ~LineListView() override;

    LineList& lines();

    // The system's fixed-pitch font, or back to the widget's usual font.
    void setFixedFont(bool fixed);

    // Row shown at the top; 0 for an empty list.
    int topIndex() const;
    void setTopIndex(int row);

    // Row under a point of the viewport; -1 where no line is (below the last one).
    int itemAt(const QPoint& point) const;

    // The selected row, -1 for none; setSelectedRow(-1) clears the selection.
    // Selecting a row scrolls it into view.
    int selectedRow() const;
    void setSelectedRow(int row);

signals:
    // Left button pressed on a line and released on a line (the row released on).
    void itemClicked(int row);
    // Every release of any button, at its viewport position.
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setUp();

    std::unique_ptr<LineList> owned_; // before the model, which observes it
    LineListModel* model_;
    bool leftPressOnLine_ = false;
};

} // namespace platform
