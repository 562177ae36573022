#pragma once
// "AREA INPUT": the modeless dialog of the latitude/longitude box search.
// OK passes through the station-type dialog, whose OK runs SearchArea with
// the boxes as they stand then; the dialog stays open.
#include <QWidget>
#include <string>

#include "platform/line_reader.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TFGetArea : public QWidget {
    Q_OBJECT
public:
    explicit TFGetArea(QWidget* parent = nullptr);
    ~TFGetArea() override;

    // Controls (names as in the window's layout).
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* MaxLatBox = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* MinLatBox = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* MaxLonBox = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* MinLonBox = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Sample = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Cancel = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Handlers.
    void OkMM();
    void SampleMM();
    void ClearMM();
    void CancelMM();
    void TopClicked();

    // Runs the search with the boxes as they stand (the type dialog's OK calls it).
    void SearchArea();

    // 0 when the text passes, 1 when it fails.
    int CheckLatitude(const std::string& text) const;
    int CheckLongitude(const std::string& text) const;
    // Fills the results window with the stations inside the box that pass
    // the type test, or gives the not-found notice. The bounds are texts
    // that passed their checks.
    void AreaScan(const std::string& minLat, const std::string& maxLat, const std::string& minLon,
                  const std::string& maxLon);

private:
    std::string Msg;
};

extern TFGetArea* FGetArea;

// The test both position searches make of a station inside their box or
// circle: its offset in the index, then the type test of its datasheet in
// the open data file. A PID the index lacks (after the index's notice)
// passes only under a type code that reads nothing ("X-0").
bool PositionHitPasses(const std::string& pid, platform::LineReader& file);
