#include "morvane/tf_index.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/forms/tf_status.h"
#include "morvane/core/index_files.h"
#include "morvane/split_steps.h"
#include "morvane/tf_cd_drive.h"
#include "morvane/tf_file.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_quad.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/memo.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"
#include "platform/safe_output.h"

TFIndex* FIndex = nullptr;

namespace {

void notice(const std::string& text)
{
    platform::notices().notice("NOTICE", text);
}

// The kind's index, or a notice for a kind that has none.
bool kindOf(const std::string& kind, morvane::IndexKind& out)
{
    if (morvane::indexKindOf(kind, out))
        return true;
    notice("PROGRAM ERROR - Could not determine index type.\n");
    return false;
}

} // namespace

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

bool TFIndex::OpenSplitFile()
{
    const std::string start = FFile->GetLastDir().empty() ? std::string(".") : FFile->GetLastDir();
    const std::string chosen = platform::openFileName(this, "OPEN FILE TO SPLIT", start, {}, "Datasheet files|*.*");
    if (chosen.empty())
        return false;
    FFile->SetFileName(chosen);
    FFile->SetSplitFile(chosen);
    FFile->SetLastDir(platform::directoryPart(chosen));
    return true;
}

void TFIndex::CreateIndex(const std::string& kind)
{
    morvane::IndexKind index;
    if (!kindOf(kind, index))
        return;
    const std::string name = morvane::indexName(index);
    if (!OpenSplitFile())
        return;
    const std::string input = FFile->GetFileName();
    if (!TFFile::IsDatasheetFile(input)) {
        morvane::notSplitFile(input);
        return;
    }
    platform::LineReader reader(0);
    if (platform::isDirectory(input) || !reader.open(input)) {
        notice("Could not open file " + input + " for read.");
        return;
    }
    if (!morvane::askOutputDirectory("TARGET LOCATION for output", name))
        return;
    const std::string dir = FOutDir->GetOutDir();
    const std::string path = platform::joinPath(dir, name);
    FFile->SetFileName(path);
    FFile->SetLastDir(dir);
    setWindowTitle(platform::toQ(name));
    if (platform::isSameFile(path, input)) {
        notice("Not saved: " + path + "\r\nis the file to split.");
        return;
    }
    if (platform::refuseInputInUse(path, platform::notices()))
        return;

    morvane::DefaultIndex made;
    switch (index) {
    case morvane::IndexKind::Quad:
        made = FSplitQuad->WriteDefaultQuadIndex(reader);
        break;
    case morvane::IndexKind::Area:
        made.lines = FSplitMM->WriteDefaultAreaIndex();
        break;
    case morvane::IndexKind::County:
        made = FSplitCounty->WriteDefaultCountyIndex(reader);
        break;
    }
    // An index made from part of the file is not one.
    if (reader.failed()) {
        notice("Could not read file " + input + " to its end.\r\n" + path + " is as it was.");
        return;
    }
    if (!platform::saveLines(path, made.lines, platform::SafeOutput::Mode::Overwrite)) {
        notice("Cannot save at the current location");
        return;
    }
    std::string message = "File '" + name + "' has been created.";
    if (made.needsRenumbering)
        message += "\r\nIt has more than 999 names: the entries from |1000| on\r\n"
                   "need numbers of three digits before a split can use it.";
    notice(message);
}

void TFIndex::EditIndex(const std::string& kind)
{
    morvane::IndexKind index;
    if (!kindOf(kind, index))
        return;
    const std::string name = morvane::indexName(index);
    IndexRecreateBtn->setVisible(index == morvane::IndexKind::County);
    // The directory of the last Okay is selected again; before the first,
    // the current directory.
    if (!morvane::askOutputDirectory("LOCATION OF INDEX FILE", name))
        return;
    const std::string dir = FOutDir->GetOutDir();
    const std::string path = platform::joinPath(dir, name);
    FFile->SetLastDir(dir);
    FFile->SetFileName(path);
    std::vector<std::string> lines;
    if (platform::isDirectory(path) || !platform::readTextLines(path, lines)) {
        notice("Cannot open file");
        return;
    }
    platform::setMemoLines(*IndexMemo, lines);
    ShowFile(path);
    show();
    raise();
}

void TFIndex::ShowFile(const std::string& path)
{
    file_ = path;
    FileLabel->setText(platform::systemTextToQ(path));
}

void TFIndex::IndexSaveBtnClick()
{
    const std::string& path = file_;
    if (platform::refuseInputInUse(path, platform::notices()))
        return;
    if (path.empty() ||
        !platform::saveLines(path, platform::memoLines(*IndexMemo), platform::SafeOutput::Mode::Overwrite)) {
        notice("Cannot save at the current location");
        return;
    }
    close();
    notice("File has been saved");
}

void TFIndex::IndexRecreateBtnClick()
{
    platform::execModal(*FCdDrive);
}
