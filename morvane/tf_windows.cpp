#include "morvane/tf_windows.h"

#include <vector>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/help_topics_morvane.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_offsets.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/forms/tf_warning.h"
#include "datasheet/type_filter.h"
#include "itempick/tf_select.h"
#include "morvane/tf_cd_drive.h"
#include "morvane/tf_disclaim.h"
#include "morvane/tf_disk.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_main.h"
#include "morvane/tf_out_dir.h"
#include "morvane/tf_out_exist.h"
#include "morvane/tf_out_files.h"
#include "morvane/tf_prefix.h"
#include "morvane/tf_split_bytes.h"
#include "morvane/tf_split_county.h"
#include "morvane/tf_split_lines.h"
#include "morvane/tf_split_mm.h"
#include "morvane/tf_split_options.h"
#include "morvane/tf_split_quad.h"
#include "morvane/tf_split_stations.h"

TFDisclaim* FDisclaim = nullptr;

namespace {
std::vector<QWidget*> created;
}

void CreateMorvaneForms()
{
    created.push_back(new TFMain);
    created.push_back(new TFFile);
    created.push_back(new TFOffsets);
    // The type code lives in the frame.
    created.push_back(new TFGetType(
        nullptr,
        {[] { return FFile->GetTypeCode(); }, [](const std::string& code) { FFile->SetTypeCode(code); },
         [](char order) { FFile->SetTypeOrder(order); }},
        {}, TFGetType::Layout::Morvane));
    created.push_back(new TFSplitOptions);
    created.push_back(new TFSplitMM);
    created.push_back(new TFSplitQuad);
    created.push_back(new TFSplitCounty);
    created.push_back(new TFDisk);
    created.push_back(new TFSplitBytes);
    created.push_back(new TFSplitLines);
    created.push_back(new TFOutFiles);
    created.push_back(new TFSplitStations);
    created.push_back(new TFPrefix);
    created.push_back(new TFOutExist);
    created.push_back(new TFIndex);
    // The help window reads and sets the help mode kept in FFile.
    created.push_back(new TFHelp(::help::morvane::profile([] { return FFile->GetHelpMode(); },
                                                        [](int mode) { FFile->SetHelpMode(mode); })));
    created.push_back(new TFOutDir);
    created.push_back(new TFCdDrive);
    // FWarning, FDisclaim and FStatus are never shown: their users make a
    // fresh one each time.
    created.push_back(new TFWarning(nullptr, [](char answer) { FFile->SetExistAnswer(answer); },
                                    TFWarning::Layout::Morvane));
    created.push_back(new TFSelect(itempick::kMorvaneItems));
    // Morvane's item form sets the station-type code when it is made.
    FFile->SetTypeCode(std::string(ds::kAnyTypeCode));
    // The output format chosen there is kept in the frame, where the join reads it.
    created.push_back(new TFGetOut(nullptr, {[](int format) { FFile->SetOutputFormat(format); },
                                            [] { return FFile->GetOutputFormat(); }}));
    created.push_back(new TFDisclaim(nullptr));
    FDisclaim = static_cast<TFDisclaim*>(created.back());
    created.push_back(new TFStatus(nullptr, true));
    FStatus = static_cast<TFStatus*>(created.back());
}

void DestroyMorvaneForms()
{
    while (!created.empty()) {
        delete created.back();
        created.pop_back();
    }
    FDisclaim = nullptr;
}
