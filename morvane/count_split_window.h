#pragma once
// The body the three count split windows share: the limit's label, box and
// unit, "Split only between datasheets" (bytes and lines), and Okay.
#include <QWidget>

#include "morvane/core/splits.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace morvane {

// What one count split window shows, and the split it runs.
struct CountSplitProfile {
    const char* caption;
    const char* label;   // before the limit box
    const char* size;    // the limit the box starts with
    const char* unit;    // after it
    bool splitCheckBox;  // "Split only between datasheets"
    CountKind kind;
};

class CountSplitWindow : public QWidget {
    Q_OBJECT
public:
    CountSplitWindow(const CountSplitProfile& profile, QWidget* parent);

    QLabel* Label1 = nullptr;
    QLineEdit* SizeBox = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* SplitCheckBox = nullptr; // null in the stations window
    QPushButton* Okay = nullptr;

    // The split of the window's kind: the limit from SizeBox, "OPEN FILE TO
    // SPLIT", the output directory, the existing pieces, the pieces, their list.
    void OkayClick();

private:
    CountKind kind_;
};

} // namespace morvane
