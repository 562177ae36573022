#include "kavro/tf_get_pid.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "datasheet/list_search.h"
#include "kavro/tf_found.h"
#include "kavro/tf_list.h"
#include "platform/notices.h"
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

    auto* buttons = new QGridLayout;
    Ok = new QPushButton("OK", this);
    Ok->setDefault(true);
    Sample = new QPushButton("SAMPLE", this);
    Clear = new QPushButton("CLEAR", this);
    Cancel = new QPushButton("CANCEL", this);
    buttons->addWidget(Ok, 0, 0);
    buttons->addWidget(Sample, 0, 1);
    buttons->addWidget(Clear, 1, 0);
    buttons->addWidget(Cancel, 1, 1);
    layout->addLayout(buttons);

    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    auto* panelLayout = new QHBoxLayout(Panel1);
    panelLayout->setContentsMargins(4, 2, 4, 2);
    CheckBox = new QCheckBox("Stay On Top", Panel1);
    panelLayout->addWidget(CheckBox);
    layout->addWidget(Panel1);

    connect(Ok, &QPushButton::clicked, this, [this] { OkPid(); });
    // Enter in the box presses the default button, as in a dialog.
    connect(PidBox, &QLineEdit::returnPressed, this, [this] { OkPid(); });
    connect(Sample, &QPushButton::clicked, this, [this] { SamplePid(); });
    connect(Clear, &QPushButton::clicked, this, [this] { ClearPid(); });
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelPid(); });
    connect(CheckBox, &QCheckBox::toggled, this, [this] { TopClicked(); });
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
    const int row = static_cast<int>(*hit);
    FList->MarksList->setSelectedRow(row);
    FList->MarksList->scrollTo(FList->MarksList->model()->index(row, 0));
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
