#include "platform/qt/line_list_model.h"
#include "platform/qt/line_list_view.h"

#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>


using platform::LineList;
using platform::LineListModel;
using platform::LineListView;

namespace {

std::vector<std::string> numberedLines(int count, std::size_t width = 20)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string line = "line " + std::to_string(i) + " ";
        line.resize(width, '-');
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

TEST(LineListModel, FollowsEveryChangeOfTheList)
{
    LineList lines;
    LineListModel model(lines);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    lines.assign({"a", "b", "c"});
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 3);

    lines.insert(1, "x");
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 1);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 1);

    lines.append({"d", "e"});
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 4);
    EXPECT_EQ(inserted.at(1).at(2).toInt(), 5);

    lines.remove(0);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 0);

    lines.set(1, "B \xe9");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 1);

    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.data(model.index(0)).toString(), "x");
    EXPECT_EQ(model.data(model.index(1)).toString(), QString::fromLatin1("B \xe9"));

    lines.setSorted(true); // "B \xe9", c, d, e, x
    lines.add("c2");
    EXPECT_EQ(model.data(model.index(2)).toString(), "c2");
    lines.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

class LineListViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        view.resize(300, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint centreOf(int row) { return view.visualRect(view.model()->index(row, 0)).center(); }
    int visibleRows() { return view.viewport()->height() / view.visualRect(view.model()->index(0, 0)).height(); }

    LineList lines;
    LineListView view{lines};
};

// The time it takes is a figure of ./run bench; here only where it lands.
TEST_F(LineListViewTest, AMillionLinesLoadAndScroll)
{
    lines.assign(numberedLines(1000000, 80));
    view.scrollToBottom();
    view.viewport()->repaint();
    EXPECT_EQ(view.model()->rowCount(), 1000000);
    EXPECT_EQ(view.itemAt(QPoint(5, view.viewport()->height() - 3)), 999999);
    view.setTopIndex(500000);
    EXPECT_EQ(view.topIndex(), 500000);
    view.setTopIndex(0);
    EXPECT_EQ(view.topIndex(), 0);
}

TEST_F(LineListViewTest, TopIndexAndItemAt)
{
    EXPECT_EQ(view.topIndex(), 0); // empty list
    lines.assign(numberedLines(1000));
    view.setTopIndex(100);
    EXPECT_EQ(view.topIndex(), 100);
    EXPECT_EQ(view.itemAt(centreOf(103)), 103);
    // The whole width of a row belongs to it, not only its text.
    EXPECT_EQ(view.itemAt(QPoint(view.viewport()->width() - 2, centreOf(103).y())), 103);

    lines.assign(numberedLines(3));
    EXPECT_EQ(view.itemAt(centreOf(2)), 2);
    EXPECT_EQ(view.itemAt(QPoint(5, centreOf(2).y() + 40)), -1); // below the last line
}

TEST_F(LineListViewTest, LeftClickOnALineSelectsItAndReportsIt)
{
    lines.assign(numberedLines(50));
    QSignalSpy clicked(&view, &LineListView::itemClicked);
    QSignalSpy released(&view, &LineListView::mouseReleased);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(4));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 4);
    EXPECT_EQ(view.selectedRow(), 4);
    ASSERT_EQ(released.count(), 1);
    EXPECT_EQ(released.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
}

TEST_F(LineListViewTest, ClickBelowTheLastLineDoesNothing)
{
    lines.assign(numberedLines(3));
    view.setSelectedRow(1);
    QSignalSpy clicked(&view, &LineListView::itemClicked);
    QSignalSpy released(&view, &LineListView::mouseReleased);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, centreOf(2).y() + 40));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(view.selectedRow(), 1);
    EXPECT_EQ(released.count(), 1);
}

TEST_F(LineListViewTest, RightButtonNeitherSelectsNorScrollsButIsReported)
{
    lines.assign(numberedLines(500));
    view.setTopIndex(50);
    view.setSelectedRow(52);
    ASSERT_EQ(view.topIndex(), 50);
    QSignalSpy clicked(&view, &LineListView::itemClicked);
    QSignalSpy released(&view, &LineListView::mouseReleased);

    // The bottom row is only partly shown: selecting it would scroll.
    const QPoint bottom(10, view.viewport()->height() - 2);
    const int bottomRow = view.itemAt(bottom);
    ASSERT_GT(bottomRow, 52);
    QTest::mouseClick(view.viewport(), Qt::RightButton, Qt::ShiftModifier, bottom);
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::NoModifier, centreOf(51));
    QTest::mouseMove(view.viewport(), bottom);
    QTest::mouseRelease(view.viewport(), Qt::RightButton, Qt::NoModifier, bottom);

    EXPECT_EQ(view.selectedRow(), 52);
    EXPECT_EQ(view.topIndex(), 50);
    EXPECT_EQ(clicked.count(), 0);
    ASSERT_EQ(released.count(), 2);
    EXPECT_EQ(released.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(released.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
    EXPECT_EQ(released.at(0).at(2).toPoint(), bottom);
    EXPECT_EQ(view.itemAt(released.at(1).at(2).toPoint()), bottomRow);
}

TEST(LineListModel, RemoveIfKeepsTheOrderOfTheRestEvenWhenSorted)
{
    LineList lines;
    LineListModel model(lines);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    lines.setSorted(true);
    lines.assign({"b", "d", "f"});
    lines.set(2, "a"); // replaced in place: now out of order, and it stays so
    lines.add("c");
    ASSERT_EQ(lines.lines(), (std::vector<std::string>{"b", "c", "d", "a"}));
    resets.clear();

    EXPECT_EQ(lines.removeIf([](const std::string& line) { return line == "c" || line == "x"; }), 1u);
    EXPECT_EQ(lines.lines(), (std::vector<std::string>{"b", "d", "a"}));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(lines.removeIf([](const std::string&) { return false; }), 0u);
    EXPECT_EQ(resets.count(), 1); // nothing removed, nothing told
}

TEST_F(LineListViewTest, SelectedRowFollowsTheProgram)
{
    lines.assign(numberedLines(10));
    EXPECT_EQ(view.selectedRow(), -1);
    view.setSelectedRow(7);
    EXPECT_EQ(view.selectedRow(), 7);
    view.setSelectedRow(-1);
    EXPECT_EQ(view.selectedRow(), -1);
}
