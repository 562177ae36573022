#include "pellorin/tf_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

#include "datasheet/datasheet_format.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_status.h"
#include "pellorin/core/merge.h"
#include "pellorin/core/retrieval_date.h"
#include "pellorin/tf_disclaim.h"
#include "pellorin/tf_list.h"
#include "pellorin/tf_offsets.h"
#include "platform/file_swap.h"
#include "pellorin/tf_windows.h"
#include "platform/files.h"
#include "platform/inputs_in_use.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/file_picker.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

namespace pellorin {

TFMain* FMain = nullptr;

namespace {

const char* const kFilter = "Dsdata(*.dat)|*.dat|All files(*.*)|*.*";
constexpr int kTitleWidth = 400;
constexpr int kPickerWidth = 668;

bool isDatasheet(const std::string& path)
{
    // A FIFO or device would block the test read; it is no datasheet file.
    return platform::isRegularFile(path) && ds::IsDatasheetFile(path, ds::kPellorin);
}

// The path of a clicked file: the picker's own bytes for it, which a name
// that is not valid UTF-8 loses on its way through the signal's text.
std::string pickedPath(const platform::FilePicker& picker, const QString& path)
{
    const std::string selected = picker.selectedPath();
    return !selected.empty() && platform::pathToQ(selected) == path ? selected : platform::pathFromQ(path);
}

// The bytes of a path typed into a box. Its text in the system's encoding
// (UTF-8) comes first. A name from an old disc or archive is often
// Latin-1: when the UTF-8 bytes name nothing, the Latin-1 bytes of the
// same text are tried; and a name shown with replacement characters (bytes
// that are not UTF-8, as a box shows a picked name) is the one entry of
// its directory that shows so.
std::string typedPath(const QString& text)
{
    const std::string bytes = platform::pathFromQ(text);
    if (bytes.empty() || platform::fileExists(bytes))
        return bytes;
    const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (latin1) {
        const std::string old = platform::fromQ(text);
        if (platform::fileExists(old))
            return old;
    }
    // Where two names read alike, which one is meant is not known.
    const std::string walked = platform::pathFromShownText(text, {}, platform::AlikeNames::Refuse);
    return platform::fileExists(walked) ? walked : bytes;
}

// The path a box holds: the picked file's bytes while the box shows it
// unchanged, else the file its text names.
std::string boxPath(const QLineEdit& box, const std::string& picked)
{
    return !picked.empty() && box.text() == platform::pathToQ(picked) ? picked : typedPath(box.text());
}

QLabel* makeLabel(const char* text, QWidget* parent, int pixelSize, bool bold)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

// The merge's progress window, opened only when the merge starts writing:
// the checks before it show their boxes without an empty window behind.
class MergeProgress : public platform::ProgressSink {
public:
    explicit MergeProgress(QWidget* owner) : owner_(owner) {}
    void start() override
    {
        if (window_)
            window_->sink().start();
        else
            window_ = std::make_unique<ProgressWindow>(owner_, true);
    }
    void set(int percent) override
    {
        if (window_)
            window_->sink().set(percent);
    }
    void finish() override { window_.reset(); }

private:
    QWidget* owner_;
    std::unique_ptr<ProgressWindow> window_;
};

} // namespace

std::string notDatasheetText(const std::string& which, const std::string& path)
{
    return "\r\n       ERROR - The utility only works with\r\n               QGB Digital Data Sheet files\r\n"
           "       in the format originally provided by QGB.\r\n       \r\n       The " +
           which + " file " + path + "\r\n       is not recognized as being such a file.\r\n";
}

TFMain::TFMain(QWidget* parent) : QMainWindow(parent)
{
    FMain = this;
    buildControls();
    setWindowTitle(QString("Pellorin   (VERSION = %1)").arg(platform::toQ(ds::kPellorin.version)));

    for (QWidget* control : std::initializer_list<QWidget*>{Label1, Label2, Label3, Label4, Bevel1, OldPicker,
                                                             UpPicker, OldFileBox, UpFileBox, UpdateBtn})
        control->hide();
    resize(kTitleWidth, 300);
    Title->show();
    platform::centreOnScreen(*this);
    show();
    SetWorkDir(platform::currentDirectory());
    // No settings file or other file of the program's own is ever written
    // over the files of the update.
    platform::setInputsInUse([] { return FMain ? FMain->InputsInUse() : std::vector<std::string>{}; });

    execDisclaimer(*this, FDisclaim);
}

TFMain::~TFMain()
{
    if (FMain == this) {
        FMain = nullptr;
        platform::setInputsInUse(nullptr);
    }
}

std::vector<std::string> TFMain::InputsInUse() const
{
    return {OldPath, UpPath, BackupPath.empty() ? backupPathIn(WorkDir) : BackupPath};
}

void TFMain::buildControls()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    Start1 = MainMenu1->addAction("Start");
    Start1->setObjectName("Start1");
    Help1 = MainMenu1->addAction("Help");
    Help1->setObjectName("Help1");
    connect(Start1, &QAction::triggered, this, [this] { Start1Click(); });
    connect(Help1, &QAction::triggered, this, [this] { Help1BtnClick(); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    Title = makeLabel("Pellorin", central, 96, true);
    Title->setObjectName("Title");
    Title->setAlignment(Qt::AlignCenter);
    column->addWidget(Title, 1);

    auto* sides = new QHBoxLayout;
    const auto side = [&](const char* big, const char* small, platform::FilePicker*& picker, QLabel*& bigLabel,
                          QLabel*& smallLabel, QLineEdit*& box) {
        auto* layout = new QVBoxLayout;
        bigLabel = makeLabel(big, central, 18, true);
        picker = new platform::FilePicker(central);
        picker->setFilter(kFilter);
        smallLabel = new QLabel(small, central);
        box = new QLineEdit(central);
        layout->addWidget(bigLabel);
        layout->addWidget(picker, 1);
        layout->addWidget(smallLabel);
        layout->addWidget(box);
        return layout;
    };
    sides->addLayout(side("Old File", "Old File", OldPicker, Label2, Label3, OldFileBox), 1);
    Bevel1 = new QFrame(central);
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    sides->addWidget(Bevel1);
    sides->addLayout(side("Update File", "Update File", UpPicker, Label4, Label1, UpFileBox), 1);
    column->addLayout(sides, 4);

    UpdateBtn = new QPushButton("UPDATE", central);
    UpdateBtn->setObjectName("UpdateBtn");
    column->addWidget(UpdateBtn, 0, Qt::AlignHCenter);
    setCentralWidget(central);

    OldDriveCombo = OldPicker->driveCombo;
    OldDirList = OldPicker->directoryList;
    OldFilterCombo = OldPicker->filterCombo;
    OldFileList = OldPicker->fileList;
    UpDriveCombo = UpPicker->driveCombo;
    UpDirList = UpPicker->directoryList;
    UpFilterCombo = UpPicker->filterCombo;
    UpFileList = UpPicker->fileList;

    connect(OldPicker, &platform::FilePicker::fileClicked, this,
            [this](const QString& path) { GrabOldFile(pickedPath(*OldPicker, path)); });
    connect(UpPicker, &platform::FilePicker::fileClicked, this,
            [this](const QString& path) { GrabUpFile(pickedPath(*UpPicker, path)); });
    connect(UpdateBtn, &QPushButton::clicked, this, [this] { UpdateBtnClick(); });
}

void TFMain::Start1Click()
{
    hide();
    resize(kPickerWidth, 640);
    OldFileBox->clear();
    UpFileBox->clear();
    // A path box hidden by a refused pick keeps its place, so the two
    // picker sets stay side by side, line for line.
    for (QLineEdit* box : {OldFileBox, UpFileBox}) {
        QSizePolicy policy = box->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        box->setSizePolicy(policy);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{Label1, Label2, Label3, Label4, Bevel1, OldPicker,
                                                             OldFileBox, UpPicker, UpFileBox, UpdateBtn})
        control->show();
    platform::centreOnScreen(*this);
    show();
    Title->show();
}

void TFMain::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program, whatever other windows
    // (lists, viewers, help) are open.
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QApplication::quit();
}

void TFMain::Help1BtnClick()
{
    OpenHelp(0);
}

void TFMain::GrabOldFile(const std::string& path)
{
    OldFileBox->hide();
    if (!platform::isWritableFile(path)) {
        platform::notices().notice("ERROR", readOnlyText("The selected file", path) + "      \r\n");
        return;
    }
    if (!isDatasheet(path)) {
        OldFileBox->show();
        platform::notices().notice("NOTICE", notDatasheetText("input", path));
        return;
    }
    OldPicked = path;
    OldFileBox->setText(platform::pathToQ(path));
    OldFileBox->selectAll();
    OldFileBox->show();
}

void TFMain::GrabUpFile(const std::string& path)
{
    UpFileBox->hide();
    if (!isDatasheet(path)) {
        UpFileBox->show();
        platform::notices().notice("NOTICE", notDatasheetText("input", path));
        return;
    }
    UpPicked = path;
    UpFileBox->setText(platform::pathToQ(path));
    UpFileBox->selectAll();
    UpFileBox->show();
}

void TFMain::resetStationLists()
{
    if (FList)
        FList->ResetButtons();
}

void TFMain::clearLists()
{
    Lists.clear();
}

void TFMain::UpdateBtnClick()
{
    resetStationLists();
    if (FList)
        FList->hide();
    OldPath = boxPath(*OldFileBox, OldPicked);
    UpPath = boxPath(*UpFileBox, UpPicked);
    platform::NoticeSink& notices = platform::notices();

    if (OldPath.empty()) {
        notices.notice("NOTICE", "\r\n       ERROR - Two files required.\r\nYou did not select an Old File.");
        return;
    }
    if (!isDatasheet(OldPath)) {
        OldFileBox->show();
        notices.notice("NOTICE", notDatasheetText("old", OldPath));
        return;
    }
    if (UpPath.empty()) {
        notices.notice("NOTICE", "\r\n       ERROR - Two files required\r\nYou did not select an Update file.");
        return;
    }
    if (!isDatasheet(UpPath)) {
        UpFileBox->show();
        notices.notice("NOTICE", notDatasheetText("update", UpPath));
        return;
    }
    if (!checkDistinctFiles(OldPath, UpPath, backupPathIn(WorkDir), notices))
        return;

    std::string oldDate, upDate;
    if (!GetRetrievalDate(OldPath, oldDate) || !GetRetrievalDate(UpPath, upDate))
        return;
    if (isOlderUpdate(oldDate, upDate) &&
        !notices.ask("WARNING", "\r\n       OLD = " + OldPath + "\r\n       NEW = " + UpPath +
                                    "\r\n       Datasheet Retrieval Dates found in these files\r\n"
                                    "       indicate that the Update (NEW) file choosen contains\r\n"
                                    "       older datasheets then the OLD file.\r\n"
                                    "       In you continue the run\r\n"
                                    "       you will be overwriting more recent data.\r\n       \r\n"
                                    "       DO YOU WANT TO CONTINUE THE RUN"))
        return;

    // The first update load gives the old stations a list to be tagged
    // against; the second tags the update stations against the old list.
    if (!LoadUpList(UpPath) || !LoadOldList(OldPath))
        return;
    Lists.upList.clear();
    if (!LoadUpList(UpPath))
        return;

    if (FOffsets)
        FOffsets->hide();
    if (FList) {
        FList->hide();
        FList->ResetButtons();
        showRestored(*FList);
    }
}

bool TFMain::GetRetrievalDate(const std::string& path, std::string& out)
{
    if (pellorin::GetRetrievalDate(path, out))
        return true;
    platform::notices().notice("NOTICE", "Cannot open County File");
    clearLists();
    return false;
}

bool TFMain::loadList(const std::string& path, bool (UpdateLists::*load)(const std::string&, platform::ProgressSink&),
                      const std::string& failureCaption, const std::string& failureText)
{
    if (FOffsets)
        FOffsets->hide();
    if (FList) {
        FList->hide();
        FList->setWindowTitle(platform::systemTextToQ(path));
    }
    bool opened;
    {
        ProgressWindow progress(this, true);
        opened = (Lists.*load)(path, progress.sink());
    }
    if (!opened) {
        platform::notices().notice(failureCaption, failureText);
        clearLists();
        return false;
    }
    if (FList)
        FList->show();
    return true;
}

bool TFMain::LoadOldList(const std::string& path)
{
    return loadList(path, &UpdateLists::LoadOldList, "ERROR",
                    "Cannot open file\r\n        " + path + "\r\n\r\n      for Read.\r\n");
}

bool TFMain::LoadUpList(const std::string& path)
{
    return loadList(path, &UpdateLists::LoadUpList, "NOTICE", "Cannot open County File");
}

bool TFMain::MergeFiles(const std::string& oldPath, const std::string& upPath)
{
    SetBackupPath(backupPathIn(WorkDir));
    MergeInput input{oldPath, upPath, BackupPath, Lists.oldIdentity, Lists.upIdentity, Lists.upUndesignated};
    MergeLists lists{Lists.oldList, Lists.oldLocList, Lists.upList, Lists.upLocList};
    CommitResult committed;
    bool done;
    {
        MergeProgress progress(this);
        done = pellorin::MergeFiles(input, lists, platform::notices(), progress, committed);
    }
    if (done) {
        Committed = committed;
        // The OLD viewer reads the merged file from now on.
        Lists.oldIdentity = committed.merged;
        Lists.upUndesignated.reset();
    }
    return done;
}

} // namespace pellorin
