// Printing from the station list, results and viewer windows, their Print
// Setup, and the station list's reading of ds_parm1.txt at activation.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>

#include <unistd.h>

#include "bench/datasheet_generator.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/list_marks.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/qt/memo.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/simple_combo_box.h"
#include "platform/recording_printer.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/pdf_text.h"
#include "tests/support/scratch_cwd.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kSettings = "ds_parm1.txt";

class Printing : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        platform::setPrinter(&printer);
    }
    void TearDown() override
    {
        platform::setPrinter(nullptr);
        KavroTest::TearDown();
    }

    void loadStations(std::size_t count)
    {
        dsgen::Options options;
        options.stations = count;
        load(dsgen::generateString(options));
    }
    void load(const std::string& bytes)
    {
        const std::string data = files.file("data.txt");
        writeFile(data, bytes);
        loadFile(data);
    }
    void loadFile(const std::string& path)
    {
        platform::queueFileAnswer(path);
        FMain->FilePrompt();
        ASSERT_EQ(FMain->GetDataPath(), path);
        ASSERT_TRUE(notices.recorded().empty());
    }
    std::vector<int> pageSizes() const
    {
        std::vector<int> sizes;
        for (const auto& job : printer.jobs)
            sizes.push_back(static_cast<int>(job.texts.size()));
        return sizes;
    }
    Lines printed() const
    {
        Lines all;
        for (const auto& job : printer.jobs)
            for (const auto& text : job.texts)
                all.push_back(text.text);
        return all;
    }
    void activateList()
    {
        QEvent activate(QEvent::WindowActivate); // sendEvent leaves the event to its sender
        QApplication::sendEvent(FList, &activate);
    }
    void settings(int lines, int eject)
    {
        FPrintSet->SetLinesPerPage(lines);
        FPrintSet->SetPageEject(eject);
    }
    // OK in the dialog with this text and "Yes" (0) or "No" (1).
    void ok(const char* typed, int radio)
    {
        FPrintSet->PrintSetCombo->edit()->setText(typed);
        FPrintSet->SetRadioIndex(radio);
        FPrintSet->PrintSetOk->click();
    }

    // The current directory, where ds_parm1.txt is read and saved; made
    // before the windows are.
    testsupport::ScratchCurrentDirectory cwd;
    testsupport::TempDir files;
    platform::RecordingPrinter printer;
};

TEST_F(Printing, StationListPrintsItsLinesWithTags)
{
    loadStations(120);
    platform::LineList& lines = FList->MarksList->lines();
    lines.set(1, ds::toggledMark(lines.at(1)));
    ASSERT_EQ(lines.at(1).substr(0, 5), "   ->");
    std::vector<std::string> panel;
    printer.onBeginJob = [&panel] { panel.push_back(FList->Panel2->text().toStdString()); };
    FList->Print1->trigger();
    ASSERT_FALSE(panel.empty());
    EXPECT_EQ(panel.front(), "Please Wait...");
    EXPECT_EQ(pageSizes(), (std::vector<int>{59, 59, 2}));
    EXPECT_EQ(printed(), lines.lines());
    ASSERT_FALSE(printer.jobs[0].fonts.empty());
    EXPECT_EQ(printer.jobs[0].fonts.front(), platform::printFont(FList->MarksList->font()));
    EXPECT_EQ(FStatus, nullptr);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(Printing, SettingsOfTheDialogApplyToEveryWindow)
{
    loadStations(30);
    ok("10", 0);
    FList->Print1Click();
    EXPECT_EQ(pageSizes(), (std::vector<int>{11, 11, 8}));

    // The results window: its own list and font.
    printer.jobs.clear();
    FFound->FoundList->lines().append(Lines{"    X|KA0001|B-2|a", "     |KA0002|B-2|b", "     |KA0003|B-2|c"});
    ok("1", 0);
    FFound->Print1->trigger();
    EXPECT_EQ(pageSizes(), (std::vector<int>{2, 1}));
    EXPECT_EQ(printed(), FFound->FoundList->lines().lines());
    EXPECT_EQ(printer.jobs[0].fonts.front(), platform::printFont(FFound->FoundList->font()));
    EXPECT_EQ(FStatus, nullptr);
}

TEST_F(Printing, ViewerPrintsTheMemoInItsFontWithPageEject)
{
    loadFile(std::string(DS_FIXTURES_DIR) + "/../../samples/disk/datasheets.txt");
    ok("58", 0); // "Yes"
    FDisplay->ShowDatasheet("KA0001");
    QFont font = FDisplay->DsDisplay->font();
    font.setPixelSize(13);
    FDisplay->DsDisplay->setFont(font);
    const Lines shown = platform::memoLines(*FDisplay->DsDisplay);
    ASSERT_EQ(shown.size(), 88u);
    FDisplay->PrintDS->trigger();
    // The header line begins with '1' but starts no page of its own.
    EXPECT_EQ(pageSizes(), (std::vector<int>{59, 29}));
    EXPECT_EQ(printed(), shown);
    EXPECT_EQ(printer.jobs[0].fonts.front(), platform::printFont(font));

    // Three datasheets in the memo: each header line starts a page.
    printer.jobs.clear();
    FDisplay->DsDisplay->setPlainText("1 first\nline\n1 second\nline\n1 third");
    FDisplay->PrintDSClick();
    EXPECT_EQ(pageSizes(), (std::vector<int>{2, 2, 1}));
}

TEST_F(Printing, APrintoutThatCannotBeginIsReported)
{
    loadStations(5);
    printer.failBeginJob = 1;
    FList->Print1Click();
    const std::vector<platform::Notice> expected{{"NOTICE", "Could not print to Recording Printer", false}};
    EXPECT_EQ(notices.recorded(), expected);
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(FStatus, nullptr);
}

TEST_F(Printing, PrintSetupShowsTheSettings)
{
    for (QAction* item : {FList->PrintSetup1, FFound->PrintSetup1, FDisplay->PrintSetupDs}) {
        FPrintSet->hide();
        item->trigger();
        EXPECT_TRUE(FPrintSet->isVisible());
    }
}

TEST_F(Printing, ActivationReadsTheFile)
{
    const std::string longLine(300, 'x');
    struct Case {
        const char* name;
        std::string bytes; // empty: no file
        int lines;
        int eject;
    };
    const std::vector<Case> cases{
        {"62, eject 0", "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n", 62, 0},
        {"80, eject 1", "LinesPerPage = 80\r\nPageEject    = 1\r\n\r\n", 80, 1},
        {"eject 2", "LinesPerPage = 60\r\nPageEject    = 2\r\n", 60, 2},
        {"no digit", "LinesPerPage = ab\r\nPageEject    = x\r\n", 0, 0},
        {"a last line without a line end", "LinesPerPage = 62\r\nPageEject    = 1", 62, 1},
        {"300-character lines", longLine + "\r\nLinesPerPage = 65" + longLine + "\r\n", 65, 7},
        {"no file", "", 57, 7},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(kSettings);
        if (!c.bytes.empty())
            writeFile(cwd.file(kSettings), c.bytes);
        settings(57, 7);
        activateList();
        EXPECT_EQ(FPrintSet->GetLinesPerPage(), c.lines) << c.name;
        EXPECT_EQ(FPrintSet->GetPageEject(), c.eject) << c.name;
        // The dialog's controls stay.
        EXPECT_EQ(FPrintSet->PrintSetCombo->text(), "58") << c.name;
        EXPECT_EQ(FPrintSet->RadioIndex(), 0) << c.name;
    }
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(Printing, SettingsChosenWithOkStayUntilTheFileIsSaved)
{
    writeFile(cwd.file(kSettings), "LinesPerPage = 66\r\nPageEject    = 1\r\n\r\n");
    activateList();
    EXPECT_EQ(FPrintSet->GetLinesPerPage(), 66);

    ok("70", 1);
    activateList();
    EXPECT_EQ(FPrintSet->GetLinesPerPage(), 70);
    EXPECT_EQ(FPrintSet->GetPageEject(), 0);

    // SAVE writes the file and leaves the settings in use; the next
    // activation applies the saved values.
    FPrintSet->PrintSetCombo->edit()->setText("62");
    FPrintSet->SetRadioIndex(1);
    FPrintSet->PrintSetSave->click();
    EXPECT_EQ(readFile(cwd.file(kSettings)), "LinesPerPage = 62\r\nPageEject    = 0\r\n\r\n");
    EXPECT_EQ(readFile(cwd.file(kSettings)).size(), 39u);
    EXPECT_EQ(FPrintSet->GetLinesPerPage(), 70);
    activateList();
    EXPECT_EQ(FPrintSet->GetLinesPerPage(), 62);
    EXPECT_EQ(FPrintSet->GetPageEject(), 0);
}

// SAVE never writes ds_parm1.txt through a link onto the data file loaded.
TEST_F(Printing, SaveOntoTheLoadedFileIsRefused)
{
    loadStations(3);
    const std::string data = FMain->GetDataPath();
    const std::string bytes = readFile(data);
    for (const bool symbolic : {true, false}) {
        SCOPED_TRACE(symbolic ? "symbolic link" : "hard link");
        ::unlink(kSettings.c_str());
        ASSERT_EQ(symbolic ? ::symlink(data.c_str(), kSettings.c_str()) : ::link(data.c_str(), kSettings.c_str()), 0);
        notices.clear();
        FPrintSet->PrintSetSave->click();
        EXPECT_EQ(readFile(data), bytes);
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE",
                                                  "Not saved: ds_parm1.txt\r\nis another name of the data file in "
                                                  "use, " + data + ".\r\nNothing was written.",
                                                  false}}));
    }
}

// A datasheet line of 84 characters in the viewer's own font is wider than
// A4 and Letter paper: the printout is made smaller so that it ends whole.
TEST_F(Printing, ViewerLinesKeepTheirEndsOnA4AndLetter)
{
    if (!testsupport::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    platform::setPrinter(nullptr);
    loadFile(std::string(DS_FIXTURES_DIR) + "/../../samples/disk/datasheets.txt");
    ok("58", 0);
    FDisplay->ShowDatasheet("KA0001");
    Lines shown = platform::memoLines(*FDisplay->DsDisplay);
    ASSERT_EQ(shown.size(), 88u);
    std::string wide = " KA0001'FROM THE JUNCTION OF STATE HIGHWAYS 10 AND 59 GO NORTH ALONG HIGHWAY 59 FOR";
    wide.resize(81, ' ');
    wide += " MI";
    ASSERT_EQ(wide.size(), 84u);
    shown.insert(shown.begin() + 5, wide);
    shown.insert(shown.begin() + 70, std::string(81, '9') + " MI");
    platform::setMemoLines(*FDisplay->DsDisplay, shown);
    QPrinter& paper = platform::programPrinter().qPrinter();
    const QPageSize before = paper.pageLayout().pageSize();
    for (const auto& size : {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)}) {
        const std::string pdf = files.file("viewer.pdf");
        platform::programPrinter().usePdfFile(pdf);
        paper.setPageSize(size);
        FDisplay->PrintDSClick();
        const auto pages = testsupport::pdfPages(pdf);
        ASSERT_EQ(pages.size(), 2u) << size.name().toStdString();
        EXPECT_LE(pages[0].size(), 59u);
        Lines printed;
        for (const auto& page : pages)
            for (const auto& line : page)
                printed.push_back(testsupport::squeezed(line));
        Lines want;
        for (const auto& line : shown)
            want.push_back(testsupport::squeezed(line));
        // pdftotext leaves out empty lines at the end of a page only.
        EXPECT_EQ(printed, want) << size.name().toStdString();
    }
    paper.setPageSize(before);
    platform::programPrinter().useSystemPrinter();
    EXPECT_TRUE(notices.recorded().empty());
}

// Lines longer than 149 characters: the printout shrinks only until 149
// characters fill the paper; longer lines go on, whole, on the rows below.
TEST_F(Printing, LongLinesWrapAtTheSmallestSizeOnA4AndLetter)
{
    if (!testsupport::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    platform::setPrinter(nullptr);
    loadFile(std::string(DS_FIXTURES_DIR) + "/../../samples/disk/datasheets.txt");
    ok("58", 0);
    FDisplay->ShowDatasheet("KA0001");
    // Letters that tell their places apart, so that a lost or doubled
    // character shows.
    const auto counted = [](std::size_t length) {
        std::string text;
        for (std::size_t i = 0; i < length; ++i)
            text += static_cast<char>('a' + i % 26);
        return text;
    };
    const Lines shown{"short", counted(149), counted(254), counted(300), counted(3000), "end"};
    platform::setMemoLines(*FDisplay->DsDisplay, shown);
    QPrinter& paper = platform::programPrinter().qPrinter();
    const QPageSize before = paper.pageLayout().pageSize();
    for (const auto& size : {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter)}) {
        SCOPED_TRACE(size.name().toStdString());
        const std::string pdf = files.file("wide.pdf");
        platform::programPrinter().usePdfFile(pdf);
        paper.setPageSize(size);
        FDisplay->PrintDSClick();
        const auto pages = testsupport::pdfPages(pdf);
        ASSERT_EQ(pages.size(), 1u);
        Lines rows;
        for (const auto& line : pages[0])
            rows.push_back(testsupport::squeezed(line));
        // Each line from its rows; every row but a line's last holds at
        // least 149 characters, and not many more (the size is the floor).
        std::size_t row = 0;
        for (const std::string& line : shown) {
            std::string joined;
            std::size_t rowsOfLine = 0;
            while (row < rows.size() && joined.size() < line.size()) {
                if (joined.size() + rows[row].size() < line.size()) {
                    EXPECT_GE(rows[row].size(), 149u) << row;
                    EXPECT_LE(rows[row].size(), 156u) << row;
                }
                joined += rows[row++];
                ++rowsOfLine;
            }
            EXPECT_EQ(joined, line);
            if (line.size() == 3000) {
                EXPECT_GE(rowsOfLine, 20u);
                EXPECT_LE(rowsOfLine, 21u);
            }
        }
        EXPECT_EQ(row, rows.size());
    }
    paper.setPageSize(before);
    platform::programPrinter().useSystemPrinter();
    EXPECT_TRUE(notices.recorded().empty());
}

// The whole road into a PDF file, as a user prints with More set to a file.
TEST_F(Printing, IntoAPdfFile)
{
    if (!testsupport::havePdfToText())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    platform::setPrinter(nullptr);
    const std::string pdf = files.file("list.pdf");
    platform::programPrinter().usePdfFile(pdf);
    loadStations(120);
    FList->Print1Click();
    auto pages = testsupport::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].size(), 59u);
    EXPECT_EQ(pages[1].size(), 59u);
    EXPECT_EQ(pages[2].size(), 2u);
    const Lines& lines = FList->MarksList->lines().lines();
    EXPECT_EQ(testsupport::squeezed(pages[0][0]), testsupport::squeezed(lines[0]));
    EXPECT_EQ(testsupport::squeezed(pages[2][1]), testsupport::squeezed(lines[119]));

    // The viewer, with page eject ("Yes"), in a font of 13 pixels: 59 and
    // 29 lines, the header line first.
    loadFile(std::string(DS_FIXTURES_DIR) + "/../../samples/disk/datasheets.txt");
    ok("58", 0);
    FDisplay->ShowDatasheet("KA0001");
    const QFont shownFont = FDisplay->DsDisplay->font();
    QFont font = shownFont;
    font.setPixelSize(13);
    FDisplay->DsDisplay->setFont(font);
    FDisplay->PrintDSClick();
    pages = testsupport::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 59u);
    EXPECT_EQ(pages[1].size(), 29u);
    EXPECT_EQ(testsupport::squeezed(pages[0][0]).rfind("1 Quarndale Geomark Bureau,", 0), 0u) << pages[0][0];

    // In the viewer's own 16 pixels, 59 lines are taller than the paper: a
    // page ends with the last line that fits (as many or more where the
    // widest line makes the printout smaller).
    FDisplay->DsDisplay->setFont(shownFont);
    platform::QtPrinter& paper = platform::programPrinter();
    paper.setFont(platform::printFont(shownFont));
    const int fit = (paper.printableHeight() - paper.pixelsPerInch() / 2) / paper.textHeight("E");
    ASSERT_LT(fit, 59);
    FDisplay->PrintDSClick();
    pages = testsupport::pdfPages(pdf);
    paper.useSystemPrinter();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_GE(pages[0].size(), static_cast<std::size_t>(fit));
    EXPECT_LE(pages[0].size(), 59u);
    EXPECT_EQ(pages[0].size() + pages[1].size(), 88u);
    EXPECT_TRUE(notices.recorded().empty());
}

} // namespace
