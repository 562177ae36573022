#pragma once
// "OUTPUT FORMAT": the modal dialog in which a save or a join picks one of
// the four output formats (0 datasheet text, 1 list lines, 2 PINMAP lines,
// 3 ITEMPICK records). OK hands the choice to the program's keeper of the
// save state: Kavro's station list window, Morvane's frame.
#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

// Where OK puts the format number and reads it back. Until one is given the
// dialog keeps the number itself.
struct OutputFormatStore {
    std::function<void(int)> set;
    std::function<int()> get;
};

class TFGetOut : public QDialog {
    Q_OBJECT
public:
    // Becomes FGetOut.
    explicit TFGetOut(QWidget* parent = nullptr, OutputFormatStore store = {});
    ~TFGetOut() override;

    void SetFormatStore(OutputFormatStore store);

    QListWidget* FormatList = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* CANCEL = nullptr;

    // Handlers. Every showing of the dialog runs FormActivate.
    void FormActivate();
    void OKClick();
    void CANCELClick();

    int GetFormatOK() const { return FormatOK; }
    // The file-exists dialog reads this when it is created: 1 offers
    // merge/replace (datasheet output), 0 does not.
    void SetDataSheetFlag(int value) { DataSheetFlag = value; }
    int GetDataSheetFlag() const { return DataSheetFlag; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    OutputFormatStore store_;
    int ownFormat_ = 0;
    int FormatOK = 0;
    int DataSheetFlag = 0;
};

extern TFGetOut* FGetOut;
