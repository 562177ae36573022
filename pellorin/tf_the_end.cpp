#include "pellorin/tf_the_end.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/memo.h"
#include "platform/qt/text.h"

namespace pellorin {

TFTheEnd* FTheEnd = nullptr;

TFTheEnd::TFTheEnd(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FTheEnd = this;
    setWindowTitle("Update Status");
    resize(460, 260);
    auto* layout = new QVBoxLayout(this);
    TheEndMemo = new QPlainTextEdit(this);
    TheEndMemo->setObjectName("TheEndMemo");
    TheEndMemo->setReadOnly(true);
    TheEndMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette tip = TheEndMemo->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    TheEndMemo->setPalette(tip);
    platform::addMemoLine(*TheEndMemo, "");
    Button1 = new QPushButton("OK", this);
    layout->addWidget(TheEndMemo, 1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

TFTheEnd::~TFTheEnd()
{
    if (FTheEnd == this)
        FTheEnd = nullptr;
}

void TFTheEnd::Button1Click()
{
    hide();
}

void TFTheEnd::AddMessage(const std::string& text)
{
    // A message for a person, naming a file: shown as the notices show
    // theirs, one memo line per line of it.
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        const std::string_view line =
            std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
        platform::addMemoLine(*TheEndMemo, line, platform::noticeTextToQ);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
}

} // namespace pellorin
