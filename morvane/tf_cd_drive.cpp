#include "morvane/tf_cd_drive.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/files.h"
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
}

void TFCdDrive::CancelClick()
{
    reject();
}

void TFCdDrive::ReadCountyFile(const std::string&)
{
}
