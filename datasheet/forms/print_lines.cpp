#include "datasheet/forms/print_lines.h"

#include "datasheet/forms/tf_status.h"
#include "platform/qt/qt_printer.h"

bool PrintLines(QWidget* owner, const std::vector<std::string>& lines, const QFont& font,
                const ds::PageOptions& options)
{
    ProgressWindow progress(owner);
    return ds::printPages(lines, platform::printFont(font), options, platform::currentPrinter(), progress.sink(),
                          platform::notices());
}
