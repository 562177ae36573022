#include "datasheet/forms/tf_get_type.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "datasheet/type_filter.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFGetType* FGetType = nullptr;

namespace {

// TypeList rows that have an order list of their own.
constexpr int kHorizontalRow = 3;
constexpr int kVerticalRow = 4;

int selectedRow(const QListWidget& list)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            return row;
    return -1;
}

// The selected item's text; empty when none is selected.
std::string selectedText(const QListWidget& list)
{
    const int row = selectedRow(list);
    return row < 0 ? std::string() : platform::fromQ(list.item(row)->text());
}

bool contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

TFGetType::TFGetType(QWidget* parent, TypeCodeStore store, TypeOkActions actions, Layout layout)
    : QWidget(parent, Qt::Window), layout_(layout), actions_(std::move(actions))
{
    FGetType = this;
    setWindowTitle(QStringLiteral("CONTROL TYPE INPUT"));
    resize(461, 260);
    if (!store.get || !store.set || !store.setOrder)
        store = {[this] { return ownCode_; }, [this](const std::string& code) { ownCode_ = code.substr(0, 3); },
                 [this](char order) { ownCode_ = ds::typeCodeWithOrder(ownCode_, order); }};
    store_ = std::move(store);

    if (layout_ == Layout::Kavro) {
        buildKavro();
        FormCreate();
    } else {
        buildMorvane();
    }
}

TFGetType::~TFGetType()
{
    if (FGetType == this)
        FGetType = nullptr;
}

void TFGetType::buildLists(QVBoxLayout& layout)
{
    TypeList = new QListWidget(this);
    TypeList->addItems({QStringLiteral("Any Type"), QStringLiteral("Only Federal Base"),
                        QStringLiteral("Only Cooperative Base"), QStringLiteral("Only Horizontal Control"),
                        QStringLiteral("Only Vertical Control"), QStringLiteral("Only Stations with Ellipsoidal Heights"),
                        QStringLiteral("Only Sites suitable for GPS"),
                        QStringLiteral("Only CORS (Continuously Operating Reference System)"),
                        QStringLiteral("Only PACS (Primary Airport Control)"),
                        QStringLiteral("Only SACS (Secondary Airport Control)")});
    // The seventh item is empty: it gives H-0 as "Any Horizontal" does, but
    // adds a blank to the results caption.
    HOrderList = new QListWidget(this);
    HOrderList->addItems({QStringLiteral("Any Horizontal"), QStringLiteral("A Order Only"),
                          QStringLiteral("B Order or above"), QStringLiteral("1st Order or above"),
                          QStringLiteral("2nd Order or above"), QStringLiteral("3rd Order or below"), QString()});
    VOrderList = new QListWidget(this);
    VOrderList->addItems({QStringLiteral("Any Vertical"), QStringLiteral("1st Order or above"),
                          QStringLiteral("2nd Order or above"), QStringLiteral("3rd Order or below"),
                          QStringLiteral("POSTED bench marks"), QStringLiteral("M-HEIGHT bench marks")});
    for (QListWidget* list : {TypeList, HOrderList, VOrderList}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        platform::keepOneSelection(*list);
    }
    // Each list wide enough for its longest entry (the CORS one) whole; the
    // dialog grows to hold them side by side.
    for (QListWidget* list : {TypeList, HOrderList, VOrderList})
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                              list->verticalScrollBar()->sizeHint().width() + 4);

    // TypeList on the left, the two order lists in one place on the right.
    auto* lists = new QGridLayout;
    lists->addWidget(TypeList, 0, 0);
    lists->addWidget(HOrderList, 0, 1);
    lists->addWidget(VOrderList, 0, 1);
    lists->setColumnStretch(0, 3);
    lists->setColumnStretch(1, 2);
    layout.addLayout(lists, 1);
}

void TFGetType::buildKavro()
{
    auto* layout = new QVBoxLayout(this);
    buildLists(*layout);

    auto* buttons = new QHBoxLayout;
    OkType = new QPushButton(QStringLiteral("OK"), this);
    OkType->setDefault(true);
    CANCEL = new QPushButton(QStringLiteral("CANCEL"), this);
    buttons->addWidget(OkType);
    buttons->addWidget(CANCEL);
    layout->addLayout(buttons);

    const platform::StayOnTopPanel panel = platform::addStayOnTopPanel(*this, *layout, [this] { TopClicked(); });
    Panel1 = panel.Panel1;
    CheckBox = panel.CheckBox;

    connect(TypeList, &QListWidget::itemClicked, this, [this] { TypeClicked(); });
    platform::runOnKeySelection(*TypeList, [this] { TypeClicked(); });
    connect(OkType, &QPushButton::clicked, this, [this] { TypeListOk(); });
    connect(CANCEL, &QPushButton::clicked, this, [this] { CANCELClick(); });
    // OK is the default button: Enter presses it, unless a button has the focus.
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        connect(enter, &QShortcut::activated, this, [this] {
            auto* focused = qobject_cast<QPushButton*>(focusWidget());
            (focused ? focused : OkType)->click();
        });
    }
}

void TFGetType::buildMorvane()
{
    // Wide enough for the longest type beside an order list.
    resize(600, 260);
    auto* layout = new QVBoxLayout(this);
    buildLists(*layout);
    // The types are read whole, without a scroll bar under them.
    TypeList->setMinimumWidth(TypeList->sizeHintForColumn(0) + 2 * TypeList->frameWidth() + 4);
    HOrderList->hide();
    VOrderList->hide();

    auto* buttons = new QHBoxLayout;
    OkType = new QPushButton(QStringLiteral("OK"), this);
    OkType->setAutoDefault(false);
    buttons->addWidget(OkType);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(TypeList, &QListWidget::itemClicked, this, [this] { TypeListClick(); });
    connect(HOrderList, &QListWidget::itemClicked, this, [this] { HOrderListClick(); });
    connect(VOrderList, &QListWidget::itemClicked, this, [this] { VOrderListClick(); });
    platform::runOnKeySelection(*TypeList, [this] { TypeListClick(); });
    platform::runOnKeySelection(*HOrderList, [this] { HOrderListClick(); });
    platform::runOnKeySelection(*VOrderList, [this] { VOrderListClick(); });
    connect(OkType, &QPushButton::clicked, this, [this] { OKTypeClick(); });
}

bool TFGetType::event(QEvent* event)
{
    // Showing the dialog activates it; a return to it from another window
    // activates it again.
    if (layout_ == Layout::Kavro && (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate))
        TypeInit();
    return QWidget::event(event);
}

void TFGetType::FormCreate()
{
    store_.set(std::string(ds::kAnyTypeCode));
}

void TFGetType::showOrderListOf(int typeRow)
{
    HOrderList->setVisible(typeRow == kHorizontalRow);
    VOrderList->setVisible(typeRow == kVerticalRow);
}

void TFGetType::TypeInit()
{
    TypeList->show();
    showOrderListOf(selectedRow(*TypeList));
}

void TFGetType::TypeClicked()
{
    const std::string item = selectedText(*TypeList);
    if (contains(item, "Only Horizontal Control")) {
        VOrderList->hide();
        HOrderList->show();
    } else if (contains(item, "Only Vertical Control")) {
        HOrderList->hide();
        VOrderList->show();
    } else {
        HOrderList->hide();
        VOrderList->hide();
    }
}

void TFGetType::TypeListClick()
{
    TypeClicked();
}

void TFGetType::CANCELClick()
{
    hide();
}

void TFGetType::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

void TFGetType::storeCodeFromLists()
{
    store_.set(ds::typeCodeForItem(selectedText(*TypeList)));
    const std::string code = store_.get();
    if (!code.empty() && code[0] == 'H')
        store_.setOrder(ds::horizontalOrderForItem(selectedText(*HOrderList)));
    else if (!code.empty() && code[0] == 'V')
        store_.setOrder(ds::verticalOrderForItem(selectedText(*VOrderList)));
}

void TFGetType::setCodeFromLists()
{
    HOrderList->hide();
    VOrderList->hide();
    storeCodeFromLists();
    hide();
}

void TFGetType::SelectFirstEntries()
{
    for (QListWidget* list : {TypeList, HOrderList, VOrderList}) {
        list->clearSelection();
        list->setCurrentRow(0);
        list->item(0)->setSelected(true);
    }
}

std::string TFGetType::FoundCaption() const
{
    // Both order lists count, whatever type was chosen.
    std::string caption = "FIND " + selectedText(*TypeList);
    for (const QListWidget* list : {HOrderList, VOrderList}) {
        const std::string item = selectedText(*list);
        if (!contains(item, "Any"))
            caption += " " + item;
    }
    return caption;
}

void TFGetType::TypeListOk()
{
    setCodeFromLists();
    if (actions_.showCaption)
        actions_.showCaption(FoundCaption());
    if (actions_.startSearch)
        actions_.startSearch();
}

void TFGetType::OKTypeClick()
{
    setCodeFromLists();
}

// An order click stores at once the code that OK would store from the
// lists as they stand: writing the order character alone into the code
// would make codes such as "X-1" or "H-M" that no station passes.
void TFGetType::HOrderListClick()
{
    storeCodeFromLists();
}

void TFGetType::VOrderListClick()
{
    storeCodeFromLists();
}
