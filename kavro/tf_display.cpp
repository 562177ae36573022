#include "kavro/tf_display.h"

#include <QCheckBox>
#include <QEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include <cstdint>
#include <vector>

#include "datasheet/datasheet_reader.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/item_explain.h"
#include "datasheet/forms/print_lines.h"
#include "datasheet/forms/tf_get_out.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/forms/tf_warning.h"
#include "platform/safe_output.h"
#include "kavro/tf_list.h"
#include "kavro/tf_main.h"
#include "datasheet/forms/tf_offsets.h"
#include "platform/files.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/find_dialog.h"
#include "platform/qt/font_dialog.h"
#include "platform/qt/memo.h"
#include "platform/qt/modal.h"
#include "platform/qt/text.h"
#include "platform/qt/status_strip.h"
#include "platform/qt/window.h"

TFDisplay* FDisplay = nullptr;

namespace {

const char* const kPrompt = "Double Click at beginning of line for more Information";

const char* const kUsageNote = "  Click 'File->Save' to save this displayed text.\r\n"
                               "  Click 'File-Print' to print this displayed text.\r\n"
                               "  Click 'Font' to change the Font of the displayed text.\r\n"
                               "  \r\n"
                               "  If the displayed text is an QGB Datasheet\r\n"
                               "  then DOUBLE click at the BEGINNING of any line\r\n"
                               "  to receive Information about the data displayed\r\n"
                               "  on that line.";

} // namespace

TFDisplay::TFDisplay(QWidget* parent) : QMainWindow(parent)
{
    FDisplay = this;
    setWindowTitle("QGB DATASHEET");
    resize(759, 378);
    createMenus();
    createControls();
    platform::centreOnScreen(*this);
    DisplayInit();
}

TFDisplay::~TFDisplay()
{
    if (FDisplay == this)
        FDisplay = nullptr;
}

void TFDisplay::createMenus()
{
    File1 = menuBar()->addMenu("&File");
    Save = File1->addAction("&Save As...");
    File1->addSeparator();
    PrintDS = File1->addAction("&Print...");
    PrintSetupDs = File1->addAction("Print &Setup...");
    File1->addSeparator();
    CloseDs = File1->addAction("&Close");
    Find = menuBar()->addAction("Find");
    Font = menuBar()->addAction("F&ont");
    Help1 = menuBar()->addAction("&Help");
    connect(Save, &QAction::triggered, this, [this] { SaveClick(); });
    connect(PrintDS, &QAction::triggered, this, [this] { PrintDSClick(); });
    connect(PrintSetupDs, &QAction::triggered, this, [this] { PrintSetupDsClick(); });
    connect(CloseDs, &QAction::triggered, this, [this] { CloseDsClick(); });
    connect(Find, &QAction::triggered, this, [this] { FindClicked(); });
    connect(Font, &QAction::triggered, this, [this] { FontClicked(); });
    connect(Help1, &QAction::triggered, this, [this] { HelpClicked(); });
}

void TFDisplay::createControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    DsDisplay = new QPlainTextEdit(central);
    DsDisplay->setReadOnly(true);
    DsDisplay->setLineWrapMode(QPlainTextEdit::NoWrap);
    DsDisplay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont memoFont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    memoFont.setPixelSize(16);
    DsDisplay->setFont(memoFont);
    DsDisplay->viewport()->installEventFilter(this);
    layout->addWidget(DsDisplay, 1);

    platform::StatusStrip strip = platform::makeStatusStrip(central, kPrompt, 759);
    Panel1 = strip.Panel1;
    Panel2 = strip.Panel2;
    Splitter1 = strip.Splitter1;
    Panel3 = strip.Panel3;
    CheckBox = strip.CheckBox;
    connect(CheckBox, &QCheckBox::toggled, this, [this] { TopClicked(); });
    layout->addWidget(Panel1);
    setCentralWidget(central);

    FontDialog1 = new platform::FontDialog(this);
    connect(FontDialog1, &platform::FontDialog::applied, this, [this] { FontDialog1Apply(); });
    FindDialog = new platform::FindDialog(this);
    connect(FindDialog, &platform::FindDialog::findNext, this, [this] { OnFindEnabled(); });
}

bool TFDisplay::eventFilter(QObject* watched, QEvent* event)
{
    // The item is looked up once the click has placed the cursor.
    if (watched == DsDisplay->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        DsClickPoint = static_cast<QMouseEvent*>(event)->position().toPoint();
        QTimer::singleShot(0, this, [this] { GetDsItem(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFDisplay::ShowDatasheet(const std::string& pid)
{
    const std::int64_t offset = FOffsets->FindOffset(pid);
    if (offset < 0 || !FMain->DataFileUnchanged())
        return;
    hide();
    DsDisplay->clear();
    std::vector<std::string> lines;
    if (!ds::readStationDatasheet(FMain->GetDataPath(), static_cast<std::uint64_t>(offset), pid, lines))
        lines = {"Cannot Open File"};
    platform::setMemoLines(*DsDisplay, lines);
    show();
    raise();
    activateWindow();
}

void TFDisplay::SaveClick()
{
    FList->SetOutputFormat(0);
    const std::string chosen =
        platform::saveFileName(this, "Save As", SaveDir.empty() ? std::string(".") : SaveDir, SaveName);
    if (chosen.empty())
        return;
    SaveName = chosen;
    SaveDir = platform::directoryPart(chosen);
    setWindowTitle(platform::systemTextToQ(platform::fileNamePart(chosen)));
    SetOutputFile(chosen);
    if (platform::isSameFile(chosen, FMain->GetDataPath())) {
        Msg = "Not saved: " + chosen + "\r\nis the datasheet file in use.";
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FGetOut->SetDataSheetFlag(0);
    if (!platform::fileExists(chosen)) {
        FList->SetExistAnswer('W');
    } else {
        // Closing the question by its frame stores nothing: that is Cancel.
        FList->SetExistAnswer('C');
        TFWarning warning(this, [](char answer) { FList->SetExistAnswer(answer); });
        warning.FileName->setText(platform::systemTextToQ(chosen));
        platform::execModal(warning);
    }
    WriteShownText();
}

void TFDisplay::WriteShownText()
{
    const char answer = FList->GetExistAnswer();
    if (answer == 'C')
        return;
    const auto mode = answer == 'A' ? platform::SafeOutput::Mode::Append : platform::SafeOutput::Mode::Overwrite;
    platform::SafeOutput::Failure failure;
    std::string keptNote;
    if (platform::saveLines(OutputFile, platform::memoLines(*DsDisplay), mode, failure, keptNote)) {
        platform::notices().notice("NOTICE", "Transfer Complete" + keptNote);
        return;
    }
    Msg = "Could not write " + OutputFile + keptNote;
    platform::notices().notice("NOTICE", Msg);
}

void TFDisplay::PrintDSClick()
{
    PrintLines(this, platform::memoLines(*DsDisplay), DsDisplay->font(), FPrintSet->PageOptions());
}

void TFDisplay::PrintSetupDsClick()
{
    FPrintSet->ShowSettings();
}

void TFDisplay::CloseDsClick()
{
    hide();
}

void TFDisplay::FindClicked()
{
    FindDialog->show();
    FindDialog->raise();
    FindDialog->activateWindow();
}

void TFDisplay::OnFindEnabled()
{
    // From just after the selection; a bare caret searches from the top.
    const int length = platform::memoSelectionLength(*DsDisplay);
    const int start = length > 0 ? platform::memoSelectionStart(*DsDisplay) + length : 0;
    const std::string text = FindDialog->findText();
    const int found =
        platform::findInMemoLines(platform::memoLines(*DsDisplay), start, text, FindDialog->matchCase());
    if (found < 0)
        return;
    DsDisplay->setFocus();
    platform::memoSelect(*DsDisplay, found, static_cast<int>(text.size()));
}

void TFDisplay::FontClicked()
{
    FontDialog1->setCurrentFont(DsDisplay->font());
    platform::execModal(*FontDialog1);
}

void TFDisplay::FontDialog1Apply()
{
    DsDisplay->setFont(FontDialog1->currentFont());
    DsDisplay->viewport()->update();
}

void TFDisplay::HelpClicked()
{
    Msg = kUsageNote;
    platform::notices().notice("NOTICE", Msg);
}

void TFDisplay::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

void TFDisplay::GetDsItem()
{
    // The clicked character: the cursor nearest the point stands after it
    // when the point is in the character's right half.
    QTextCursor cursor = DsDisplay->cursorForPosition(DsClickPoint);
    int column = cursor.positionInBlock();
    if (column > 0 && DsClickPoint.x() < DsDisplay->cursorRect(cursor).left())
        --column;
    const std::vector<std::string> lines = platform::memoLines(*DsDisplay);
    const auto lineNumber = static_cast<std::size_t>(cursor.blockNumber());
    std::size_t position = 0;
    for (std::size_t i = 0; i < lineNumber && i < lines.size(); ++i)
        position += lines[i].size() + 2;
    if (lineNumber < lines.size())
        position += ds::wordStart(lines[lineNumber], static_cast<std::size_t>(column));

    const ds::ItemExplanation item =
        ds::explainItem(lines, position, FMain->GetDataPath(), FMain->GetDrive(), platform::currentDirectory());
    if (item.result == ds::ItemExplanation::Result::NotDatasheet)
        return;
    if (item.result == ds::ItemExplanation::Result::NoReadme) {
        Msg = ds::readmeNotFoundText();
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FHelp->SetHelpContext(6);
    FHelp->HelpMemo->clear();
    FHelp->HelpMemo->setFont(DsDisplay->font());
    platform::setMemoLines(*FHelp->HelpMemo, item.lines);
    OpenHelp(6);
}

int TFDisplay::ReadmeHasItems(const std::string& path)
{
    return ds::readmeHasItems(path) ? 1 : 0;
}

void TFDisplay::DisplayInit()
{
    SaveDir.clear();
}
