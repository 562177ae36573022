#include "pellorin/datasheet_viewer.h"

#include <QAction>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

#include "datasheet/forms/print_lines.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/profile.h"
#include "pellorin/tf_windows.h"
#include "platform/qt/memo.h"
#include "platform/qt/window.h"

namespace pellorin {

void printPellorinLines(QWidget* owner, const std::vector<std::string>& lines, const QFont& font)
{
    ds::PageOptions options;
    options.linesPerPage = FPrintSet ? FPrintSet->GetLinesPerPage() : 58;
    options.pageEject = false;
    options.floorCharacters = ds::kPellorin.readLength();
    PrintLines(owner, lines, font, options);
}

DatasheetViewer::DatasheetViewer(const char* caption, const char* panelCaption, const char* topCaption,
                                 QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(caption);
    Print1 = menuBar()->addMenu("Print...");
    PrintDS = Print1->addAction("Print");
    PrintSetupDs = Print1->addAction("Print SetUp...");
    connect(PrintDS, &QAction::triggered, this, [this] { PrintDSClick(); });
    connect(PrintSetupDs, &QAction::triggered, this, [this] { PrintSetupDsClick(); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    memo_ = new QPlainTextEdit(central);
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(13);
    memo_->setFont(fixed);
    // Wide enough for a datasheet's 80-column lines (and a character more)
    // beside the vertical scroll bar, so none is cut.
    const int textWidth = QFontMetrics(fixed).horizontalAdvance(QString(81, QChar('M'))) +
                          2 * static_cast<int>(memo_->document()->documentMargin()) + 2 * memo_->frameWidth() +
                          style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    resize(std::max(640, textWidth), 480);
    column->addWidget(memo_, 1);

    auto* panel = new QWidget(central);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 3, 6, 3);
    Panel1 = new QLabel(panelCaption, panel);
    CheckBox = new QCheckBox(topCaption, panel);
    row->addWidget(Panel1, 1);
    row->addWidget(CheckBox);
    column->addWidget(panel);
    setCentralWidget(central);
    connect(CheckBox, &QCheckBox::toggled, this, [this] { TopClicked(); });
}

void DatasheetViewer::setLines(const std::vector<std::string>& lines)
{
    platform::setMemoLines(*memo_, lines);
}

std::vector<std::string> DatasheetViewer::lines() const
{
    return platform::memoLines(*memo_);
}

void DatasheetViewer::PrintDSClick()
{
    printPellorinLines(this, lines(), memo_->font());
}

void DatasheetViewer::PrintSetupDsClick()
{
    if (FPrintSet) {
        showRestored(*FPrintSet);
    }
}

void DatasheetViewer::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}

} // namespace pellorin
