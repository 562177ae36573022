#pragma once
// The item selection form: the user picks the datasheet items of ITEMPICK
// output (Available to Selected, in output order) and the record layout.
// Shown modally by every save or join in ITEMPICK format; its OK turns the
// Selected list into the settings the record writer works from. Created
// once at start, it restores the choices saved in ds_parm2.txt of the
// current directory; Save writes them there.
//
// One class serves Kavro ("FSelect") and Morvane ("Itempick"); the build
// value says what differs.
#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "itempick/core/available_items.h"
#include "itempick/core/item_build.h"
#include "itempick/core/item_settings.h"
#include "itempick/select_state_file.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;

namespace platform {
class LineListView;
class RadioGroup;
class SimpleComboBox;
} // namespace platform

class TFSelect : public QDialog {
    Q_OBJECT
public:
    // Becomes FSelect; reads the saved choices (ItempickInit).
    explicit TFSelect(const itempick::Build& build = itempick::kKavroItems, QWidget* parent = nullptr);
    ~TFSelect() override;

    // Controls (names as in the form's layout).
    QMenuBar* MainMenu1 = nullptr;
    QAction* H1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label6 = nullptr;
    platform::LineListView* SelectList = nullptr;
    platform::LineListView* SelectWant = nullptr;
    QCheckBox* WantsObsolete = nullptr;
    platform::RadioGroup* RadioPosFormat = nullptr;
    platform::RadioGroup* RadioGroup2 = nullptr;
    QListWidget* DecListBox = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QLabel* Label5 = nullptr;
    platform::SimpleComboBox* FieldDelimBox = nullptr;
    QLabel* Label8 = nullptr;
    platform::SimpleComboBox* DescDelimBox = nullptr;
    QLabel* Label7 = nullptr;
    platform::SimpleComboBox* LineDelimBox = nullptr;
    QPushButton* SelectOK = nullptr;
    QPushButton* Reset = nullptr;
    QPushButton* SelectSave = nullptr;
    QPushButton* SelectCancel = nullptr;

    // Handlers.
    void ItempickInit();
    void FormActivate();
    void FindState();
    void SelectListClick(int row);
    void SelectWantClick(int row);
    // The right-button drag that reorders the Selected list (a row of -1
    // drops below the last item).
    void SelectWantMouseDown(Qt::MouseButton button, QPoint point);
    void SelectWantDragDrop(int targetRow);
    void SelectWantEndDrag(bool onTarget);
    void SelectOKClick();
    void SelectCancelClick();
    void ResetClick();
    void SelectSaveClick();
    void CheckBox3Click();
    void WantsObsoleteClick();
    void HelpClicked();

    // 1 when the form was left by an OK that took the selection.
    std::uint8_t GetSelectOK() const { return selectOK_; }
    // What the last successful OK took: the items, delimiters and options.
    const itempick::Settings& Settings() const { return settings_; }
    const itempick::Build& build() const { return build_; }

    // Rebuilds the available table (72 rows, 93 with Include Obsolete
    // Elements) and returns its size.
    int BuildAvailable();
    const itempick::AvailableTable& Available() const { return *available_; }
    int ItemKnown(std::string_view name) const { return available_->ItemKnown(name); }
    int ItemLookup(std::string_view name) const { return available_->ItemLookup(name); }
    // The defaults: the full Available list, Standard, Include Header, "|".
    void ResetSelectState();
    // Restores the saved choices; 1 when the file is missing, unreadable or
    // obsolete, else 0.
    int ReadSelectState();
    void ClearSelection();
    std::uint8_t AddSelection(const std::string& name);

    // The choices the controls hold now, and putting choices into them.
    itempick::FormChoices choices() const;
    void applyChoices(const itempick::FormChoices& choices);

    // Help: Kavro's sets the help window's context 2 and shows it; a
    // program may put its own in place.
    void SetHelpHandler(std::function<void()> handler) { help_ = std::move(handler); }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void reject() override;

private:
    void createControls();
    // SelectList from the table, each Selected item's row left blank.
    void fillAvailableList();

    const itempick::Build& build_;
    std::optional<itempick::AvailableTable> available_;
    itempick::Selection selection_;
    itempick::Settings settings_;
    std::function<void()> help_;
    int ObsoleteFile = 0;
    int DragIndex = -1;
    // A right-button press on a Selected item after the first, and whether
    // the mouse has moved far enough since to be a drag.
    bool dragPending_ = false;
    bool dragging_ = false;
    QPoint dragStart_;
    std::uint8_t selectOK_ = 0;
};

extern TFSelect* FSelect;
