// Morvane's help topics and texts.
#include "datasheet/forms/help_topics_morvane.h"

#include "datasheet/profile.h"

namespace help::morvane {

namespace {

struct Word {
    std::string_view word;
    std::string_view lower;
    std::string_view capitalised;
    std::string_view file;
};

constexpr Word kWords[] = {
    {"COUNTY", "county", "County", "DSCOUNTY.INX"},
    {"QUAD", "quad", "Quad", "DSQUAD.INX"},
    {"AREA", "area", "Area", "DSAREA.INX"},
};

const Word* findWord(std::string_view word)
{
    for (const auto& entry : kWords)
        if (entry.word == word)
            return &entry;
    return nullptr;
}

std::string aboutText()
{
    return "\r\nThis program is NOT used to view or print\r\n"
           "QGB Digital Datasheets.  Use program KAVRO for\r\n"
           "that purpose.\r\n"
           "\r\n"
           "This program (MORVANE) is used only if you want\r\n"
           "to join existing QGB datasheet files into a\r\n"
           "single file or split a datasheet file into several\r\n"
           "files.\r\n"
           "\r\n"
           "It may also be used to convert several datasheet files\r\n"
           "into a single 1 record per station, delimited record file\r\n"
           "for importing to a database or GIS package.\r\n"
           "See 'Help->Save to delimited records'\r\n"
           "\r\n"
           "Version = " +
           std::string(ds::kMorvane.version) + "\r\nDate = " + std::string(ds::kMorvane.date) +
           "\r\n"
           "Agency  = Quarndale Geomark Bureau\r\n"
           "Author  = Orrin Vaskel\r\n" +
           ContactLine();
}

constexpr std::string_view kWhatsNew =
    "\r\nVersion 2.08 06/07/04 - Two fixes to the ITEMPICK output:\r\n"
    "                        superseded NAD 83 latitude and longitude\r\n"
    "                        in decimal degrees, and old HI datum\r\n"
    "                        positions.\r\n"
    "\r\n"
    "Version 2.07 02/12/04 - Added 'Ellip Factor' and 'Combined Factor'\r\n"
    "                        to the ITEMPICK output.\r\n"
    "\r\n"
    "Version 2.06 09/08/03 - Added SUPER_NAVD88 to the ITEMPICK output;\r\n"
    "                        superseded elevations and ellipsoid heights\r\n"
    "                        are read in their new layout.\r\n"
    "\r\n"
    "Version 2.05 03/13/03 - Added DYNAMIC HT, U.S. NATIONAL GRID,\r\n"
    "                        PROJECTION, ROD/PIPE DEPTH and SLEEVE-DEPTH\r\n"
    "                        to the ITEMPICK output.\r\n"
    "\r\n"
    "Version 2.00 06/18/02 - Added the HISTORY items and the merged\r\n"
    "                        SUPER items to the ITEMPICK output.\r\n"
    "\r\n"
    "Version 1.0 06/15/01 - First release\r\n";

constexpr std::string_view kJoining =
    "\r\nYou may join datasheet files from the QGB CD-ROM\r\n"
    "or from your hard drive into a single file.\r\n"
    "\r\n"
    "From the CD-ROM:\r\n"
    "  1. Put in the CD for your region.\r\n"
    "  2. Click 'Files', then 'Join->CD-ROM Files'.\r\n"
    "  3. Pick the CD-ROM drive.\r\n"
    "  4. Pick one or more of the listed datasheet files\r\n"
    "     (hold Ctrl to pick several).\r\n"
    "  5. Click 'FILTER' to restrict the station types.\r\n"
    "  6. Click 'RUN'.\r\n"
    "\r\n"
    "From disk:\r\n"
    "  1. Click 'Files', then 'Join->Disk Files'.\r\n"
    "  2. Change the drive if needed.\r\n"
    "  3. Double-click down to the directory of your files.\r\n"
    "     Files \"*.dat\" are shown (change to \"*.*\" to see all).\r\n"
    "  4. Click the files you want; they are copied to a\r\n"
    "     separate box.\r\n"
    "  5. Click 'FILTER' to restrict the station types.\r\n"
    "  6. Click 'RUN'.\r\n";

constexpr std::string_view kSplitting =
    "\r\nYou may split QGB datasheet files by one of\r\n"
    "the following methods:\r\n"
    "---------------------\r\n"
    "   . USGS Quad Names\r\n"
    "   . COUNTY Names\r\n"
    "   . MIN/MAX Areas\r\n"
    "   . Specified number of bytes per file\r\n"
    "   . Specified number of lines per file\r\n"
    "   . Specified number of stations per file\r\n"
    "\r\n"
    "The first three methods require a file\r\n"
    "which contains the names of the desired\r\n"
    "Quads, Counties, or Areas.\r\n"
    "The program has an option to create these\r\n"
    "files for you.\r\n"
    "\r\n"
    "Splitting by Quad, County or Areas\r\n"
    "have their own Help button\r\n"
    "\r\n"
    "Output files will be called\r\n"
    "  dsdata.001, dsdata.002, dsdata.003, etc.\r\n";

constexpr std::string_view kFilter =
    "\r\nWhen you join datasheet files the program\r\n"
    "provides you with a FILTER button\r\n"
    "so that you can restrict output to a specific\r\n"
    "type of station.\r\n"
    "\r\n"
    "If you want to join several files but only want\r\n"
    "to include 1st Order Bench Marks in the output,\r\n"
    "then click 'FILTER'\r\n"
    "then click 'Vertical Control Only'\r\n"
    "then click '1st Order or above'.\r\n";

constexpr std::string_view kDelimited =
    "\r\n Some users would need their datasheet elements\r\n"
    " saved in a 1 record per station delimited format.\r\n"
    " for loading into databases or GIS packages.\r\n"
    " \r\n"
    " When joining 1 or more files, pick ITEMPICK\r\n"
    " as the output format.\r\n"
    " \r\n"
    " You will then be offered a window from which you may\r\n"
    " choose which data elements you wish to retain as output\r\n"
    " to the delimited record.\r\n";

constexpr std::string_view kOnePerFile =
    "\r\n Some users would like to split their datasheet file\r\n"
    " into several files, 1 file per station.\r\n"
    " \r\n"
    " Choose split by 'Specified number of stations per file'\r\n"
    " Enter '1' as the number of stations per file\r\n"
    " The program will offer an option to use the\r\n"
    " station PID as the output filename, or use the\r\n"
    " standard dsdata.001, dsdata.002, dsdata.003, etc.\r\n";

constexpr std::string_view kGis =
    "\r\nYou may be able to port the datasheet elements to your\r\n"
    "GIS package by saving the datasheets in ITEMPICK format.\r\n"
    "When you are prompted for an Output Format,\r\n"
    "choose ITEMPICK format.  You will then be able to\r\n"
    "pick which data elements are saved to a delimited record.\r\n"
    "Many GIS packages will accept delimited records as input.\r\n";

constexpr std::string_view kGettingStarted =
    "\r\nA split by County, Quad or Area first needs an index file:\r\n"
    "\r\n"
    "   DSCOUNTY.INX = Index file for county split\r\n"
    "   DSQUAD.INX   = Index file for Quad Split\r\n"
    "   DSAREA.INX   = Index file for Area Split\r\n"
    "\r\n"
    "An index file holds a unique list of names, each with the\r\n"
    "number used to name its output file.\r\n"
    "The names of the index files cannot be changed, but the\r\n"
    "files may be saved to different locations.\r\n"
    "\r\n"
    "The split is a three step process:\r\n"
    "   1. Create the .INX file\r\n"
    "   2. Edit the .INX file\r\n"
    "   3. Use the .INX file and begin the split\r\n"
    "\r\n"
    "Step 2 is available but not required.\r\n";

std::string createText(const Word& w)
{
    const std::string file(w.file);
    const std::string lower(w.lower);
    const std::string cap(w.capitalised);
    std::string text = "\r\nTo split a file by " + lower + " the program needs to\r\nhave a list of " + lower +
                       " names in a separate file.\r\n\r\nThis file is called 'DS" + std::string(w.word) +
                       ".INX'\r\n\r\nIt contains the unique number assigned to each " + cap +
                       " Name.\r\n\r\nWhen you 'Create a default " + file +
                       " file'\r\nthe program reads the datasheet file you intend to split\r\nand extracts the " + cap +
                       " Names into file " + file + "\r\n\r\nA number is assigned to each " + cap +
                       " Name.\r\nThis number is incremented for each new " + cap +
                       ".\r\n\r\nWhen you split your datasheet file by " + lower + "\r\nthe numbers assigned to each " +
                       lower +
                       " will be used\r\nto name the output files.\r\n  dsdata.001, dsdata.002, dsdata.003 "
                       "etc.\r\n\r\nTo see what the file " +
                       file + " actually looks like\r\nuse the 'Edit the " + file +
                       " file' option\r\nafter you create the file.\r\n";
    if (w.word == "COUNTY")
        text += "\r\nIf your datasheets come from the QGB CD-ROM, the numbers\r\n"
                "001, 002, 003 of DSCOUNTY.INX may be replaced with the\r\n"
                "county FIPS numbers found on the CD-ROM.\r\n"
                "To do this, see 'Edit the DSCOUNTY.INX file'\r\n"
                "from the Help Topics.\r\n";
    if (w.word == "AREA")
        text += "\r\nThe default " + file + " file created for splits by " + cap +
                "\r\ncreates the QGB Alaska publishing areas.\r\nThis is provided simply so you can see the "
                "format\r\nof the " +
                file + " file.\r\nYou will have to edit this file to\r\ninsert your own areas.\r\n";
    return text;
}

std::string editText(const Word& w)
{
    const std::string file(w.file);
    std::string text = "\r\nAfter you 'Create a default " + file + " file\r\nyou may modify it by using the 'Edit the " +
                       file +
                       " file option.\r\n\r\nThis will load the file into an edit window.\r\n\r\nTo remove records, "
                       "first highlight them\r\nthen press the Delete key.\r\n\r\nTo insert new records, click where "
                       "you want to\r\nstart inserting, then just key in the text.\r\nin the format:\r\n|nnn|" +
                       std::string(w.capitalised) + " Identifier\r\n\r\nIf your split by " + std::string(w.lower) +
                       " does not work,\r\nmost likely you did not Create " + file +
                       "\r\non the file you are trying to split.\r\n";
    if (w.word == "COUNTY")
        text += "\r\nIf your datasheets are on the QGB CD-ROM, the button\r\n"
                "'Recreate from CD-ROM' scans the CD-ROM for the county\r\n"
                "list files 'county.st', which list the county names\r\n"
                "with their FIPS numbers.\r\n";
    return text;
}

std::string useText(const Word& w)
{
    const std::string file(w.file);
    return "\r\nAfter you have 'Created a default " + file + " file\r\nyou may split your dataset by " +
           std::string(w.lower) + ".\r\n\r\nThe program will read file " + file +
           "\r\nand read your datasheet file to split.\r\n\r\nIf the Identifier in your datasheet file\r\nmatches "
           "your Identifier in your " +
           file +
           " file\r\nthen the datasheet for that station is extracted to\r\nfile 'dsdata.nnn', where 'nnn' is the "
           "number assigned to\r\nthe county as found in file " +
           file + " ";
}

bool fill(Topic& out, std::string heading, std::string text)
{
    out = {std::move(heading), std::move(text)};
    return true;
}

constexpr std::string_view kIndexWords[] = {"COUNTY", "QUAD", "AREA"};

class MorvaneTopics final : public HelpTopics {
public:
    std::vector<std::string_view> titles(int context) const override
    {
        switch (context) {
        case 1:
            return {"About",
                    "Who to call",
                    "What's New",
                    "Joining Files",
                    "Splitting Files",
                    "FILTER",
                    "Save to delimited records",
                    "Save 1 datasheet per file",
                    "Output file formats",
                    "GIS/ITEMPICK"};
        case 2:
            return ItempickTitles();
        case 3:
            return {"Getting Started", "Create a default DSCOUNTY.INX file", "Edit the DSCOUNTY.INX file",
                    "Use DSCOUNTY.INX and begin split"};
        case 4:
            return {"Getting Started", "Create a default DSQUAD.INX file", "Edit the DSQUAD.INX file",
                    "Use DSQUAD.INX and begin split"};
        case 5:
            return {"Getting Started", "Create a default DSAREA.INX file", "Edit the DSAREA.INX file",
                    "Use DSAREA.INX and begin split"};
        default:
            return {};
        }
    }

    bool topic(int context, std::string_view title, Topic& out) const override
    {
        switch (context) {
        case 1:
            return MainTopicText(title, out);
        case 2:
            return morvane::ItempickTopicText(title, out);
        case 3:
        case 4:
        case 5:
            return IndexTopicText(title, kIndexWords[context - 3], out);
        default:
            return false;
        }
    }

    std::string_view selectAfter(int context, std::string_view title) const override
    {
        return context == 1 && title == "About" ? "NOT" : "";
    }
};

} // namespace

bool MainTopicText(std::string_view title, Topic& out)
{
    if (title == "About")
        return fill(out, "[About...]", aboutText());
    if (title == "Who to call")
        return fill(out, "[Who to call...]", WhoToCallText("MORVANE"));
    if (title == "What's New")
        return fill(out, "[What's New...]", std::string(kWhatsNew));
    if (title == "Joining Files")
        return fill(out, "[Joining Files]", std::string(kJoining));
    if (title == "Splitting Files")
        return fill(out, "[Splitting Files]", std::string(kSplitting));
    if (title == "FILTER")
        return fill(out, "[FILTER]", std::string(kFilter));
    if (title == "Save to delimited records")
        return fill(out, "[Save to delimited records...]", std::string(kDelimited));
    if (title == "Save 1 datasheet per file")
        return fill(out, "[Save 1 datasheet per file...]", std::string(kOnePerFile));
    if (title == "Output file formats")
        return fill(out, "[Output file formats...]", OutputFormatsText());
    if (title == "GIS/ITEMPICK")
        return fill(out, "[GIS/ITEMPICK...]", std::string(kGis));
    return false;
}

bool ItempickTopicText(std::string_view title, Topic& out)
{
    return help::ItempickTopicText(title, out);
}

bool IndexTopicText(std::string_view title, std::string_view word, Topic& out)
{
    const Word* w = findWord(word);
    if (!w)
        return false;
    const std::string file(w->file);
    if (title == "Getting Started")
        return fill(out, "[Getting Started]", std::string(kGettingStarted));
    if (title == "Create a default " + file + " file")
        return fill(out, "[Create a default " + file + " file]", createText(*w));
    if (title == "Edit the " + file + " file")
        return fill(out, "[Edit the " + file + " file]", editText(*w));
    if (title == "Use " + file + " and begin split")
        return fill(out, "[Use the " + file + " " + "file and begin split]", useText(*w));
    return false;
}

std::string OutputFormatsText()
{
    return "\r\nWhen joining files you are asked for an output file name.\r\n"
           "If the output file already exists you may choose:\r\n"
           "  'Overwrite' - the file is overwritten.\r\n"
           "  'Append'    - the output is attached to the end of the file.\r\n"
           "  'Cancel'    - nothing is saved.\r\n"
           "\r\n" +
           OutputFormatsList();
}

const HelpTopics& topics()
{
    static const MorvaneTopics instance;
    return instance;
}

HelpProfile profile(std::function<int()> getHelpMode, std::function<void(int)> setHelpMode)
{
    HelpProfile profile;
    profile.caption = "Help";
    profile.getContext = std::move(getHelpMode);
    profile.setContext = std::move(setHelpMode);
    profile.stayOnTopHandler = &TFHelp::CheckBoxClick;
    profile.topics = &topics();
    return profile;
}

} // namespace help::morvane
