// The item selection form: its defaults, moving items between the lists,
// the right-button drag, OK and Cancel, the options that show and hide
// controls, and the choices it saves and restores through ds_parm2.txt.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

#include "datasheet/forms/tf_help.h"
#include "itempick/tf_select.h"
#include "platform/notices.h"
#include "platform/qt/line_list_view.h"
#include "platform/qt/modal.h"
#include "platform/qt/radio_group.h"
#include "platform/qt/simple_combo_box.h"
#include "platform/qt/test_mode.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;
using testsupport::readFile;
using testsupport::writeFile;

const std::string kSeparator(18, '-');
const char* const kNoItems = "\r\n      No Items were selected.\r\n      Go back and Click on an item under\r\n        "
                             "'Available'\r\n      to move it to the\r\n        'Selected' column.";

std::string obsoleteText(const char* version)
{
    return std::string("ITEMPICK elements were saved\n       to file 'ds_parm2.txt' by a previous KAVRO session.\n"
                       "       The current KAVRO (version ") +
           version +
           ") has determined.\n       that the SAVED file is obsolete.\r\n       Kavro will not use the file.\n"
           "       Please click 'Reset' then 'Save'\n       to prevent this message from appearing again.\n";
}

// Each test runs in a scratch current directory, where the form finds and
// saves ds_parm2.txt, with notices recorded and modal showings queued.
class SelectForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        platform::setNotices(&notices);
        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override
    {
        std::filesystem::current_path(previousDirectory);
        platform::setNotices(nullptr);
        EXPECT_EQ(platform::queuedModals(), 0u);
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        platform::setTestMode(false);
    }

    // Shows the form modally; `user` plays the user while it is up. Returns GetSelectOK.
    int show(TFSelect& form, const std::function<void(TFSelect&)>& user)
    {
        platform::queueModal([&user](QDialog& dialog) { user(static_cast<TFSelect&>(dialog)); });
        platform::execModal(form);
        return form.GetSelectOK();
    }

    static Lines available(const TFSelect& form) { return form.SelectList->lines().lines(); }
    static Lines selected(const TFSelect& form) { return form.SelectWant->lines().lines(); }
    static Lines tableNames(const itempick::Build& build, bool obsolete)
    {
        Lines names;
        const itempick::AvailableTable table(build, obsolete);
        for (const auto& row : table.rows())
            names.emplace_back(row.name);
        return names;
    }
    // Clicks a line of a list with the left button, as the user does.
    static void click(platform::LineListView& view, int row)
    {
        const QRect rect = view.visualRect(view.model()->index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    }
    static QPoint centre(platform::LineListView& view, int row)
    {
        return view.visualRect(view.model()->index(row, 0)).center();
    }
    // A right-button drag from one point of the Selected list to another.
    static void drag(TFSelect& form, QPoint from, QPoint to)
    {
        QWidget* viewport = form.SelectWant->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, from);
        QTest::mouseMove(viewport, from + QPoint(0, 3));
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::RightButton, {}, to);
    }
    static int row(const Lines& lines, const std::string& name)
    {
        const auto it = std::find(lines.begin(), lines.end(), name);
        return it == lines.end() ? -1 : static_cast<int>(it - lines.begin());
    }

    testsupport::TempDir dir;
    std::filesystem::path previousDirectory;
    platform::RecordingNotices notices;
};

TEST_F(SelectForm, DefaultsWithoutASavedFile)
{
    TFSelect form;
    EXPECT_EQ(FSelect, &form);
    EXPECT_EQ(form.windowTitle(), "FSelect");
    const Lines lines = available(form);
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines, tableNames(itempick::kKavroItems, false));
    for (int separator : {5, 17, 30, 38, 45, 51})
        EXPECT_EQ(lines[separator], kSeparator) << separator;
    EXPECT_EQ(lines.front(), "DESIGNATION");
    EXPECT_EQ(lines.back(), "RECOVERY TEXT");
    EXPECT_TRUE(selected(form).empty());
    EXPECT_EQ(form.MainMenu1->actions().value(0)->text(), "Help");

    bool checked = false;
    EXPECT_EQ(show(form,
                   [&](TFSelect& shown) {
                       QCoreApplication::processEvents();
                       EXPECT_TRUE(shown.isVisible());
                       EXPECT_TRUE(shown.CheckBox1->isChecked());
                       EXPECT_FALSE(shown.CheckBox2->isChecked());
                       EXPECT_FALSE(shown.CheckBox3->isChecked());
                       EXPECT_FALSE(shown.WantsObsolete->isChecked());
                       EXPECT_EQ(shown.FieldDelimBox->text(), "|");
                       EXPECT_EQ(shown.FieldDelimBox->currentIndex(), 0);
                       EXPECT_EQ(shown.FieldDelimBox->count(), 8);
                       EXPECT_EQ(shown.RadioPosFormat->itemIndex(), 0);
                       EXPECT_FALSE(shown.RadioGroup2->isVisible());
                       EXPECT_FALSE(shown.DecListBox->isVisible());
                       EXPECT_EQ(shown.DecListBox->count(), 12);
                       EXPECT_EQ(shown.DecListBox->item(11)->text(), " ");
                       for (QWidget* hidden : {static_cast<QWidget*>(shown.Label8), static_cast<QWidget*>(shown.DescDelimBox),
                                               static_cast<QWidget*>(shown.Label7), static_cast<QWidget*>(shown.LineDelimBox)})
                           EXPECT_FALSE(hidden->isVisible());
                       EXPECT_TRUE(shown.Label5->isVisible());
                       EXPECT_TRUE(shown.FieldDelimBox->isVisible());
                       checked = true;
                       shown.SelectCancel->click();
                   }),
              0);
    EXPECT_TRUE(checked);
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SelectForm, ClicksMoveItemsBothWaysLeavingBlankLines)
{
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        click(*shown.SelectList, 1); // PID
        shown.SelectListClick(2);    // STATE
        shown.SelectListClick(0);    // DESIGNATION
        EXPECT_EQ(selected(shown), (Lines{"PID", "STATE", "DESIGNATION"}));
        Lines expected = tableNames(itempick::kKavroItems, false);
        expected[0] = expected[1] = expected[2] = "";
        EXPECT_EQ(available(shown), expected);
        // A click on a blank line does nothing.
        shown.SelectListClick(1);
        EXPECT_EQ(selected(shown).size(), 3u);

        click(*shown.SelectWant, 1); // STATE goes back to its own row
        expected[2] = "STATE";
        EXPECT_EQ(available(shown), expected);
        EXPECT_EQ(selected(shown), (Lines{"PID", "DESIGNATION"}));

        // Include Obsolete Elements: 93 lines, the Selected items' rows blank.
        shown.WantsObsolete->click();
        Lines all = tableNames(itempick::kKavroItems, true);
        ASSERT_EQ(all.size(), 93u);
        all[0] = all[1] = "";
        EXPECT_EQ(available(shown), all);
        EXPECT_EQ(all[51], "SUPER_HORZ_DATUM83"); // after SUPER_NGVD29_DATA

        // An obsolete item selected, then the box unchecked: the item stays
        // selected and leaves for nowhere when clicked.
        const int superLat = row(available(shown), "SUPER_LAT");
        ASSERT_GT(superLat, 0);
        shown.SelectListClick(superLat);
        shown.WantsObsolete->click();
        EXPECT_EQ(available(shown).size(), 72u);
        EXPECT_EQ(selected(shown), (Lines{"PID", "DESIGNATION", "SUPER_LAT"}));
        shown.SelectWantClick(2);
        EXPECT_EQ(selected(shown), (Lines{"PID", "DESIGNATION"}));
        EXPECT_EQ(row(available(shown), "SUPER_LAT"), -1);

        // Separators are rows like any other: two of them are both
        // selected, and each goes back to a row of its own.
        shown.SelectListClick(17);
        shown.SelectListClick(5);
        EXPECT_EQ(selected(shown), (Lines{"PID", "DESIGNATION", kSeparator, kSeparator}));
        EXPECT_EQ(available(shown)[5], "");
        EXPECT_EQ(available(shown)[17], "");
        shown.SelectWantClick(3);
        EXPECT_EQ(available(shown)[5], kSeparator);
        EXPECT_EQ(available(shown)[17], "");
        shown.SelectWantClick(2);
        EXPECT_EQ(available(shown)[17], kSeparator);
        EXPECT_EQ(selected(shown), (Lines{"PID", "DESIGNATION"}));
        shown.SelectCancel->click();
    });
}

TEST_F(SelectForm, TwoSeparatorsReachTheSettingsAndTheSavedFile)
{
    const std::vector<itempick::ItemChoice> items{{"PID", 6}, {kSeparator, 20}, {"STATE", 2}, {kSeparator, 20}};
    {
        TFSelect form;
        EXPECT_EQ(show(form,
                       [&](TFSelect& shown) {
                           for (int row : {1, 5, 2, 30})
                               shown.SelectListClick(row);
                           shown.SelectSave->click();
                           shown.SelectOK->click();
                       }),
                  1);
        EXPECT_EQ(form.Settings().items, items);
    }
    const std::string separatorLine = "SELECT    = " + kSeparator + "\r\n";
    const std::string saved = readFile(dir.file("ds_parm2.txt"));
    EXPECT_EQ(saved.substr(0, saved.find("POS FORMAT")),
              "SELECT    = PID\r\n" + separatorLine + "SELECT    = STATE\r\n" + separatorLine);

    // Restored: both in Selected, two separator rows blank in Available.
    TFSelect form;
    EXPECT_EQ(selected(form), (Lines{"PID", kSeparator, "STATE", kSeparator}));
    Lines expected = tableNames(itempick::kKavroItems, false);
    expected[1] = expected[2] = expected[5] = expected[17] = "";
    EXPECT_EQ(available(form), expected);
    EXPECT_EQ(show(form, [&](TFSelect& shown) { shown.SelectOK->click(); }), 1);
    EXPECT_EQ(form.Settings().items, items);
}

TEST_F(SelectForm, RightButtonDragReordersTheSelectedList)
{
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        for (int row : {0, 1, 2, 3})
            shown.SelectListClick(row);
        ASSERT_EQ(selected(shown), (Lines{"DESIGNATION", "PID", "STATE", "COUNTY"}));
        auto& view = *shown.SelectWant;
        // The third onto the first: to the top.
        drag(shown, centre(view, 2), centre(view, 0));
        EXPECT_EQ(selected(shown), (Lines{"STATE", "DESIGNATION", "PID", "COUNTY"}));
        // The first item is never picked up.
        drag(shown, centre(view, 0), centre(view, 3));
        EXPECT_EQ(selected(shown), (Lines{"STATE", "DESIGNATION", "PID", "COUNTY"}));
        // Below the last item: to the end.
        drag(shown, centre(view, 1), QPoint(centre(view, 0).x(), view.viewport()->height() - 2));
        EXPECT_EQ(selected(shown), (Lines{"STATE", "PID", "COUNTY", "DESIGNATION"}));
        // A press and release without moving is no drag, nor a click.
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, centre(view, 2));
        EXPECT_EQ(selected(shown), (Lines{"STATE", "PID", "COUNTY", "DESIGNATION"}));
        // Released off the list: nothing moves.
        drag(shown, centre(view, 2), QPoint(-20, -20));
        EXPECT_EQ(selected(shown), (Lines{"STATE", "PID", "COUNTY", "DESIGNATION"}));
        shown.SelectCancel->click();
    });
}

TEST_F(SelectForm, OkTakesTheSelectionAndTheOptions)
{
    TFSelect form;
    // Nothing selected: the notice, and the form stays open with no selection.
    bool stayed = false;
    EXPECT_EQ(show(form,
                   [&](TFSelect& shown) {
                       shown.SelectOK->click();
                       stayed = shown.isVisible();
                       EXPECT_EQ(shown.GetSelectOK(), 0);
                       shown.close(); // by its frame: Cancel
                   }),
              0);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(notices.recorded(), (std::vector<platform::Notice>{{"NOTICE", kNoItems, false}}));

    notices.clear();
    EXPECT_EQ(show(form,
                   [&](TFSelect& shown) {
                       shown.SelectListClick(1);
                       shown.SelectListClick(2);
                       shown.CheckBox1->click(); // Include Header off
                       shown.CheckBox2->click();
                       shown.CheckBox3->click();
                       QListWidget* items = shown.FieldDelimBox->list();
                       QTest::mouseClick(items->viewport(), Qt::LeftButton, {},
                                         items->visualItemRect(items->item(4)).center());
                       shown.DescDelimBox->edit()->selectAll();
                       QTest::keyClicks(shown.DescDelimBox->edit(), "Tab");
                       shown.LineDelimBox->edit()->selectAll();
                       QTest::keyClick(shown.LineDelimBox->edit(), Qt::Key_Delete);
                       shown.RadioPosFormat->item(1)->click();
                       shown.RadioGroup2->item(1)->click();
                       shown.DecListBox->setCurrentRow(3);
                       shown.SelectOK->click();
                       EXPECT_FALSE(shown.isVisible());
                   }),
              1);
    EXPECT_TRUE(notices.recorded().empty());
    const itempick::Settings& settings = form.Settings();
    EXPECT_EQ(settings.items, (std::vector<itempick::ItemChoice>{{"PID", 6}, {"STATE", 2}}));
    EXPECT_FALSE(settings.includeHeader);
    EXPECT_TRUE(settings.fixedField);
    EXPECT_TRUE(settings.singleLine);
    EXPECT_EQ(form.FieldDelimBox->text(), "tab");
    EXPECT_EQ(settings.fieldDelim, '\t');
    EXPECT_EQ(form.DescDelimBox->text(), "Tab");
    EXPECT_EQ(settings.descDelim, 'T');
    EXPECT_EQ(form.LineDelimBox->text(), "");
    EXPECT_EQ(settings.lineDelim, ' ');
    EXPECT_EQ(settings.positionFormat, 1);
    EXPECT_EQ(settings.westSign, 1);
    EXPECT_EQ(settings.decimals, "7 decimals");

    // Both forms of HISTORY: the error box, the form stays open, and the
    // settings of the last OK stand.
    EXPECT_EQ(show(form,
                   [&](TFSelect& shown) {
                       EXPECT_EQ(shown.GetSelectOK(), 0); // every showing starts from 0
                       shown.SelectListClick(row(available(shown), "LAST HISTORY"));
                       shown.SelectListClick(row(available(shown), "ALL HISTORY"));
                       shown.SelectOK->click();
                       EXPECT_TRUE(shown.isVisible());
                       shown.SelectCancel->click();
                   }),
              0);
    ASSERT_FALSE(notices.recorded().empty());
    EXPECT_EQ(notices.recorded().front().caption, "ITEMPICK ERROR");
    EXPECT_EQ(form.Settings().items.size(), 2u);
}

TEST_F(SelectForm, PositionFormatAndSingleLineShowTheirControls)
{
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        shown.RadioPosFormat->item(1)->click();
        EXPECT_TRUE(shown.RadioGroup2->isVisible());
        EXPECT_TRUE(shown.DecListBox->isVisible());
        shown.RadioGroup2->item(1)->click();
        shown.DecListBox->setCurrentRow(5);
        shown.RadioPosFormat->item(0)->click();
        EXPECT_FALSE(shown.RadioGroup2->isVisible());
        EXPECT_FALSE(shown.DecListBox->isVisible());
        EXPECT_EQ(shown.RadioGroup2->itemIndex(), 1);
        EXPECT_EQ(shown.DecListBox->currentRow(), 5);

        shown.CheckBox3->click();
        EXPECT_TRUE(shown.DescDelimBox->isVisible());
        EXPECT_TRUE(shown.Label7->isVisible());
        EXPECT_EQ(shown.DescDelimBox->text(), "NONE");
        EXPECT_EQ(shown.LineDelimBox->text(), "~");
        shown.CheckBox3->click();
        EXPECT_FALSE(shown.LineDelimBox->isVisible());
        shown.SelectCancel->click();
    });

    // Morvane's build: its caption, its rows, and the two boxes stay hidden.
    TFSelect morvane(itempick::kMorvaneItems);
    EXPECT_EQ(morvane.windowTitle(), "Itempick");
    EXPECT_EQ(available(morvane), tableNames(itempick::kMorvaneItems, false));
    EXPECT_EQ(available(morvane)[24], "GEOID_HEIGHT");
    show(morvane, [&](TFSelect& shown) {
        shown.CheckBox3->click();
        EXPECT_FALSE(shown.DescDelimBox->isVisible());
        shown.SelectCancel->click();
    });
}

TEST_F(SelectForm, ResetAndHelp)
{
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        shown.SelectListClick(1);
        shown.WantsObsolete->click();
        shown.CheckBox1->click();
        shown.CheckBox3->click();
        shown.FieldDelimBox->setText(",");
        shown.DescDelimBox->setText("^");
        shown.RadioPosFormat->item(1)->click();
        shown.Reset->click();
        EXPECT_TRUE(selected(shown).empty());
        // Include Obsolete Elements and the Desc and Line boxes keep their state.
        EXPECT_EQ(available(shown), tableNames(itempick::kKavroItems, true));
        EXPECT_TRUE(shown.WantsObsolete->isChecked());
        EXPECT_TRUE(shown.CheckBox1->isChecked());
        EXPECT_FALSE(shown.CheckBox3->isChecked());
        EXPECT_FALSE(shown.DescDelimBox->isVisible());
        EXPECT_EQ(shown.DescDelimBox->text(), "^");
        EXPECT_EQ(shown.FieldDelimBox->text(), "|");
        EXPECT_EQ(shown.RadioPosFormat->itemIndex(), 0);
        EXPECT_FALSE(shown.DecListBox->isVisible());
        shown.SelectCancel->click();
    });

    TFHelp help;
    form.H1->trigger();
    EXPECT_EQ(help.GetHelpContext(), 2);
    EXPECT_TRUE(help.isVisible());
    int asked = 0;
    form.SetHelpHandler([&] { ++asked; });
    form.H1->trigger();
    EXPECT_EQ(asked, 1);
}

TEST_F(SelectForm, SaveWritesTheFileAndANewFormRestoresIt)
{
    {
        TFSelect form;
        show(form, [&](TFSelect& shown) {
            shown.WantsObsolete->click();
            shown.SelectListClick(row(available(shown), "SUPER_LAT"));
            shown.SelectListClick(1);
            shown.CheckBox2->click();
            shown.CheckBox3->click();
            shown.FieldDelimBox->setText("#");
            shown.LineDelimBox->setCurrentIndex(3);
            shown.RadioPosFormat->item(1)->click();
            shown.RadioGroup2->item(1)->click();
            shown.DecListBox->setCurrentRow(11);
            shown.SelectSave->click();
            shown.SelectCancel->click();
        });
    }
    EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), "SELECT    = SUPER_LAT\r\n"
                                                  "SELECT    = PID\r\n"
                                                  "WEST LONG = -\r\n"
                                                  "POS FORMAT= DEC-DEG\r\n"
                                                  "DEC PLACES=  \r\n"
                                                  "HEADER    = YES\r\n"
                                                  "FIX WIDTH = YES\r\n"
                                                  "SINGLE LN = YES\r\n"
                                                  "WANTS OLD = YES\r\n"
                                                  "FLD DELIM = #\r\n"
                                                  "DES DELIM = NONE\r\n"
                                                  "LIN DELIM = ;\r\n");
    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded().front().caption, "Settings Saved");

    notices.clear();
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        EXPECT_EQ(selected(shown), (Lines{"SUPER_LAT", "PID"}));
        Lines expected = tableNames(itempick::kKavroItems, true);
        expected[1] = expected[row(expected, "SUPER_LAT")] = "";
        EXPECT_EQ(available(shown), expected);
        EXPECT_TRUE(shown.WantsObsolete->isChecked());
        EXPECT_TRUE(shown.CheckBox1->isChecked());
        EXPECT_TRUE(shown.CheckBox2->isChecked());
        EXPECT_TRUE(shown.CheckBox3->isChecked());
        EXPECT_TRUE(shown.DescDelimBox->isVisible());
        EXPECT_EQ(shown.FieldDelimBox->text(), "#");
        EXPECT_EQ(shown.FieldDelimBox->currentIndex(), -1);
        EXPECT_EQ(shown.LineDelimBox->text(), ";");
        EXPECT_EQ(shown.LineDelimBox->currentIndex(), 3);
        EXPECT_EQ(shown.RadioPosFormat->itemIndex(), 1);
        EXPECT_TRUE(shown.DecListBox->isVisible());
        EXPECT_EQ(shown.RadioGroup2->itemIndex(), 1);
        EXPECT_EQ(shown.DecListBox->currentRow(), 0); // the blank line reads back as "10 decimals"
        QCoreApplication::processEvents();
        shown.SelectOK->click();
    });
    EXPECT_TRUE(notices.recorded().empty());
    EXPECT_EQ(form.Settings().fieldDelim, '#');

    // Morvane's form reads Kavro's file: the obsolete item is restored all the same.
    TFSelect morvane(itempick::kMorvaneItems);
    EXPECT_EQ(selected(morvane), (Lines{"SUPER_LAT", "PID"}));
    EXPECT_TRUE(morvane.WantsObsolete->isChecked());
}

TEST_F(SelectForm, AnObsoleteFileGivesTheDefaultsAndOneNotice)
{
    writeFile(dir.file("DS_PARM2.TXT"), "SELECT    = PID\r\nSELECT    = NOSUCH\r\nHEADER    = NO\r\nFLD DELIM = ,\r\n");
    for (const itempick::Build* build : {&itempick::kKavroItems, &itempick::kMorvaneItems}) {
        SCOPED_TRACE(build->caption.data());
        notices.clear();
        TFSelect form(*build);
        EXPECT_TRUE(notices.recorded().empty()); // not at creation
        show(form, [&](TFSelect& shown) {
            QCoreApplication::processEvents(); // the notice follows the showing
            EXPECT_TRUE(selected(shown).empty());
            EXPECT_EQ(available(shown), tableNames(*build, false));
            EXPECT_TRUE(shown.CheckBox1->isChecked());
            EXPECT_EQ(shown.FieldDelimBox->text(), "|");
            shown.SelectCancel->click();
        });
        show(form, [&](TFSelect& shown) {
            QCoreApplication::processEvents();
            shown.SelectCancel->click();
        });
        EXPECT_EQ(notices.recorded(),
                  (std::vector<platform::Notice>{{"NOTICE", obsoleteText(build->version().data()), false}}));
    }

    // Reset then Save puts a file that reads without a notice.
    notices.clear();
    {
        TFSelect form;
        show(form, [&](TFSelect& shown) {
            shown.Reset->click();
            shown.SelectSave->click();
            shown.SelectCancel->click();
        });
    }
    EXPECT_EQ(readFile(dir.file("ds_parm2.txt")), "POS FORMAT= STANDARD\r\nHEADER    = YES\r\nFIX WIDTH = NO\r\n"
                                                  "SINGLE LN = NO\r\nWANTS OLD = NO\r\nFLD DELIM = |\r\n"
                                                  "DES DELIM = NONE\r\nLIN DELIM = ~\r\n");
    notices.clear();
    TFSelect form;
    show(form, [&](TFSelect& shown) {
        QCoreApplication::processEvents();
        shown.SelectCancel->click();
    });
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(SelectForm, SaveWhereNothingCanBeWritten)
{
    TFSelect form;
    const std::string gone = dir.file("gone");
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
    form.SelectSave->click();
    std::filesystem::current_path(dir.path());
    EXPECT_EQ(notices.recorded(),
              (std::vector<platform::Notice>{{"NOTICE", "Cannot save at the current location", false}}));
}

} // namespace
