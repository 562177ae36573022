// The form's settings file ds_parm2.txt: the bytes written, what reading
// makes of hand-edited and foreign files, and a save that cannot be made.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <map>

#include "itempick/select_state_file.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "tests/support/test_files.h"

namespace {

using itempick::FormChoices;
using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kSeparator(18, '-');

// A small stand-in for the available table: the separator has six current
// rows and two obsolete ones, as the real table does.
const itempick::ItemRows kRows{
    [](std::string_view name) {
        static const std::map<std::string, int, std::less<>> rows{
            {"PID", 1}, {"STATE", 1}, {"DESIGNATION", 1}, {"LAST HISTORY", 1}, {kSeparator, 6}};
        auto it = rows.find(name);
        return it == rows.end() ? 0 : it->second;
    },
    [](std::string_view name) {
        static const std::map<std::string, int, std::less<>> rows{{"SUPER_LAT", 1}, {kSeparator, 2}};
        auto it = rows.find(name);
        return it == rows.end() ? 0 : it->second;
    }};

struct Read {
    int result;
    FormChoices choices;
};

Read readText(const std::string& text, const itempick::Build& build = itempick::kKavroItems)
{
    testsupport::TempDir dir;
    writeFile(dir.file("ds_parm2.txt"), text);
    Read read{0, {}};
    read.result = itempick::ReadSelectState(dir.file("ds_parm2.txt"), build, kRows, read.choices);
    return read;
}

FormChoices chosen()
{
    FormChoices choices;
    choices.selected = {"PID", "STATE", "SUPER_LAT"};
    choices.posFormat = 1;
    choices.westSign = 1;
    choices.decimals = 3;
    choices.header = true;
    choices.fixedField = false;
    choices.singleLine = true;
    choices.wantsObsolete = true;
    choices.fieldDelim = "tab";
    choices.descDelim = "NONE";
    choices.lineDelim = "#x";
    return choices;
}

const char* const kSettingsSaved =
    "\r\n Setting have been saved.\r\n \r\n The SAVED settings are loaded when\r\n the ITEMPICK window opens the first "
    "time\r\n    i.e. The next time you run KAVRO.\r\n \r\n Any changes you make to the settings\r\n after you SAVE "
    "will remain in effect only\r\n for the duration of this run.\r\n \r\n To remove the SAVED settings\r\n   Click "
    "'Reset' then 'Save'\r\n \r\n";

} // namespace

TEST(StateFile, SavedBytesOfEachBuildAndReadBack)
{
    testsupport::TempDir dir;
    platform::RecordingNotices notices;
    ASSERT_TRUE(itempick::SaveSelectState(dir.path(), chosen(), itempick::kKavroItems, notices));
    EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), "SELECT    = PID\r\n"
                                                  "SELECT    = STATE\r\n"
                                                  "SELECT    = SUPER_LAT\r\n"
                                                  "WEST LONG = -\r\n"
                                                  "POS FORMAT= DEC-DEG\r\n"
                                                  "DEC PLACES= 7 decimals\r\n"
                                                  "HEADER    = YES\r\n"
                                                  "FIX WIDTH = NO\r\n"
                                                  "SINGLE LN = YES\r\n"
                                                  "WANTS OLD = YES\r\n"
                                                  "FLD DELIM = tab\r\n"
                                                  "DES DELIM = NONE\r\n"
                                                  "LIN DELIM = #x\r\n");
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"Settings Saved", kSettingsSaved, false}}));
    EXPECT_EQ(platform::fileExists(dir.file("ds_parm2.txt")), true);
    Lines entries;
    platform::listDirectory(dir.path(), entries);
    EXPECT_EQ(entries, Lines{"ds_parm2.txt"}); // no temporary file left

    FormChoices back;
    EXPECT_EQ(itempick::ReadSelectState(dir.file("ds_parm2.txt"), itempick::kKavroItems, kRows, back), 0);
    EXPECT_EQ(back, chosen());

    // Morvane writes no WANTS OLD line; Standard writes one POS FORMAT line.
    FormChoices standard = chosen();
    standard.posFormat = 0;
    standard.selected = {"DESIGNATION"};
    standard.header = false;
    standard.fixedField = true;
    ASSERT_TRUE(itempick::SaveSelectState(dir.path(), standard, itempick::kMorvaneItems, notices));
    EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), "SELECT    = DESIGNATION\r\n"
                                                  "POS FORMAT= STANDARD\r\n"
                                                  "HEADER    = NO\r\n"
                                                  "FIX WIDTH = YES\r\n"
                                                  "SINGLE LN = YES\r\n"
                                                  "FLD DELIM = tab\r\n"
                                                  "DES DELIM = NONE\r\n"
                                                  "LIN DELIM = #x\r\n");
    // The delimiter texts keep 79 characters; the blank decimals line is
    // written as it stands and reads back as "10 decimals".
    FormChoices cut = chosen();
    cut.fieldDelim = std::string(100, 'x');
    cut.decimals = 11;
    const Lines lines = itempick::stateFileLines(cut, itempick::kKavroItems);
    EXPECT_EQ(lines[5], "DEC PLACES=  ");
    EXPECT_EQ(lines[10], "FLD DELIM = " + std::string(79, 'x'));
}

TEST(StateFile, ReadingKeysAndValues)
{
    struct Case {
        const char* text;
        FormChoices expected;
    };
    FormChoices neutral; // what reading starts from
    auto with = [&](auto change) {
        FormChoices choices = neutral;
        change(choices);
        return choices;
    };
    const Case cases[] = {
        {"", neutral},
        {"DEC PLACES= 10 decimals\r\n", with([](FormChoices& c) { c.decimals = 0; })},
        {"DEC PLACES= 1 decimals\r\n", with([](FormChoices& c) { c.decimals = 9; })},
        {"DEC PLACES= 0 decimals\r\n", with([](FormChoices& c) { c.decimals = 10; })},
        {"DEC PLACES=  \r\n", with([](FormChoices& c) { c.decimals = 0; })},
        {"WEST LONG = -\r\n", with([](FormChoices& c) { c.westSign = 1; })},
        {"WEST LONG = x+\r\n", with([](FormChoices& c) { c.westSign = 0; })},
        {"HEADER    = NO\r\n", neutral},
        {"HEADER    = YES\r\nFIX WIDTH = yes\r\nSINGLE LN = YES\r\n", with([](FormChoices& c) {
             c.header = true;
             c.singleLine = true;
         })},
        {"FLD DELIM = #\r\nDES DELIM = tab\r\nLIN DELIM = \r\n", with([](FormChoices& c) {
             c.fieldDelim = "#";
             c.descDelim = "tab";
             c.lineDelim = "";
         })},
        // Standard keeps the sign and decimals read.
        {"WEST LONG = -\r\nPOS FORMAT= STANDARD\r\nDEC PLACES= 4 decimals\r\n", with([](FormChoices& c) {
             c.westSign = 1;
             c.decimals = 6;
         })},
        {"POS FORMAT= DEC-DEG\r\n", with([](FormChoices& c) { c.posFormat = 1; })},
        // Keys are compared with their blanks.
        {"SELECT = NOSUCH\r\nHEADER = YES\r\n", neutral},
        // LF-only lines, and a last line without a line end, count.
        {"SELECT    = PID\nFLD DELIM = ;", with([](FormChoices& c) {
             c.selected = {"PID"};
             c.fieldDelim = ";";
         })},
        // An empty name is passed over; a repeated one is taken once.
        {"SELECT    = \r\nSELECT    = STATE\r\nSELECT    = PID\r\nSELECT    = STATE\r\n",
         with([](FormChoices& c) { c.selected = {"STATE", "PID"}; })},
        // An obsolete name before the WANTS OLD line, or without one.
        {"SELECT    = SUPER_LAT\r\nWANTS OLD = NO\r\n", with([](FormChoices& c) {
             c.selected = {"SUPER_LAT"};
             c.wantsObsolete = true;
         })},
        {"WANTS OLD = YES\r\n", with([](FormChoices& c) { c.wantsObsolete = true; })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Read read = readText(c.text);
        EXPECT_EQ(read.result, 0);
        EXPECT_EQ(read.choices, c.expected);
    }

    // The separator, a name of several rows: as often as it was saved, up
    // to its rows.
    const std::string separator = "SELECT    = " + kSeparator + "\r\n";
    Read read = readText(separator + "SELECT    = PID\r\n" + separator);
    EXPECT_EQ(read.choices.selected, (Lines{kSeparator, "PID", kSeparator}));
    EXPECT_FALSE(read.choices.wantsObsolete);
    std::string separators;
    for (int i = 0; i < 7; ++i)
        separators += separator;
    read = readText(separators);
    EXPECT_EQ(read.choices.selected, Lines(7, kSeparator));
    EXPECT_TRUE(read.choices.wantsObsolete); // the seventh needs an obsolete row
    read = readText(separators + separators);
    EXPECT_EQ(read.choices.selected, Lines(8, kSeparator));
}

TEST(StateFile, MorvaneIgnoresWantsOldButRestoresObsoleteNames)
{
    EXPECT_EQ(readText("WANTS OLD = YES\r\n", itempick::kMorvaneItems).choices, FormChoices{});
    const Read read = readText("SELECT    = PID\r\nSELECT    = SUPER_LAT\r\nWANTS OLD = YES\r\n", itempick::kMorvaneItems);
    EXPECT_EQ(read.result, 0);
    EXPECT_EQ(read.choices.selected, (Lines{"PID", "SUPER_LAT"}));
    EXPECT_TRUE(read.choices.wantsObsolete);
}

TEST(StateFile, UnknownNamesAndMissingFilesAreObsolete)
{
    // An unknown name anywhere, even after the other lines.
    EXPECT_EQ(readText("HEADER    = YES\r\nSELECT    = PID\r\nSELECT    = Pid\r\n").result, 1);
    EXPECT_EQ(readText("SELECT    = NO SUCH ITEM").result, 1);

    testsupport::TempDir dir;
    FormChoices choices;
    EXPECT_EQ(itempick::ReadSelectState(dir.file("ds_parm2.txt"), itempick::kKavroItems, kRows, choices), 1);
    EXPECT_EQ(itempick::ReadSelectState("", itempick::kKavroItems, kRows, choices), 1);
    std::filesystem::create_directory(dir.file("ds_parm2.txt"));
    EXPECT_EQ(itempick::ReadSelectState(dir.file("ds_parm2.txt"), itempick::kKavroItems, kRows, choices), 1);
}

TEST(StateFile, FoundWhateverItsCase)
{
    testsupport::TempDir dir;
    EXPECT_EQ(itempick::findStateFile(dir.path()), "");
    writeFile(dir.file("DS_PARM2.TXT"), "");
    EXPECT_EQ(itempick::findStateFile(dir.path()), dir.file("DS_PARM2.TXT"));
    writeFile(dir.file("ds_parm2.txt"), "");
    EXPECT_EQ(itempick::findStateFile(dir.path()), dir.file("ds_parm2.txt"));
}

TEST(StateFile, AFailedSaveLeavesTheOldFile)
{
    testsupport::TempDir dir;
    const std::string old = "SELECT    = PID\r\n";
    writeFile(dir.file("ds_parm2.txt"), old);
    platform::RecordingNotices notices;
    const std::vector<platform::Notice> cannotSave{{"NOTICE", "Cannot save at the current location", false}};

    // A file size limit makes the writes fail, even for root.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit tiny = saved;
    tiny.rlim_cur = 20;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    const bool written = itempick::SaveSelectState(dir.path(), chosen(), itempick::kKavroItems, notices);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_EQ(notices.recorded(), cannotSave);
    EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), old);
    Lines entries;
    platform::listDirectory(dir.path(), entries);
    EXPECT_EQ(entries, Lines{"ds_parm2.txt"});

    notices.clear();
    EXPECT_FALSE(itempick::SaveSelectState(dir.file("no such dir"), chosen(), itempick::kKavroItems, notices));
    EXPECT_EQ(notices.recorded(), cannotSave);

    if (::geteuid() != 0) {
        notices.clear();
        ::chmod(dir.path().c_str(), 0555);
        EXPECT_FALSE(itempick::SaveSelectState(dir.path(), chosen(), itempick::kKavroItems, notices));
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_EQ(notices.recorded(), cannotSave);
        EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), old);
    }
}

// ds_parm2.txt as a symbolic or hard link to a data file in use (Kavro's
// loaded file, a file Morvane is about to join or split): refused with a
// notice, and nothing is written anywhere.
TEST(StateFile, SaveNeverWritesOverAFileInUse)
{
    const std::string data = "1        Quarndale Geomark Bureau\r\n AB1234  DESIGNATION -  MARK\r\n";
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        testsupport::TempDir dir;
        const std::string inUse = dir.file("join me.dat");
        writeFile(inUse, data);
        const std::string state = dir.file("ds_parm2.txt");
        ASSERT_EQ(symbolic ? ::symlink(inUse.c_str(), state.c_str()) : ::link(inUse.c_str(), state.c_str()), 0);
        platform::setInputsInUse([inUse] { return Lines{"/no/such/file", inUse}; });
        platform::RecordingNotices notices;
        const bool saved = itempick::SaveSelectState(dir.path(), chosen(), itempick::kMorvaneItems, notices);
        platform::setInputsInUse(nullptr);
        EXPECT_FALSE(saved);
        EXPECT_EQ(readFile(inUse), data);
        Lines entries;
        platform::listDirectory(dir.path(), entries);
        EXPECT_EQ(entries.size(), 2u);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE",
                                                  "Not saved: " + state + "\r\nis another name of the data file in use, " +
                                                      inUse + ".\r\nNothing was written.",
                                                  false}}));
    }
}
