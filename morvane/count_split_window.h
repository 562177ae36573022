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

class CountSplitWindow : public QWidget {
    Q_OBJECT
public:
    CountSplitWindow(const QString& caption, const QString& label, const QString& size, const QString& unit,
                     bool splitCheckBox, QWidget* parent);

    QLabel* Label1 = nullptr;
    QLineEdit* SizeBox = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* SplitCheckBox = nullptr; // null in the stations window
    QPushButton* Okay = nullptr;

    virtual void OkayClick() = 0;

protected:
    // The split of the kind: the limit from SizeBox, "OPEN FILE TO SPLIT",
    // the output directory, the existing pieces, the pieces, their list.
    void runSplit(CountKind kind);
};

} // namespace morvane
