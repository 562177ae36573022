#include "kavro/tf_main.h"

#include <QCloseEvent>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "datasheet/datasheet_format.h"
#include "datasheet/forms/tf_disclam.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/misaligned_repair.h"
#include "datasheet/raw_file.h"
#include "datasheet/type_filter.h"
#include "kavro/tf_display.h"
#include "kavro/tf_found.h"
#include "datasheet/forms/tf_help.h"
#include "kavro/tf_list.h"
#include "datasheet/forms/tf_offsets.h"
#include "kavro/tf_windows.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/memo.h"
#include "platform/qt/status_strip.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFMain* FMain = nullptr;

namespace {

const std::string kVersion(ds::kKavro.version);

// Who to call when a repair fails; follows every ERROR 00n notice.
const char* const kContactBlock =
    "      Contact the Quarndale Geomark Bureau Datasheet Support desk\r\n"
    "      e-mail:  datasheets@qgb.example\r\n"
    "      phone:   (555) 010-2150\r\n";

} // namespace

TFMain::TFMain(QWidget* parent) : QMainWindow(parent)
{
    FMain = this;
    setWindowTitle("KAVRO");
    resize(440, 313);

    File = menuBar()->addMenu("File");
    CDROM1 = File->addAction("CD_ROM-Datasheets");
    Disk1 = File->addAction("Disk");
    Help1 = menuBar()->addAction("Help");
    connect(File, &QMenu::aboutToShow, this, [this] { FileClick(); });
    connect(CDROM1, &QAction::triggered, this, [this] { DrivePrompt(); });
    connect(Disk1, &QAction::triggered, this, [this] { FilePrompt(); });
    connect(Help1, &QAction::triggered, this, [this] { HelpClicked(); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    Bevel1 = new QFrame(central);
    Bevel1->setFrameShape(QFrame::HLine);
    layout->addWidget(Bevel1);

    Title = platform::newProgramTitle("Kavro", central);
    layout->addWidget(Title, 1);

    auto* steps = stepsPanel_ = new QWidget(central);
    auto* grid = new QGridLayout(steps);
    Label1 = new QLabel("Pick CD-ROM Drive ", steps);
    DriveCombo = new QComboBox(steps);
    DriveOk = new QPushButton("OK", steps);
    Label2 = new QLabel("State", steps);
    StatesCombo = new QComboBox(steps);
    StatesCombo->setEditable(true);
    StatesCombo->setEditText("STATE");
    StateOK = new QPushButton("OK", steps);
    Label3 = new QLabel("County", steps);
    CountiesCombo = new QComboBox(steps);
    CountiesCombo->setEditable(true);
    CountiesCombo->setEditText("COUNTIES");
    CountyOK = new QPushButton("OK", steps);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(DriveCombo, 1, 0);
    grid->addWidget(DriveOk, 2, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(StatesCombo, 1, 1);
    grid->addWidget(StateOK, 2, 1);
    grid->addWidget(Label3, 0, 2);
    grid->addWidget(CountiesCombo, 1, 2);
    grid->addWidget(CountyOK, 2, 2);
    layout->addWidget(steps, 1);

    Panel1 = new QLabel("Quarndale Geomark Bureau Digital Datasheet Extraction Program", central);
    platform::styleInfoTip(*Panel1);
    layout->addWidget(Panel1);
    setCentralWidget(central);

    for (const auto& drive : platform::listDrives())
        DriveCombo->addItem(platform::pathToQ(drive));
    // The current directory, where the program was started, is the likeliest
    // place of a copied disc; the root of the machine holds none.
    DriveCombo->setCurrentIndex(std::max(0, DriveCombo->findText(platform::pathToQ(platform::currentDirectory()))));
    connect(DriveCombo, QOverload<int>::of(&QComboBox::activated), this, [this] { DriveClicked(); });
    connect(DriveOk, &QPushButton::clicked, this, [this] { DriveOKClick(); });
    connect(StatesCombo, &QComboBox::editTextChanged, this, [this] { StatesInit(); });
    connect(StatesCombo, QOverload<int>::of(&QComboBox::activated), this, [this] { StateClicked(); });
    connect(StateOK, &QPushButton::clicked, this, [this] { StateOKClick(); });
    connect(CountiesCombo, QOverload<int>::of(&QComboBox::activated), this, [this] { CountyClicked(); });
    connect(CountyOK, &QPushButton::clicked, this, [this] { CountyOKClick(CountyOK); });

    // The buttons and Label3 start hidden in the layout; the constructor hides the rest.
    DriveOk->hide();
    StateOK->hide();
    Label3->hide();
    CountyOK->hide();

    ChosenFile.clear();
    setWindowTitle(QString("KAVRO   (VERSION = %1)").arg(platform::toQ(kVersion)));
    clearNavigation();
    Label1->hide();
    DriveCombo->hide();
    Label2->hide();
    StatesCombo->hide();
    CountiesCombo->hide();
    stepsPanel_->hide();

    // The print settings and the item form's state are never written over
    // the data file in use.
    platform::setInputsInUse([] { return FMain ? std::vector<std::string>{FMain->GetDataPath()} : std::vector<std::string>{}; });

    platform::centreOnScreen(*this);
    show();

    execDisclaimer(*this, FDisclam);

    initCountryCodes();
}

TFMain::~TFMain()
{
    if (FMain == this) {
        FMain = nullptr;
        platform::setInputsInUse(nullptr);
    }
}

QString TFMain::prompt() const
{
    return Panel1->text();
}

void TFMain::setPrompt(const char* text)
{
    Panel1->setText(text);
}

void TFMain::clearNavigation()
{
    DriveLetter.clear();
    StateCode.clear();
    CountyFile.clear();
    DataPath.clear();
    DataIdentity = {};
    TypeCode.clear();
}

bool TFMain::DataFileUnchanged(const std::string& path) const
{
    return platform::checkUnchanged(path, DataIdentity, platform::notices(), "NOTICE");
}

void TFMain::FileClick()
{
    setPrompt("Click on CD-ROM-Datasheets or Disk");
    ResetView();
    HideAll();
}

void TFMain::DrivePrompt()
{
    Title->hide();
    HideAll();
    stepsPanel_->show();
    DriveCombo->show();
    Label1->show();
    DriveOk->show();
    setPrompt("Click on CD-ROM Drive Letter");
}

void TFMain::HelpClicked()
{
    setPrompt(" ");
    OpenHelp(1);
}

void TFMain::DriveClicked()
{
    CountyOK->hide();
    CountiesCombo->hide();
    Label3->hide();
    StateOK->hide();
    StatesCombo->hide();
    Label2->hide();
    setPrompt("Click on OK");
}

void TFMain::StatesInit()
{
    CountiesCombo->hide();
    CountyOK->hide();
}

void TFMain::StateClicked()
{
    CountyOK->hide();
    Label3->hide();
    CountiesCombo->hide();
    setPrompt("Click on OK");
}

void TFMain::CountyClicked()
{
    setPrompt("Click on OK");
}

void TFMain::FormClose()
{
    CountryCodes.clear();
}

void TFMain::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
    // Closing the main window ends the program, whatever else is open.
    QApplication::quit();
}

void TFMain::ResetView()
{
    clearNavigation();
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, DriveCombo, DriveOk, Label2, StatesCombo, StateOK,
                                                      Label3, CountiesCombo, CountyOK})
        w->hide();
    stepsPanel_->hide();
    Title->show();
}

void TFMain::HideAll()
{
    SetTypeCode("X-0");
    for (QWidget* w : kavroDataWindows())
        w->hide();
    FOffsets->LocList->lines().clear();
    FList->MarksList->lines().clear();
    FDisplay->DsDisplay->clear();
}

void TFMain::FilePrompt()
{
    ResetView();
    HideAll();
    std::string directory = LastDir.empty() ? std::string(".") : LastDir;
    std::string chosen = platform::openFileName(this, "Open", directory);
    if (chosen.empty()) {
        FOffsets->LocList->hide();
        FOffsets->hide();
        return;
    }
    ChosenFile = chosen;
    auto slash = chosen.rfind('/');
    LastDir = slash == std::string::npos ? chosen : chosen.substr(0, slash);
    setWindowTitle(platform::pathToQ(platform::fileNamePart(chosen)));
    DataPath = chosen;
    if (ds::IsDatasheetFile(DataPath)) {
        LoadStationList(DataPath, 0);
        FList->MarksList->show();
        FList->show();
    } else {
        FList->hide();
        FDisplay->setWindowTitle(platform::pathToQ(DataPath));
        ShowRawFile(DataPath);
    }
    FOffsets->LocList->hide();
    FOffsets->hide();
}

bool TFMain::LoadStationList(const std::string& path, int mode)
{
    FOffsets->hide();
    if (mode == 0) {
        FOffsets->LocList->lines().clear();
        FList->MarksList->lines().clear();
    }
    // The results of a reload are looked up in the index of the first load.
    if (mode == 1 && !DataFileUnchanged(path))
        return false;
    FList->hide();
    FList->setWindowTitle(platform::pathToQ(path));

    bool opened = true;
    CheckMisaligned(path, &opened);
    if (!opened)
        return false;

    // The type test reads every station's datasheet again through a reader
    // of its own, opened after the probe may have repaired the file. "X-0"
    // reads nothing. A reader that cannot be opened lets no station pass.
    ds::TypeTest typeTest;
    platform::LineReader typeFile(ds::kKavro.readLength());
    if (mode == 1 && !ds::isAnyType(TypeCode)) {
        typeFile.open(path);
        typeTest = [this, &typeFile](std::string_view pid, std::uint64_t offset) {
            return StationMatchesType(std::string(pid), typeFile, offset);
        };
    }
    ds::LoadedStations loaded;
    {
        ProgressWindow progress(this);
        opened = ds::loadStations(path, ds::kKavro, progress.sink(), loaded, typeTest);
    }
    if (!opened) {
        platform::notices().notice("NOTICE", "Cannot open County File");
        return false;
    }
    if (mode == 0) {
        FList->MarksList->lines().assign(std::move(loaded.listLines));
        FOffsets->LocList->lines().assign(std::move(loaded.locLines));
        DataIdentity = loaded.identity;
    } else {
        FFound->FoundList->lines().append(std::move(loaded.listLines));
    }

    SetTypeCode("X-0");
    FOffsets->hide();
    FList->MarksList->show();
    FList->show();
    if (mode == 1) {
        FFound->FoundList->show();
        FFound->show();
        FFound->activateWindow();
        FFound->setFocus();
    }
    return true;
}

void TFMain::CheckMisaligned(const std::string& path, bool* opened)
{
    ds::ProbeResult probe = ds::probeMisaligned(path);
    if (opened)
        *opened = probe != ds::ProbeResult::CannotOpen;
    if (probe == ds::ProbeResult::CannotOpen) {
        platform::notices().notice("NOTICE", "Cannot open DsData File");
        return;
    }
    if (probe != ds::ProbeResult::Misaligned)
        return;
    Msg = "KAVRO Version " + kVersion +
          " has detected missaligned data\r\n      in the input file.  This was probably introduced by a bug in\r\n"
          "      Version 2.06.\r\n      KAVRO Version " +
          kVersion + " will correct your data at this time.\r\n";
    platform::notices().notice("NOTICE", Msg);
    FixMisaligned(path);
}

void TFMain::FixMisaligned(const std::string& path)
{
    ds::RepairResult result;
    std::string keptNote;
    {
        ProgressWindow progress(this);
        result = ds::repairMisaligned(path, progress.sink(), &keptNote);
    }
    const char* error = nullptr;
    switch (result) {
    case ds::RepairResult::Fixed:
        platform::notices().notice("NOTICE", "File is fixed");
        return;
    case ds::RepairResult::Unchanged:
        return;
    case ds::RepairResult::CannotReadData:
        error = "ERROR 001 - Could not open DsData file for read.\r\n";
        break;
    case ds::RepairResult::CannotWriteTemp:
        error = "ERROR 002 - Could not open temp file for write.\r\n";
        break;
    case ds::RepairResult::CannotReadTemp:
        error = "ERROR 003 - Could not open temp file for read.\r\n";
        break;
    case ds::RepairResult::CannotWriteData:
        error = "ERROR 004 - Could not open DsData file for write.\r\n";
        break;
    }
    platform::notices().notice("NOTICE", std::string(error) + kContactBlock + keptNote);
}

void TFMain::ShowRawFile(const std::string& path)
{
    FDisplay->hide();
    FDisplay->DsDisplay->clear();
    std::vector<std::string> lines;
    bool opened;
    {
        ProgressWindow progress(this);
        opened = ds::readRawFile(path, progress.sink(), lines);
    }
    if (!opened)
        lines = {"Cannot Open File"};
    platform::setMemoLines(*FDisplay->DsDisplay, lines);
    FDisplay->show();
}

void TFMain::SetTypeOrder(char order)
{
    TypeCode = ds::typeCodeWithOrder(TypeCode, order);
}

bool TFMain::StationMatchesType(const std::string& pid, platform::LineReader& file, std::uint64_t offset)
{
    return ds::StationMatchesType(TypeCode, pid, file, offset, ds::kKavro);
}
