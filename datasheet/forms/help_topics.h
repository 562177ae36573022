#pragma once
// A program's help topics: the topic lists of its help contexts and the text
// behind every title. Texts are kept as the programs write them: lines
// separated by "\r\n", each text beginning with a break (so the memo shows an
// empty line between the heading and the text). The texts that several
// programs share are declared here.
#include <string>
#include <string_view>
#include <vector>

namespace help {

struct Topic {
    std::string heading; // "[Saving...]"
    std::string text;    // "\r\n..."
};

class HelpTopics {
public:
    virtual ~HelpTopics() = default;
    // The context's titles in list order; empty for a context without a list.
    virtual std::vector<std::string_view> titles(int context) const = 0;
    // The context's topic routine: false for a title it does not know.
    virtual bool topic(int context, std::string_view title, Topic& out) const = 0;
    // Text the window selects in the memo once the topic is shown; empty for none.
    virtual std::string_view selectAfter(int /*context*/, std::string_view /*title*/) const { return {}; }
};

// The lines of a text: split at "\r\n" (a final break gives a final empty line).
std::vector<std::string> textLines(std::string_view text);

// Shared texts.
// The topics of the ITEMPICK item form (Kavro and Morvane alike).
std::vector<std::string_view> ItempickTitles();
bool ItempickTopicText(std::string_view title, Topic& out);
// The list of the four output formats and the note on PINMAP and ITEMPICK.
std::string OutputFormatsList();
// Printing from the windows' menu bars (Kavro and Pellorin).
std::string PrintingText();
// Contact blocks of "Who to call", and the contact line closing "About".
std::string WhoToCallText(std::string_view program);
std::string ContactLine();

} // namespace help
