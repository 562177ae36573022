#include "pellorin/tf_windows.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QFrame>
#include <QMenuBar>
#include <QStyle>
#include <QTextDocument>

#include <algorithm>
#include <vector>

#include "datasheet/forms/help_topics_pellorin.h"
#include "datasheet/forms/tf_help.h"
#include "datasheet/forms/tf_print_set.h"
#include "datasheet/forms/tf_status.h"
#include "pellorin/tf_disclaim.h"
#include "pellorin/tf_help2.h"
#include "pellorin/tf_help3.h"
#include "pellorin/tf_list.h"
#include "pellorin/tf_main.h"
#include "pellorin/tf_offsets.h"
#include "pellorin/tf_old_ds.h"
#include "pellorin/tf_the_end.h"
#include "pellorin/tf_up_ds.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

namespace pellorin {

TFDisclaim* FDisclaim = nullptr;

namespace {

std::vector<QWidget*> created;

// Pellorin's help texts are laid out in columns of up to 60-odd characters:
// the window is made wide enough for the longest line of any topic beside
// the topic list (as wide as its longest title), and high enough for the
// longest topic as far as the screen allows, so no line is cut.
void fitHelpToTopics(TFHelp& window)
{
    const auto& topics = ::help::pellorin::topics();
    const QFontMetrics textMetrics(window.HelpMemo->font());
    const QFontMetrics titleMetrics(window.HelpList->font());
    int widest = textMetrics.horizontalAdvance("<-------- CLICK ON A TOPIC FROM THE INDEX AT LEFT.");
    int listWidth = 160;
    std::size_t mostLines = 4;
    for (std::string_view title : topics.titles(0)) {
        listWidth = std::max(listWidth, titleMetrics.horizontalAdvance(platform::toQ(title)) +
                                            2 * window.HelpList->frameWidth() + 12);
        ::help::Topic topic;
        if (!topics.topic(0, title, topic))
            continue;
        const auto lines = ::help::textLines(topic.text);
        mostLines = std::max(mostLines, lines.size() + 3);
        widest = std::max(widest, textMetrics.horizontalAdvance(platform::toQ(topic.heading)));
        for (const std::string& line : lines)
            widest = std::max(widest, textMetrics.horizontalAdvance(platform::toQ(line)));
    }
    const int margins = 2 * static_cast<int>(window.HelpMemo->document()->documentMargin()) +
                        2 * window.HelpMemo->frameWidth() + 8;
    const int scrollBar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = listWidth + window.Splitter1->handleWidth() + widest + margins + scrollBar;
    const int textHeight = static_cast<int>(mostLines) * textMetrics.lineSpacing() + margins;
    const int chrome = window.menuBar()->sizeHint().height() + window.Panel1->maximumHeight();
    window.resize(std::max(window.width(), width), std::clamp(textHeight + chrome, window.height(), 640));
}

} // namespace

void CreatePellorinForms()
{
    auto* main = new TFMain;
    created.push_back(main);
    created.push_back(new TFOffsets(main->Lists));
    created.push_back(new TFList(main->Lists));
    // The progress and disclaimer windows are made by each operation and by
    // the main window; the ones made here in the form order are never shown.
    created.push_back(new TFStatus(nullptr, true));
    created.push_back(new TFDisclaim(nullptr));
    FStatus = nullptr;
    FDisclaim = nullptr;
    created.push_back(new TFUpDS);
    created.push_back(new TFPrintSet(nullptr, ds::kPellorin));
    created.push_back(new TFOldDS);
    auto* help = new TFHelp(::help::pellorin::profile());
    fitHelpToTopics(*help);
    created.push_back(help);
    created.push_back(new TFHelp2);
    created.push_back(new TFHelp3);
    created.push_back(new TFTheEnd);
}

void showRestored(QWidget& window)
{
    if (window.isMinimized())
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    platform::showForm(window);
}

void DestroyPellorinForms()
{
    while (!created.empty()) {
        delete created.back();
        created.pop_back();
    }
}

} // namespace pellorin
