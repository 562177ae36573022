#include "datasheet/forms/tf_get_out.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFGetOut* FGetOut = nullptr;

namespace {

// Index of the first selected line, -1 when none is.
int firstSelectedRow(const QListWidget& list)
{
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            return row;
    return -1;
}

} // namespace

TFGetOut::TFGetOut(QWidget* parent, OutputFormatStore store) : QDialog(parent)
{
    FGetOut = this;
    setWindowTitle(QStringLiteral("OUTPUT FORMAT"));
    resize(231, 235);
    SetFormatStore(std::move(store));

    auto* layout = new QVBoxLayout(this);
    FormatList = new QListWidget(this);
    FormatList->addItems({QStringLiteral("DataSheet Format"), QStringLiteral("List Format"),
                          QStringLiteral("PINMAP Format"), QStringLiteral("ITEMPICK Format")});
    FormatList->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(FormatList, 1);

    auto* buttons = new QHBoxLayout;
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setDefault(true);
    CANCEL = new QPushButton(QStringLiteral("CANCEL"), this);
    buttons->addWidget(OK);
    buttons->addWidget(CANCEL);
    layout->addLayout(buttons);
    connect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(CANCEL, &QPushButton::clicked, this, [this] { CANCELClick(); });
}

TFGetOut::~TFGetOut()
{
    if (FGetOut == this)
        FGetOut = nullptr;
}

void TFGetOut::SetFormatStore(OutputFormatStore store)
{
    if (!store.set || !store.get)
        store = {[this](int format) { ownFormat_ = format; }, [this] { return ownFormat_; }};
    store_ = std::move(store);
}

void TFGetOut::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TFGetOut::FormActivate()
{
    FormatOK = 0;
    if (firstSelectedRow(*FormatList) < 0) {
        FormatList->setCurrentRow(0);
        FormatList->item(0)->setSelected(true);
    }
}

void TFGetOut::OKClick()
{
    const int row = firstSelectedRow(*FormatList);
    if (row >= 0)
        store_.set(row);
    FormatOK = 1;
    DataSheetFlag = store_.get() == 0 ? 1 : 0;
    accept();
}

void TFGetOut::CANCELClick()
{
    FormatOK = 0;
    reject();
}
