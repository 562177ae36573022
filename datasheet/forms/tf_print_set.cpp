#include "datasheet/forms/tf_print_set.h"

#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

#include "datasheet/print_settings.h"
#include "platform/notices.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/simple_combo.h"
#include "platform/qt/text.h"

TFPrintSet* FPrintSet = nullptr;

namespace {

constexpr int kFirstItem = 50;
constexpr int kLastItem = 75;

QStringList comboItems()
{
    QStringList items;
    for (int lines = kFirstItem; lines <= kLastItem; ++lines)
        items << QString::number(lines);
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

    PrintSetCombo = new platform::SimpleCombo(this);
    PrintSetCombo->setObjectName(QStringLiteral("PrintSetCombo"));
    PrintSetCombo->addItems(comboItems());
    PrintSetCombo->setText(QStringLiteral("58"));
    PrintSetCombo->setGeometry(16, 32, 81, 165);

    if (kavro) {
        PrintSetRadio = new QGroupBox(QStringLiteral("Page at Next Mark"), this);
        PrintSetRadio->setObjectName(QStringLiteral("PrintSetRadio"));
        PrintSetRadio->setGeometry(120, 28, 145, 57);
        auto* columns = new QGridLayout(PrintSetRadio);
        yes_ = new QRadioButton(QStringLiteral("Yes"), PrintSetRadio);
        no_ = new QRadioButton(QStringLiteral("No"), PrintSetRadio);
        columns->addWidget(yes_, 0, 0);
        columns->addWidget(no_, 0, 1);
        yes_->setChecked(true);
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

int TFPrintSet::RadioIndex() const
{
    if (!yes_)
        return -1;
    if (yes_->isChecked())
        return 0;
    return no_->isChecked() ? 1 : -1;
}

void TFPrintSet::SetRadioIndex(int index)
{
    if (!yes_)
        return;
    (index == 0 ? yes_ : no_)->setChecked(true);
}

void TFPrintSet::PrintSetOkClick()
{
    SetLinesPerPage(ds::linesPerPageNumber(platform::fromQ(PrintSetCombo->text())));
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
    if (!ds::savePrintSettings(ds::kPrintSettingsFile, platform::fromQ(PrintSetCombo->text()), RadioIndex() == 0)) {
        platform::notices().notice("NOTICE", "Cannot save at the current location");
        return;
    }
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
        items.push_back(platform::fromQ(PrintSetCombo->itemText(i)));
    const ds::DialogPrintSettings read = ds::readDialogPrintSettings(ds::kPrintSettingsFile, items);
    if (!read.read)
        return;
    if (read.linesItem) {
        PrintSetCombo->setCurrentIndex(PrintSetCombo->findText(platform::toQ(*read.linesItem)));
        SetLinesPerPage(ds::linesPerPageNumber(*read.linesItem));
    }
    if (read.pageEject) {
        SetRadioIndex(*read.pageEject == 1 ? 0 : 1);
        SetPageEject(*read.pageEject);
    }
    chosenSinceFile_ = false;
}
