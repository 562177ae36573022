#include "morvane/tf_cd_drive.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <QPlainTextEdit>

#include "datasheet/cdrom.h"
#include "morvane/core/cdrom_entries.h"
#include "morvane/core/index_files.h"
#include "morvane/tf_file.h"
#include "morvane/tf_index.h"
#include "morvane/tf_main.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"

TFCdDrive* FCdDrive = nullptr;

TFCdDrive::TFCdDrive(QWidget* parent) : QDialog(parent)
{
    FCdDrive = this;
    setWindowTitle(QStringLiteral("Drive"));
    auto* layout = new QVBoxLayout(this);
    Label1 = new QLabel(QStringLiteral("CD-ROM DRIVE"), this);
    DrivesCombo = new QComboBox(this);
    DrivesCombo->setMinimumWidth(240);
    for (const auto& path : platform::listDrives())
        DrivesCombo->addItem(platform::pathToQ(path));
    DrivesCombo->setCurrentIndex(DrivesCombo->count() - 1);
    layout->addWidget(Label1);
    layout->addWidget(DrivesCombo);
    auto* buttons = new QHBoxLayout;
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    Cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addWidget(Okay);
    buttons->addWidget(Cancel);
    layout->addLayout(buttons);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

TFCdDrive::~TFCdDrive()
{
    if (FCdDrive == this)
        FCdDrive = nullptr;
}

void TFCdDrive::OkayClick()
{
    FFile->SetDrive(platform::pathFromQ(DrivesCombo->currentText()));
    std::vector<std::string> names;
    if (!morvane::listSubdirectories(morvane::dataDirectory(FFile->GetDrive()), names)) {
        // The editor keeps its text; the dialog stays open for another drive.
        platform::notices().notice(
            "NOTICE", "ERROR - Invalid Directory Structure\r\n      Looking for QGB CD-ROM Directory called '/DATA'\r\n"
                      "      Insert QGB Datasheet CD-ROM and Try Again.");
        return;
    }
    FIndex->IndexMemo->clear();
    for (const auto& name : names)
        if (TFMain::isStateDir(name))
            ReadCountyFile(name);
    accept();
    FIndex->show();
    FIndex->raise();
}

void TFCdDrive::CancelClick()
{
    reject();
}

void TFCdDrive::ReadCountyFile(const std::string& directoryName)
{
    FFile->SetState(directoryName);
    const std::string state = FFile->GetState();
    // A code of no code table (VI) has no county list of its own.
    if (!TFFile::IsStateCode(state) && !TFFile::IsPacificCode(state) && !TFFile::IsOutsideCode(state))
        return;
    FFile->MakeCountyListPath();
    std::vector<std::string> lines;
    if (!ds::readCountyList(FFile->GetCountyListPath(), lines))
        return;
    for (const auto& line : lines) {
        const std::string entry = morvane::countyIndexEntry(line);
        if (!entry.empty())
            platform::addMemoLine(*FIndex->IndexMemo, entry);
    }
}
