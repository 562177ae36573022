#pragma once
// "Plot": the stations of the search results as labels around a centre,
// with a cross in the middle and the centre's LON and LAT in two boxes.
// The buttons zoom, reset, list the marks, choose labels, print and help;
// the scroll bars pan. The drawing is a scene of steps (datasheet/plot_scene.h)
// painted in the paint handler, so it always shows the current state.
#include <QWidget>
#include <string>
#include <vector>

#include "datasheet/plot_scene.h"

class QFrame;
class QPushButton;
class QScrollBar;

class TFPlot : public QWidget {
    Q_OBJECT
public:
    explicit TFPlot(QWidget* parent = nullptr);
    ~TFPlot() override;

    // Controls (names as in the window's layout).
    QFrame* PlotPanel = nullptr;
    QPushButton* PlotReset = nullptr;
    QPushButton* PlotLbutton = nullptr;
    QPushButton* PlotPrint = nullptr;
    QPushButton* PlotVoomIn = nullptr;
    QPushButton* BitBtn1 = nullptr; // zoom out
    QPushButton* PlotOptions = nullptr;
    QPushButton* Help = nullptr;
    QScrollBar* HScrollBar = nullptr;
    QScrollBar* VScrollBar = nullptr;

    // Handlers.
    void ResetClicked();
    void PlotListClicked();
    void PlotPrintClick();
    void VoomInClicked();
    void VoomOutClicked();
    void PlotOptionsClick();
    void HelpClick();
    void CloseKids();
    void ScaleScroll();
    // A scroll bar's action (QAbstractSlider::SliderAction): line and page
    // steps pan, whatever the bar's position; the rest do nothing. A thumb
    // released pans a line step per unit it moved since the last paint.
    void HScrollBarScroll(int action);
    void VScrollBarScroll(int action);

    // Operations of the other plot windows.
    void SetPlotCenter(double latitude, double longitude);
    double GetCenterLat() const { return State.CenterLat; }
    void SetLabelMode(int mode) { State.LabelMode = mode; }
    void SetHCorrector(int pixels) { HCorrector = pixels; }
    void SetWCorrector(int pixels) { WCorrector = pixels; }
    int GetHCorrector() const { return HCorrector; }
    int GetWCorrector() const { return WCorrector; }
    // Finds the centre when none is set, then paints (and shows the window).
    void LoadPts();
    void PrintPlot();
    double DmsTextToDegrees(const std::string& text) const { return ds::DmsTextToDegrees(text); }

    void PaintPlot();
    std::string DegreesToDmsText(const std::string& kind, double degrees) const
    {
        return ds::DegreesToDmsText(kind, degrees);
    }
    void PanWest();
    void PanEast();
    void PanNorth();
    void PanSouth();

    const ds::PlotState& state() const { return State; }
    int GetLastHPos() const { return LastHPos; }
    // What the paint handler draws now, in the window's font.
    std::vector<ds::PlotStep> scene() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void thumbReleased(QScrollBar& bar);

    ds::PlotState State;
    // Each bar's position at the last paint, from which a thumb release counts.
    int LastHPos = 0;
    int LastVPos = 0;
    int HCorrector = 0;
    int WCorrector = 0;
};

extern TFPlot* FPlot;
