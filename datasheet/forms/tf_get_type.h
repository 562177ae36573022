#pragma once
// "CONTROL TYPE INPUT": the modeless dialog in which the user picks the
// station type that searches, reloads and joins keep to. OK turns the
// chosen list items into the three-character type code (see
// datasheet/type_filter.h) and hands it to the program's keeper of the code:
// Kavro's main window, Morvane's frame.
//
// Kavro's layout: TypeList with the two order lists over its right part,
// OK (default) and CANCEL, and a bottom panel with "Stay On Top". Its
// creation sets the code to "X-0", every activation shows the order list of
// the chosen type, and OK goes on with the results caption and the pending
// search (given by Kavro).
// Morvane's layout: the same lists with the order lists hidden, OK only (not
// the default button); OK only sets the code, and a click in an order list
// sets at once the code that OK would set.
#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QFrame;
class QListWidget;
class QPushButton;
class QVBoxLayout;

// Where the dialog keeps the type code. Until one is given the dialog keeps
// the code itself.
struct TypeCodeStore {
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
    // Keeps the code's first character and makes it that, '-' and the order.
    std::function<void(char)> setOrder;
};

// What Kavro's OK does after setting the code and hiding the dialog.
struct TypeOkActions {
    // Receives the results window's caption: "FIND " and the chosen items.
    std::function<void(const std::string&)> showCaption;
    // Runs the search that is waiting for the type, or the reload.
    std::function<void()> startSearch;
};

class TFGetType : public QWidget {
    Q_OBJECT
public:
    enum class Layout { Kavro, Morvane };

    // Becomes FGetType.
    explicit TFGetType(QWidget* parent = nullptr, TypeCodeStore store = {}, TypeOkActions actions = {},
                       Layout layout = Layout::Kavro);
    ~TFGetType() override;

    // Controls (names as in the window's layout). CANCEL, Panel1 and
    // CheckBox are Kavro's only (null in Morvane's layout).
    QListWidget* TypeList = nullptr;
    QListWidget* HOrderList = nullptr;
    QListWidget* VOrderList = nullptr;
    QPushButton* OkType = nullptr;
    QPushButton* CANCEL = nullptr;
    QFrame* Panel1 = nullptr;
    QCheckBox* CheckBox = nullptr;

    // Kavro's handlers.
    void FormCreate();
    void TypeInit();
    void TypeClicked();
    void CANCELClick();
    void TypeListOk();
    void TopClicked();
    // Morvane's handlers.
    void OKTypeClick();
    void TypeListClick();
    void HOrderListClick();
    void VOrderListClick();

    // Puts the three lists back on their first entries (Morvane, whenever
    // its code is reset).
    void SelectFirstEntries();

    // The results caption for the lists' selections as they stand.
    std::string FoundCaption() const;

protected:
    bool event(QEvent* event) override;

private:
    void buildKavro();
    void buildMorvane();
    void buildLists(QVBoxLayout& layout);
    void showOrderListOf(int typeRow);
    // The code from the lists' selections into the store.
    void storeCodeFromLists();
    // Steps shared by both OKs: the code from the selections, then hide.
    void setCodeFromLists();

    Layout layout_;
    TypeCodeStore store_;
    TypeOkActions actions_;
    std::string ownCode_;
};

extern TFGetType* FGetType;
