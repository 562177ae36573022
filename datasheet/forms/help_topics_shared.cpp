// Help texts that Kavro, Morvane and Pellorin share.
#include "datasheet/forms/help_topics.h"

#include <array>

namespace help {

namespace {

struct FixedTopic {
    std::string_view title;
    std::string_view heading;
    std::string_view text;
};

constexpr std::string_view kHistoryRecords =
    "\r\nThe HISTORY records of a datasheet give the recovery\r\n"
    "information of the mark:\r\n"
    "   Recovery Date, Condition, and Agency.\r\n"
    "\r\n";
constexpr std::string_view kUseLast = "Use LAST HISTORY if you want only the last (latest) History Record\r\n";
constexpr std::string_view kUseAll = "Use ALL HISTORY if you want all History Records of the mark\r\n";

const std::string kLastHistory = std::string(kHistoryRecords) + std::string(kUseLast) + std::string(kUseAll);
const std::string kAllHistory = std::string(kHistoryRecords) + std::string(kUseAll) + std::string(kUseLast);

const std::array<FixedTopic, 9> kItempickTopics{{
    {"Using this ITEMPICK Form", "[Using this ITEMPICK Form...]",
     "\r\nClick on an item under 'Available' to move it to the\r\n"
     "'Selected' box.  Click on an item under 'Selected' to move\r\n"
     "it back.\r\n"
     "Right drag in the 'Selected' box to rearrange.\r\n"
     "\r\n"
     "Click 'SAVE' to keep your selections for future runs.\r\n"
     "\r\n"
     "The items are written in the order you choose them,\r\n"
     "and nothing is written before you click OK.\r\n"
     "\r\n"
     "The default field delimiter is '|'.  You may change it\r\n"
     "in the 'Field Delim' box.\r\n"
     "\r\n"
     "A latitude or longitude may be written in deg-min-sec\r\n"
     "or in decimal degrees; choose it in the 'Position Format' box.\r\n"
     "\r\n"
     "The check boxes:\r\n"
     "  'Include Header'   writes one line of field names at the\r\n"
     "                     top of the file (may be required for\r\n"
     "                     loading into a GIS package).\r\n"
     "  'Fixed Width'      lines the output up in fixed columns.\r\n"
     "  'Single Line Only' joins items of several lines, such as\r\n"
     "                     the descriptive text, onto one line\r\n"
     "                     (for loading into a database).  Leave it\r\n"
     "                     off to keep the text as on the datasheet.\r\n"
     "                     When checked, two more delimiter boxes\r\n"
     "                     appear:\r\n"
     "                       'Desc Delim' placed between recovery\r\n"
     "                                    blocks of text\r\n"
     "                       'Line Delim' placed between the lines\r\n"
     "                                    of text\r\n"},
    {"What is ITEMPICK Format ?", "[What is ITEMPICK Format ?]",
     "\r\nITEMPICK format writes the datasheet items you choose\r\n"
     "for a station onto one line, separated by a delimiter.\r\n"
     "\r\n"
     "If you choose PID, STATE, LATITUDE and LONGITUDE\r\n"
     "the output looks like this:\r\n"
     "--------------------------------------------\r\n"
     "AB6253|KS|38 45 17.25323|0982255.25363\r\n"
     "FX2633|KS|38 46 19.25637|0981755.11373\r\n"
     "HT7363|KS|38 45 21.77373|0982205.26533\r\n"
     "--------------------------------------------\r\n"
     "\r\n"
     "This format is used for loading databases\r\n"
     "and mapping programs.\r\n"},
    {"Delimiters", "[Delimiters]",
     "\r\nThere are three delimiter boxes on the ITEMPICK window.\r\n"
     "Only 'Field Delim' is always visible; 'Desc Delim' and\r\n"
     "'Line Delim' appear when 'Single Line Only' is checked.\r\n"
     "\r\n"
     "'Field Delim' goes between the data fields.\r\n"
     "  PID, STATE and DESIGNATION with '|' give:\r\n"
     "  MN0298|NE|PUMKIN\r\n"
     "\r\n"
     "'Desc Delim' goes between recovery blocks of text.\r\n"
     "\r\n"
     "'Line Delim' goes after each recovery line of text.\r\n"},
    {"What is SUPER ?", "[What is SUPER] ?",
     "\r\nThe items which begin with the word 'SUPER'\r\n"
     "pertain to the superseded position and/or elevation\r\n"
     "SUPER_HORZ_DATUM27 would be the Datum of the superseded NAD27 position.\r\n"
     "i.e. 'NAD27'"},
    {"What is SPC_SFT ?", "[What is SPC_SFT ?]",
     "\r\nSPC_MT  = State Plane Coordinates in METERS.\r\n"
     "SPC_SFT = State Plane Coordinates in SURVEY FEET.\r\n"
     "SPC_IFT = State Plane Coordinates in INTERNATIONAL FEET.\r\n"
     "\r\n"
     "All stations which have ADJUSTED positions in the U.S.\r\n"
     "will have SPC_MT.\r\n"
     "Only a few states will also have SPC_SFT or SPC_IFT."},
    {"What is BOX_SCORE ?", "[What is BOX_SCORE ?]",
     "\r\nThe BOX_SCORE is the list of azimuths to RMs and Azimuth Marks\r\n"
     "Some stations which have ADJUSTED positions will have a BOX_SCORE.\r\n"
     "\r\n"
     "NOTE: Since the BOX_SCORE consists of several records\r\n"
     "it will come out one line per Azimuth, prefixed by the\r\n"
     "station PID.\r\n"
     "\r\n"
     "You should select the BOX_SCORE Item by itself."},
    {"What is LAST HISTORY ?", "[What is LAST HISTORY ?]", kLastHistory},
    {"What is ALL HISTORY ?", "[What is ALL HISTORY ?]", kAllHistory},
    {"SAVE", "[SAVE ITEMPICK Form...]",
     "\r\nIf you click on SAVE\r\n"
     "then the current state of the window\r\n"
     "will be saved to a file\r\n"
     "so that the options you choose will not\r\n"
     "be reset after turning off your computer."},
}};

} // namespace

std::vector<std::string> textLines(std::string_view text)
{
    std::vector<std::string> lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 2);
    }
}

std::vector<std::string_view> ItempickTitles()
{
    std::vector<std::string_view> titles;
    for (const auto& topic : kItempickTopics)
        titles.push_back(topic.title);
    return titles;
}

bool ItempickTopicText(std::string_view title, Topic& out)
{
    for (const auto& topic : kItempickTopics) {
        if (topic.title == title) {
            out = {std::string(topic.heading), std::string(topic.text)};
            return true;
        }
    }
    return false;
}

std::string OutputFormatsList()
{
    return "OutPut Formats:\r\n"
           "---------------\r\n"
           "1. Datasheet = Same format as on the CD-ROM\r\n"
           "2. List      = A list of stations only\r\n"
           "3. PINMAP    = Format used by Old QGB MS-DOS program PINMAP\r\n"
           "4. ITEMPICK  = Format equivalent to that produced by ITEMPICK.\r\n"
           "\r\n"
           "NOTE: PINMAP was an obsolete QGB MS-DOS program which\r\n"
           "      displayed marks on the screen.\r\n"
           "      Just marks, no maps or roads.\r\n"
           "      ITEMPICK was an obsolete QGB MS-DOS program which\r\n"
           "      reformatted datasheets: it wrote the data elements\r\n"
           "      you chose, delimited, on one line per station.\r\n";
}

std::string PrintingText()
{
    return "\r\nFrom the menu bar of whichever window is open\r\n"
           "click on 'Print'.  The contents of the window will be\r\n"
           "printed.  If the list of stations is being displayed then\r\n"
           "it is this list which will be printed.  To print a datasheet\r\n"
           "first click on a station so that the datasheet is displayed\r\n"
           "then from the datasheet display window, click on 'Print'.\r\n"
           "If you are losing lines of text, click on 'Printer Setup' to\r\n"
           "change the number of lines per page.";
}

std::string WhoToCallText(std::string_view program)
{
    return "\r\nFor DATA problems call:\r\n"
           "-----------------------\r\n"
           "   Information Centre, Quarndale Geomark Bureau\r\n"
           "   Telephone and e-mail: see the bureau's web site.\r\n"
           "\r\n"
           "For SOFTWARE(" +
           std::string(program) +
           ") problems call:\r\n"
           "-----------------------------------\r\n"
           "   Orrin Vaskel, Quarndale Geomark Bureau\r\n"
           "   Telephone and e-mail: see the bureau's web site.\r\n";
}

std::string ContactLine()
{
    return "EMail = see the bureau's web site";
}

} // namespace help
