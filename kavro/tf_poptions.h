#pragma once
// "Plot Options": the kind of label the plot draws. OK relabels the plot
// and leaves the dialog open; Cancel hides it and keeps the labels.
#include <QWidget>

class QPushButton;
namespace platform {
class RadioGroup;
}

class TFPOptions : public QWidget {
    Q_OBJECT
public:
    explicit TFPOptions(QWidget* parent = nullptr);
    ~TFPOptions() override;

    // Controls (names as in the window's layout). PlotRadio is the radio
    // group "Plot Label"; its item index is PlotRadioIndex().
    platform::RadioGroup* PlotRadio = nullptr;
    QPushButton* PlotOptionOK = nullptr;
    QPushButton* PlotOptionCancel = nullptr;

    // 0 "Number", 1 "PID", 2 "Designation".
    int PlotRadioIndex() const;
    void SetPlotRadioIndex(int index);

    void PlotOptionOKClick();
    void PlotOptionCancelClick();
};

extern TFPOptions* FPOptions;
