#include "morvane/tf_out_dir.h"

#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/files.h"
#include "platform/qt/text.h"

TFOutDir* FOutDir = nullptr;

TFOutDir::TFOutDir(QWidget* parent) : QDialog(parent)
{
    FOutDir = this;
    setWindowTitle(QStringLiteral("TARGET LOCATION"));
    resize(460, 420);

    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("Pick an OUTPUT Directory"), this);
    layout->addWidget(Label1);

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    OutDirList = new QTreeView(this);
    OutDirList->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        OutDirList->hideColumn(column);
    OutDirList->header()->hide();
    OutDirList->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(OutDirList, 1);

    auto* name = new QHBoxLayout;
    Label2 = new QLabel(QStringLiteral("Index Filename = "), this);
    IndexFileName = new QLineEdit(this);
    IndexFileName->setReadOnly(true);
    name->addWidget(Label2);
    name->addWidget(IndexFileName, 1);
    layout->addLayout(name);

    Okay = new QPushButton(QStringLiteral("Okay"), this);
    Okay->setAutoDefault(false);
    layout->addWidget(Okay, 0, Qt::AlignHCenter);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });

    SelectDirectory(platform::currentDirectory());
}

TFOutDir::~TFOutDir()
{
    if (FOutDir == this)
        FOutDir = nullptr;
}

void TFOutDir::SelectDirectory(const std::string& path)
{
    const QModelIndex index = model_->index(platform::pathToQ(path));
    if (!index.isValid())
        return;
    OutDirList->setCurrentIndex(index);
    OutDirList->scrollTo(index);
}

std::string TFOutDir::SelectedDirectory() const
{
    const QModelIndex index = OutDirList->currentIndex();
    return index.isValid() ? platform::pathFromQ(model_->filePath(index)) : std::string();
}

void TFOutDir::OkayClick()
{
    const std::string dir = SelectedDirectory();
    if (dir.empty())
        return;
    SetOutDir(dir);
    int position = 0;
    for (QModelIndex above = OutDirList->indexAbove(OutDirList->currentIndex()); above.isValid();
         above = OutDirList->indexAbove(above))
        ++position;
    SetOutDirIndex(position);
    accept();
}
