#pragma once
// "POINT RADIUS INPUT": the modeless dialog of the point-radius search.
// OK passes through the station-type dialog, whose OK runs RadiusSearch
// with the boxes as they stand then; the dialog stays open.
#include <QWidget>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TFGetRad : public QWidget {
    Q_OBJECT
public:
    explicit TFGetRad(QWidget* parent = nullptr);
    ~TFGetRad() override;

    // Controls (names as in the window's layout).
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* LatBox = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* LonBox = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* RadiusBox = nullptr;
    QPushButton* RadOK = nullptr;
    QPushButton* Sample = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Cancel = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Handlers.
    void OkRadius();
    void SampleRadius();
    void ClearRadius();
    void CancelRadius();
    void TopClicked();

    // Runs the search with the boxes as they stand (the type dialog's OK calls it).
    void RadiusSearch();

    // 0 when the text passes, 1 when it fails.
    int CheckLatitude(const std::string& text) const;
    int CheckLongitude(const std::string& text) const;
    int CheckRadius(const std::string& text) const;
    // Fills the results window with the stations within the radius (miles)
    // of the point that pass the type test, nearest first, or gives the
    // not-found notice. The texts are ones that passed their checks.
    void FindInRadius(const std::string& lat, const std::string& lon, const std::string& radius);

private:
    std::string Msg;
};

extern TFGetRad* FGetRad;
