#pragma once
// Morvane's auto-created windows: made at start in a fixed order, alive until exit.

// Creates the 24 windows, the main window first. The main window's
// constructor shows the disclaimer modally before the others exist.
void CreateMorvaneForms();
// Deletes them in the reverse order.
void DestroyMorvaneForms();
