// The CD-ROM steps of the main window: drive, state, county.
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "datasheet/forms/tf_offsets.h"
#include "platform/files.h"
#include "platform/qt/text.h"
#include "tests/kavro/kavro_fixture.h"
#include "tests/support/scratch_cwd.h"
#include "tests/support/test_files.h"

namespace {

using testsupport::writeFile;

const std::string kStations =
    "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
    " AB1234  DESIGNATION -  FIRST MARK\r\n"
    "1        Quarndale Geomark Bureau,          Retrieval Date = NOVEMBER 3, 2004\r\n"
    " CD5678  DESIGNATION -  SECOND MARK\r\n";

const std::vector<std::string> kListLines{"     |AB1234| - |          |           |FIRST MARK",
                                          "     |CD5678| - |          |           |SECOND MARK"};

std::vector<std::string> items(const QComboBox& combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.push_back(platform::fromQ(combo.itemText(i)));
    return texts;
}

class CdromSteps : public KavroTest {
protected:
    void SetUp() override
    {
        KavroTest::SetUp();
        writeFile(disc.file("DATA/DSDATA.TXT"), "items\r\n");
        writeFile(disc.file("DATA/AZ/county.AZ"), "AZ001.DAT | APACHE\r\nAZ003.DAT | COCHISE  \r\n");
        writeFile(disc.file("DATA/AZ/az001.dat"), kStations); // disc mounted with lower-case file names
        writeFile(disc.file("DATA/docs/readme"), "");
        writeFile(disc.file("DATA/Pacific/GU/GU000.dat"), kStations);
    }

    // File > CD_ROM-Datasheets, then the drive picked and OK clicked.
    void pickDrive(const std::string& root)
    {
        emit FMain->File->aboutToShow();
        FMain->CDROM1->trigger();
        FMain->DriveCombo->addItem(platform::pathToQ(root));
        FMain->DriveCombo->setCurrentIndex(FMain->DriveCombo->count() - 1);
        emit FMain->DriveCombo->activated(FMain->DriveCombo->currentIndex());
        FMain->DriveOk->click();
    }
    void pickState(const std::string& code)
    {
        FMain->StatesCombo->setEditText(platform::toQ(code));
        FMain->StateOK->click();
    }
    void pickCounty(const std::string& entry)
    {
        FMain->CountiesCombo->setEditText(platform::toQ(entry));
        FMain->CountyOK->click();
    }

    testsupport::TempDir disc;
};

TEST_F(CdromSteps, DriveOffersTheStateDirectoriesThenPacific)
{
    pickDrive(disc.path());
    EXPECT_EQ(FMain->GetDrive(), disc.path());
    EXPECT_EQ(items(*FMain->StatesCombo), (std::vector<std::string>{"AZ", "GU"}));
    EXPECT_EQ(FMain->StatesCombo->currentText().toStdString(), ""); // nothing picked yet
    EXPECT_TRUE(FMain->StatesCombo->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->Label2->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->StateOK->isVisibleTo(FMain));
    EXPECT_FALSE(FMain->CountiesCombo->isVisibleTo(FMain));
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on State Code");
    EXPECT_TRUE(notices.recorded().empty());
}

// Started in a copy of the disc, as ./run starts the samples: the drive list
// preselects the current directory, and OK on it lists its states.
class CdromInTheCurrentDirectory : public KavroTest {
protected:
    testsupport::ScratchCurrentDirectory cwd; // made before the windows are
};

TEST_F(CdromInTheCurrentDirectory, DriveListPreselectsIt)
{
    writeFile(cwd.file("DATA/AZ/county.AZ"), "AZ001.DAT | APACHE\r\n");
    emit FMain->File->aboutToShow();
    FMain->CDROM1->trigger();
    EXPECT_GT(FMain->DriveCombo->count(), 1);
    EXPECT_EQ(platform::pathFromQ(FMain->DriveCombo->currentText()), platform::currentDirectory());
    FMain->DriveOk->click();
    EXPECT_EQ(FMain->GetDrive(), platform::currentDirectory());
    EXPECT_EQ(items(*FMain->StatesCombo), (std::vector<std::string>{"AZ"}));
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(CdromSteps, DriveWithoutDataDirectory)
{
    pickDrive(disc.path());
    testsupport::TempDir blank;
    FMain->DriveCombo->addItem(platform::pathToQ(blank.path()));
    FMain->DriveCombo->setCurrentIndex(FMain->DriveCombo->count() - 1);
    FMain->DriveOk->click();

    ASSERT_EQ(notices.recorded().size(), 1u);
    EXPECT_EQ(notices.recorded()[0],
              (platform::Notice{"NOTICE",
                                "ERROR - Invalid Directory Structure\r\n      Looking for QGB CD-ROM Directory "
                                "called '/DATA'\r\n      Insert QGB Datasheet CD-ROM and Try Again.",
                                false}));
    EXPECT_EQ(FMain->StatesCombo->count(), 0);
    EXPECT_EQ(FMain->StatesCombo->currentText().toStdString(), "");
    EXPECT_TRUE(FMain->StateOK->isVisibleTo(FMain)); // state controls keep their visibility
}

TEST_F(CdromSteps, StateShowsItsCountyListUnchanged)
{
    pickDrive(disc.path());
    FMain->StatesCombo->setCurrentIndex(0);
    emit FMain->StatesCombo->activated(0);
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on OK");
    FMain->StateOK->click();
    EXPECT_EQ(items(*FMain->CountiesCombo), (std::vector<std::string>{"AZ001.DAT | APACHE", "AZ003.DAT | COCHISE  "}));
    EXPECT_EQ(FMain->CountiesCombo->currentText().toStdString(), "");
    EXPECT_TRUE(FMain->CountiesCombo->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->Label3->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->CountyOK->isVisibleTo(FMain));
    EXPECT_EQ(FMain->prompt().toStdString(), "Click on County Code");

    pickState("az"); // typed in lower case: county.az finds county.AZ
    EXPECT_EQ(items(*FMain->CountiesCombo), (std::vector<std::string>{"AZ001.DAT | APACHE", "AZ003.DAT | COCHISE  "}));
}

// The program clears the state text itself; that is no edit of the user's,
// so the county step stays as it was.
TEST_F(CdromSteps, DriveOkAgainAtTheCountyStepKeepsTheCountyControls)
{
    pickDrive(disc.path());
    pickState("AZ");
    ASSERT_TRUE(FMain->CountiesCombo->isVisibleTo(FMain));
    FMain->DriveOk->click();
    EXPECT_EQ(items(*FMain->StatesCombo), (std::vector<std::string>{"AZ", "GU"}));
    EXPECT_TRUE(FMain->CountiesCombo->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->Label3->isVisibleTo(FMain));
    EXPECT_TRUE(FMain->CountyOK->isVisibleTo(FMain));
    // A state typed by the user still hides them.
    FMain->StatesCombo->setEditText("G");
    EXPECT_FALSE(FMain->CountiesCombo->isVisibleTo(FMain));
}

TEST_F(CdromSteps, TerritoryWithoutCountyListOffersItsSingleFile)
{
    pickDrive(disc.path());
    pickState("GU");
    EXPECT_EQ(items(*FMain->CountiesCombo), std::vector<std::string>{"GU000.dat | GUAM"});

    pickCounty("GU000.dat | GUAM");
    EXPECT_EQ(FMain->GetDataPath(), disc.path() + "/DATA/Pacific/GU/GU000.dat");
    EXPECT_EQ(FList->MarksList->lines().lines(), kListLines);
}

TEST_F(CdromSteps, CountyLoadsItsDatasheetFile)
{
    pickDrive(disc.path());
    pickState("AZ");
    FMain->SetTypeCode("GPS");
    pickCounty("AZ001.DAT | APACHE");

    const std::string path = disc.path() + "/DATA/AZ/az001.dat";
    EXPECT_EQ(FMain->GetDataPath(), path);
    EXPECT_EQ(FMain->GetTypeCode(), "X-0");
    EXPECT_TRUE(FList->isVisible());
    EXPECT_EQ(FList->windowTitle().toStdString(), path);
    EXPECT_EQ(FList->MarksList->lines().lines(), kListLines);
    EXPECT_EQ(FOffsets->LocList->lines().lines(), (std::vector<std::string>{"AB1234|0", "CD5678|115"}));
    EXPECT_FALSE(FOffsets->isVisible());
    EXPECT_TRUE(notices.recorded().empty());
}

TEST_F(CdromSteps, CountyThatCannotBeOpenedKeepsTheCountyStep)
{
    const auto expectFailedOpen = [&](const char* what) {
        SCOPED_TRACE(what);
        ASSERT_EQ(notices.recorded().size(), 1u);
        EXPECT_EQ(notices.recorded()[0], (platform::Notice{"NOTICE", "Cannot open DsData File", false}));
        EXPECT_FALSE(FList->isVisible());
        EXPECT_TRUE(FList->MarksList->lines().empty());
        EXPECT_TRUE(FOffsets->LocList->lines().empty());
        EXPECT_TRUE(FMain->CountiesCombo->isVisibleTo(FMain));
        EXPECT_TRUE(FMain->CountyOK->isVisibleTo(FMain));
        notices.clear();
    };
    pickDrive(disc.path());
    pickState("AZ");
    FMain->CountyOK->click(); // no county picked
    expectFailedOpen("no county picked");

    pickCounty("AZ003.DAT | COCHISE  "); // listed, but not on the disc
    expectFailedOpen("county file missing");

    for (const char* typed : {"TX", "ZZ", "A"}) { // a state without a directory, no code, one letter
        pickState(typed);
        EXPECT_EQ(FMain->CountiesCombo->count(), 0) << typed;
        FMain->CountyOK->click();
        expectFailedOpen(typed);
    }
}

TEST_F(CdromSteps, CountyFileThatLeavesTheStateDirectoryIsRefused)
{
    writeFile(disc.file("DATA/AZ/county.AZ"), "../../x/ | EVIL\r\n..\\AZ.DAT | DOTS\r\n");
    writeFile(disc.file("DATA/AZ/AZ001.DAT"), kStations);
    pickDrive(disc.path());
    pickState("AZ");
    pickCounty("AZ001.DAT | APACHE");
    ASSERT_EQ(FList->MarksList->lines().size(), 2u);
    const std::string loaded = FMain->GetDataPath();

    for (const char* entry : {"../../x/ | EVIL", "..\\AZ.DAT | DOTS"}) {
        SCOPED_TRACE(entry);
        notices.clear();
        pickCounty(entry);
        ASSERT_EQ(notices.recorded().size(), 1u);
        EXPECT_EQ(notices.recorded()[0].caption, "NOTICE");
        EXPECT_NE(notices.recorded()[0].text.find(std::string(entry).substr(0, 9)), std::string::npos);
        EXPECT_EQ(FMain->GetDataPath(), loaded);
        EXPECT_EQ(FList->MarksList->lines().lines(), kListLines);
    }
}

TEST_F(CdromSteps, ReloadsFromTheTypeDialogAndOtherSenders)
{
    pickDrive(disc.path());
    pickState("AZ");
    pickCounty("AZ001.DAT | APACHE");
    const std::string path = FMain->GetDataPath();
    FMain->CountiesCombo->setEditText("AZ003.DAT | COCHISE  "); // only CountyOK takes the entry

    QPushButton typeOk;
    FMain->typeOkButton = &typeOk;
    FFound->FoundList->lines().assign({"stale result"});
    FList->MarksList->lines().assign({"kept"});
    FMain->CountyOKClick(&typeOk);
    EXPECT_EQ(FMain->GetDataPath(), path);
    EXPECT_EQ(FFound->FoundList->lines().lines(), kListLines);
    EXPECT_TRUE(FFound->isVisible());
    EXPECT_EQ(FList->MarksList->lines().lines(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(FList->isVisible());

    for (QObject* other : {static_cast<QObject*>(FMain->StateOK), static_cast<QObject*>(nullptr)}) {
        FFound->FoundList->lines().assign({"untouched"});
        FList->MarksList->lines().assign({"replaced"});
        FMain->CountyOKClick(other);
        EXPECT_EQ(FMain->GetDataPath(), path);
        EXPECT_EQ(FList->MarksList->lines().lines(), kListLines);
        EXPECT_EQ(FFound->FoundList->lines().lines(), std::vector<std::string>{"untouched"});
    }
    EXPECT_TRUE(notices.recorded().empty());
    FMain->typeOkButton = nullptr;
}

} // namespace
