#pragma once
// "PrintSet": the print settings dialog (modeless). It keeps the lines per
// page (58 at creation; a page holds that number plus one) and, in Kavro,
// whether a line beginning with '1' starts a new page. Kavro's build can
// SAVE them in ds_parm1.txt in the current directory and reads that file
// when it is created; Pellorin's build keeps lines per page only, in memory,
// and never ejects. Morvane has none.
#include <QDialog>

#include "datasheet/page_printer.h"
#include "datasheet/profile.h"
#include "platform/qt/radio_group.h"

class QLabel;
class QPushButton;

namespace platform {
class PrinterSetupDialog;
class SimpleComboBox;
} // namespace platform

class TFPrintSet : public QDialog {
    Q_OBJECT
public:
    // Becomes FPrintSet. Kavro's build reads ds_parm1.txt (PrintSetLoad).
    explicit TFPrintSet(QWidget* parent = nullptr, const ds::Profile& profile = ds::kKavro);
    ~TFPrintSet() override;

    // Controls (names as in the dialog's layout). Pellorin's build has no
    // PrintSetRadio and no PrintSetSave (null).
    QLabel* LinesPerPage = nullptr;
    platform::SimpleComboBox* PrintSetCombo = nullptr;
    platform::RadioGroup* PrintSetRadio = nullptr; // items "Yes" (0) and "No" (1)
    QPushButton* PrintSetOk = nullptr;
    QPushButton* PrintSetCancel = nullptr;
    QPushButton* PrintSetSave = nullptr;
    QPushButton* More = nullptr;
    platform::PrinterSetupDialog* PrinterSetupDialog1 = nullptr;

    // Handlers.
    void PrintSetOkClick();
    void PrintSetCancelClick();
    void PrintSetSaveClick();
    void MoreClick();
    void PrintSetLoad();

    int GetLinesPerPage() const { return PageLines; }
    void SetLinesPerPage(int lines) { PageLines = lines; }
    // 1: a line beginning with '1' starts a new page; any other value: no.
    // Always 0 in Pellorin's build.
    int GetPageEject() const { return PageEject; }
    void SetPageEject(int eject) { PageEject = eject; }

    // The settings as the page printers of the list, results and viewer
    // windows take them: lines per page, and eject when GetPageEject is 1.
    ds::PageOptions PageOptions() const;
    // Shows the dialog (modeless) and gives it the focus: the windows' Print
    // Setup.
    void ShowSettings();

    // The radio group's selection: 0 "Yes", 1 "No" (-1 in Pellorin's build).
    int RadioIndex() const;
    void SetRadioIndex(int index);

    // True once OK was given since ds_parm1.txt was last read or saved: the
    // station list window then leaves the chosen settings in force.
    bool ChosenSinceFile() const { return chosenSinceFile_; }
    // The station list window read the file (its values are in force).
    void FileApplied() { chosenSinceFile_ = false; }

    const ds::Profile& profile() const { return profile_; }

private:
    ds::Profile profile_;
    int PageLines = 58;
    int PageEject = 0;
    bool chosenSinceFile_ = false;
};

extern TFPrintSet* FPrintSet;
