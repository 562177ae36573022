#pragma once
// Morvane's help topics by help mode: 1 main window, 2 item form, 3, 4 and 5
// the split-by-county, -quad and -area dialogs.
#include <functional>
#include <string>
#include <string_view>

#include "datasheet/forms/help_topics.h"
#include "datasheet/forms/tf_help.h"

namespace help::morvane {

bool MainTopicText(std::string_view title, Topic& out);
bool ItempickTopicText(std::string_view title, Topic& out);
// The topics of the three index-split dialogs from one template; `word` is
// "COUNTY", "QUAD" or "AREA".
bool IndexTopicText(std::string_view title, std::string_view word, Topic& out);
std::string OutputFormatsText();

const HelpTopics& topics();
// Morvane's build of the help window; the help mode is kept in the
// program's shared state, read and set through these.
HelpProfile profile(std::function<int()> getHelpMode, std::function<void(int)> setHelpMode);

} // namespace help::morvane
