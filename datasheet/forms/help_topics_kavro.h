#pragma once
// Kavro's help topics: contexts 1 main window, 2 item form, 3 station list,
// 4 plot, 5 plot print, 7 search results (6, the item explanations, has no list).
#include <string>
#include <string_view>

#include "datasheet/forms/help_topics.h"
#include "datasheet/forms/tf_help.h"

namespace help::kavro {

// One topic routine per context.
bool ShowMainTopic(std::string_view title, Topic& out);
bool ShowItempickTopic(std::string_view title, Topic& out);
bool ShowListTopic(std::string_view title, Topic& out);
bool ShowPlotTopic(std::string_view title, Topic& out);
bool ShowPlotPrintTopic(std::string_view title, Topic& out);
bool ShowFoundTopic(std::string_view title, Topic& out);

// Texts that several contexts share.
std::string SavingText();
std::string SortingText();
std::string PrintingText();

const HelpTopics& topics();
// Kavro's build of the help window.
HelpProfile profile();

} // namespace help::kavro
