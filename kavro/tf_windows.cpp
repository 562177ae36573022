#include "kavro/tf_windows.h"

#include <QPushButton>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/help_topics_kavro.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "itempick/tf_select.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_get_area.h"
#include "kavro/tf_get_name.h"
#include "kavro/tf_get_pid.h"
#include "kavro/tf_get_rad.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "datasheet/forms/tf_offsets.h"
#include "kavro/tf_pform.h"
#include "kavro/tf_plot.h"
#include "kavro/tf_poptions.h"
#include "kavro/tf_pprint_set.h"
#include "kavro/tf_sorted.h"
#include "platform/qt/text.h"

namespace {
std::vector<QWidget*> created;
}

void CreateKavroForms()
{
    created.push_back(new TFMain);
    created.push_back(new TFSorted);
    // The type code lives in the main window; OK goes on with the search
    // that waits for the type, or reloads the data file through the filter.
    created.push_back(new TFGetType(
        nullptr,
        {[] { return FMain->GetTypeCode(); }, [](const std::string& code) { FMain->SetTypeCode(code); },
         [](char order) { FMain->SetTypeOrder(order); }},
        {[](const std::string& caption) { FFound->setWindowTitle(platform::toQ(caption)); },
         [] {
             switch (FList->GetSearchMode()) {
             case 3:
                 FGetRad->RadiusSearch();
                 break;
             case 4:
                 FGetArea->SearchArea();
                 break;
             default:
                 FMain->CountyOKClick(FGetType->OkType);
                 break;
             }
         }}));
    FMain->typeOkButton = FGetType->OkType;
    // The output format chosen there is kept in the station list window, where every save reads it.
    created.push_back(new TFGetOut(nullptr, {[](int format) { FList->SetOutputFormat(format); },
                                            [] { return FList->GetOutputFormat(); }}));
    created.push_back(new TFList);
    created.push_back(new TFOffsets);
    created.push_back(new TFGetPid);
    created.push_back(new TFGetRad);
    created.push_back(new TFGetArea);
    created.push_back(new TFDisplay);
    created.push_back(new TFGetName);
    created.push_back(new TFFound);
    created.push_back(new TFPrintSet);
    created.push_back(new TFHelp(help::kavro::profile()));
    created.push_back(new TFSelect);
    created.push_back(new TFPlot);
    created.push_back(new TFPForm);
    created.push_back(new TFPOptions);
    created.push_back(new TFPPrintSet);
}

void DestroyKavroForms()
{
    while (!created.empty()) {
        delete created.back();
        created.pop_back();
    }
}

std::vector<QWidget*> kavroDataWindows()
{
    return {FSorted, FList, FOffsets, FGetPid, FDisplay, FGetName, FGetRad, FFound, FGetArea, FGetType, FGetOut};
}
