// The station-type dialog: the codes and results captions of its choices,
// the order lists it shows, CANCEL, Morvane's layout, and in Kavro the
// search that OK starts by the search mode.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "datasheet/forms/tf_get_type.h"
#include "datasheet/type_filter.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "platform/qt/file_dialogs.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/test_files.h"

namespace {

using Lines = std::vector<std::string>;

void choose(TFGetType& dialog, int type, int horizontal, int vertical)
{
    dialog.TypeList->setCurrentRow(type);
    dialog.HOrderList->setCurrentRow(horizontal);
    dialog.VOrderList->setCurrentRow(vertical);
}

void clickItem(QListWidget& list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

// A dialog of its own with the code and the OK actions recorded.
struct Recorded {
    explicit Recorded(TFGetType::Layout layout, std::string initial = "")
        : code(std::move(initial)),
          dialog(nullptr,
                 {[this] { return code; }, [this](const std::string& c) { code = c.substr(0, 3); },
                  [this](char order) {
                      orders += order;
                      code = ds::typeCodeWithOrder(code, order);
                  }},
                 {[this](const std::string& c) { events.push_back("caption " + c); },
                  [this] { events.push_back("search"); }},
                 layout)
    {
    }
    std::string code;
    std::string orders;
    Lines events;
    TFGetType dialog;
};

struct ChoiceCase {
    int type, horizontal, vertical;
    const char* code;
    const char* caption;
};

void PrintTo(const ChoiceCase& c, std::ostream* out)
{
    *out << c.code << " from " << c.type << '/' << c.horizontal << '/' << c.vertical;
}

class TypeChoices : public testing::TestWithParam<ChoiceCase> {};

TEST_P(TypeChoices, OkSetsTheCodeThenCaptionsAndStartsTheSearch)
{
    const ChoiceCase& c = GetParam();
    Recorded r(TFGetType::Layout::Kavro);
    r.dialog.show();
    choose(r.dialog, c.type, c.horizontal, c.vertical);
    r.dialog.OkType->click();
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.events, (Lines{std::string("caption ") + c.caption, "search"}));
    EXPECT_FALSE(r.dialog.isVisible());
    EXPECT_TRUE(r.dialog.HOrderList->isHidden());
    EXPECT_TRUE(r.dialog.VOrderList->isHidden());
}

INSTANTIATE_TEST_SUITE_P(
    Kavro, TypeChoices,
    testing::Values(
        ChoiceCase{0, 0, 0, "X-0", "FIND Any Type"},
        ChoiceCase{3, 0, 0, "H-0", "FIND Only Horizontal Control"},
        // The empty seventh item: no order, and a blank for it in the caption.
        ChoiceCase{3, 6, 0, "H-0", "FIND Only Horizontal Control "},
        ChoiceCase{3, 1, 0, "H-A", "FIND Only Horizontal Control A Order Only"},
        ChoiceCase{3, 2, 0, "H-B", "FIND Only Horizontal Control B Order or above"},
        ChoiceCase{3, 3, 0, "H-1", "FIND Only Horizontal Control 1st Order or above"},
        ChoiceCase{3, 4, 0, "H-2", "FIND Only Horizontal Control 2nd Order or above"},
        ChoiceCase{3, 5, 4, "H-3", "FIND Only Horizontal Control 3rd Order or below POSTED bench marks"},
        ChoiceCase{4, 0, 0, "V-0", "FIND Only Vertical Control"},
        ChoiceCase{4, 0, 1, "V-1", "FIND Only Vertical Control 1st Order or above"},
        ChoiceCase{4, 0, 2, "V-2", "FIND Only Vertical Control 2nd Order or above"},
        ChoiceCase{4, 0, 3, "V-3", "FIND Only Vertical Control 3rd Order or below"},
        ChoiceCase{4, 0, 4, "V-P", "FIND Only Vertical Control POSTED bench marks"},
        ChoiceCase{4, 0, 5, "V-M", "FIND Only Vertical Control M-HEIGHT bench marks"},
        // The order lists count in the caption whatever the type.
        ChoiceCase{1, 3, 0, "FBN", "FIND Only Federal Base 1st Order or above"},
        ChoiceCase{2, 0, 0, "CBN", "FIND Only Cooperative Base"},
        ChoiceCase{5, 0, 0, "ELL", "FIND Only Stations with Ellipsoidal Heights"},
        ChoiceCase{6, 0, 0, "GPS", "FIND Only Sites suitable for GPS"},
        ChoiceCase{7, 0, 0, "COR", "FIND Only CORS (Continuously Operating Reference System)"},
        ChoiceCase{8, 0, 0, "PAC", "FIND Only PACS (Primary Airport Control)"},
        ChoiceCase{9, 0, 5, "SAC", "FIND Only SACS (Secondary Airport Control) M-HEIGHT bench marks"}));

TEST(TypeDialog, KavroLayoutShowsTheOrderListOfTheChosenType)
{
    Recorded r(TFGetType::Layout::Kavro, "GPS");
    TFGetType& d = r.dialog;
    EXPECT_EQ(d.windowTitle().toStdString(), "CONTROL TYPE INPUT");
    EXPECT_EQ(r.code, "X-0"); // set at creation
    EXPECT_TRUE(d.OkType->isDefault());
    EXPECT_EQ(d.CheckBox->text().toStdString(), "Stay On Top");
    EXPECT_EQ(d.HOrderList->item(6)->text().toStdString(), "");

    // Activation shows TypeList and the order list of the selected type.
    for (QWidget* list : {static_cast<QWidget*>(d.TypeList), static_cast<QWidget*>(d.HOrderList),
                          static_cast<QWidget*>(d.VOrderList)})
        list->hide();
    choose(d, 3, 0, 0);
    d.show();
    EXPECT_TRUE(d.TypeList->isVisible());
    EXPECT_TRUE(d.HOrderList->isVisible());
    EXPECT_FALSE(d.VOrderList->isVisible());
    d.hide();
    d.TypeList->setCurrentRow(4);
    d.show();
    EXPECT_FALSE(d.HOrderList->isVisible());
    EXPECT_TRUE(d.VOrderList->isVisible());

    // A click on a type shows its order list.
    clickItem(*d.TypeList, 3);
    EXPECT_TRUE(d.HOrderList->isVisible());
    EXPECT_FALSE(d.VOrderList->isVisible());
    clickItem(*d.TypeList, 6);
    EXPECT_FALSE(d.HOrderList->isVisible());
    EXPECT_FALSE(d.VOrderList->isVisible());
    clickItem(*d.TypeList, 4);
    EXPECT_FALSE(d.HOrderList->isVisible());
    EXPECT_TRUE(d.VOrderList->isVisible());

    // CANCEL only hides: the code and the lists' choices stay.
    r.code = "GPS";
    clickItem(*d.TypeList, 1);
    d.CANCEL->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(r.code, "GPS");
    EXPECT_TRUE(r.events.empty());
    EXPECT_EQ(d.TypeList->currentRow(), 1);
}

TEST(TypeDialog, MorvaneLayoutSetsTheCodeAndOrderClicksSetTheListsCode)
{
    Recorded r(TFGetType::Layout::Morvane);
    TFGetType& d = r.dialog;
    EXPECT_EQ(d.windowTitle().toStdString(), "CONTROL TYPE INPUT");
    EXPECT_EQ(r.code, ""); // creation leaves the frame's code alone
    EXPECT_FALSE(d.OkType->isDefault());
    EXPECT_EQ(d.CANCEL, nullptr);
    EXPECT_EQ(d.Panel1, nullptr);
    EXPECT_EQ(d.CheckBox, nullptr);
    EXPECT_TRUE(d.HOrderList->isHidden());
    EXPECT_TRUE(d.VOrderList->isHidden());

    d.show();
    choose(d, 0, 0, 0);
    EXPECT_TRUE(d.HOrderList->isHidden()); // no activation handler
    clickItem(*d.TypeList, 3);
    EXPECT_TRUE(d.HOrderList->isVisible());
    // An order click sets at once the code OK would set from the lists.
    clickItem(*d.HOrderList, 4);
    EXPECT_EQ(r.code, "H-2");
    r.code = "FBN";
    clickItem(*d.HOrderList, 1);
    EXPECT_EQ(r.code, "H-A");

    d.OkType->click();
    EXPECT_EQ(r.code, "H-A");
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(r.events.empty()); // no caption, no search

    d.show();
    clickItem(*d.TypeList, 4);
    EXPECT_TRUE(d.VOrderList->isVisible());
    clickItem(*d.VOrderList, 5);
    EXPECT_EQ(r.code, "V-M"); // never "H-M"
    d.OkType->click();
    EXPECT_EQ(r.code, "V-M");

    // An order list whose type is not chosen gives the chosen type's code.
    d.show();
    clickItem(*d.TypeList, 0);
    d.HOrderList->show();
    clickItem(*d.HOrderList, 3);
    EXPECT_EQ(r.code, "X-0"); // never "X-1"

    d.SelectFirstEntries();
    for (QListWidget* list : {d.TypeList, d.HOrderList, d.VOrderList}) {
        ASSERT_EQ(list->selectedItems().size(), 1);
        EXPECT_EQ(list->row(list->selectedItems().front()), 0);
    }
}

// In Kavro: OK by the search mode, the reload into the results.
class KavroTypeDialog : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        const std::string header = "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n";
        const auto station = [&](const std::string& pid, const std::vector<std::string>& texts) {
            std::string text = header + " " + pid + "  DESIGNATION -  MARK " + pid + "\r\n";
            for (const auto& t : texts)
                text += " " + pid + "  " + t + "\r\n";
            return text;
        };
        std::string gps(" AB0002_DATE OF LAST VISIT");
        gps.resize(41, ' ');
        path = dir.file("county.dat");
        testsupport::writeFile(path, station("AB0001", {"HORZ ORDER  -  THIRD"}) +
                                         station("AB0002", {"HORZ ORDER  -  FIRST"}) + gps +
                                         "REPORTED AS SUITABLE FOR GPS\r\n" + station("AB0003", {}) +
                                         station("AB0004", {"VERT ORDER  -  * POSTED, Code B"}));
        platform::queueFileAnswer(path);
        FMain->FilePrompt();
        stations = FList->MarksList->lines().lines();
        ASSERT_EQ(stations.size(), 4u);
    }

    Lines found() const { return FFound->FoundList->lines().lines(); }

    void ok(int type, int horizontal, int vertical)
    {
        FList->ByTypeClicked();
        choose(*FGetType, type, horizontal, vertical);
        FGetType->OkType->click();
    }

    testsupport::TempDir dir;
    std::string path;
    Lines stations;
};

TEST_F(KavroTypeDialog, OkReloadsTheFileIntoTheResultsWithTheMatchingStationsOnly)
{
    EXPECT_EQ(FMain->typeOkButton, FGetType->OkType);
    FFound->FoundList->lines().assign({"stale"});
    ok(3, 5, 0);
    EXPECT_EQ(found(), Lines{stations[0]});
    EXPECT_EQ(FFound->windowTitle().toStdString(), "FIND Only Horizontal Control 3rd Order or below");
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_FALSE(FGetType->isVisible());
    EXPECT_EQ(FList->MarksList->lines().lines(), stations);
    EXPECT_EQ(FMain->GetTypeCode(), "X-0"); // every load ends with it
    EXPECT_EQ(FMain->GetDataPath(), path);

    ok(3, 4, 0); // H-2 takes FIRST as well, not THIRD
    EXPECT_EQ(found(), Lines{stations[1]});
    ok(4, 0, 3); // Kavro's V-3 takes POSTED
    EXPECT_EQ(found(), Lines{stations[3]});
    ok(6, 0, 0);
    EXPECT_EQ(found(), Lines{stations[1]});
    ok(0, 0, 0);
    EXPECT_EQ(found(), stations);
    ok(1, 0, 0);
    EXPECT_TRUE(found().empty());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(KavroTypeDialog, RadiusAndAreaSearchesRunInPlaceOfTheReload)
{
    for (int mode : {3, 4}) {
        SCOPED_TRACE(mode);
        FList->SetSearchMode(mode);
        FFound->FoundList->lines().assign({"stale"});
        ok(3, 3, 0);
        // No reload: that would have listed AB0002 and set the code back to X-0.
        EXPECT_EQ(FMain->GetTypeCode(), "H-1");
        EXPECT_NE(found(), Lines{stations[1]});
        EXPECT_FALSE(FGetType->isVisible());
    }
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        FList->SetSearchMode(mode);
        ok(3, 3, 0);
        EXPECT_EQ(FMain->GetTypeCode(), "X-0");
        EXPECT_EQ(found(), Lines{stations[1]});
    }
}

TEST_F(KavroTypeDialog, CancelKeepsTheCodeForTheNextReload)
{
    FList->SetSearchMode(3);
    ok(6, 0, 0); // GPS, kept: the radius search does not load
    ASSERT_EQ(FMain->GetTypeCode(), "GPS");
    FList->SetSearchMode(0);
    FList->ByTypeClicked();
    choose(*FGetType, 3, 5, 0);
    FGetType->CANCEL->click();
    EXPECT_FALSE(FGetType->isVisible());
    EXPECT_EQ(FMain->GetTypeCode(), "GPS");

    FMain->CountyOKClick(FGetType->OkType);
    EXPECT_EQ(found(), Lines{stations[1]});
    EXPECT_EQ(FMain->GetTypeCode(), "X-0");
}

} // namespace
