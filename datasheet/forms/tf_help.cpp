#include "datasheet/forms/tf_help.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QShowEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "datasheet/forms/help_topics.h"
#include "datasheet/forms/print_lines.h"
#include "platform/qt/memo.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFHelp* FHelp = nullptr;

namespace {

constexpr int kListWidth = 160;
constexpr int kItemMarkContext = 6;
constexpr std::size_t kTopicRows = 100;
constexpr std::size_t kTitleLength = 39;   // a title row holds 40 characters with its terminator
constexpr std::size_t kClickedLength = 79; // the clicked title as the routines get it

const std::vector<std::string> kStartLines = {" ", "[Help...]", "", "<-------- CLICK ON A TOPIC FROM THE INDEX AT LEFT."};

QFont listFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

void useInfoTipColours(QWidget& widget)
{
    QPalette tip = widget.palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    tip.setColor(QPalette::Text, tip.color(QPalette::ToolTipText));
    widget.setPalette(tip);
}

} // namespace

TFHelp::TFHelp(QWidget* parent) : TFHelp(HelpProfile{}, parent)
{
}

TFHelp::TFHelp(HelpProfile profile, QWidget* parent) : QMainWindow(parent), Profile(std::move(profile))
{
    FHelp = this;
    if (!Profile.stayOnTopHandler)
        Profile.stayOnTopHandler = &TFHelp::CheckBoxClick;
    setWindowTitle(Profile.caption);
    resize(576, 306 + menuBar()->sizeHint().height());
    createControls();
}

TFHelp::~TFHelp()
{
    if (FHelp == this)
        FHelp = nullptr;
}

void TFHelp::createControls()
{
    HelpClose = menuBar()->addAction("Close");
    HelpPrint = menuBar()->addAction("Print");
    connect(HelpClose, &QAction::triggered, this, [this] { HelpCloseClick(); });
    connect(HelpPrint, &QAction::triggered, this, [this] { HelpPrintClick(); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setHandleWidth(8);
    // The label lies behind the list, as in the window's design.
    auto* left = new QWidget(Splitter1);
    HelpItemLabel = new QLabel("Pick One", left);
    HelpItemLabel->move(4, 2);
    HelpList = new QListWidget(left);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(HelpList);
    HelpList->raise();
    HelpList->setFont(listFont());
    HelpList->setUniformItemSizes(true);
    connect(HelpList, &QListWidget::itemClicked, this, [this] { HelpItemClicked(); });

    HelpMemo = new QPlainTextEdit(Splitter1);
    HelpMemo->setFont(listFont());
    HelpMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    HelpMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (Profile.infoTipColours) {
        useInfoTipColours(*HelpList);
        useInfoTipColours(*HelpMemo);
    }
    Splitter1->addWidget(left);
    Splitter1->addWidget(HelpMemo);
    Splitter1->setStretchFactor(1, 1);
    column->addWidget(Splitter1, 1);

    Panel1 = new QFrame(central);
    Panel1->setFixedHeight(18);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 4, 0);
    row->addStretch(1);
    CheckBox = new QCheckBox("Stay On Top", Panel1);
    CheckBox->setLayoutDirection(Qt::RightToLeft);
    CheckBox->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    row->addWidget(CheckBox);
    const auto handler = Profile.stayOnTopHandler;
    connect(CheckBox, &QCheckBox::toggled, this, [this, handler] { (this->*handler)(); });
    column->addWidget(Panel1);
    setCentralWidget(central);
    setListWidth(kListWidth);
}

void TFHelp::SetHelpContext(int context)
{
    if (Profile.setContext)
        Profile.setContext(context);
    else
        HelpContext = context;
}

int TFHelp::GetHelpContext() const
{
    if (Profile.oneTopicList)
        return 0;
    return Profile.getContext ? Profile.getContext() : HelpContext;
}

void TFHelp::setListWidth(int width)
{
    // A hidden window lays its controls out only when shown; do it now so
    // that the sizes below are taken from the window's width.
    if (centralWidget() && centralWidget()->layout())
        centralWidget()->layout()->activate();
    int total = Splitter1->width() - Splitter1->handleWidth();
    if (total <= width)
        total = width + 1;
    Splitter1->setSizes({width, total - width});
}

void TFHelp::HelpInit()
{
    const int context = GetHelpContext();
    if (context == kItemMarkContext && !Profile.oneTopicList) {
        setListWidth(0);
        return;
    }
    platform::setMemoLines(*HelpMemo, kStartLines);
    TopicTable.clear();
    HelpList->clear();
    if (Profile.topics) {
        for (std::string_view title : Profile.topics->titles(context)) {
            if (TopicTable.size() == kTopicRows)
                break;
            TopicTable.emplace_back(title.substr(0, kTitleLength));
        }
    }
    // 160 pixels, or wider where this system's font needs it for a title.
    int width = kListWidth;
    const QFontMetrics metrics(HelpList->font());
    for (const auto& title : TopicTable) {
        HelpList->addItem(platform::toQ(title));
        width = std::max(width, metrics.horizontalAdvance(platform::toQ(title)) + 2 * HelpList->frameWidth() + 12);
    }
    setListWidth(width);
}

void TFHelp::HelpItemClicked()
{
    HelpMemo->clear();
    QListWidgetItem* item = HelpList->currentItem();
    if (!item)
        return;
    showTopic(platform::fromQ(item->text()).substr(0, kClickedLength));
}

void TFHelp::showTopic(const std::string& title)
{
    const int context = GetHelpContext();
    help::Topic topic;
    if (!Profile.topics || (context == kItemMarkContext && !Profile.oneTopicList) ||
        !Profile.topics->topic(context, title, topic))
        return;
    std::vector<std::string> lines = {" ", topic.heading};
    for (auto& line : help::textLines(topic.text))
        lines.push_back(std::move(line));
    platform::setMemoLines(*HelpMemo, lines);
    const std::string_view select = Profile.topics->selectAfter(context, title);
    if (!select.empty())
        SelectText(std::string(select));
}

void TFHelp::SelectText(const std::string& text)
{
    int position = 0;
    for (const auto& line : memoLines()) {
        const std::size_t found = line.find(text);
        if (found != std::string::npos) {
            HelpMemo->setFocus();
            platform::memoSelect(*HelpMemo, position + static_cast<int>(found), static_cast<int>(text.size()));
            return;
        }
        position += static_cast<int>(line.size()) + 2;
    }
}

std::vector<std::string> TFHelp::memoLines() const
{
    return platform::memoLines(*HelpMemo);
}

void TFHelp::HelpPrintClick()
{
    // The memo's lines whole; 50 lines per page (a page holds one more), no
    // page eject.
    const std::vector<std::string> lines = memoLines();
    ds::PageOptions options;
    options.linesPerPage = 50;
    options.pageEject = false;
    options.floorCharacters = Profile.printFloorCharacters;
    PrintLines(this, lines, HelpMemo->font(), options);
}

void TFHelp::HelpCloseClick()
{
    hide();
}

void TFHelp::HelpClosed()
{
    // Undoes the viewer's font that an item explanation gave the memo.
    HelpMemo->setFont(HelpList->font());
}

void TFHelp::closeEvent(QCloseEvent* event)
{
    HelpClosed();
    QMainWindow::closeEvent(event);
}

void TFHelp::showEvent(QShowEvent* event)
{
    // Not when the window system shows it again (a window restored from
    // its icon keeps its topic), nor when a change of style shows it again.
    if (!event->spontaneous() && !Opening && !Restyling)
        HelpInit();
    QMainWindow::showEvent(event);
}

void TFHelp::setStayOnTop(bool onTop)
{
    // A new window style hides the window and shows it again; the topic
    // being read stays.
    Restyling = true;
    platform::setStayOnTop(*this, onTop);
    Restyling = false;
}

void TFHelp::CheckBoxClick()
{
    setStayOnTop(CheckBox->isChecked());
}

void TFHelp::TopClicked()
{
    setStayOnTop(CheckBox->isChecked());
}

void OpenHelp(int context)
{
    if (!FHelp)
        return;
    FHelp->SetHelpContext(context);
    FHelp->HelpInit();
    FHelp->Opening = true;
    FHelp->show();
    FHelp->Opening = false;
    platform::keepUsableBesideModal(*FHelp);
    FHelp->raise();
    FHelp->activateWindow();
}
