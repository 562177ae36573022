#include "pellorin/tf_help2.h"

#include <QPlainTextEdit>

#include "datasheet/forms/help_topics_pellorin.h"
#include "pellorin/help_memo.h"

namespace pellorin {

TFHelp2* FHelp2 = nullptr;

TFHelp2::TFHelp2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FHelp2 = this;
    Memo1 = buildHelpMemo(*this, ::help::pellorin::kHelp2Caption, ::help::pellorin::Help2Lines(),
                          Qt::ScrollBarAlwaysOn);
    Memo1->hide();
}

TFHelp2::~TFHelp2()
{
    if (FHelp2 == this)
        FHelp2 = nullptr;
}

} // namespace pellorin
