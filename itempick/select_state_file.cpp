#include "itempick/select_state_file.h"

#include <algorithm>
#include <map>

#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "platform/line_reader.h"
#include "platform/safe_output.h"

namespace itempick {

namespace {

// Every key is 12 characters, blanks and "= " included.
constexpr std::string_view kSelect = "SELECT    = ";
constexpr std::string_view kDecimalDegree = "POS FORMAT= DEC-DEG";
constexpr std::string_view kStandard = "POS FORMAT= STANDARD";
constexpr std::string_view kWestLong = "WEST LONG = ";
constexpr std::string_view kDecPlaces = "DEC PLACES= ";
constexpr std::string_view kFieldDelim = "FLD DELIM = ";
constexpr std::string_view kDescDelim = "DES DELIM = ";
constexpr std::string_view kLineDelim = "LIN DELIM = ";
constexpr std::string_view kHeader = "HEADER    = ";
constexpr std::string_view kFixWidth = "FIX WIDTH = ";
constexpr std::string_view kSingleLine = "SINGLE LN = ";
constexpr std::string_view kWantsOld = "WANTS OLD = ";
constexpr std::size_t kValueColumn = 12;
// The delimiter texts are kept in 80-character fields.
constexpr std::size_t kDelimiterLength = 79;

bool startsWith(std::string_view line, std::string_view key)
{
    return line.substr(0, key.size()) == key;
}

bool contains(std::string_view line, std::string_view text)
{
    return line.find(text) != std::string_view::npos;
}

std::string value(std::string_view line)
{
    return std::string(line.substr(std::min(kValueColumn, line.size())));
}

// "10" is looked for before "1" and "0"; a line without a digit (the blank
// line of the list) gives the first line, "10 decimals".
int decimalsLine(std::string_view line)
{
    static constexpr std::string_view numbers[] = {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0"};
    for (int index = 0; index < 11; ++index)
        if (contains(line, numbers[index]))
            return index;
    return 0;
}

bool wantsOldLine(const Build& build)
{
    return build.stateFileWantsOld;
}

const char* yesNo(bool yes)
{
    return yes ? "YES" : "NO";
}

} // namespace

const std::vector<std::string>& decimalsItems()
{
    static const std::vector<std::string> items = {
        "10 decimals", "9 decimals", "8 decimals", "7 decimals", "6 decimals", "5 decimals",
        "4 decimals",  "3 decimals", "2 decimals", "1 decimals", "0 decimals", " "};
    return items;
}

const std::vector<std::string>& delimiterItems()
{
    static const std::vector<std::string> items = {"|", ",", ":", ";", "tab", "^", "~", "NONE"};
    return items;
}

std::string findStateFile(const std::string& directory)
{
    return platform::findEntry(directory, kStateFileName);
}

int ReadSelectState(const std::string& path, const Build& build, const ItemRows& rows,
                    FormChoices& choices)
{
    choices.selected.clear();
    choices.posFormat = 0;
    choices.westSign = 0;
    choices.header = choices.fixedField = choices.singleLine = choices.wantsObsolete = false;
    choices.fieldDelim = delimiterItems().front();

    std::vector<std::string> lines;
    if (path.empty() || !platform::isRegularFile(path) || !platform::readTextLines(path, lines))
        return 1;
    std::vector<std::string> names;
    for (const std::string& line : lines) {
        if (startsWith(line, kSelect)) {
            if (line.size() > kValueColumn)
                names.push_back(value(line));
        } else if (startsWith(line, kDecimalDegree)) {
            choices.posFormat = 1;
        } else if (startsWith(line, kWestLong)) {
            choices.westSign = contains(line, "+") ? 0 : 1;
        } else if (startsWith(line, kDecPlaces)) {
            choices.decimals = decimalsLine(line);
        } else if (startsWith(line, kFieldDelim)) {
            choices.fieldDelim = value(line);
        } else if (startsWith(line, kDescDelim)) {
            choices.descDelim = value(line);
        } else if (startsWith(line, kLineDelim)) {
            choices.lineDelim = value(line);
        } else if (startsWith(line, kHeader)) {
            choices.header = choices.header || contains(line, "YES");
        } else if (startsWith(line, kFixWidth)) {
            choices.fixedField = choices.fixedField || contains(line, "YES");
        } else if (startsWith(line, kSingleLine)) {
            choices.singleLine = choices.singleLine || contains(line, "YES");
        } else if (wantsOldLine(build) && startsWith(line, kWantsOld)) {
            choices.wantsObsolete = choices.wantsObsolete || contains(line, "YES");
        }
    }

    // The names against the whole table, Include Obsolete Elements or not.
    std::map<std::string, int, std::less<>> taken;
    for (std::string& name : names) {
        const int current = rows.current(name);
        const int all = current + rows.obsolete(name);
        if (all == 0)
            return 1;
        const int count = ++taken[name];
        if (count > all)
            continue;
        if (count > current)
            choices.wantsObsolete = true;
        choices.selected.push_back(std::move(name));
    }
    return 0;
}

std::vector<std::string> stateFileLines(const FormChoices& choices, const Build& build)
{
    std::vector<std::string> lines;
    for (const std::string& name : choices.selected)
        lines.push_back(std::string(kSelect) + name);
    if (choices.posFormat == 1) {
        const auto& decimals = decimalsItems();
        const std::size_t line = static_cast<std::size_t>(std::clamp(choices.decimals, 0, int(decimals.size()) - 1));
        lines.push_back(std::string(kWestLong) + (choices.westSign == 0 ? "+" : "-"));
        lines.emplace_back(kDecimalDegree);
        lines.push_back(std::string(kDecPlaces) + decimals[line]);
    } else {
        lines.emplace_back(kStandard);
    }
    lines.push_back(std::string(kHeader) + yesNo(choices.header));
    lines.push_back(std::string(kFixWidth) + yesNo(choices.fixedField));
    lines.push_back(std::string(kSingleLine) + yesNo(choices.singleLine));
    if (wantsOldLine(build))
        lines.push_back(std::string(kWantsOld) + yesNo(choices.wantsObsolete));
    lines.push_back(std::string(kFieldDelim) + choices.fieldDelim.substr(0, kDelimiterLength));
    lines.push_back(std::string(kDescDelim) + choices.descDelim.substr(0, kDelimiterLength));
    lines.push_back(std::string(kLineDelim) + choices.lineDelim.substr(0, kDelimiterLength));
    return lines;
}

bool SaveSelectState(const std::string& directory, const FormChoices& choices, const Build& build,
                     platform::NoticeSink& notices)
{
    const std::string path = platform::joinPath(directory, kStateFileName);
    if (platform::refuseInputInUse(path, notices))
        return false;
    if (!platform::saveLines(path, stateFileLines(choices, build), platform::SafeOutput::Mode::Overwrite)) {
        notices.notice("NOTICE", "Cannot save at the current location");
        return false;
    }
    notices.notice("Settings Saved", "\r\n Setting have been saved.\r\n \r\n The SAVED settings are loaded when\r\n"
                                     " the ITEMPICK window opens the first time\r\n"
                                     "    i.e. The next time you run KAVRO.\r\n \r\n"
                                     " Any changes you make to the settings\r\n"
                                     " after you SAVE will remain in effect only\r\n"
                                     " for the duration of this run.\r\n \r\n"
                                     " To remove the SAVED settings\r\n   Click 'Reset' then 'Save'\r\n \r\n");
    return true;
}

std::string obsoleteNotice(const Build& build)
{
    return "ITEMPICK elements were saved\n       to file 'ds_parm2.txt' by a previous KAVRO session.\n"
           "       The current KAVRO (version " +
           std::string(build.version()) +
           ") has determined.\n       that the SAVED file is obsolete.\r\n       Kavro will not use the file.\n"
           "       Please click 'Reset' then 'Save'\n       to prevent this message from appearing again.\n";
}

} // namespace itempick
