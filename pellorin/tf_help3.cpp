#include "pellorin/tf_help3.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pellorin {

TFHelp3* FHelp3 = nullptr;

TFHelp3::TFHelp3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FHelp3 = this;
    setWindowTitle("HELP                                 SAVE vs UNDO");
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
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

TFHelp3::~TFHelp3()
{
    if (FHelp3 == this)
        FHelp3 = nullptr;
}

} // namespace pellorin
