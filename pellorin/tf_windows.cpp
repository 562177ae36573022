#include "pellorin/tf_windows.h"

#include <vector>

#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/forms/tf_status.h"
#include "pellorin/tf_disclaim.h"
#include "pellorin/tf_help2.h"
#include "pellorin/tf_help3.h"
#include "pellorin/tf_list.h"
#include "pellorin/tf_main.h"
#include "pellorin/tf_offsets.h"
#include "pellorin/tf_old_ds.h"
#include "pellorin/tf_the_end.h"
#include "pellorin/tf_up_ds.h"

namespace pellorin {

TFDisclaim* FDisclaim = nullptr;

namespace {
std::vector<QWidget*> created;
}

void CreatePellorinForms()
{
    auto* main = new TFMain;
    created.push_back(main);
    created.push_back(new TFOffsets(main->Lists));
    created.push_back(new TFList(main->Lists));
    // The progress and disclaimer windows are made by each operation and by
    // the main window; the ones made here in the form order are never shown.
    created.push_back(new TFStatus(nullptr, true));
    created.push_back(new TFDisclaim(nullptr));
    FStatus = nullptr;
    FDisclaim = nullptr;
    created.push_back(new TFUpDS);
    created.push_back(new TFPrintSet(nullptr, ds::kPellorin));
    created.push_back(new TFOldDS);
    auto* help = new TFHelp;
    help->setWindowTitle("FHelp");
    created.push_back(help);
    created.push_back(new TFHelp2);
    created.push_back(new TFHelp3);
    created.push_back(new TFTheEnd);
}

void DestroyPellorinForms()
{
    while (!created.empty()) {
        delete created.back();
        created.pop_back();
    }
}

} // namespace pellorin
