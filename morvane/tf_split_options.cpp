#include "morvane/tf_split_options.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/forms/tf_status.h"
#include "morvane/core/index_files.h"
#include "morvane/core/output_pieces.h"
#include "morvane/core/splits.h"
#include "platform/qt/radio_group.h"
#include "morvane/split_steps.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_out_exist.h"
#include "morvane/tf_out_files.h"
#include "platform/files.h"
#include "platform/line_reader.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"
#include "morvane/tf_split_bytes.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_lines.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_quad.h"
#include "morvane/tf_split_stations.h"

TFSplitOptions* FSplitOptions = nullptr;

TFSplitOptions::TFSplitOptions(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FSplitOptions = this;
    setWindowTitle(QStringLiteral("Split Methods"));
    auto* layout = new QVBoxLayout(this);
    SplitOptions = new platform::RadioGroup(
        QString(),
        {QStringLiteral("USGS Quad Names"), QStringLiteral("COUNTY Names"), QStringLiteral("MIN/MAX Areas"),
         QStringLiteral("Specified number of bytes per file"), QStringLiteral("Specified number of lines per file"),
         QStringLiteral("Specified number of stations per File")},
        this);
    SplitOptions->setItemIndex(1);
    layout->addWidget(SplitOptions);
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    layout->addWidget(Okay, 0, Qt::AlignHCenter);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

TFSplitOptions::~TFSplitOptions()
{
    if (FSplitOptions == this)
        FSplitOptions = nullptr;
}

void TFSplitOptions::OkayClick()
{
    QWidget* const windows[] = {FSplitQuad, FSplitCounty, FSplitMM, FSplitBytes, FSplitLines, FSplitStations};
    const int item = SplitOptions->itemIndex();
    if (item < 0 || item >= 6)
        return;
    windows[item]->show();
    windows[item]->raise();
}

bool TFSplitOptions::OpenIndexDialog(const std::string& indexName)
{
    const std::string start = FFile->GetLastDir().empty() ? std::string(".") : FFile->GetLastDir();
    const std::string chosen =
        platform::openFileName(this, "OPEN " + indexName, start, indexName, "DSDATA Index files (*.inx)|*.INX");
    if (chosen.empty())
        return false;
    FFile->SetFileName(chosen);
    FFile->SetLastDir(platform::directoryPart(chosen));
    FOutDir->SetOutDir(platform::directoryPart(chosen));
    return true;
}

void TFSplitOptions::RunIndexSplit(const std::string& kind)
{
    morvane::IndexKind index;
    if (!morvane::indexKindOf(kind, index)) {
        platform::notices().notice("NOTICE", "PROGRAM ERROR - Could not determine index type.\n");
        return;
    }
    const std::string name = morvane::indexName(index);
    std::string indexPath;
    if (FOutDir->GetOutDir().empty()) {
        if (!OpenIndexDialog(name))
            return;
        indexPath = FFile->GetFileName();
    } else {
        indexPath = platform::joinPath(FOutDir->GetOutDir(), name);
    }
    // The index is read once, here.
    std::vector<std::string> lines;
    if (platform::isDirectory(indexPath) || !platform::readTextLines(indexPath, lines)) {
        platform::notices().notice("NOTICE", "\r\n       Could not find the index file\n       called " + name +
                                                 "\r\n       Go back and 'Create the " + name + " file'\r\n");
        return;
    }
    if (!FIndex->OpenSplitFile())
        return;
    const std::string input = FFile->GetFileName();
    if (!TFFile::IsDatasheetFile(input)) {
        morvane::notSplitFile(input);
        return;
    }
    if (const std::size_t bad = morvane::firstBadEntry(lines, index)) {
        platform::notices().notice("NOTICE", "  ERROR - Line " + std::to_string(bad) + " in File " + name +
                                                 " is not in correct format.\n          Run 'Create a default " +
                                                 name + " file'\n          to see the correct format.\n");
        return;
    }
    if (morvane::inputIsAPiece(input, morvane::kNumberedPieces) ||
        morvane::inputIsAPiece(indexPath, morvane::kNumberedPieces))
        return;
    FOutExist->CheckExistingFiles(morvane::kNumberedPieces);
    if (FOutExist->GetProceed() != 1)
        return;
    bool done = false;
    switch (index) {
    case morvane::IndexKind::Quad:
        done = SplitByQuad(lines, input);
        break;
    case morvane::IndexKind::Area:
        done = SplitByArea(lines, input);
        break;
    case morvane::IndexKind::County:
        done = SplitByCounty(lines, input);
        break;
    }
    if (done)
        FOutFiles->ListOutputFiles(morvane::kNumberedPieces);
}

bool TFSplitOptions::SplitByQuad(const std::vector<std::string>& index, const std::string& input)
{
    return splitBy(morvane::IndexKind::Quad, index, input);
}

bool TFSplitOptions::SplitByCounty(const std::vector<std::string>& index, const std::string& input)
{
    return splitBy(morvane::IndexKind::County, index, input);
}

bool TFSplitOptions::SplitByArea(const std::vector<std::string>& index, const std::string& input)
{
    return splitBy(morvane::IndexKind::Area, index, input);
}

bool TFSplitOptions::splitBy(morvane::IndexKind kind, const std::vector<std::string>& index, const std::string& input)
{
    ProgressWindow progress(this, true);
    progress.window().Message->setText(QStringLiteral("Splitting file ") + platform::systemTextToQ(input));
    platform::repaintNow(progress.window());
    return morvane::SplitByIndex({kind, index, input, FOutDir->GetOutDir()}, platform::notices(), progress.sink());
}
