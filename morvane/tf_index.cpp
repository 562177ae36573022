#include "morvane/tf_index.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFIndex* FIndex = nullptr;

TFIndex::TFIndex(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FIndex = this;
    setWindowTitle(QStringLiteral("Edit Index"));
    resize(480, 420);
    auto* layout = new QVBoxLayout(this);
    FileLabel = new QLabel(this);
    FileLabel->setFrameShape(QFrame::Panel);
    FileLabel->setFrameShadow(QFrame::Raised);
    layout->addWidget(FileLabel);
    IndexMemo = new QPlainTextEdit(this);
    IndexMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    IndexMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed = IndexMemo->font();
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFamily(QStringLiteral("monospace"));
    IndexMemo->setFont(fixed);
    layout->addWidget(IndexMemo, 1);
    auto* buttons = new QHBoxLayout;
    IndexSaveBtn = new QPushButton(QStringLiteral("Save"), this);
    IndexRecreateBtn = new QPushButton(QStringLiteral("Re-create from CD-ROM"), this);
    buttons->addWidget(IndexSaveBtn);
    buttons->addWidget(IndexRecreateBtn);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(IndexSaveBtn, &QPushButton::clicked, this, [this] { IndexSaveBtnClick(); });
    connect(IndexRecreateBtn, &QPushButton::clicked, this, [this] { IndexRecreateBtnClick(); });
}

TFIndex::~TFIndex()
{
    if (FIndex == this)
        FIndex = nullptr;
}

void TFIndex::CreateIndex(const std::string&)
{
}

void TFIndex::EditIndex(const std::string&)
{
}

bool TFIndex::OpenSplitFile()
{
    return false;
}

void TFIndex::IndexSaveBtnClick()
{
}

void TFIndex::IndexRecreateBtnClick()
{
}
