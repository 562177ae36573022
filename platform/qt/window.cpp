#include "platform/qt/window.h"

#include <QApplication>
#include <QScreen>

#include <chrono>
#include <thread>

namespace platform {

void setStayOnTop(QWidget& window, bool onTop)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool visible = window.isVisible();
    // Changing window flags hides the window.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        window.show();
}

void showForm(QWidget& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void centreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void pushBusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void popBusyCursor()
{
    QApplication::restoreOverrideCursor();
}

void pauseMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void repaintNow(QWidget& widget)
{
    widget.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace platform
