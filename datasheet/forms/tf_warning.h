#pragma once
// The file-exists dialog of the saves and of Morvane's join: asks what to do
// with an output file that exists. Created, shown modally and deleted for
// each question; the answer ('W' overwrite, 'A' append, 'M' merge/replace,
// 'C' cancel) goes to the caller's keeper of the save state. Closing it by
// the window frame answers nothing.
//
// Kavro's layout ("FWarning") has two answer groups, one of them shown: with
// merge/replace when FGetOut's DataSheetFlag is 1 at creation, without it
// otherwise. Morvane's ("NOTICE") has one group without merge/replace.
#include <QDialog>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;

class TFWarning : public QDialog {
    Q_OBJECT
public:
    enum class Layout { Kavro, Morvane };
    using AnswerStore = std::function<void(char)>;

    // Becomes FWarning.
    TFWarning(QWidget* owner, AnswerStore storeAnswer, Layout layout = Layout::Kavro);
    ~TFWarning() override;

    // Both layouts.
    QLabel* FileName = nullptr;
    QGroupBox* RadioGroup1 = nullptr;
    // Kavro's layout only.
    QLabel* Label2 = nullptr;
    QPushButton* Okay1 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QPushButton* Okay2 = nullptr;
    // Morvane's layout only.
    QLabel* Label1 = nullptr;
    QPushButton* Okay = nullptr;

    // Handlers. Kavro's creation runs SetOptions.
    void SetOptions();
    void Okay1Click();
    void Okay2Click();
    void OkayClick();

private:
    void buildKavro();
    void buildMorvane();
    // Stores the answer of the group's selected item ('C' past the
    // answers given) and closes.
    void answer(const QGroupBox& group, const char* answers);

    AnswerStore storeAnswer_;
};

extern TFWarning* FWarning;
