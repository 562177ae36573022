#pragma once
// Small window helpers: stay-on-top, centring, the hourglass cursor, the
// short pause before a progress window closes, and painting at once while a
// long operation holds the event loop.
#include <QWidget>

namespace platform {

// Switches the window between stay-on-top and normal; a shown window stays
// shown, a hidden one hidden.
void setStayOnTop(QWidget& window, bool onTop);
void centreOnScreen(QWidget& window);
// Shows a window, and raises and activates it when it was already open, as
// showing a form did on the original platform.
void showForm(QWidget& window);
// A modeless window opened from a modal dialog (help from the item form)
// takes input while that dialog runs: it stands as the dialog's transient
// window until the dialog closes. Without a modal dialog nothing changes.
void keepUsableBesideModal(QWidget& window);

// The hourglass over the whole application. Pushes and pops nest: each pop
// restores the cursor that its push replaced.
void pushBusyCursor();
void popBusyCursor();

class BusyCursor {
public:
    BusyCursor() { pushBusyCursor(); }
    ~BusyCursor() { popBusyCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void pauseMs(int milliseconds);

// Paints the widget now. Operations run inside a handler, so the window
// system also gets the chance to put a newly shown window on the screen;
// user input stays queued until the handler returns.
void repaintNow(QWidget& widget);

} // namespace platform
