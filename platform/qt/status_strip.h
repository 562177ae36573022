#pragma once
// The strip along the bottom of the list and viewer windows: the prompt
// panel in info-tip colours, a splitter, and a 105-pixel panel holding the
// "Stay On Top" box (its text left of the box).
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QSplitter;
class QWidget;

namespace platform {

struct StatusStrip {
    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QFrame* Panel3 = nullptr;
    QCheckBox* CheckBox = nullptr;
};

StatusStrip makeStatusStrip(QWidget* parent, const QString& prompt, int windowWidth);

// Info-tip background and text colours, sunken panel frame.
void styleInfoTip(QLabel& label);

} // namespace platform
