#pragma once
// Pellorin's help: the six topics of its help window, and the fixed texts of
// its two small help windows (the Station List help and SAVE vs UNDO).
#include <string>
#include <string_view>
#include <vector>

#include "datasheet/forms/help_topics.h"
#include "datasheet/forms/tf_help.h"

namespace help::pellorin {

bool ShowTopic(std::string_view title, Topic& out);
std::string PrintingText();

const HelpTopics& topics();
// Pellorin's build of the help window: one topic list, no context.
HelpProfile profile();

// TFHelp2 ("Station List" help) and TFHelp3 ("SAVE vs UNDO").
inline constexpr std::string_view kHelp2Caption = "HELP                                     Station List";
inline constexpr std::string_view kHelp3Caption = "HELP                                 SAVE vs UNDO";
std::vector<std::string> Help2Lines();
std::vector<std::string> Help3Lines();

} // namespace help::pellorin
