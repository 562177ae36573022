#pragma once
// Pellorin's auto-created windows: made at start in a fixed order, alive
// until exit.
namespace pellorin {

// Creates the 12 windows, the main window first. The main window's
// constructor shows the disclaimer modally before the others exist.
void CreatePellorinForms();
// Deletes them in the reverse order.
void DestroyPellorinForms();

} // namespace pellorin
