#include "morvane/tf_disk.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "morvane/tf_file.h"
#include "morvane/tf_main.h"
#include "platform/notices.h"
#include "platform/qt/file_picker.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"

TFDisk* FDisk = nullptr;

TFDisk::TFDisk(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FDisk = this;
    setWindowTitle(QStringLiteral("Disk"));
    resize(640, 420);

    auto* layout = new QHBoxLayout(this);
    Picker = new platform::FilePicker(this, platform::FilePicker::Arrangement::Column);
    DriveComboBox1 = Picker->driveCombo;
    DirectoryListBox1 = Picker->directoryList;
    FilterComboBox1 = Picker->filterCombo;
    FileListBox = Picker->fileList;
    Picker->setFilter("Dsdata(*.dat)|*.dat|All files(*.*)|*.*");
    layout->addWidget(Picker, 1);

    auto* right = new QVBoxLayout;
    Label3 = new QLabel(QStringLiteral("Datasheet Files"), this);
    Label3->hide();
    right->addWidget(Label3);
    MorvaneMemo = new QPlainTextEdit(this);
    MorvaneMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MorvaneMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MorvaneMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    right->addWidget(MorvaneMemo, 1);
    auto* buttons = new QGridLayout;
    Button1 = new QPushButton(QStringLiteral("Select All"), this);
    Button2 = new QPushButton(QStringLiteral("Remove All"), this);
    FilterBtn = new QPushButton(QStringLiteral("FILTER"), this);
    RunBtn = new QPushButton(QStringLiteral("RUN"), this);
    buttons->addWidget(Button1, 0, 0);
    buttons->addWidget(Button2, 0, 1);
    buttons->addWidget(FilterBtn, 1, 0);
    buttons->addWidget(RunBtn, 1, 1);
    right->addLayout(buttons);
    layout->addLayout(right, 1);

    connect(Picker, &platform::FilePicker::fileClicked, this,
            [this](const QString& path) { GrabFile(platform::pathFromQ(path)); });
    connect(Button1, &QPushButton::clicked, this, [this] { GrabAllFiles(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(FilterBtn, &QPushButton::clicked, this, [this] { FilterBtnClick(); });
    connect(RunBtn, &QPushButton::clicked, this, [this] { RunBtnClick(); });

    CreateForm();
}

TFDisk::~TFDisk()
{
    if (FDisk == this)
        FDisk = nullptr;
}

void TFDisk::CreateForm()
{
    MorvaneMemo->clear();
}

std::vector<std::string> TFDisk::FileListPaths() const
{
    std::vector<std::string> paths;
    for (int row = 0; row < Picker->fileCount(); ++row)
        paths.push_back(Picker->filePath(row));
    return paths;
}

void TFDisk::notRecognized(const char* indent, const std::string& path)
{
    const std::string in(indent);
    platform::notices().notice("NOTICE", "\r\n" + in + "ERROR - The utility only works with\r\n" + in +
                                             "        QGB Digital Data Sheet files\r\n" + in +
                                             "in the format originally provided by QGB.\r\n" + in + "\r\n" + in +
                                             "The input file " + path + "\r\n" + in +
                                             "is not recognized as being such a file.\r\n");
}

void TFDisk::GrabFile(const std::string& path)
{
    MorvaneMemo->hide();
    if (TFFile::IsDatasheetFile(path)) {
        platform::addMemoLine(*MorvaneMemo, path);
        MorvaneMemo->selectAll();
        MorvaneMemo->show();
        return;
    }
    MorvaneMemo->show();
    notRecognized("       ", path);
}

void TFDisk::GrabAllFiles()
{
    MorvaneMemo->clear();
    const std::vector<std::string> paths = FileListPaths();
    for (std::size_t row = 0; row < paths.size(); ++row) {
        const std::string& path = paths[row];
        Picker->setSelectedFile(static_cast<int>(row));
        MorvaneMemo->hide();
        if (!TFFile::IsDatasheetFile(path)) {
            MorvaneMemo->show();
            notRecognized("           ", path);
            return;
        }
        platform::addMemoLine(*MorvaneMemo, path);
    }
    MorvaneMemo->selectAll();
    MorvaneMemo->show();
}

void TFDisk::Button2Click()
{
    MorvaneMemo->clear();
}

void TFDisk::FilterBtnClick()
{
    FMain->FilterBtnClick();
}

void TFDisk::RunBtnClick()
{
    FMain->RunBtnClick(RunBtn);
}
