#include "morvane/tf_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_get_type.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_status.h"
#include "datasheet/forms/tf_warning.h"
#include "datasheet/list_save.h"
#include "datasheet/profile.h"
#include "itempick/core/item_writer.h"
#include "itempick/tf_select.h"
#include "morvane/core/cdrom_entries.h"
#include "morvane/core/join.h"
#include "morvane/tf_disclaim.h"
#include "morvane/tf_disk.h"
#include "morvane/tf_file.h"
#include "morvane/tf_split_options.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/memo.h"
#include "platform/qt/modal.h"
#include "platform/qt/status_strip.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFMain* FMain = nullptr;

namespace {

void notice(const std::string& text)
{
    platform::notices().notice("NOTICE", text);
}

// The ITEMPICK selection of format 3: the item form, modally.
bool chooseItems()
{
    platform::execModal(*FSelect);
    return FSelect->GetSelectOK() == 1;
}

// The writers of format 3, made from the item form's last OK: the header
// once per join, and each input file's records with the join's type code.
morvane::ItemPickWriters itemPickWriters(const std::string& typeCode)
{
    const auto session = std::make_shared<itempick::ItemSession>(FSelect->build(), FSelect->Settings());
    const auto writer = std::make_shared<itempick::FileItemWriter>(*session);
    morvane::ItemPickWriters writers;
    writers.writeItemHeader = [session, writer](platform::CrlfWriter& out) { writer->WriteItemHeader(out); };
    writers.writeFileItems = [session, writer, typeCode](platform::LineReader& input, platform::CrlfWriter& out,
                                                         platform::ProgressSink& progress) {
        writer->WriteFileItems(input, out, typeCode, progress);
    };
    return writers;
}

} // namespace

TFMain::TFMain(QWidget* parent) : QMainWindow(parent)
{
    FMain = this;
    resize(560, 420);

    Files = menuBar()->addMenu(QStringLiteral("Files"));
    Join = Files->addMenu(QStringLiteral("Join"));
    CDROMFiles = Join->addAction(QStringLiteral("CD-ROM Files"));
    DiskFiles = Join->addAction(QStringLiteral("Disk Files"));
    Split = Files->addAction(QStringLiteral("Split"));
    Help = menuBar()->addAction(QStringLiteral("Help"));
    connect(Files, &QMenu::aboutToShow, this, [this] { FilesClick(); });
    connect(Join, &QMenu::aboutToShow, this, [this] { JoinClick(); });
    connect(CDROMFiles, &QAction::triggered, this, [this] { DrivePrompt(); });
    connect(DiskFiles, &QAction::triggered, this, [this] { FilePrompt(); });
    connect(Split, &QAction::triggered, this, [this] { SplitClick(); });
    connect(Help, &QAction::triggered, this, [this] { HelpClicked(); });

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    Title = platform::newProgramTitle(QStringLiteral("Morvane"), central);
    layout->addWidget(Title, 1);

    auto* drive = new QHBoxLayout;
    drive->setContentsMargins(8, 8, 8, 0);
    Label1 = new QLabel(QStringLiteral("CD-ROM DRIVE"), central);
    DrivesCombo = new QComboBox(central);
    DrivesCombo->setMinimumWidth(220);
    for (const auto& path : platform::listDrives())
        DrivesCombo->addItem(platform::pathToQ(path));
    // The current directory comes last in the list; it is where the
    // program was started, the likeliest place of a copied disc.
    DrivesCombo->setCurrentIndex(DrivesCombo->count() - 1);
    DriveButton = new QPushButton(QStringLiteral("Okay"), central);
    drive->addWidget(Label1);
    drive->addWidget(DrivesCombo, 1);
    drive->addWidget(DriveButton);
    layout->addLayout(drive);

    FileLabel = new QLabel(QStringLiteral("Datasheet Files"), central);
    FileLabel->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(FileLabel);
    MorvaneList = new QListWidget(central);
    MorvaneList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(MorvaneList, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(8, 0, 8, 4);
    FilterBtn = new QPushButton(QStringLiteral("FILTER"), central);
    RunBtn = new QPushButton(QStringLiteral("RUN"), central);
    buttons->addStretch(1);
    buttons->addWidget(FilterBtn);
    buttons->addWidget(RunBtn);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    // Takes the room that the hidden controls leave.
    layout->addStretch();
    Panel1 = new QLabel(QStringLiteral("Quarndale Geomark Bureau Data Sheet Copy/Split Program"), central);
    platform::styleInfoTip(*Panel1);
    Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(Panel1);
    setCentralWidget(central);

    connect(DriveButton, &QPushButton::clicked, this, [this] { DriveOKClick(); });
    connect(FilterBtn, &QPushButton::clicked, this, [this] { FilterBtnClick(); });
    connect(RunBtn, &QPushButton::clicked, this, [this] { RunBtnClick(RunBtn); });

    // Hidden in the layout until a step shows them.
    for (QWidget* control : {static_cast<QWidget*>(DriveButton), static_cast<QWidget*>(FileLabel),
                             static_cast<QWidget*>(FilterBtn), static_cast<QWidget*>(RunBtn)})
        control->hide();

    setWindowTitle(QStringLiteral("MORVANE") + QStringLiteral("   (VERSION = ") + platform::toQ(ds::kMorvane.version) +
                   QStringLiteral(")"));
    Label1->hide();
    DrivesCombo->hide();
    MorvaneList->hide();
    Title->show();
    platform::centreOnScreen(*this);
    show();

    execDisclaimer(*this, FDisclaim);
}

TFMain::~TFMain()
{
    if (FMain == this)
        FMain = nullptr;
}

void TFMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closing the main window ends the program, whatever else is open.
    QApplication::quit();
}

QString TFMain::prompt() const
{
    return Panel1->text();
}

void TFMain::setPrompt(const QString& text)
{
    Panel1->setText(text);
}

void TFMain::ResetMainWindow()
{
    FFile->ResetFileState();
    // The code is empty again: the type dialog shows the choice that means it.
    FGetType->SelectFirstEntries();
    for (QWidget* control : {static_cast<QWidget*>(FilterBtn), static_cast<QWidget*>(RunBtn),
                             static_cast<QWidget*>(DrivesCombo), static_cast<QWidget*>(MorvaneList),
                             static_cast<QWidget*>(Label1), static_cast<QWidget*>(DriveButton),
                             static_cast<QWidget*>(FileLabel)})
        control->hide();
    Title->show();
}

void TFMain::FilesClick()
{
    ResetMainWindow();
}

void TFMain::JoinClick()
{
    Title->hide();
}

void TFMain::DrivePrompt()
{
    DrivesCombo->show();
    DriveButton->show();
    Label1->show();
    setPrompt(QStringLiteral("Click on CD-ROM Drive Letter"));
}

void TFMain::FilePrompt()
{
    ResetMainWindow();
    FDisk->show();
    FDisk->raise();
}

void TFMain::SplitClick()
{
    Title->hide();
    FSplitOptions->show();
    FSplitOptions->raise();
}

void TFMain::HelpClicked()
{
    setPrompt(QStringLiteral(" "));
    OpenHelp(1);
}

bool TFMain::isStateDir(const std::string& name)
{
    return morvane::isStateDir(name);
}

void TFMain::addEntry(const std::string& text, const std::string& path)
{
    auto* item = new QListWidgetItem(platform::toQ(text), MorvaneList);
    // The path's own bytes: a name that is not UTF-8 would not come back
    // from a QString unchanged.
    item->setData(Qt::UserRole, QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string TFMain::EntryPath(int row) const
{
    const QListWidgetItem* item = MorvaneList->item(row);
    if (!item)
        return {};
    const QByteArray path = item->data(Qt::UserRole).toByteArray();
    return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

void TFMain::DriveOKClick()
{
    FFile->SetDrive(platform::pathFromQ(DrivesCombo->currentText()));
    MorvaneList->clear();
    const std::string data = morvane::dataDirectory(FFile->GetDrive());
    std::vector<std::string> names;
    if (!morvane::listSubdirectories(data, names)) {
        notice("ERROR - Invalid Directory Structure\r\n      Looking for QGB CD-ROM Directory called '/DATA'\r\n"
               "      Insert QGB Datasheet CD-ROM and Try Again.");
        return;
    }
    for (const auto& name : names)
        if (isStateDir(name))
            AddCountyFiles(name);
    // No Pacific directory adds nothing, silently.
    const std::string pacific = platform::findEntry(data, "Pacific");
    names.clear();
    if (!pacific.empty() && morvane::listSubdirectories(pacific, names))
        for (const auto& name : names)
            if (TFFile::IsPacificCode(name))
                AddPacificFile(name);

    MorvaneList->show();
    FileLabel->show();
    FilterBtn->show();
    RunBtn->show();
    setPrompt(QStringLiteral("For multiple selection - Hold down <Cntrl>"));
}

void TFMain::AddCountyFiles(const std::string& directoryName)
{
    FFile->SetState(directoryName);
    // A code that no code table holds (VI) has no county list of its own.
    if (!TFFile::IsStateCode(FFile->GetState()) && !TFFile::IsPacificCode(FFile->GetState()) &&
        !TFFile::IsOutsideCode(FFile->GetState()))
        return;
    FFile->MakeCountyListPath();
    std::vector<morvane::ListEntry> entries;
    morvane::countyEntries(FFile->GetDrive(), FFile->GetState(), FFile->GetCountyListPath(), entries);
    for (const auto& entry : entries)
        addEntry(entry.text, entry.path);
}

void TFMain::AddPacificFile(const std::string& directoryName)
{
    const morvane::ListEntry entry = morvane::pacificEntry(FFile->GetDrive(), directoryName);
    addEntry(entry.text, entry.path);
}

void TFMain::FilterBtnClick()
{
    FGetType->HOrderList->hide();
    FGetType->VOrderList->hide();
    FGetType->hide();
    if (FGetType->TypeList->selectedItems().isEmpty())
        FGetType->SelectFirstEntries();
    FGetType->TypeList->show();
    FGetType->show();
    FGetType->raise();
}

void TFMain::RunBtnClick(QObject* sender)
{
    const bool disk = FDisk && sender == FDisk->RunBtn;
    const int count =
        disk ? platform::memoLineCount(*FDisk->MorvaneMemo) : static_cast<int>(MorvaneList->selectedItems().size());
    if (count == 0) {
        notice("ERROR - User did not Select any Files.");
        return;
    }
    FFile->SetHelpMode(1);
    RunJoin(sender);
}

void TFMain::RunJoin(QObject* sender)
{
    platform::execModal(*FGetOut);
    if (FGetOut->GetFormatOK() != 1)
        return;
    if (FFile->GetOutputFormat() == ds::kItemPickFormat && !chooseItems())
        return;

    const std::string start = FFile->GetLastDir().empty() ? FFile->GetWorkDir() : FFile->GetLastDir();
    const std::string chosen = platform::saveFileName(this, "Save As", start, FFile->GetFileName());
    if (!chosen.empty()) {
        FFile->SetFileName(chosen);
        FFile->SetLastDir(platform::directoryPart(chosen));
        setWindowTitle(platform::systemTextToQ(platform::fileNamePart(chosen)));
    }
    show();
    if (chosen.empty())
        return;

    if (platform::fileExists(chosen)) {
        // Closing the question by its frame answers nothing: that is Cancel,
        // whatever an earlier join answered.
        FFile->SetExistAnswer('C');
        TFWarning warning(this, [](char answer) { FFile->SetExistAnswer(answer); }, TFWarning::Layout::Morvane);
        FWarning = &warning;
        warning.FileName->setText(platform::systemTextToQ(chosen));
        platform::execModal(warning);
        FWarning = nullptr;
        if (FFile->GetExistAnswer() != 'W' && FFile->GetExistAnswer() != 'A')
            return;
    } else {
        FFile->SetExistAnswer('W');
    }
    const bool append = FFile->GetExistAnswer() == 'A';

    const bool disk = FDisk && sender == FDisk->RunBtn;
    const bool joined = disk ? JoinDiskFiles(chosen, append) : JoinCdromFiles(chosen, append);
    if (!joined)
        return;

    FFile->SetTypeCode("X-0");
    notice("Transfer Complete" + joinIdentityNote_);
    FDisk->close();
    ResetMainWindow();
    show();
}

bool TFMain::JoinCdromFiles(const std::string& output, bool append)
{
    std::vector<std::string> inputs;
    for (int row = 0; row < MorvaneList->count(); ++row)
        if (MorvaneList->item(row)->isSelected())
            inputs.push_back(EntryPath(row));
    return joinInputs(inputs, output, append);
}

bool TFMain::JoinDiskFiles(const std::string& output, bool append)
{
    // Every memo line is a path, an empty one too.
    return joinInputs(platform::memoLines(*FDisk->MorvaneMemo), output, append);
}

bool TFMain::joinInputs(const std::vector<std::string>& inputs, const std::string& output, bool append)
{
    morvane::JoinRequest request;
    request.inputs = inputs;
    request.output = output;
    request.append = append;
    request.settings.format = FFile->GetOutputFormat();
    request.settings.typeCode = FFile->GetTypeCode();
    if (request.settings.format == ds::kItemPickFormat)
        request.settings.itemPick = itemPickWriters(request.settings.typeCode);
    ProgressWindow progress(this, true);
    TFStatus& status = progress.window();
    request.fileStarted = [&status](std::size_t number, std::size_t count) {
        status.Message->setText(QStringLiteral("Processing file %1 of %2").arg(number).arg(count));
        status.IoStatus->show();
        status.show();
        platform::repaintNow(status);
    };
    return morvane::JoinFiles(request, platform::notices(), progress.sink(), &joinIdentityNote_);
}
