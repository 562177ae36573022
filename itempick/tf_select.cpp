#include "itempick/tf_select.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

#include "datasheet/forms/tf_help.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/radio_group.h"
#include "platform/qt/simple_combo_box.h"
#include "platform/qt/text.h"

TFSelect* FSelect = nullptr;

namespace {

// Selected lines hold the name in their first 20 characters.
constexpr std::size_t kNameLength = 20;
// The mouse moves this far with the right button down before a drag begins.
constexpr int kDragThreshold = 2;

QLabel* newHeading(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(12);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A control hidden now and then keeps its place, so that nothing moves.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

TFSelect::TFSelect(const itempick::Build& build, QWidget* parent) : QDialog(parent), build_(build)
{
    FSelect = this;
    setWindowTitle(platform::toQ(build_.caption));
    createControls();
    resize(591, 388);
    help_ = [] { OpenHelp(2); };
    ItempickInit();
}

TFSelect::~TFSelect()
{
    if (FSelect == this)
        FSelect = nullptr;
}

void TFSelect::createControls()
{
    auto* outer = new QVBoxLayout(this);
    MainMenu1 = new QMenuBar(this);
    H1 = MainMenu1->addAction(QStringLiteral("Help"));
    connect(H1, &QAction::triggered, this, [this] { HelpClicked(); });
    outer->setMenuBar(MainMenu1);

    auto* row = new QHBoxLayout;
    outer->addLayout(row, 1);

    // The two lists with their headings, the arrow between them.
    auto* availableColumn = new QVBoxLayout;
    Label1 = newHeading(QStringLiteral("Available"), this);
    Label3 = new QLabel(QStringLiteral("(click to select)"), this);
    SelectList = new platform::LineListView(this);
    WantsObsolete = new QCheckBox(QStringLiteral("Include Obsolete Elements"), this);
    availableColumn->addWidget(Label1);
    availableColumn->addWidget(Label3);
    availableColumn->addWidget(SelectList, 1);
    availableColumn->addWidget(WantsObsolete);
    row->addLayout(availableColumn);

    Label6 = new QLabel(QStringLiteral("->"), this);
    QFont arrow = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    arrow.setBold(true);
    Label6->setFont(arrow);
    row->addWidget(Label6);

    auto* selectedColumn = new QVBoxLayout;
    Label2 = newHeading(QStringLiteral("Selected"), this);
    Label4 = new QLabel(QStringLiteral("(click to unselect)"), this);
    SelectWant = new platform::LineListView(this);
    selectedColumn->addWidget(Label2);
    selectedColumn->addWidget(Label4);
    selectedColumn->addWidget(SelectWant, 1);
    // Under the Selected list, level with the box under Available.
    selectedColumn->addSpacing(WantsObsolete->sizeHint().height() + selectedColumn->spacing());
    row->addLayout(selectedColumn);

    // The options.
    auto* options = new QGridLayout;
    row->addLayout(options, 1);
    // Both lists as wide as the longest name.
    const int listWidth = SelectList->fontMetrics().horizontalAdvance(QStringLiteral("SPC_COMBINED_FACTOR")) + 24;
    SelectList->setFixedWidth(listWidth);
    SelectWant->setFixedWidth(listWidth);
    RadioPosFormat = new platform::RadioGroup(QStringLiteral("Position Format"),
                                              {QStringLiteral("Standard"), QStringLiteral("Decimal Degree")}, this);
    RadioGroup2 = new platform::RadioGroup(QStringLiteral("Longitude"),
                                           {QStringLiteral("West = +"), QStringLiteral("West = -")}, this);
    DecListBox = new QListWidget(this);
    for (const std::string& line : itempick::decimalsItems())
        DecListBox->addItem(platform::toQ(line));
    DecListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    DecListBox->setCurrentRow(0);
    for (QWidget* widget : {static_cast<QWidget*>(RadioGroup2), static_cast<QWidget*>(DecListBox)}) {
        keepPlaceWhenHidden(widget);
        widget->hide();
    }

    GroupBox1 = new QGroupBox(QStringLiteral("Output"), this);
    auto* checks = new QVBoxLayout(GroupBox1);
    CheckBox1 = new QCheckBox(QStringLiteral("Include Header"), GroupBox1);
    CheckBox2 = new QCheckBox(QStringLiteral("Fixed Field"), GroupBox1);
    CheckBox3 = new QCheckBox(QStringLiteral("Single Line Only"), GroupBox1);
    CheckBox1->setChecked(true);
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3})
        checks->addWidget(box);

    options->addWidget(RadioPosFormat, 0, 0);
    options->addWidget(RadioGroup2, 0, 1);
    options->addWidget(GroupBox1, 1, 0);
    options->addWidget(DecListBox, 1, 1);

    // The three delimiter boxes side by side.
    auto* delimiters = new QHBoxLayout;
    auto addDelimiterBox = [&](QLabel*& label, platform::SimpleComboBox*& box, const QString& caption,
                               const std::string& text) {
        auto* column = new QVBoxLayout;
        label = new QLabel(caption, this);
        box = new platform::SimpleComboBox(this);
        box->setItems(itempick::delimiterItems());
        box->setText(text);
        column->addWidget(label);
        column->addWidget(box, 1);
        delimiters->addLayout(column);
    };
    addDelimiterBox(Label5, FieldDelimBox, QStringLiteral("Field Delim"), "|");
    addDelimiterBox(Label8, DescDelimBox, QStringLiteral("Desc Delim"), "NONE");
    addDelimiterBox(Label7, LineDelimBox, QStringLiteral("Line Delim"), "~");
    for (QWidget* widget : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(DescDelimBox),
                            static_cast<QWidget*>(Label7), static_cast<QWidget*>(LineDelimBox)}) {
        keepPlaceWhenHidden(widget);
        widget->hide();
    }
    options->addLayout(delimiters, 2, 0, 1, 2);
    options->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    SelectOK = new QPushButton(QStringLiteral("OK"), this);
    Reset = new QPushButton(QStringLiteral("Reset"), this);
    SelectSave = new QPushButton(QStringLiteral("Save"), this);
    SelectCancel = new QPushButton(QStringLiteral("Cancel"), this);
    for (QPushButton* button : {SelectOK, Reset, SelectSave, SelectCancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    options->addLayout(buttons, 3, 0, 1, 2);

    connect(SelectList, &platform::LineListView::itemClicked, this, [this](int row) { SelectListClick(row); });
    connect(SelectWant, &platform::LineListView::itemClicked, this, [this](int row) { SelectWantClick(row); });
    SelectWant->viewport()->installEventFilter(this);
    connect(WantsObsolete, &QCheckBox::toggled, this, [this] { WantsObsoleteClick(); });
    connect(RadioPosFormat, &platform::RadioGroup::clicked, this, [this] { FindState(); });
    connect(RadioGroup2, &platform::RadioGroup::clicked, this, [this] { FindState(); });
    connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
    connect(SelectOK, &QPushButton::clicked, this, [this] { SelectOKClick(); });
    connect(Reset, &QPushButton::clicked, this, [this] { ResetClick(); });
    connect(SelectSave, &QPushButton::clicked, this, [this] { SelectSaveClick(); });
    connect(SelectCancel, &QPushButton::clicked, this, [this] { SelectCancelClick(); });
}

// --- creation and showing ---

void TFSelect::ItempickInit()
{
    ObsoleteFile = 0;
    if (!itempick::findStateFile(platform::currentDirectory()).empty()) {
        if (ReadSelectState() == 1) {
            ObsoleteFile = 1;
            SelectWant->lines().clear();
            ResetSelectState();
        }
    } else {
        ResetSelectState();
    }
}

void TFSelect::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Once per showing, not on every activation: the notice below
    // activates the form again when its box closes.
    if (event->spontaneous())
        return;
    FindState();
    selectOK_ = 0;
    // The notice comes once the form is on the screen.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

void TFSelect::FormActivate()
{
    selectOK_ = 0;
    if (ObsoleteFile == 1) {
        ObsoleteFile = 0;
        platform::notices().notice("NOTICE", itempick::obsoleteNotice(build_));
    }
}

void TFSelect::FindState()
{
    const bool decimalDegree = RadioPosFormat->itemIndex() == itempick::kDecimalDegreePositions;
    DecListBox->setVisible(decimalDegree);
    RadioGroup2->setVisible(decimalDegree);
}

void TFSelect::CheckBox3Click()
{
    const bool shown = CheckBox3->isChecked() && build_.delimiterBoxesShown;
    for (QWidget* widget : {static_cast<QWidget*>(Label8), static_cast<QWidget*>(DescDelimBox),
                            static_cast<QWidget*>(Label7), static_cast<QWidget*>(LineDelimBox)})
        widget->setVisible(shown);
}

// --- the two lists ---

int TFSelect::BuildAvailable()
{
    available_.emplace(build_, WantsObsolete->isChecked());
    return available_->size();
}

void TFSelect::fillAvailableList()
{
    // A Selected item keeps its row blank: a rebuilt list shows no item
    // twice. The separator has several rows; each Selected copy blanks one.
    std::map<std::string_view, int> selected;
    for (const std::string& line : SelectWant->lines().lines())
        ++selected[std::string_view(line).substr(0, kNameLength)];
    std::vector<std::string> lines;
    lines.reserve(available_->rows().size());
    for (const itempick::AvailableItem& item : available_->rows()) {
        auto it = selected.find(item.name);
        if (it != selected.end() && it->second > 0) {
            --it->second;
            lines.emplace_back();
        } else {
            lines.emplace_back(item.name);
        }
    }
    SelectList->lines().assign(std::move(lines));
}

void TFSelect::SelectListClick(int row)
{
    platform::LineList& available = SelectList->lines();
    if (row < 0 || static_cast<std::size_t>(row) >= available.size() || available.at(row).empty())
        return;
    std::string name = available.at(row);
    available.set(row, std::string());
    SelectWant->lines().add(std::move(name));
}

void TFSelect::SelectWantClick(int row)
{
    platform::LineList& selected = SelectWant->lines();
    if (row < 0 || static_cast<std::size_t>(row) >= selected.size())
        return;
    const std::string name = selected.at(row).substr(0, kNameLength);
    // The item goes back to its own row; the separator to the one of its
    // rows that is blank.
    int back = -1;
    const auto& rows = available_->rows();
    for (std::size_t index = 0; index < rows.size() && back < 0; ++index)
        if (rows[index].name == name && index < SelectList->lines().size() && SelectList->lines().at(index).empty())
            back = static_cast<int>(index);
    if (back < 0)
        back = ItemLookup(name);
    if (back >= 0 && static_cast<std::size_t>(back) < SelectList->lines().size())
        SelectList->lines().set(back, name);
    selected.remove(row);
}

// The right-button drag in the Selected list: a press on an item picks it
// up, a move of a few pixels starts the drag, the release drops it.
bool TFSelect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != SelectWant->viewport())
        return QDialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        SelectWantMouseDown(mouse->button(), mouse->position().toPoint());
        break;
    case QEvent::MouseMove:
        if (dragPending_ && !dragging_ &&
            (mouse->position().toPoint() - dragStart_).manhattanLength() >= kDragThreshold) {
            dragging_ = true;
            SelectWant->viewport()->setCursor(Qt::DragMoveCursor);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (mouse->button() == Qt::RightButton && dragPending_) {
            const bool dragged = dragging_;
            dragPending_ = dragging_ = false;
            SelectWant->viewport()->unsetCursor();
            const QPoint point = mouse->position().toPoint();
            // Released off the list: the drag ends without a target.
            const bool onTarget = dragged && SelectWant->viewport()->rect().contains(point);
            if (onTarget)
                SelectWantDragDrop(SelectWant->itemAt(point));
            SelectWantEndDrag(onTarget);
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TFSelect::SelectWantMouseDown(Qt::MouseButton button, QPoint point)
{
    if (button != Qt::RightButton)
        return;
    // The first item is never picked up.
    const int row = SelectWant->itemAt(point);
    dragPending_ = row > 0;
    dragging_ = false;
    if (dragPending_) {
        DragIndex = row;
        dragStart_ = point;
    }
}

void TFSelect::SelectWantDragDrop(int targetRow)
{
    platform::LineList& selected = SelectWant->lines();
    if (DragIndex < 0 || static_cast<std::size_t>(DragIndex) >= selected.size())
        return;
    std::string line = selected.at(DragIndex);
    selected.remove(DragIndex);
    // Below the last item: to the end.
    if (targetRow < 0 || static_cast<std::size_t>(targetRow) > selected.size())
        targetRow = static_cast<int>(selected.size());
    selected.insert(targetRow, std::move(line));
}

void TFSelect::SelectWantEndDrag(bool onTarget)
{
    if (onTarget)
        SelectWant->viewport()->update();
}

void TFSelect::WantsObsoleteClick()
{
    BuildAvailable();
    fillAvailableList();
}

// --- the buttons ---

void TFSelect::ClearSelection()
{
    selection_.ClearSelection();
}

std::uint8_t TFSelect::AddSelection(const std::string& name)
{
    return selection_.AddSelection(name, platform::notices());
}

void TFSelect::SelectOKClick()
{
    selectOK_ = 1;
    ClearSelection();
    itempick::Settings settings;
    settings.westSign = RadioGroup2->itemIndex();
    settings.includeHeader = CheckBox1->isChecked();
    settings.fixedField = CheckBox2->isChecked();
    settings.singleLine = CheckBox3->isChecked();
    settings.fieldDelim = itempick::DelimiterFromText(FieldDelimBox->text());
    settings.descDelim = itempick::DelimiterFromText(DescDelimBox->text());
    settings.lineDelim = itempick::DelimiterFromText(LineDelimBox->text());
    settings.positionFormat = RadioPosFormat->itemIndex();
    const int decimals = DecListBox->currentRow();
    settings.decimals = platform::fromQ(DecListBox->item(decimals < 0 ? 0 : decimals)->text());

    if (SelectWant->lines().empty()) {
        // Nothing selected is no accepted selection.
        selectOK_ = 0;
        platform::notices().notice("NOTICE", "\r\n      No Items were selected.\r\n      Go back and Click on an item "
                                             "under\r\n        'Available'\r\n      to move it to the\r\n        "
                                             "'Selected' column.");
        return;
    }
    for (const std::string& line : SelectWant->lines().lines())
        selectOK_ = AddSelection(line.substr(0, kNameLength));
    if (selectOK_ != 1)
        return;
    settings.items = selection_.choices(*available_);
    settings_ = std::move(settings);
    accept();
}

void TFSelect::SelectCancelClick()
{
    reject();
}

void TFSelect::reject()
{
    // Cancel, Esc and the window's close box alike.
    selectOK_ = 0;
    QDialog::reject();
}

void TFSelect::ResetClick()
{
    SelectWant->lines().clear();
    ResetSelectState();
}

void TFSelect::ResetSelectState()
{
    BuildAvailable();
    fillAvailableList();
    DecListBox->setCurrentRow(0);
    RadioPosFormat->setItemIndex(0);
    RadioGroup2->setItemIndex(0);
    FindState();
    FieldDelimBox->setCurrentIndex(0);
    CheckBox1->setChecked(true);
    CheckBox2->setChecked(false);
    CheckBox3->setChecked(false);
    CheckBox3Click();
}

void TFSelect::SelectSaveClick()
{
    itempick::SaveSelectState(platform::currentDirectory(), choices(), build_, platform::notices());
}

void TFSelect::HelpClicked()
{
    if (help_)
        help_();
}

// --- the saved choices ---

int TFSelect::ReadSelectState()
{
    // Saved names are known by the whole table, obsolete rows included.
    const itempick::AvailableTable current(build_, false);
    const itempick::AvailableTable all(build_, true);
    auto rowsNamed = [](const itempick::AvailableTable& table, std::string_view name) {
        return static_cast<int>(std::count_if(table.rows().begin(), table.rows().end(),
                                              [name](const itempick::AvailableItem& row) { return row.name == name; }));
    };
    const itempick::ItemRows rows{
        [&](std::string_view name) { return rowsNamed(current, name); },
        [&](std::string_view name) { return rowsNamed(all, name) - rowsNamed(current, name); }};
    itempick::FormChoices read = choices();
    const std::string path = itempick::findStateFile(platform::currentDirectory());
    if (itempick::ReadSelectState(path, build_, rows, read) != 0)
        return 1;
    applyChoices(read);
    return 0;
}

itempick::FormChoices TFSelect::choices() const
{
    itempick::FormChoices choices;
    choices.selected = SelectWant->lines().lines();
    choices.posFormat = RadioPosFormat->itemIndex();
    choices.westSign = RadioGroup2->itemIndex();
    choices.decimals = DecListBox->currentRow() < 0 ? 0 : DecListBox->currentRow();
    choices.header = CheckBox1->isChecked();
    choices.fixedField = CheckBox2->isChecked();
    choices.singleLine = CheckBox3->isChecked();
    choices.wantsObsolete = WantsObsolete->isChecked();
    choices.fieldDelim = FieldDelimBox->text();
    choices.descDelim = DescDelimBox->text();
    choices.lineDelim = LineDelimBox->text();
    return choices;
}

void TFSelect::applyChoices(const itempick::FormChoices& choices)
{
    SelectWant->lines().assign(choices.selected);
    {
        // One rebuild of the lists below, not one on the toggle as well.
        const QSignalBlocker block(WantsObsolete);
        WantsObsolete->setChecked(choices.wantsObsolete);
    }
    BuildAvailable();
    fillAvailableList();
    RadioPosFormat->setItemIndex(choices.posFormat);
    RadioGroup2->setItemIndex(choices.westSign);
    DecListBox->setCurrentRow(choices.decimals);
    FindState();
    CheckBox1->setChecked(choices.header);
    CheckBox2->setChecked(choices.fixedField);
    CheckBox3->setChecked(choices.singleLine);
    CheckBox3Click();
    FieldDelimBox->setText(choices.fieldDelim);
    DescDelimBox->setText(choices.descDelim);
    LineDelimBox->setText(choices.lineDelim);
}
