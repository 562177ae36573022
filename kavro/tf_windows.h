#pragma once
// Kavro's auto-created windows: made at start in a fixed order, alive until exit.
#include <vector>

class QWidget;

// Creates the 19 windows, the main window first. The main window's
// constructor shows the disclaimer modally before the others exist.
void CreateKavroForms();
// Deletes them in the reverse order.
void DestroyKavroForms();

// The windows that every new choice of the main window hides.
std::vector<QWidget*> kavroDataWindows();
