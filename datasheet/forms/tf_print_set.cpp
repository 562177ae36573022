#include "datasheet/forms/tf_print_set.h"

#include <QLabel>
#include <QPushButton>

#include <vector>

#include "datasheet/print_settings.h"
#include "platform/notices.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/simple_combo_box.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFPrintSet* FPrintSet = nullptr;

namespace {

constexpr int kFirstItem = 50;
constexpr int kLastItem = 75;

std::vector<std::string> comboItems()
{
    std::vector<std::string> items;
    for (int lines = kFirstItem; lines <= kLastItem; ++lines)
        items.push_back(std::to_string(lines));
    return items;
}

} // namespace

TFPrintSet::TFPrintSet(QWidget* parent, const ds::Profile& profile) : QDialog(parent), profile_(profile)
{
    FPrintSet = this;
    setWindowTitle(QStringLiteral("PrintSet"));
    setFixedSize(281, 266);
    const bool kavro = profile_.program != ds::Program::Pellorin;

    LinesPerPage = new QLabel(QStringLiteral("Lines Per Page"), this);
    LinesPerPage->setObjectName(QStringLiteral("LinesPerPage"));
    LinesPerPage->setGeometry(16, 12, 110, 17);

    PrintSetCombo = new platform::SimpleComboBox(this);
    PrintSetCombo->setObjectName(QStringLiteral("PrintSetCombo"));
    PrintSetCombo->setItems(comboItems());
    PrintSetCombo->setText("58");
    PrintSetCombo->setGeometry(16, 32, 81, 165);

    if (kavro) {
        PrintSetRadio = new platform::RadioGroup(QStringLiteral("Page at Next Mark"),
                                                 {QStringLiteral("Yes"), QStringLiteral("No")}, this, 2);
        PrintSetRadio->setObjectName(QStringLiteral("PrintSetRadio"));
        PrintSetRadio->setGeometry(120, 28, 145, 57);
    }

    PrintSetOk = new QPushButton(QStringLiteral("OK"), this);
    PrintSetOk->setObjectName(QStringLiteral("PrintSetOk"));
    PrintSetOk->setDefault(true);
    PrintSetCancel = new QPushButton(QStringLiteral("CANCEL"), this);
    PrintSetCancel->setObjectName(QStringLiteral("PrintSetCancel"));
    More = new QPushButton(QStringLiteral("More"), this);
    More->setObjectName(QStringLiteral("More"));
    if (kavro) {
        PrintSetSave = new QPushButton(QStringLiteral("SAVE"), this);
        PrintSetSave->setObjectName(QStringLiteral("PrintSetSave"));
        More->setGeometry(152, 112, 89, 25);
        PrintSetOk->setGeometry(16, 216, 75, 25);
        PrintSetCancel->setGeometry(103, 216, 75, 25);
        PrintSetSave->setGeometry(190, 216, 75, 25);
        connect(PrintSetSave, &QPushButton::clicked, this, [this] { PrintSetSaveClick(); });
    } else {
        More->setGeometry(152, 32, 89, 25);
        PrintSetOk->setGeometry(16, 216, 75, 25);
        PrintSetCancel->setGeometry(190, 216, 75, 25);
    }
    connect(PrintSetOk, &QPushButton::clicked, this, [this] { PrintSetOkClick(); });
    connect(PrintSetCancel, &QPushButton::clicked, this, [this] { PrintSetCancelClick(); });
    connect(More, &QPushButton::clicked, this, [this] { MoreClick(); });
    PrinterSetupDialog1 = new platform::PrinterSetupDialog(this);

    if (kavro)
        PrintSetLoad();
}

TFPrintSet::~TFPrintSet()
{
    if (FPrintSet == this)
        FPrintSet = nullptr;
}

ds::PageOptions TFPrintSet::PageOptions() const
{
    ds::PageOptions options;
    options.linesPerPage = GetLinesPerPage();
    options.pageEject = GetPageEject() == 1;
    return options;
}

void TFPrintSet::ShowSettings()
{
    platform::showForm(*this);
    setFocus();
}

int TFPrintSet::RadioIndex() const
{
    return PrintSetRadio ? PrintSetRadio->itemIndex() : -1;
}

void TFPrintSet::SetRadioIndex(int index)
{
    if (PrintSetRadio)
        PrintSetRadio->setItemIndex(index == 0 ? 0 : 1);
}

void TFPrintSet::PrintSetOkClick()
{
    SetLinesPerPage(ds::linesPerPageNumber(PrintSetCombo->text()));
    if (PrintSetRadio)
        SetPageEject(RadioIndex() == 0 ? 1 : 0);
    chosenSinceFile_ = true;
    hide();
}

void TFPrintSet::PrintSetCancelClick()
{
    hide();
}

void TFPrintSet::PrintSetSaveClick()
{
    if (!PrintSetSave)
        return;
    if (!ds::savePrintSettings(ds::kPrintSettingsFile, PrintSetCombo->text(), RadioIndex() == 0,
                               platform::notices()))
        return;
    // The station list window applies the saved values at its next activation.
    chosenSinceFile_ = false;
}

void TFPrintSet::MoreClick()
{
    PrinterSetupDialog1->Execute();
}

void TFPrintSet::PrintSetLoad()
{
    std::vector<std::string> items;
    for (int i = 0; i < PrintSetCombo->count(); ++i)
        items.push_back(PrintSetCombo->itemText(i));
    const ds::DialogPrintSettings read = ds::readDialogPrintSettings(ds::kPrintSettingsFile, items);
    if (!read.read)
        return;
    if (read.linesItem) {
        PrintSetCombo->setCurrentIndex(PrintSetCombo->findText(*read.linesItem));
        SetLinesPerPage(ds::linesPerPageNumber(*read.linesItem));
    }
    if (read.pageEject) {
        SetRadioIndex(*read.pageEject == 1 ? 0 : 1);
        SetPageEject(*read.pageEject);
    }
    chosenSinceFile_ = false;
}
