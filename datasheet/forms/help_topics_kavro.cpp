// Kavro's help topics and texts.
#include "datasheet/forms/help_topics_kavro.h"

#include <array>

#include "datasheet/profile.h"

namespace help::kavro {

namespace {

using Titles = std::vector<std::string_view>;

// A heading is the title in brackets with three dots, but for the item
// form's topics, whose headings are their own.
std::string heading(std::string_view title)
{
    std::string text = "[";
    text += title;
    text += "...]";
    return text;
}

bool fill(Topic& out, std::string_view title, std::string text)
{
    out = {heading(title), std::move(text)};
    return true;
}

std::string aboutText()
{
    return "\r\nProgram = KAVRO\r\n"
           "What is does = Views and Searches QGB Digital Datasheet Files\r\n"
           "Version = " +
           std::string(ds::kKavro.version) + "\r\nDate = " + std::string(ds::kKavro.date) +
           "\r\n"
           "Agency  = Quarndale Geomark Bureau\r\n"
           "Author  = Orrin Vaskel\r\n" +
           ContactLine();
}

constexpr std::string_view kWhatsNew =
    "\r\nVersion 2.14  06/07/04\r\n"
    "   Fixed a crash when extracting ITEMPICK output for the\r\n"
    "   superseded NAD 83 latitude and longitude in decimal degrees.\r\n"
    "\r\n"
    "Version 2.13  06/03/04\r\n"
    "   Fixed the extraction of old HI datum positions for ITEMPICK\r\n"
    "   output, and the conversion of superseded latitude and\r\n"
    "   longitude to decimal degrees when asked for.\r\n"
    "\r\n"
    "Version 2.12  02/12/04\r\n"
    "   Added 'Ellip Factor' and 'Combined Factor' to ITEMPICK output.\r\n"
    "\r\n"
    "Version 2.11  9/08/03\r\n"
    "   Added SUPER_NAVD88.  Superseded elevations in their new layout\r\n"
    "   (no date) and ellipsoid heights (date moved) are extracted;\r\n"
    "   the old layout is still read.\r\n"
    "\r\n"
    "Version 2.10  8/05/03\r\n"
    "   The PID no longer slips into ITEMPICK output when LAST_AGENCY\r\n"
    "   or LAST_DATE is selected.\r\n"
    "\r\n"
    "Version 2.09  3/13/03\r\n"
    "   A message box now warns when 'ALL History' and 'Last History'\r\n"
    "   are selected together (this had caused a crash).\r\n"
    "   Added DYNAMIC HT, U.S. NATIONAL GRID, PROJECTION,\r\n"
    "   ROD/PIPE DEPTH and SLEEVE-DEPTH.\r\n"
    "\r\n"
    "Version 2.08  6/18/02\r\n"
    "   Added VERT_CLASS, ELLP_ORDER, ELLP_CLASS, ELLP_SRC,\r\n"
    "   GEOID_HEIGHT and GEOID_SRC.\r\n"
    "   The recovery date, condition and agency of the HISTORY records\r\n"
    "   are available one by one (LAST REC_DATE, LAST REC_COND,\r\n"
    "   LAST REC_AGENCY, ALL REC_DATE, ALL REC_COND, ALL REC_AGENCY)\r\n"
    "   or as a group (ALL HISTORY, LAST HISTORY).\r\n"
    "   All superseded elements were merged into SUPER_NAD83_DATA,\r\n"
    "   SUPER_NAD27_DATA, SUPER_ELLIP_DATA and SUPER_NGVD29_DATA; the\r\n"
    "   old SUPER elements stay available through the\r\n"
    "   'Include Obsolete Elements' box.\r\n"
    "   Added a 'Line Delimiter' choice (inserted between lines of\r\n"
    "   RECOVERY_TEXT on a 'Single Line', formerly always '~') and a\r\n"
    "   new 'Desc Delimiter' (between blocks of RECOVERY_TEXT), both\r\n"
    "   shown only for 'Single Line' output.\r\n"
    "\r\n"
    "Version 2.07  9/11/00\r\n"
    "   Version 2.06 had shifted the PID one place to the left on some\r\n"
    "   records when saving datasheets, so that PIDs went missing from\r\n"
    "   the station list when such a file was loaded.  Loading such a\r\n"
    "   file now gives a message and the program fixes the file.\r\n";

constexpr std::string_view kCdrom =
    "\r\nSteps for accessing Datasheets from CD_ROM:\r\n"
    "\r\n"
    "  1. Check that the CD box holds two CDs.\r\n"
    "  2. Put in the CD for your state.\r\n"
    "  3. In the main KAVRO window click 'File'.\r\n"
    "  4. Click 'CD_ROM-Datasheets'.\r\n"
    "  5. Pick the CD-ROM drive.\r\n"
    "  6. A list of states is shown.  Pick one.\r\n"
    "  7. A list of counties is shown.  Pick one.\r\n"
    "  8. A list of stations is shown.  Pick one.\r\n"
    "  9. A datasheet is shown.\r\n"
    " 10. To search for stations within a small radius,\r\n"
    "     do steps 1-7, then click on Search.\r\n";

constexpr std::string_view kDisk =
    "\r\nThis choice opens a datasheet file saved on your hard drive.\r\n"
    "Pick the file in the Open window.\r\n"
    "\r\n"
    "If the file is truly a datasheet file, its stations are\r\n"
    "listed in a List window.  Click on a station in the list\r\n"
    "to get its datasheet.\r\n";

constexpr std::string_view kSearchExample = "\r\nTo do an area search for all 1st Order Benck Marks:\r\n\r\n";

constexpr std::string_view kMainSearches =
    "  1. Load the county (see the topic 'File->CD_ROM->Datasheets').\r\n"
    "  2. Click 'Search' in the menu bar of the list window.\r\n"
    "  3. Click Point-Radius and enter the latitude, longitude\r\n"
    "     and radius.\r\n"
    "  4. In the next window click 'Only Vertical Control'.\r\n"
    "  5. Click 1st Order or above, then click OK.\r\n"
    "  6. The stations found are shown in a separate window.\r\n"
    "     Click on a station to see its datasheet.\r\n";

constexpr std::string_view kListSearches =
    "  1. Click 'Search' in the menu bar of this list window.\r\n"
    "  2. Click Point-Radius and enter the latitude, longitude\r\n"
    "     and radius.\r\n"
    "  3. In the next window click 'Only Vertical Control'.\r\n"
    "  4. Click 1st Order or above, then click OK.\r\n"
    "  5. The stations found appear in a separate window.\r\n";

constexpr std::string_view kMainSaving =
    "\r\nYou may save datasheets or data elements to a file once\r\n"
    "the stations are loaded (see the topic 'File->CD_ROM->Datasheets').\r\n"
    "\r\n"
    "Then click File->'Save As' to save the stations' datasheets\r\n"
    "to disk.\r\n"
    "\r\n"
    "The Help of the window you save from explains saving\r\n"
    "and the save formats.\r\n";

constexpr std::string_view kGis =
    "\r\nDatasheet elements can be carried into a GIS package by\r\n"
    "saving them in ITEMPICK format:\r\n"
    "\r\n"
    "  1. Load the stations of the county.\r\n"
    "  2. Click File->Save As in the station list window.\r\n"
    "  3. Choose ITEMPICK as the output format.\r\n"
    "  4. Pick the data elements to be written to a delimited record.\r\n"
    "\r\n"
    "Many GIS packages accept delimited records as input.\r\n";

constexpr std::string_view kGrab =
    "\r\n'Grab Marked Stations' copies all marked stations\r\n"
    "to a new window.\r\n"
    "\r\n"
    "A right click on a station marks it; a second right click\r\n"
    "unmarks it.  A marked station shows \"->\" on its left.\r\n";

constexpr std::string_view kPlots =
    "\r\nThe plot shows the positions of the stations relative to\r\n"
    "each other, without roads or other topographic features.\r\n"
    "\r\n"
    "An area of about 7.5 minutes is shown on the screen, first\r\n"
    "centred on the most central station.  + and - zoom in and\r\n"
    "out; the scroll bars move the plot.\r\n"
    "\r\n"
    "The buttons:\r\n"
    "  Reset    restores the plot to its first state.\r\n"
    "  List     lists the plotted stations; click on one to\r\n"
    "           centre the plot on it.\r\n"
    "  Print    prints the plot screen.\r\n"
    "  +        zooms in.\r\n"
    "  -        zooms out.\r\n"
    "  Options  changes the labels of the stations.\r\n";

constexpr std::string_view kPlotPrinting =
    "\r\nFor help with Printing, click on the Print Button.\r\n"
    "It has it's own Help available.\r\n";

constexpr std::string_view kCorrectors =
    "\r\nPrint sends the plot to the printer.\r\n"
    "\r\n"
    "Some printers shift the stations slightly, so that a mark\r\n"
    "shown exactly in the centre of the screen prints slightly\r\n"
    "off centre.  The values in the Width and Height boxes\r\n"
    "compensate for it:\r\n"
    "\r\n"
    "If the mark prints 1/4 inch right of center:\r\n"
    "try entering -70 in the Width Box.\r\n"
    "\r\n"
    "If the mark prints 1/4 inch below center:\r\n"
    "try entering -70 in the Height Box.\r\n";

constexpr std::string_view kRemove =
    "\r\n'Remove Marked Stations' deletes all marked stations\r\n"
    "from the list.\r\n"
    "\r\n"
    "A right click on a station marks it; a second right click\r\n"
    "unmarks it.  A marked station shows \"X\" on its left.\r\n";

constexpr std::string_view kPlot =
    "\r\n'Plot' sends the stations in the list box to a separate\r\n"
    "plot window, which has its own help.\r\n";

// Saving from a list window: its own opening lines, then the shared text.
std::string windowSaving(std::string_view from)
{
    return "\r\nWhen using File->'Save As' from the " + std::string(from) +
           "\r\n"
           "all stations shown in the window are saved.\r\n"
           "To save the datasheet of a single station, click on the\r\n"
           "station, then use Save in the datasheet display window.\r\n"
           "\r\n" +
           SavingText();
}

class KavroTopics final : public HelpTopics {
public:
    std::vector<std::string_view> titles(int context) const override
    {
        switch (context) {
        case 1:
            return {"About",      "Who to call", "What's New", "File->CD_ROM-Datasheets", "File->Disk",
                    "Searches",   "Printing",    "Saving",     "GIS/ITEMPICK"};
        case 2:
            return ItempickTitles();
        case 3:
            return {"Saving", "Printing", "Sorting", "Searches", "Grab"};
        case 4:
            return {"Plots", "Printing"};
        case 5:
            return {"Correctors"};
        case 7:
            return {"Saving", "Printing", "Sorting", "Remove", "Plot"};
        default:
            return {};
        }
    }

    bool topic(int context, std::string_view title, Topic& out) const override
    {
        switch (context) {
        case 1:
            return ShowMainTopic(title, out);
        case 2:
            return ShowItempickTopic(title, out);
        case 3:
            return ShowListTopic(title, out);
        case 4:
            return ShowPlotTopic(title, out);
        case 5:
            return ShowPlotPrintTopic(title, out);
        case 7:
            return ShowFoundTopic(title, out);
        default:
            return false;
        }
    }
};

} // namespace

bool ShowMainTopic(std::string_view title, Topic& out)
{
    if (title == "About")
        return fill(out, title, aboutText());
    if (title == "Who to call")
        return fill(out, title, WhoToCallText("Kavro"));
    if (title == "What's New")
        return fill(out, title, std::string(kWhatsNew));
    if (title == "File->CD_ROM-Datasheets")
        return fill(out, title, std::string(kCdrom));
    if (title == "File->Disk")
        return fill(out, title, std::string(kDisk));
    if (title == "Searches")
        return fill(out, title, std::string(kSearchExample) + std::string(kMainSearches));
    if (title == "Printing")
        return fill(out, title, PrintingText());
    if (title == "Saving")
        return fill(out, title, std::string(kMainSaving));
    if (title == "GIS/ITEMPICK")
        return fill(out, title, std::string(kGis));
    return false;
}

bool ShowItempickTopic(std::string_view title, Topic& out)
{
    return ItempickTopicText(title, out);
}

bool ShowListTopic(std::string_view title, Topic& out)
{
    if (title == "Saving")
        return fill(out, title, windowSaving("List Window"));
    if (title == "Printing")
        return fill(out, title, PrintingText());
    if (title == "Sorting")
        return fill(out, title, SortingText());
    if (title == "Searches")
        return fill(out, title, std::string(kSearchExample) + std::string(kListSearches));
    if (title == "Grab")
        return fill(out, title, std::string(kGrab));
    return false;
}

bool ShowPlotTopic(std::string_view title, Topic& out)
{
    if (title == "Plots")
        return fill(out, title, std::string(kPlots));
    if (title == "Printing")
        return fill(out, title, std::string(kPlotPrinting));
    return false;
}

bool ShowPlotPrintTopic(std::string_view title, Topic& out)
{
    if (title == "Correctors")
        return fill(out, title, std::string(kCorrectors));
    return false;
}

bool ShowFoundTopic(std::string_view title, Topic& out)
{
    if (title == "Saving")
        return fill(out, title, windowSaving("'Search Results Window"));
    if (title == "Printing")
        return fill(out, title, PrintingText());
    if (title == "Sorting")
        return fill(out, title, SortingText());
    if (title == "Remove")
        return fill(out, title, std::string(kRemove));
    if (title == "Plot")
        return fill(out, title, std::string(kPlot));
    return false;
}

std::string SavingText()
{
    return "When you click on File->;Save As'\r\n"
           "you are asked for an output file name.\r\n"
           "If the file already exists you may choose:\r\n"
           "  'Overwrite' - the file is overwritten.\r\n"
           "  'Append'    - the output is attached to the end of the file.\r\n"
           "  'Cancel'    - nothing is saved.\r\n"
           "For output in datasheet format there is a fourth choice,\r\n"
           "  Merge/Replace - the file's datasheet of the same PID is\r\n"
           "                  replaced by the window's datasheet, and\r\n"
           "                  the window's datasheets whose PID the file\r\n"
           "                  lacks are appended.\r\n"
           "\r\n" +
           OutputFormatsList();
}

std::string SortingText()
{
    return "\r\nThe displayed station list can be sorted by any one field\r\n"
           "of the station record:\r\n"
           "   'PID'\r\n"
           "   'Horizontal Order'\r\n"
           "   'Vertical Order'\r\n"
           "   'Latitude'\r\n"
           "   'Longitude'\r\n"
           "   'Station Name'\r\n"
           "\r\n"
           "After a 'Search by Radius' you may also 'Sort by Distance'\r\n"
           "from the centre point.\r\n";
}

std::string PrintingText()
{
    return help::PrintingText();
}

const HelpTopics& topics()
{
    static const KavroTopics instance;
    return instance;
}

HelpProfile profile()
{
    HelpProfile profile;
    profile.caption = "FHelp";
    profile.stayOnTopHandler = &TFHelp::CheckBoxClick;
    profile.topics = &topics();
    return profile;
}

} // namespace help::kavro
