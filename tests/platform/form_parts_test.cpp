#include "platform/qt/form_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/line_list_view.h"

TEST(FormParts, SearchButtonsRunTheirHandlersAndEnterInEveryBoxPressesOk)
{
    QWidget dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    std::string calls;
    const platform::SearchButtons buttons = platform::addSearchButtons(
        dialog, *layout, {first, second},
        {[&] { calls += 'O'; }, [&] { calls += 'S'; }, [&] { calls += 'L'; }, [&] { calls += 'C'; }});
    const platform::StayOnTopPanel panel = platform::addStayOnTopPanel(dialog, *layout, [&] { calls += 'T'; });

    EXPECT_TRUE(buttons.Ok->isDefault());
    auto* grid = qobject_cast<QGridLayout*>(layout->itemAt(0)->layout());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->itemAtPosition(0, 0)->widget(), buttons.Ok);
    EXPECT_EQ(grid->itemAtPosition(0, 1)->widget(), buttons.Sample);
    EXPECT_EQ(grid->itemAtPosition(1, 0)->widget(), buttons.Clear);
    EXPECT_EQ(grid->itemAtPosition(1, 1)->widget(), buttons.Cancel);
    EXPECT_EQ(panel.CheckBox->parentWidget(), panel.Panel1);
    EXPECT_EQ(layout->itemAt(1)->widget(), panel.Panel1);

    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(first, Qt::Key_Return);
    QTest::keyClick(second, Qt::Key_Enter);
    for (QPushButton* button : {buttons.Ok, buttons.Sample, buttons.Clear, buttons.Cancel})
        button->click();
    // Set by the program, the box calls its handler as a click does.
    panel.CheckBox->setChecked(true);
    panel.CheckBox->click();
    EXPECT_EQ(calls, "OOOSLCTT");
}

TEST(FormParts, ListWindowSelectsTheClickedLineBeforeItsHandlerRuns)
{
    QMainWindow window;
    window.resize(427, 285);
    std::vector<int> selectedWhenCalled;
    std::vector<std::string> releases;
    platform::LineListView* list = nullptr;
    QWidget* above = nullptr;
    const platform::ListWindowControls controls = platform::makeListWindowControls(
        window, "prompt", 427,
        {[&] { selectedWhenCalled.push_back(list->selectedRow()); },
         [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
             releases.push_back(std::to_string(static_cast<int>(button)) + "/" + std::to_string(modifiers.toInt()) +
                                " at " + std::to_string(x) + "," + std::to_string(y));
         },
         [] {}},
        [&](QWidget& central, QBoxLayout& column) {
            above = new QWidget(&central);
            column.addWidget(above);
        });
    list = controls.List;
    ASSERT_EQ(window.centralWidget()->layout()->indexOf(above), 0);
    EXPECT_EQ(window.centralWidget()->layout()->indexOf(list), 1);
    EXPECT_EQ(window.centralWidget()->layout()->indexOf(controls.Strip.Panel1), 2);
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(list->font().pixelSize(), 11);

    list->lines().assign({"zero", "one", "two"});
    list->show();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint onTwo = list->visualRect(list->model()->index(2, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, onTwo);
    // A Ctrl-click on the selected line would leave it deselected.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, onTwo);
    EXPECT_EQ(selectedWhenCalled, (std::vector<int>{2, 2}));
    const std::string at = " at " + std::to_string(onTwo.x()) + "," + std::to_string(onTwo.y());
    EXPECT_EQ(releases, (std::vector<std::string>{"1/0" + at, "1/" + std::to_string(int(Qt::ControlModifier)) + at}));
}
