#include "morvane/index_method_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_status.h"
#include "platform/qt/radio_group.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_split_options.h"

namespace morvane {

IndexMethodWindow::IndexMethodWindow(const IndexMethodProfile& profile, QWidget* parent)
    : QWidget(parent, Qt::Window), kind_(profile.kind), helpMode_(profile.helpMode)
{
    setWindowTitle(QString::fromUtf8(profile.caption));
    auto* layout = new QVBoxLayout(this);
    QStringList items;
    for (const char* item : profile.items)
        items.append(QString::fromUtf8(item));
    Options = new platform::RadioGroup(QString::fromUtf8(profile.groupCaption), items, this);
    layout->addWidget(Options);
    auto* buttons = new QHBoxLayout;
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    HelpButton = new QPushButton(QStringLiteral("Help"), this);
    buttons->addWidget(Okay);
    buttons->addWidget(HelpButton);
    layout->addLayout(buttons);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
    connect(HelpButton, &QPushButton::clicked, this, [this] { ShowHelp(); });
}

void IndexMethodWindow::OkayClick()
{
    switch (Options->itemIndex()) {
    case 0:
        FIndex->CreateIndex(kind_);
        break;
    case 1:
        FIndex->EditIndex(kind_);
        break;
    case 2:
        FSplitOptions->RunIndexSplit(kind_);
        break;
    default:
        break;
    }
}

void IndexMethodWindow::ShowHelp()
{
    OpenHelp(helpMode_);
}

DefaultIndex IndexMethodWindow::writeDefaultNameIndex(platform::LineReader& input, IndexKind kind)
{
    ProgressWindow progress(this, true);
    return defaultNameIndex(input, kind, progress.sink());
}

} // namespace morvane
