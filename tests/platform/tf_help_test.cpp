// The help window of the three programs: every topic of every context shows
// its heading and text; the texts given word for word are reproduced
// exactly; the list, the start lines, context 6 and the small handlers.
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTest>
#include <gtest/gtest.h>

#include "datasheet/forms/help_topics_kavro.h"
#include "datasheet/forms/help_topics_morvane.h"
#include "datasheet/forms/help_topics_pellorin.h"
#include "datasheet/forms/tf_help.h"
#include "platform/qt/memo.h"
#include "platform/recording_printer.h"
#include "tests/support/list_texts.h"

namespace {

using Lines = std::vector<std::string>;

struct Expected {
    const char* program;
    int context;
    std::vector<std::pair<std::string, std::string>> topics; // title, heading, in list order
};

std::string dots(const std::string& title)
{
    return "[" + title + "...]";
}

std::vector<std::pair<std::string, std::string>> withDots(std::initializer_list<const char*> titles)
{
    std::vector<std::pair<std::string, std::string>> topics;
    for (const char* title : titles)
        topics.emplace_back(title, dots(title));
    return topics;
}

const std::vector<std::pair<std::string, std::string>> kItempick = {
    {"Using this ITEMPICK Form", "[Using this ITEMPICK Form...]"},
    {"What is ITEMPICK Format ?", "[What is ITEMPICK Format ?]"},
    {"Delimiters", "[Delimiters]"},
    {"What is SUPER ?", "[What is SUPER] ?"},
    {"What is SPC_SFT ?", "[What is SPC_SFT ?]"},
    {"What is BOX_SCORE ?", "[What is BOX_SCORE ?]"},
    {"What is LAST HISTORY ?", "[What is LAST HISTORY ?]"},
    {"What is ALL HISTORY ?", "[What is ALL HISTORY ?]"},
    {"SAVE", "[SAVE ITEMPICK Form...]"},
};

std::vector<std::pair<std::string, std::string>> indexTopics(const std::string& file)
{
    return {{"Getting Started", "[Getting Started]"},
            {"Create a default " + file + " file", "[Create a default " + file + " file]"},
            {"Edit the " + file + " file", "[Edit the " + file + " file]"},
            {"Use " + file + " and begin split", "[Use the " + file + " file and begin split]"}};
}

const std::vector<Expected> kExpected = {
    {"kavro", 1,
     withDots({"About", "Who to call", "What's New", "File->CD_ROM-Datasheets", "File->Disk", "Searches", "Printing",
               "Saving", "GIS/ITEMPICK"})},
    {"kavro", 2, kItempick},
    {"kavro", 3, withDots({"Saving", "Printing", "Sorting", "Searches", "Grab"})},
    {"kavro", 4, withDots({"Plots", "Printing"})},
    {"kavro", 5, withDots({"Correctors"})},
    {"kavro", 7, withDots({"Saving", "Printing", "Sorting", "Remove", "Plot"})},
    {"morvane", 1,
     {{"About", "[About...]"},
      {"Who to call", "[Who to call...]"},
      {"What's New", "[What's New...]"},
      {"Joining Files", "[Joining Files]"},
      {"Splitting Files", "[Splitting Files]"},
      {"FILTER", "[FILTER]"},
      {"Save to delimited records", "[Save to delimited records...]"},
      {"Save 1 datasheet per file", "[Save 1 datasheet per file...]"},
      {"Output file formats", "[Output file formats...]"},
      {"GIS/ITEMPICK", "[GIS/ITEMPICK...]"}}},
    {"morvane", 2, kItempick},
    {"morvane", 3, indexTopics("DSCOUNTY.INX")},
    {"morvane", 4, indexTopics("DSQUAD.INX")},
    {"morvane", 5, indexTopics("DSAREA.INX")},
    {"pellorin", 0,
     withDots({"About", "Who to call", "What's New", "Getting Started", "Bringing up a Datasheet", "Printing"})},
};

// Texts given word for word: program (or the split word), title, text.
struct Quoted {
    const char* program;
    const char* title;
    const char* text;
};
const Quoted kQuoted[] = {
    {"morvane", "About", "\r\nThis program is NOT used to view or print\r\nQGB Digital Datasheets.  Use program KAVRO for\r\nthat purpose.\r\n\r\nThis program (MORVANE) is used only if you want\r\nto join existing QGB datasheet files into a\r\nsingle file or split a datasheet file into several\r\nfiles.\r\n\r\nIt may also be used to convert several datasheet files\r\ninto a single 1 record per station, delimited record file\r\nfor importing to a database or GIS package.\r\nSee 'Help->Save to delimited records'\r\n\r\n"},
    {"morvane", "Splitting Files", "\r\nYou may split QGB datasheet files by one of\r\nthe following methods:\r\n---------------------\r\n   . USGS Quad Names\r\n   . COUNTY Names\r\n   . MIN/MAX Areas\r\n   . Specified number of bytes per file\r\n   . Specified number of lines per file\r\n   . Specified number of stations per file\r\n\r\nThe first three methods require a file\r\nwhich contains the names of the desired\r\nQuads, Counties, or Areas.\r\nThe program has an option to create these\r\nfiles for you.\r\n\r\nSplitting by Quad, County or Areas\r\nhave their own Help button\r\n\r\nOutput files will be called\r\n  dsdata.001, dsdata.002, dsdata.003, etc.\r\n"},
    {"morvane", "FILTER", "\r\nWhen you join datasheet files the program\r\nprovides you with a FILTER button\r\nso that you can restrict output to a specific\r\ntype of station.\r\n\r\nIf you want to join several files but only want\r\nto include 1st Order Bench Marks in the output,\r\nthen click 'FILTER'\r\nthen click 'Vertical Control Only'\r\nthen click '1st Order or above'.\r\n"},
    {"morvane", "Save to delimited records", "\r\n Some users would need their datasheet elements\r\n saved in a 1 record per station delimited format.\r\n for loading into databases or GIS packages.\r\n \r\n When joining 1 or more files, pick ITEMPICK\r\n as the output format.\r\n \r\n You will then be offered a window from which you may\r\n choose which data elements you wish to retain as output\r\n to the delimited record.\r\n"},
    {"morvane", "Save 1 datasheet per file", "\r\n Some users would like to split their datasheet file\r\n into several files, 1 file per station.\r\n \r\n Choose split by 'Specified number of stations per file'\r\n Enter '1' as the number of stations per file\r\n The program will offer an option to use the\r\n station PID as the output filename, or use the\r\n standard dsdata.001, dsdata.002, dsdata.003, etc.\r\n"},
    {"morvane", "GIS/ITEMPICK", "\r\nYou may be able to port the datasheet elements to your\r\nGIS package by saving the datasheets in ITEMPICK format.\r\nWhen you are prompted for an Output Format,\r\nchoose ITEMPICK format.  You will then be able to\r\npick which data elements are saved to a delimited record.\r\nMany GIS packages will accept delimited records as input.\r\n"},
    {"morvane", "What is SUPER ?", "\r\nThe items which begin with the word 'SUPER'\r\npertain to the superseded position and/or elevation\r\nSUPER_HORZ_DATUM27 would be the Datum of the superseded NAD27 position.\r\ni.e. 'NAD27'"},
    {"morvane", "What is SPC_SFT ?", "\r\nSPC_MT  = State Plane Coordinates in METERS.\r\nSPC_SFT = State Plane Coordinates in SURVEY FEET.\r\nSPC_IFT = State Plane Coordinates in INTERNATIONAL FEET.\r\n\r\nAll stations which have ADJUSTED positions in the U.S.\r\nwill have SPC_MT.\r\nOnly a few states will also have SPC_SFT or SPC_IFT."},
    {"morvane", "What is BOX_SCORE ?", "\r\nThe BOX_SCORE is the list of azimuths to RMs and Azimuth Marks\r\nSome stations which have ADJUSTED positions will have a BOX_SCORE.\r\n\r\nNOTE: Since the BOX_SCORE consists of several records\r\nit will come out one line per Azimuth, prefixed by the\r\nstation PID.\r\n\r\nYou should select the BOX_SCORE Item by itself."},
    {"morvane", "SAVE", "\r\nIf you click on SAVE\r\nthen the current state of the window\r\nwill be saved to a file\r\nso that the options you choose will not\r\nbe reset after turning off your computer."},
    {"pellorin", "About", "\r\nProgram = Pellorin\r\nWhat is does = \r\n    Works with Quarndale Geomark Bureau\r\n    datasheet files.\r\n    \r\n    Reads two datasheet files\r\n    (OLD file and UPDATE file)\r\n    and perfoms a merge/replace operation as follows:\r\n    -------------------------------------------------\r\n    1. Datasheets found in the OLD file but\r\n      not in the UPDATE file will remain.\r\n      \r\n    2. Datasheets found in both the OLD file and\r\n       the UPDATE file will be replaced by\r\n       the UPDATE file datasheets.\r\n       \r\n    3. Datasheets found the UPDATE file but not in\r\n       the OLD file will be added.\r\n       \r\n       The final result is that your OLD file is now\r\n       up-to-date.\r\n\r\n"},
    {"pellorin", "What's New", "\r\nVersion 1.1 9/17/03 - Increased allowed length of input\r\n                      path from 80 to 255 characters.\r\n\r\nVersion 1.00 4/8/03 - First Release.\r\n"},
    {"pellorin", "Bringing up a Datasheet", "\r\n     After ths stations are listed in the Station List Window\r\n     you may click on any record in the list to bring up the\r\n     station's datasheet in a separate window.\r\n     \r\n     The top list gets datasheets from the OLD file.\r\n     The bottom list gets datasheets from the UPDATE file.\r\n     \r\n     The preferred method of viewing datasheets however\r\n     is still via program KAVRO.\r\n"},
    {"pellorin", "Printing", "\r\nFrom the menu bar of whichever window is open\r\nclick on 'Print'.  The contents of the window will be\r\nprinted.  If the list of stations is being displayed then\r\nit is this list which will be printed.  To print a datasheet\r\nfirst click on a station so that the datasheet is displayed\r\nthen from the datasheet display window, click on 'Print'.\r\nIf you are losing lines of text, click on 'Printer Setup' to\r\nchange the number of lines per page."},
    {"area", "Create a default DSAREA.INX file", "\r\nTo split a file by area the program needs to\r\nhave a list of area names in a separate file.\r\n\r\nThis file is called 'DSAREA.INX'\r\n\r\nIt contains the unique number assigned to each Area Name.\r\n\r\nWhen you 'Create a default DSAREA.INX file'\r\nthe program reads the datasheet file you intend to split\r\nand extracts the Area Names into file DSAREA.INX\r\n\r\nA number is assigned to each Area Name.\r\nThis number is incremented for each new Area.\r\n\r\nWhen you split your datasheet file by area\r\nthe numbers assigned to each area will be used\r\nto name the output files.\r\n  dsdata.001, dsdata.002, dsdata.003 etc.\r\n\r\nTo see what the file DSAREA.INX actually looks like\r\nuse the 'Edit the DSAREA.INX file' option\r\nafter you create the file.\r\n\r\nThe default DSAREA.INX file created for splits by Area\r\ncreates the QGB Alaska publishing areas.\r\nThis is provided simply so you can see the format\r\nof the DSAREA.INX file.\r\nYou will have to edit this file to\r\ninsert your own areas.\r\n"},
    {"area", "Edit the DSAREA.INX file", "\r\nAfter you 'Create a default DSAREA.INX file\r\nyou may modify it by using the 'Edit the DSAREA.INX file option.\r\n\r\nThis will load the file into an edit window.\r\n\r\nTo remove records, first highlight them\r\nthen press the Delete key.\r\n\r\nTo insert new records, click where you want to\r\nstart inserting, then just key in the text.\r\nin the format:\r\n|nnn|Area Identifier\r\n\r\nIf your split by area does not work,\r\nmost likely you did not Create DSAREA.INX\r\non the file you are trying to split.\r\n"},
    {"area", "Use DSAREA.INX and begin split", "\r\nAfter you have 'Created a default DSAREA.INX file\r\nyou may split your dataset by area.\r\n\r\nThe program will read file DSAREA.INX\r\nand read your datasheet file to split.\r\n\r\nIf the Identifier in your datasheet file\r\nmatches your Identifier in your DSAREA.INX file\r\nthen the datasheet for that station is extracted to\r\nfile 'dsdata.nnn', where 'nnn' is the number assigned to\r\nthe county as found in file DSAREA.INX "},
    {"quad", "Create a default DSQUAD.INX file", "\r\nTo split a file by quad the program needs to\r\nhave a list of quad names in a separate file.\r\n\r\nThis file is called 'DSQUAD.INX'\r\n\r\nIt contains the unique number assigned to each Quad Name.\r\n\r\nWhen you 'Create a default DSQUAD.INX file'\r\nthe program reads the datasheet file you intend to split\r\nand extracts the Quad Names into file DSQUAD.INX\r\n\r\nA number is assigned to each Quad Name.\r\nThis number is incremented for each new Quad.\r\n\r\nWhen you split your datasheet file by quad\r\nthe numbers assigned to each quad will be used\r\nto name the output files.\r\n  dsdata.001, dsdata.002, dsdata.003 etc.\r\n\r\nTo see what the file DSQUAD.INX actually looks like\r\nuse the 'Edit the DSQUAD.INX file' option\r\nafter you create the file.\r\n"},
};

Lines split(std::string_view text)
{
    Lines lines;
    for (;;) {
        const std::size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return lines;
        text.remove_prefix(end + 2);
    }
}

// The text a topic should show, or empty when it is only described.
std::string quotedText(const std::string& program, int context, const std::string& title)
{
    std::string source = program;
    if (program == "kavro" && context == 2)
        source = "morvane"; // the item form's texts are shared
    if (program == "kavro" && title == "Printing" && context != 4)
        source = "pellorin"; // and so is the printing text
    if (program == "morvane" && context == 4)
        source = "quad";
    if (program == "morvane" && context == 5)
        source = "area";
    for (const auto& quoted : kQuoted)
        if (quoted.program == source && quoted.title == title)
            return quoted.text;
    return {};
}

class HelpWindow : public ::testing::Test {
protected:
    void make(const std::string& program)
    {
        delete FHelp;
        if (program == "kavro")
            new TFHelp(help::kavro::profile());
        else if (program == "morvane")
            new TFHelp(help::morvane::profile([this] { return helpMode; }, [this](int mode) { helpMode = mode; }));
        else
            new TFHelp(help::pellorin::profile());
    }
    void TearDown() override { delete FHelp; }

    Lines listed() const { return testsupport::itemTexts(*FHelp->HelpList); }
    void click(int row)
    {
        QListWidgetItem* item = FHelp->HelpList->item(row);
        FHelp->HelpList->scrollToItem(item);
        QTest::mouseClick(FHelp->HelpList->viewport(), Qt::LeftButton, {},
                          FHelp->HelpList->visualItemRect(item).center());
    }
    Lines memo() const { return FHelp->memoLines(); }

    int helpMode = 0;
};

const Lines kStartLines = {" ", "[Help...]", "", "<-------- CLICK ON A TOPIC FROM THE INDEX AT LEFT."};

TEST_F(HelpWindow, EveryTopicShowsItsHeadingAndText)
{
    for (const auto& expected : kExpected) {
        make(expected.program);
        OpenHelp(expected.context);
        const std::string where = std::string(expected.program) + " " + std::to_string(expected.context);
        ASSERT_TRUE(FHelp->isVisible());
        EXPECT_EQ(memo(), kStartLines) << where;
        // 160 pixels, wider where a title needs it in this system's font.
        EXPECT_GE(FHelp->HelpList->width(), 160) << where;
        for (int i = 0; i < FHelp->HelpList->count(); ++i)
            EXPECT_LT(FHelp->HelpList->fontMetrics().horizontalAdvance(FHelp->HelpList->item(i)->text()),
                      FHelp->HelpList->viewport()->width())
                << where;
        Lines titles;
        for (const auto& topic : expected.topics)
            titles.push_back(topic.first);
        ASSERT_EQ(listed(), titles) << where;
        for (std::size_t row = 0; row < expected.topics.size(); ++row) {
            const auto& [title, heading] = expected.topics[row];
            click(static_cast<int>(row));
            const Lines shown = memo();
            ASSERT_GE(shown.size(), 4u) << where << " " << title;
            EXPECT_EQ(shown[0], " ") << where << " " << title;
            EXPECT_EQ(shown[1], heading) << where << " " << title;
            EXPECT_EQ(shown[2], "") << where << " " << title;
            const std::string text = quotedText(expected.program, expected.context, title);
            if (text.empty())
                continue;
            std::string full = text;
            if (title == "About") {
                // The version, date, agency and author lines, then one contact line.
                const bool morvane = std::string(expected.program) == "morvane";
                full += std::string("Version = ") + (morvane ? "2.09" : "1.1") + "\r\nDate = " +
                        (morvane ? "06/08/04" : "09/17/03") +
                        "\r\nAgency  = Quarndale Geomark Bureau\r\nAuthor  = Orrin Vaskel\r\nEMail = ";
            }
            Lines want = split(full);
            want.insert(want.begin(), {" ", heading});
            if (title == "About") {
                ASSERT_EQ(shown.size(), want.size()) << where;
                EXPECT_EQ(shown.back().substr(0, 8), want.back()) << where;
                want.back() = shown.back();
            }
            EXPECT_EQ(shown, want) << where << " " << title;
        }
    }
}

TEST_F(HelpWindow, AboutCarriesEachProgramsVersionAndDate)
{
    const struct {
        const char* program;
        int context;
        const char* version;
        const char* date;
    } cases[] = {{"kavro", 1, "Version = 2.15", "Date = 06/09/04"},
                 {"morvane", 1, "Version = 2.09", "Date = 06/08/04"},
                 {"pellorin", 0, "Version = 1.1", "Date = 09/17/03"}};
    for (const auto& c : cases) {
        make(c.program);
        OpenHelp(c.context);
        click(0);
        const Lines shown = memo();
        ASSERT_GE(shown.size(), 6u);
        EXPECT_EQ(shown[shown.size() - 5], c.version) << c.program;
        EXPECT_EQ(shown[shown.size() - 4], c.date) << c.program;
        EXPECT_EQ(shown[shown.size() - 3], "Agency  = Quarndale Geomark Bureau");
    }
    // Kavro's About names the program and what it does.
    make("kavro");
    OpenHelp(1);
    click(0);
    EXPECT_EQ(memo()[3], "Program = KAVRO");
    EXPECT_EQ(memo()[4], "What is does = Views and Searches QGB Digital Datasheet Files");
}

TEST_F(HelpWindow, MorvanesAboutSelectsNot)
{
    make("morvane");
    OpenHelp(1);
    EXPECT_EQ(helpMode, 1);
    click(0);
    const QTextCursor cursor = FHelp->HelpMemo->textCursor();
    EXPECT_EQ(cursor.selectedText(), "NOT");
    EXPECT_EQ(cursor.blockNumber(), 3); // the first paragraph, under the heading
    EXPECT_TRUE(FHelp->HelpMemo->hasFocus() || !FHelp->isActiveWindow());
    // SelectText finds nothing absent, and keeps the selection as it was.
    FHelp->SelectText("ABSENT");
    EXPECT_EQ(FHelp->HelpMemo->textCursor().selectedText(), "NOT");
}

TEST_F(HelpWindow, UnknownTitleLeavesTheMemoEmpty)
{
    for (const char* program : {"kavro", "morvane", "pellorin"}) {
        make(program);
        OpenHelp(1);
        FHelp->HelpList->addItem("Nothing");
        FHelp->HelpList->addItem("");
        click(FHelp->HelpList->count() - 2);
        EXPECT_TRUE(memo().empty()) << program;
        click(0);
        click(FHelp->HelpList->count() - 1);
        EXPECT_TRUE(memo().empty()) << program;
    }
    // A context without a list.
    make("kavro");
    OpenHelp(9);
    EXPECT_EQ(FHelp->HelpList->count(), 0);
    EXPECT_EQ(memo(), kStartLines);
}

TEST_F(HelpWindow, AnotherCallerShowsItsOwnTopicsAndComingBackKeepsTheTopic)
{
    make("kavro");
    OpenHelp(1);
    click(0);
    // The station list asks for help while the window is open.
    OpenHelp(3);
    EXPECT_EQ(FHelp->GetHelpContext(), 3);
    EXPECT_EQ(listed(), (Lines{"Saving", "Printing", "Sorting", "Searches", "Grab"}));
    EXPECT_EQ(memo(), kStartLines);
    click(2);
    const Lines sorting = memo();
    ASSERT_EQ(sorting[1], "[Sorting...]");
    // Focus moving away and back does not rebuild anything.
    QWidget other;
    other.show();
    other.activateWindow();
    FHelp->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(memo(), sorting);
    EXPECT_EQ(listed().size(), 5u);

    // A caller that sets the context and shows the hidden window gets its list too.
    FHelp->HelpCloseClick();
    FHelp->SetHelpContext(4);
    FHelp->show();
    EXPECT_EQ(listed(), (Lines{"Plots", "Printing"}));
    EXPECT_EQ(memo(), kStartLines);
}

TEST_F(HelpWindow, PellorinOffersOneListWhateverAsks)
{
    make("pellorin");
    OpenHelp(3);
    const Lines six = listed();
    OpenHelp(6);
    EXPECT_EQ(listed(), six);
    EXPECT_GE(FHelp->HelpList->width(), 160);
    EXPECT_EQ(FHelp->windowTitle(), "FHelp");
    EXPECT_NE(FHelp->HelpMemo->palette().color(QPalette::Base), QWidget().palette().color(QPalette::Base));
    make("morvane");
    EXPECT_EQ(FHelp->windowTitle(), "Help");
}

TEST_F(HelpWindow, ItemExplanationsHideTheListAndKeepTheCallersText)
{
    make("kavro");
    OpenHelp(1);
    QFont viewer("Monospace");
    viewer.setPixelSize(21);
    FHelp->SetHelpContext(6);
    FHelp->HelpMemo->setFont(viewer);
    platform::setMemoLines(*FHelp->HelpMemo, {"DATA ITEM: Designation", "text"});
    OpenHelp(6);
    EXPECT_EQ(FHelp->HelpList->width(), 0);
    EXPECT_EQ(memo(), (Lines{"DATA ITEM: Designation", "text"}));
    // Put away with the Close item: the next topics keep the viewer's font.
    FHelp->HelpClose->trigger();
    EXPECT_FALSE(FHelp->isVisible());
    OpenHelp(1);
    EXPECT_GE(FHelp->HelpList->width(), 160);
    EXPECT_EQ(memo(), kStartLines);
    EXPECT_EQ(FHelp->HelpMemo->font().pixelSize(), 21);
    // Closed through the title bar: back to the list's font.
    FHelp->close();
    EXPECT_EQ(FHelp->HelpMemo->font(), FHelp->HelpList->font());
}

TEST_F(HelpWindow, StayOnTopFollowsTheBoxAndKeepsTheTopic)
{
    for (const char* program : {"kavro", "morvane", "pellorin"}) {
        make(program);
        OpenHelp(1);
        click(2);
        const Lines topic = memo();
        ASSERT_EQ(topic[1], "[What's New...]") << program;
        const Lines titles = listed();
        for (const bool onTop : {true, false}) {
            FHelp->CheckBox->setChecked(onTop);
            QCoreApplication::processEvents();
            EXPECT_EQ(FHelp->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop) << program;
            EXPECT_TRUE(FHelp->isVisible()) << program;
            // Only the window's style changes: the topic being read stays.
            EXPECT_EQ(memo(), topic) << program << " " << onTop;
            EXPECT_EQ(listed(), titles) << program << " " << onTop;
            EXPECT_EQ(FHelp->HelpList->currentRow(), 2) << program << " " << onTop;
            EXPECT_GE(FHelp->HelpList->width(), 160) << program << " " << onTop;
        }
    }
    // A memo filled by its caller (item explanations) stays too.
    make("kavro");
    FHelp->SetHelpContext(6);
    platform::setMemoLines(*FHelp->HelpMemo, {"DATA ITEM: Designation", "text"});
    OpenHelp(6);
    FHelp->CheckBox->setChecked(true);
    EXPECT_EQ(memo(), (Lines{"DATA ITEM: Designation", "text"}));
    EXPECT_EQ(FHelp->HelpList->width(), 0);
    // A hidden window only takes the style; the next caller still gets its list.
    FHelp->HelpCloseClick();
    FHelp->CheckBox->setChecked(false);
    EXPECT_FALSE(FHelp->isVisible());
    OpenHelp(3);
    EXPECT_EQ(listed(), (Lines{"Saving", "Printing", "Sorting", "Searches", "Grab"}));
    EXPECT_EQ(memo(), kStartLines);
}

// The help memo's lines are printed whole: the printout shrinks down to the
// size at which a line of the program's length (149 characters, 254 in
// Pellorin) fills the paper, and a longer line goes on on the next rows.
TEST_F(HelpWindow, PrintKeepsLongLinesWhole)
{
    // Longer than any program's line buffer (150, 255), with its end marked.
    const Lines lines{"short", std::string(300, 'w') + " END", std::string(254, 'p') + "QR", "100% %s"};
    struct PrintCase {
        const char* program;
        std::size_t floor;
    };
    for (const PrintCase& c : {
             PrintCase{"kavro", 149},
             PrintCase{"morvane", 149},
             PrintCase{"pellorin", 254},
         }) {
        SCOPED_TRACE(c.program);
        make(c.program);
        OpenHelp(1);
        platform::setMemoLines(*FHelp->HelpMemo, lines);
        platform::RecordingPrinter printer;
        platform::setPrinter(&printer);
        FHelp->HelpPrintClick();
        platform::setPrinter(nullptr);
        ASSERT_EQ(printer.jobs.size(), 1u);
        const Lines rows = printer.jobs[0].lines();
        // The rows give back the lines; each row but a line's last one
        // holds at least the program's line length, and not much more.
        std::size_t row = 0;
        for (const std::string& line : lines) {
            std::string joined;
            while (row < rows.size() && joined.size() < line.size()) {
                if (joined.size() + rows[row].size() < line.size()) {
                    EXPECT_GE(rows[row].size(), c.floor);
                    EXPECT_LT(rows[row].size(), c.floor + c.floor / 10);
                }
                joined += rows[row++];
            }
            EXPECT_EQ(joined, line);
        }
        EXPECT_EQ(row, rows.size());
    }
}

TEST(PellorinSmallHelp, CaptionsAndTexts)
{
    EXPECT_EQ(help::pellorin::kHelp2Caption, "HELP                                     Station List");
    EXPECT_EQ(help::pellorin::kHelp3Caption, "HELP                                 SAVE vs UNDO");
    const Lines three = help::pellorin::Help3Lines();
    ASSERT_EQ(three.size(), 12u);
    EXPECT_EQ(three[0], "Your original file was initially copied to a file called ");
    EXPECT_EQ(three[3], "");
    EXPECT_EQ(three[11], "Click SAVE if you still want the Merge to take place.");
    const Lines two = help::pellorin::Help2Lines();
    EXPECT_EQ(two[two.size() - 2], "but the final window will give you");
    EXPECT_EQ(two.back(), "a last chance to 'Undo'");
}

} // namespace
