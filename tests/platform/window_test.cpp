#include "platform/qt/window.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(Window, StayOnTopKeepsTheWindowShownOrHidden)
{
    QWidget shown;
    shown.show();
    setStayOnTop(shown, true);
    EXPECT_TRUE(shown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shown.isVisible());
    setStayOnTop(shown, false);
    EXPECT_FALSE(shown.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(shown.isVisible());

    QWidget hidden;
    setStayOnTop(hidden, true);
    EXPECT_TRUE(hidden.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(hidden.isVisible());
}

TEST(Window, CentreOnScreen)
{
    QWidget window;
    window.resize(200, 100);
    centreOnScreen(window);
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((window.frameGeometry().center() - screenCentre).manhattanLength(), 2);
}

TEST(Window, BusyCursorsNestAndRestore)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    pushBusyCursor();
    {
        BusyCursor busy;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    popBusyCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
