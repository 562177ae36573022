// Pellorin's help topics and the texts of its two small help windows.
#include "datasheet/forms/help_topics_pellorin.h"

#include "datasheet/profile.h"

namespace help::pellorin {

namespace {

std::string aboutText()
{
    return "\r\nProgram = Pellorin\r\n"
           "What is does = \r\n"
           "    Works with Quarndale Geomark Bureau\r\n"
           "    datasheet files.\r\n"
           "    \r\n"
           "    Reads two datasheet files\r\n"
           "    (OLD file and UPDATE file)\r\n"
           "    and perfoms a merge/replace operation as follows:\r\n"
           "    -------------------------------------------------\r\n"
           "    1. Datasheets found in the OLD file but\r\n"
           "      not in the UPDATE file will remain.\r\n"
           "      \r\n"
           "    2. Datasheets found in both the OLD file and\r\n"
           "       the UPDATE file will be replaced by\r\n"
           "       the UPDATE file datasheets.\r\n"
           "       \r\n"
           "    3. Datasheets found the UPDATE file but not in\r\n"
           "       the OLD file will be added.\r\n"
           "       \r\n"
           "       The final result is that your OLD file is now\r\n"
           "       up-to-date.\r\n"
           "\r\n"
           "Version = " +
           std::string(ds::kPellorin.version) + "\r\nDate = " + std::string(ds::kPellorin.date) +
           "\r\n"
           "Agency  = Quarndale Geomark Bureau\r\n"
           "Author  = Orrin Vaskel\r\n" +
           ContactLine();
}

constexpr std::string_view kWhatsNew = "\r\nVersion 1.1 9/17/03 - Increased allowed length of input\r\n"
                                       "                      path from 80 to 255 characters.\r\n"
                                       "\r\n"
                                       "Version 1.00 4/8/03 - First Release.\r\n";

constexpr std::string_view kGettingStarted =
    "\r\n     After closing the disclaimer window:\r\n"
    "     Click 'Start' from the menubar\r\n"
    "     \r\n"
    "     Enter your OLD file on the left and your UPDATE file\r\n"
    "     on the right, in the boxes at the bottom or through\r\n"
    "     the directory lists above them.\r\n"
    "     Click the 'UPDATE' button at bottom.\r\n"
    "     \r\n"
    "     The stations of the OLD file are listed at the top,\r\n"
    "     those of the UPDATE file at the bottom.\r\n"
    "     Stations found in both files are tagged \"change\"\r\n"
    "     in both lists.\r\n"
    "     Stations found only in the UPDATE file are tagged \"NEW\"\r\n"
    "     in the bottom list.\r\n"
    "     Stations found only in the OLD file carry no tag.\r\n"
    "     \r\n"
    "     Click on a station to see its datasheet (top list from\r\n"
    "     the OLD file, bottom list from the UPDATE file).\r\n"
    "     \r\n"
    "     Click 'Commit' to merge the two files: the bottom list\r\n"
    "     is moved into the top list, which then shows all\r\n"
    "     stations, while the bottom list is empty.\r\n"
    "     Your OLD file has then been replaced,\r\n"
    "     but the final window will give you\r\n"
    "     a last chance to 'Undo'\r\n";

constexpr std::string_view kBringingUp =
    "\r\n     After ths stations are listed in the Station List Window\r\n"
    "     you may click on any record in the list to bring up the\r\n"
    "     station's datasheet in a separate window.\r\n"
    "     \r\n"
    "     The top list gets datasheets from the OLD file.\r\n"
    "     The bottom list gets datasheets from the UPDATE file.\r\n"
    "     \r\n"
    "     The preferred method of viewing datasheets however\r\n"
    "     is still via program KAVRO.\r\n";

bool fill(Topic& out, std::string_view title, std::string text)
{
    std::string heading = "[";
    heading += title;
    heading += "...]";
    out = {std::move(heading), std::move(text)};
    return true;
}

class PellorinTopics final : public HelpTopics {
public:
    std::vector<std::string_view> titles(int) const override
    {
        return {"About", "Who to call", "What's New", "Getting Started", "Bringing up a Datasheet", "Printing"};
    }
    bool topic(int, std::string_view title, Topic& out) const override { return ShowTopic(title, out); }
};

} // namespace

bool ShowTopic(std::string_view title, Topic& out)
{
    if (title == "About")
        return fill(out, title, aboutText());
    if (title == "Who to call")
        return fill(out, title, WhoToCallText("Pellorin"));
    if (title == "What's New")
        return fill(out, title, std::string(kWhatsNew));
    if (title == "Getting Started")
        return fill(out, title, std::string(kGettingStarted));
    if (title == "Bringing up a Datasheet")
        return fill(out, title, std::string(kBringingUp));
    if (title == "Printing")
        return fill(out, title, PrintingText());
    return false;
}

std::string PrintingText()
{
    return help::PrintingText();
}

const HelpTopics& topics()
{
    static const PellorinTopics instance;
    return instance;
}

HelpProfile profile()
{
    HelpProfile profile;
    profile.caption = "FHelp";
    profile.infoTipColours = true;
    profile.oneTopicList = true;
    profile.stayOnTopHandler = &TFHelp::TopClicked;
    profile.topics = &topics();
    profile.printFloorCharacters = ds::kPellorin.readLength();
    return profile;
}

std::vector<std::string> Help2Lines()
{
    return {
        "The list of stations of the OLD file is displayed at the top,",
        "the list of stations of the UPDATE file at the bottom.",
        "",
        "Stations found in both files are identified as \"change\"",
        "on the top and bottom list.",
        "Stations found only in the UPDATE file are identified as",
        "\"NEW\" in the bottom list.",
        "Stations found only in the OLD file are listed only in",
        "the top list, without a tag.",
        "",
        "Click on a station to see its datasheet:",
        "  top list    - datasheets of the OLD file",
        "  bottom list - datasheets of the UPDATE file",
        "",
        "Click 'Commit' to merge the two files",
        "=====================================",
        "The bottom list is moved and merged into the top list,",
        "which then displays all stations, while the bottom list",
        "becomes empty.",
        "Your OLD file will be replaced,",
        "but the final window will give you",
        "a last chance to 'Undo'",
    };
}

std::vector<std::string> Help3Lines()
{
    return {
        "Your original file was initially copied to a file called ",
        "'plrn0000.bak'",
        "before updates took place.",
        "",
        "Your file has been updated, but by clicking UNDO",
        "the program will copy your original file back",
        "from 'plrn0000.bak'",
        "",
        "Click UNDO if you want the program to restore your",
        "original file from plrn0000.bak.",
        "",
        "Click SAVE if you still want the Merge to take place.",
    };
}

} // namespace help::pellorin
