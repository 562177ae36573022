#pragma once
// "Plot Marks": the plotted stations with their plot numbers; a click on
// one makes it the plot centre. It lists the results as they were at the
// last List click.
#include <QWidget>
#include <string>

class QLabel;

namespace platform {
class LineListView;
}

class TFPForm : public QWidget {
    Q_OBJECT
public:
    explicit TFPForm(QWidget* parent = nullptr);
    ~TFPForm() override;

    // Controls (names as in the window's layout).
    platform::LineListView* PlotList = nullptr;
    QLabel* Panel1 = nullptr;

    // Fills PlotList from the results and shows the window.
    void ListPts();
    // A click on a marks line: that station becomes the plot centre.
    void PlotRecenter();

private:
    std::string Marked; // the clicked marks line
};

extern TFPForm* FPForm;
