#include "pellorin/tf_help2.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pellorin {

TFHelp2* FHelp2 = nullptr;

TFHelp2::TFHelp2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FHelp2 = this;
    setWindowTitle("HELP                                     Station List");
    resize(560, 380);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(13);
    Memo1->setFont(fixed);
    QPalette tip = Memo1->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    Memo1->setPalette(tip);
    layout->addWidget(Memo1);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->hide();
}

TFHelp2::~TFHelp2()
{
    if (FHelp2 == this)
        FHelp2 = nullptr;
}

} // namespace pellorin
