#include "morvane/tf_out_exist.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "morvane/core/output_pieces.h"
#include "morvane/tf_out_dir.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/memo.h"
#include "platform/qt/modal.h"

TFOutExist* FOutExist = nullptr;

TFOutExist::TFOutExist(QWidget* parent) : QDialog(parent)
{
    FOutExist = this;
    setWindowTitle(QStringLiteral("Existing Files"));
    resize(330, 320);
    Proceed = 1;

    auto* layout = new QVBoxLayout(this);
    Panel1 = platform::newRaisedPanel(QStringLiteral("Output Files already exist"), this);
    layout->addWidget(Panel1);
    ExistMemo = new QPlainTextEdit(this);
    ExistMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(ExistMemo, 1);
    auto* buttons = new QHBoxLayout;
    OkDelete = new QPushButton(QStringLiteral("Delete above files"), this);
    CancelRun = new QPushButton(QStringLiteral("Cancel Run"), this);
    OkDelete->setAutoDefault(false);
    CancelRun->setAutoDefault(false);
    buttons->addWidget(OkDelete);
    buttons->addWidget(CancelRun);
    layout->addLayout(buttons);
    connect(OkDelete, &QPushButton::clicked, this, [this] { OkDeleteClick(); });
    connect(CancelRun, &QPushButton::clicked, this, [this] { CancelRunClick(); });
}

TFOutExist::~TFOutExist()
{
    if (FOutExist == this)
        FOutExist = nullptr;
}

void TFOutExist::CheckExistingFiles(int mode)
{
    Proceed = 1;
    ExistMemo->clear();
    directory_ = FOutDir->GetOutDir();
    listed_ = morvane::listPieces(directory_, mode);
    if (listed_.empty())
        return;
    platform::setMemoLines(*ExistMemo, listed_);
    // Closing the window otherwise than by "Delete above files" cancels the run.
    if (platform::execModal(*this) != QDialog::Accepted)
        Proceed = 0;
}

void TFOutExist::OkDeleteClick()
{
    const bool deleted =
        morvane::deleteListedPieces(directory_, platform::memoLines(*ExistMemo), listed_, platform::notices());
    Proceed = deleted ? 1 : 0;
    accept();
}

void TFOutExist::CancelRunClick()
{
    Proceed = 0;
    reject();
}
