// Times the memo and the list view with many lines, offscreen, and prints
// one figure a line as "name=<seconds>":
//   memo_N    set N lines of 80 in a memo, read them back, select the last
//   list_N    assign N lines of 80 to a list view, show it scrolled to the
//             end, then jump to the middle and back to the top
// for a small and a large N of each, so bench.sh can check that the time
// grows no faster than the lines. Exit status 1 when a result is wrong.
#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/qt/line_list_view.h"
#include "platform/qt/memo.h"

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<std::string> numberedLines(int count)
{
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string line = "line " + std::to_string(i) + " ";
        line.resize(80, '=');
        lines.push_back(std::move(line));
    }
    return lines;
}

bool memo(int count)
{
    const std::vector<std::string> lines = numberedLines(count);
    QPlainTextEdit memo;
    memo.resize(400, 300);
    memo.show();
    const int lastStart = (count - 1) * 82;
    const auto start = Clock::now();
    platform::setMemoLines(memo, lines);
    const std::vector<std::string> back = platform::memoLines(memo);
    platform::memoSelect(memo, lastStart, 10);
    memo.viewport()->repaint();
    const double seconds = since(start);
    std::printf("memo_%d=%.6f\n", count, seconds);
    return back == lines && platform::memoSelectionStart(memo) == lastStart;
}

bool list(int count)
{
    std::vector<std::string> lines = numberedLines(count);
    platform::LineList list;
    platform::LineListView view(list);
    view.resize(400, 300);
    view.show();
    const auto start = Clock::now();
    list.assign(std::move(lines));
    view.scrollToBottom();
    view.viewport()->repaint();
    view.setTopIndex(count / 2);
    view.viewport()->repaint();
    view.setTopIndex(0);
    view.viewport()->repaint();
    const double seconds = since(start);
    std::printf("list_%d=%.6f\n", count, seconds);
    return view.model()->rowCount() == count && view.topIndex() == 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    bool right = true;
    for (int count : {5000, 50000})
        right = memo(count) && right;
    for (int count : {100000, 1000000})
        right = list(count) && right;
    return right ? 0 : 1;
}
