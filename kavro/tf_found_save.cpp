// Save As of the results window: the station list window's save sequence on
// this window's list, with this window's own file name and directory.
#include "kavro/tf_found.h"

#include "kavro/tf_list.h"
#include "platform/files.h"
#include "platform/qt/text.h"

void TFFound::SaveClick()
{
    FList->SaveAs(this, 2, SaveName, SaveDir, true, [this](const std::string& path) {
        setWindowTitle(platform::systemTextToQ(platform::fileNamePart(path)));
    });
}
