#include "platform/qt/window.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWindow>
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

void keepUsableBesideModal(QWidget& window)
{
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || modal == &window || !window.isWindow())
        return;
    QWindow* handle = window.windowHandle();
    QWindow* modalHandle = modal->windowHandle();
    if (!handle || !modalHandle || handle->transientParent() == modalHandle)
        return;
    // A window is blocked by a modal one unless it is that one's transient
    // child; the previous transient parent comes back when the dialog ends.
    QPointer<QWindow> before = handle->transientParent();
    QPointer<QWindow> self = handle;
    handle->setTransientParent(modalHandle);
    QObject::connect(
        modal, &QDialog::finished, handle,
        [self, before, modalHandle] {
            if (self && self->transientParent() == modalHandle)
                self->setTransientParent(before);
        },
        Qt::SingleShotConnection);
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
