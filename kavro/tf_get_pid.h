#pragma once
// "PID INPUT": the modeless dialog that finds the station with a given PID
// in the station list, selects it there and puts its line in the results
// window. OK leaves the dialog open for the next search.
#include <QWidget>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TFGetPid : public QWidget {
    Q_OBJECT
public:
    explicit TFGetPid(QWidget* parent = nullptr);
    ~TFGetPid() override;

    // Controls (names as in the window's layout).
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* PidBox = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Sample = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Cancel = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Handlers.
    void OkPid();
    void SamplePid();
    void ClearPid();
    void CancelPid();
    void TopClicked();

    // 0 when the PID is two capital letters and four digits, 1 otherwise.
    int CheckPid(const std::string& text) const;
    // Selects the first station with the PID in the station list and fills
    // the results window with its line, or gives the not-found notice.
    void SearchPid(const std::string& pid);

private:
    std::string Msg;
};

extern TFGetPid* FGetPid;
