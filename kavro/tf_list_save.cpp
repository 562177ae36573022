// Save As of the station list and results windows: the dialogs, the writes, the merge.
#include "kavro/tf_list.h"

#include <QLabel>
#include <QListWidget>
#include <algorithm>
#include <optional>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/forms/tf_warning.h"
#include "datasheet/list_lines.h"
#include "datasheet/list_save.h"
#include "datasheet/list_sort.h"
#include "datasheet/offset_index.h"
#include "itempick/core/item_writer.h"
#include "itempick/tf_select.h"
#include "kavro/tf_found.h"
#include "kavro/tf_main.h"
#include "datasheet/forms/tf_offsets.h"
#include "kavro/tf_sorted.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

namespace {

// The station list window takes the focus after every save, wherever it
// began. `identityNote` says what a replaced file could not keep, if anything.
void transferComplete(const std::string& identityNote)
{
    platform::notices().notice("NOTICE", "Transfer Complete" + identityNote);
    FList->activateWindow();
}

} // namespace

void TFList::SaveClick()
{
    Panel2->setText("Please Wait...");
    platform::repaintNow(*Panel1);
    SaveAs(this, 1, SaveName, SaveDir, false);
}

void TFList::SaveAs(QWidget* owner, int source, std::string& saveName, std::string& saveDir, bool firstFormat,
                    const std::function<void(const std::string& path)>& chosen)
{
    SaveSource = source;
    const std::string path =
        platform::saveFileName(owner, "Save As", saveDir.empty() ? std::string(".") : saveDir, saveName);
    if (path.empty())
        return;
    saveName = path;
    saveDir = platform::directoryPart(path);
    if (chosen)
        chosen(path);
    OutputFile = path;

    if (firstFormat) {
        FGetOut->FormatList->clearSelection();
        FGetOut->FormatList->setCurrentRow(0);
        FGetOut->FormatList->item(0)->setSelected(true);
    }
    platform::execModal(*FGetOut);
    if (FGetOut->GetFormatOK() != 1)
        return;
    // The items are chosen before the question about an existing file.
    if (OutputFormat == ds::kItemPickFormat) {
        platform::execModal(*FSelect);
        if (FSelect->GetSelectOK() != 1)
            return;
    }

    if (!platform::fileExists(path)) {
        ExistAnswer = 'W';
    } else {
        // Closing the question by its frame stores nothing: that is Cancel.
        ExistAnswer = 'C';
        TFWarning warning(owner, [this](char answer) { ExistAnswer = answer; });
        warning.FileName->setText(platform::systemTextToQ(path));
        platform::execModal(warning);
    }
    if (ExistAnswer == 'C')
        return;
    if (ExistAnswer == 'M')
        MergeList();
    else
        SaveList();
}

const std::vector<std::string>& TFList::SaveSourceLines() const
{
    return SaveSource == 2 ? FFound->FoundList->lines().lines() : MarksList->lines().lines();
}

void TFList::SaveList()
{
    const ds::OffsetIndex index(FOffsets->LocList->lines());
    ds::ListSave request;
    request.target = OutputFile;
    request.append = ExistAnswer == 'A';
    request.format = OutputFormat;
    request.dataPath = FMain->GetDataPath();
    request.dataIdentity = FMain->GetDataIdentity();
    request.lookup = [&index](std::string_view pid) { return index.find(pid); };
    // ITEMPICK records by the form's last OK. The save writes the header
    // itself, once at its start; the station writer the records alone.
    std::optional<itempick::ItemSession> session;
    std::optional<itempick::StationItemWriter> items;
    if (OutputFormat == ds::kItemPickFormat) {
        itempick::Settings settings = FSelect->Settings();
        const bool header = settings.includeHeader;
        settings.includeHeader = false;
        session.emplace(FSelect->build(), std::move(settings));
        if (header)
            request.itemHeader = session->HeaderLine();
        items.emplace(*session, request.dataPath, request.lookup, platform::notices());
        request.stationItems = [&items](std::string_view pid, std::size_t line, std::string& records) {
            return items->WriteStationItems(pid, line, records);
        };
    }
    bool done = false;
    std::string identityNote;
    {
        ProgressWindow progress(this);
        done = ds::saveList(SaveSourceLines(), request, platform::notices(), progress.sink(), &identityNote);
    }
    if (done)
        transferComplete(identityNote);
}

void TFList::MergeList()
{
    std::vector<std::string> pids;
    pids.reserve(SaveSourceLines().size());
    for (const auto& line : SaveSourceLines())
        pids.emplace_back(ds::listLinePid(line));
    // The sort buffer decides the order of the stations added at the end: its
    // collation while the last sort left it sorted (a key sort), else as listed.
    platform::LineList& buffer = FSorted->SortedList->lines();
    if (buffer.sorted())
        std::stable_sort(pids.begin(), pids.end(), ds::listBoxLess);
    buffer.clear();

    const ds::OffsetIndex index(FOffsets->LocList->lines());
    ds::ListMerge request;
    request.target = OutputFile;
    request.dataPath = FMain->GetDataPath();
    request.dataIdentity = FMain->GetDataIdentity();
    request.lookup = [&index](std::string_view pid) { return index.find(pid); };
    bool done = false;
    std::string identityNote;
    {
        ProgressWindow progress(this);
        done = ds::mergeList(pids, request, platform::notices(), progress.sink(), &identityNote);
    }
    if (done)
        transferComplete(identityNote);
}

void TFList::WriteDatasheet(const std::string& pid, platform::CrlfWriter& out)
{
    const std::int64_t offset = FOffsets->FindOffset(pid);
    if (offset < 0)
        return;
    platform::LineReader data(0);
    if (!data.open(FMain->GetDataPath())) {
        Msg = "Cannot Open file " + FMain->GetDataPath() + " for read.";
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    ds::WriteDatasheet(data, static_cast<std::uint64_t>(offset), pid, out);
}

bool TFList::HasAlnum(const std::string& text)
{
    return ds::HasAlnum(text);
}

int TFList::MoveByCopy(const std::string& source, const std::string& destination)
{
    return ds::MoveByCopy(source, destination, platform::notices());
}

bool TFList::CopyStationLines(platform::LineReader& in, platform::CrlfWriter& out, std::string& pendingHeader)
{
    return ds::CopyStationLines(in, out, pendingHeader);
}

bool TFList::SkipStationLines(platform::LineReader& in, std::string& pendingHeader)
{
    return ds::SkipStationLines(in, pendingHeader);
}
