#include "kavro/tf_get_pid.h"

#include <QCheckBox>
#include <QFontDatabase>
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

TFGetPid* FGetPid = nullptr;

namespace {

const char* const kPidFormatNotice = "     PID FORMAT\n"
                                     "       MN0298\n"
                                     "     i.e. 2 Upper/Letters followed by 4 numbers.\n"
                                     "     Click Sample Button for example.\n";

} // namespace

TFGetPid::TFGetPid(QWidget* parent) : QWidget(parent, Qt::Window)
{
    FGetPid = this;
    setWindowTitle("PID INPUT");

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* layout = new QVBoxLayout(this);

    Label1 = new QLabel("Example = MX4273", this);
    Label1->setFont(fixed);
    Label2 = new QLabel("ENTER PID", this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    PidBox = new QLineEdit(this);
    PidBox->setFont(fixed);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(PidBox);

    const platform::SearchButtons buttons = platform::addSearchButtons(
        *this, *layout, {PidBox},
        {[this] { OkPid(); }, [this] { SamplePid(); }, [this] { ClearPid(); }, [this] { CancelPid(); }});
    Ok = buttons.Ok;
    Sample = buttons.Sample;
    Clear = buttons.Clear;
    Cancel = buttons.Cancel;

    const platform::StayOnTopPanel panel = platform::addStayOnTopPanel(*this, *layout, [this] { TopClicked(); });
    Panel1 = panel.Panel1;
    CheckBox = panel.CheckBox;
}

TFGetPid::~TFGetPid()
{
    if (FGetPid == this)
        FGetPid = nullptr;
}

void TFGetPid::OkPid()
{
    FList->SetSearchMode(1);
    const std::string pid = ds::normalisePid(platform::fromQ(PidBox->text()));
    if (CheckPid(pid) != 0) {
        Msg = kPidFormatNotice;
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FFound->setWindowTitle(platform::toQ("FIND " + pid));
    SearchPid(pid);
}

int TFGetPid::CheckPid(const std::string& text) const
{
    return ds::checkPid(text);
}

void TFGetPid::SearchPid(const std::string& pid)
{
    FFound->hide();
    platform::LineList& found = FFound->FoundList->lines();
    found.clear();

    const std::vector<std::string>& lines = FList->MarksList->lines().lines();
    const std::optional<std::size_t> hit = ds::findPid(lines, pid);
    if (!hit) {
        Msg = "Pid = " + pid + " Not Found";
        platform::notices().notice("NOTICE", Msg);
        return;
    }
    FList->MarksList->setSelectedRow(static_cast<int>(*hit));
    FList->show();
    // The line as the station list has it, mark "   ->" included.
    found.append({lines[*hit]});
    FFound->FoundList->show();
    FFound->show();
}

void TFGetPid::SamplePid()
{
    PidBox->setText("MX4273");
}

void TFGetPid::ClearPid()
{
    // One blank, not an empty text.
    PidBox->setText(" ");
}

void TFGetPid::CancelPid()
{
    hide();
}

void TFGetPid::TopClicked()
{
    platform::setStayOnTop(*this, CheckBox->isChecked());
}
