#pragma once
// Groups of controls that several forms build alike. Each builder creates
// its controls in the order the forms have always created them, which is
// their tab order and the order findChildren lists them in; it lays them
// out, connects them to the handlers given, and returns them, so that each
// form keeps them under its own control names.
#include <QString>
#include <QtCore/qnamespace.h>

#include <functional>
#include <initializer_list>

#include "platform/qt/status_strip.h"

class QAbstractItemView;
class QBoxLayout;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QWidget;

namespace platform {

class LineListView;

// The station list and results windows.
struct ListWindowControls {
    LineListView* List = nullptr;
    StatusStrip Strip;
};

struct ListWindowHandlers {
    // A click on a line, once that line is selected.
    std::function<void()> clicked;
    // Every button release over the list, at its viewport position.
    std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)> mouseUp;
    std::function<void()> topClicked;
};

// Makes the window's central widget, a column without margins or spacing:
// whatever `above` adds (the window's own controls over the list), the list
// in the fixed font at 11 pixels, hidden until it is filled, taking all the
// height, then the status strip with `prompt`.
ListWindowControls makeListWindowControls(QMainWindow& window, const QString& prompt, int windowWidth,
                                          ListWindowHandlers handlers,
                                          const std::function<void(QWidget& central, QBoxLayout& column)>& above = {});

// The buttons of Kavro's search dialogs, two by two: OK and SAMPLE over
// CLEAR and CANCEL.
struct SearchButtons {
    QPushButton* Ok = nullptr;
    QPushButton* Sample = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Cancel = nullptr;
};

struct SearchHandlers {
    std::function<void()> ok;
    std::function<void()> sample;
    std::function<void()> clear;
    std::function<void()> cancel;
};

// OK is the default button, and Enter in any of `boxes` presses it, as in a
// dialog.
SearchButtons addSearchButtons(QWidget& dialog, QBoxLayout& layout, std::initializer_list<QLineEdit*> boxes,
                               SearchHandlers handlers);

// The "Stay On Top" box; every toggle, by the user or by the program, calls
// `topClicked`.
QCheckBox* addStayOnTopBox(QWidget& parent, QBoxLayout& layout, std::function<void()> topClicked);

struct StayOnTopPanel {
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;
};

// The raised panel at the bottom of the small dialogs, holding the
// "Stay On Top" box.
StayOnTopPanel addStayOnTopPanel(QWidget& dialog, QBoxLayout& layout, std::function<void()> topClicked);

// The program's name in large bold letters, centred: the main window's
// title screen.
QLabel* newProgramTitle(const QString& name, QWidget* parent);

// A raised panel that shows `text` centred (the title panels over a memo).
QLabel* newRaisedPanel(const QString& text, QWidget* parent);

// A list box runs its click handler whenever the user moves its selection,
// with the keyboard as with the mouse: after an arrow, page or home/end key,
// or a typed letter that jumps to a row, that selected another row, `handler` runs, and the list's window keeps
// the focus, so the next key moves on from there.
void runOnKeySelection(QAbstractItemView& view, std::function<void()> handler);

// A single-selection list box that has a selection always keeps one: a
// Ctrl-click on the selected row leaves it selected.
void keepOneSelection(QAbstractItemView& view);

} // namespace platform
