#include "pellorin/tf_help3.h"

#include "datasheet/forms/help_topics_pellorin.h"
#include "pellorin/help_memo.h"

namespace pellorin {

TFHelp3* FHelp3 = nullptr;

TFHelp3::TFHelp3(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FHelp3 = this;
    Memo1 = buildHelpMemo(*this, ::help::pellorin::kHelp3Caption, ::help::pellorin::Help3Lines(),
                          Qt::ScrollBarAlwaysOff);
}

TFHelp3::~TFHelp3()
{
    if (FHelp3 == this)
        FHelp3 = nullptr;
}

} // namespace pellorin
