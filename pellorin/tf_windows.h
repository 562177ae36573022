#pragma once
// Pellorin's auto-created windows: made at start in a fixed order, alive
// until exit.
class QWidget;

namespace pellorin {

// Creates the 12 windows, the main window first. The main window's
// constructor shows the disclaimer modally before the others exist.
void CreatePellorinForms();
// Deletes them in the reverse order.
void DestroyPellorinForms();

// Shows a window the user asks for: one the user minimized comes back to
// the screen, raised and active.
void showRestored(QWidget& window);

} // namespace pellorin
