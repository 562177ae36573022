#pragma once
// A printout of a list's or memo's lines from a form: the page printer on
// the program's printer (platform::currentPrinter()), with the font of the
// source control and a progress window owned by `owner`; notices go to the
// program's notice sink. False when the printout could not be made (its
// notice was shown).
#include <QFont>

#include <string>
#include <vector>

#include "datasheet/page_printer.h"

class QWidget;

bool PrintLines(QWidget* owner, const std::vector<std::string>& lines, const QFont& font,
                const ds::PageOptions& options);
