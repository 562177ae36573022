#include "morvane/tf_out_files.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "morvane/core/output_pieces.h"
#include "morvane/tf_file.h"
#include "morvane/tf_out_dir.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"

TFOutFiles* FOutFiles = nullptr;

namespace {

// Wraps a long input path.
QLabel* newPanel(const QString& text, QWidget* parent)
{
    QLabel* panel = platform::newRaisedPanel(text, parent);
    panel->setWordWrap(true);
    return panel;
}

} // namespace

TFOutFiles::TFOutFiles(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FOutFiles = this;
    setWindowTitle(QStringLiteral("I/O Files"));
    resize(360, 360);
    auto* layout = new QVBoxLayout(this);
    Panel1 = newPanel(QStringLiteral("INPUT"), this);
    Panel2 = newPanel(QStringLiteral("OUTPUT"), this);
    OutMemo = new QPlainTextEdit(this);
    OutMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Panel3 = new QFrame(this);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    Okay = new QPushButton(QStringLiteral("Okay"), Panel3);
    auto* bottom = new QHBoxLayout(Panel3);
    bottom->addWidget(Okay, 0, Qt::AlignHCenter);
    layout->addWidget(Panel1);
    layout->addWidget(Panel2);
    layout->addWidget(OutMemo, 1);
    layout->addWidget(Panel3);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

TFOutFiles::~TFOutFiles()
{
    if (FOutFiles == this)
        FOutFiles = nullptr;
}

void TFOutFiles::ListOutputFiles(int mode)
{
    OutMemo->clear();
    Panel1->setText(QStringLiteral("INPUT = ") + platform::systemTextToQ(FFile->GetFileName()));
    const std::vector<std::string> pieces = morvane::listPieces(FOutDir->GetOutDir(), mode);
    if (pieces.empty())
        return;
    platform::setMemoLines(*OutMemo, pieces);
    show();
    raise();
}

void TFOutFiles::OkayClick()
{
    OutMemo->clear();
    hide();
}
