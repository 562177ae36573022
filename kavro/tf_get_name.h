#pragma once
// "NAME INPUT": the modeless dialog that finds every station whose
// designation begins with a text, or contains it when the text begins with
// '*', selects the first in the station list and fills the results window.
// OK leaves the dialog open for the next search.
#include <QWidget>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFGetName : public QWidget {
    Q_OBJECT
public:
    explicit TFGetName(QWidget* parent = nullptr);
    ~TFGetName() override;

    // Controls (names as in the window's layout).
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* NameBox = nullptr;
    QPushButton* Ok = nullptr;
    QPushButton* Sample = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Cancel = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Handlers.
    void OkName();
    void SampleName();
    void ClearName();
    void CancelName();
    void TopClicked();

    // 0 when the first character is a letter, a digit or '*', 1 otherwise.
    int CheckNameStart(const std::string& text) const;
    // Cuts the text at its first '*' after the first character (in place),
    // then fills the results window with every matching line of the station
    // list, or gives the not-found notice.
    void FindByName(std::string& text);

private:
    std::string Msg;
};

extern TFGetName* FGetName;
