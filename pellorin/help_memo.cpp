#include "pellorin/help_memo.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/qt/memo.h"
#include "platform/qt/text.h"

namespace pellorin {

QPlainTextEdit* buildHelpMemo(QWidget& window, std::string_view caption, const std::vector<std::string>& lines,
                              Qt::ScrollBarPolicy verticalScrollBar)
{
    window.setWindowTitle(platform::toQ(caption));
    window.resize(560, 380);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* memo = new QPlainTextEdit(&window);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(13);
    memo->setFont(fixed);
    QPalette tip = memo->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    memo->setPalette(tip);
    layout->addWidget(memo);
    platform::setMemoLines(*memo, lines);
    memo->setVerticalScrollBarPolicy(verticalScrollBar);
    return memo;
}

} // namespace pellorin
