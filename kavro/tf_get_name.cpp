#include "kavro/tf_get_name.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "datasheet/list_search.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "platform/notices.h"
#include "platform/qt/form_parts.h"
#include "platform/qt/text.h"
#include "platform/qt/window.h"

TFGetName* FGetName = nullptr;

namespace {

const char* const kNameFormatNotice = "     NAME FORMAT\n"
                                      "       STATE CAPITOL BUILD\n"
                                      "     May have embedded blanks,\n"
                                      "     and may be truncated,\n"
                                      "     but MUST be left justified.\n"
                                      "     Click Sample Button for example.\n";

} // namespace

TFGetName::TFGetName(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetName = this;
    setWindowTitle("NAME INPUT");

    auto* layout = new QVBoxLayout(this);
    Label2 = new QLabel("Example = STATE CAPITOL BUILD", this);
    Label1 = new QLabel("ENTER NAME", this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    NameBox = new QLineEdit(this);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addWidget(NameBox);

    const platform::SearchButtons buttons = platform::addSearchButtons(
        *this, *layout, {NameBox},
        {[this] { OkName(); }, [this] { SampleName(); }, [this] { ClearName(); }, [this] { CancelName(); }});
    Ok = buttons.Ok;
    Sample = buttons.Sample;
    Clear = buttons.Clear;
    Cancel = buttons.Cancel;

    CheckBox = platform::addStayOnTopBox(*this, *layout, [this] { TopClicked(); });
}

TFGetName::~TFGetName()
{
    if (FGetName == this)
        FGetName = nullptr;
}

void TFGetName::OkName()
{
    FList->SetSearchMode(2);
    std::string name = ds::normaliseName(platform::fromQ(NameBox->text()));
    if (CheckNameStart(name) != 0) {
        Msg = kNameFormatNotice;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    // The caption shows the text before the cut at a '*'.
    FFound->setWindowTitle(platform::toQ("FIND " + name));
    FindByName(name);
}

int TFGetName::CheckNameStart(const std::string& text) const
{
    return ds::checkNameStart(text);
}

void TFGetName::FindByName(std::string& text)
{
    FFound->hide();
    platform::LineList& found = FFound->FoundList->lines();
    found.clear();
    text = ds::cutNameAtStar(text);

    const std::vector<std::string>& lines = FList->MarksList->lines().lines();
    const std::vector<std::size_t> hits = ds::findName(lines, text);
    if (!hits.empty()) {
        FList->MarksList->setSelectedRow(static_cast<int>(hits.front()));
    }
    FList->show();
    if (hits.empty()) {
        // The name as the caption shows it.
        Msg = "Name = " + platform::eightBitForNotice(text) + " Not Found";
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    std::vector<std::string> copies;
    copies.reserve(hits.size());
    for (std::size_t i : hits)
        copies.push_back(lines[i]);
    // One append for all hits; while the results list is still sorted (after
    // a point-radius search) it places them in its own order.
    found.append(std::move(copies));
    FFound->FoundList->show();
    FFound->show();
}

void TFGetName::SampleName()
{
    NameBox->setText("STATE CAPITOL BUILD");
}

void TFGetName::ClearName()
{
    // One blank, not an empty text.
    NameBox->setText(" ");
}

void TFGetName::CancelName()
{
    hide();
}

void TFGetName::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}
