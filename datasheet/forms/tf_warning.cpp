#include "datasheet/forms/tf_warning.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstring>
#include <initializer_list>

#include "datasheet/forms/tf_get_out.h"

TFWarning* FWarning = nullptr;

namespace {

// A radio group: the items in a box, the first one selected.
QGroupBox* newRadioGroup(QWidget* parent, const QStringList& items)
{
    auto* group = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(group);
    for (int index = 0; index < items.size(); ++index) {
        auto* item = new QRadioButton(items[index], group);
        buttons->addButton(item, index);
        layout->addWidget(item);
    }
    buttons->button(0)->setChecked(true);
    return group;
}

int selectedItem(const QGroupBox& group)
{
    const auto* buttons = group.findChild<QButtonGroup*>();
    return buttons ? buttons->checkedId() : -1;
}

QLabel* newHeading(QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("File Already Exists"), parent);
    QFont font = label->font();
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}

} // namespace

TFWarning::TFWarning(QWidget* owner, AnswerStore storeAnswer, Layout layout)
    : QDialog(owner), storeAnswer_(std::move(storeAnswer))
{
    FWarning = this;
    resize(355, 259);
    if (layout == Layout::Kavro) {
        buildKavro();
        SetOptions();
    } else {
        buildMorvane();
    }
}

TFWarning::~TFWarning()
{
    if (FWarning == this)
        FWarning = nullptr;
}

void TFWarning::buildKavro()
{
    setWindowTitle(QStringLiteral("FWarning"));
    auto* layout = new QVBoxLayout(this);
    FileName = new QLabel(this);
    Label2 = newHeading(this);
    RadioGroup1 = newRadioGroup(this, {QStringLiteral("Overwrite"), QStringLiteral("Append"),
                                       QStringLiteral("Merge/Replace"), QStringLiteral("Cancel")});
    Okay1 = new QPushButton(QStringLiteral("Okay"), this);
    RadioGroup2 = newRadioGroup(this, {QStringLiteral("Overwrite"), QStringLiteral("Append"), QStringLiteral("Cancel")});
    Okay2 = new QPushButton(QStringLiteral("Okay"), this);
    RadioGroup1->hide();
    RadioGroup2->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{FileName, Label2, RadioGroup1, RadioGroup2, Okay1, Okay2})
        layout->addWidget(control);
    connect(Okay1, &QPushButton::clicked, this, [this] { Okay1Click(); });
    connect(Okay2, &QPushButton::clicked, this, [this] { Okay2Click(); });
}

void TFWarning::buildMorvane()
{
    setWindowTitle(QStringLiteral("NOTICE"));
    auto* layout = new QVBoxLayout(this);
    Label1 = newHeading(this);
    FileName = new QLabel(this);
    RadioGroup1 = newRadioGroup(this, {QStringLiteral("Overwrite"), QStringLiteral("Append"), QStringLiteral("Cancel ")});
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    for (QWidget* control : std::initializer_list<QWidget*>{Label1, FileName, RadioGroup1, Okay})
        layout->addWidget(control);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

void TFWarning::SetOptions()
{
    const bool dataSheet = FGetOut && FGetOut->GetDataSheetFlag() == 1;
    RadioGroup1->setVisible(dataSheet);
    Okay1->setVisible(dataSheet);
    RadioGroup2->setVisible(!dataSheet);
    Okay2->setVisible(!dataSheet);
}

void TFWarning::Okay1Click()
{
    answer(*RadioGroup1, "WAM");
}

void TFWarning::Okay2Click()
{
    answer(*RadioGroup2, "WA");
}

void TFWarning::OkayClick()
{
    answer(*RadioGroup1, "WA");
}

void TFWarning::answer(const QGroupBox& group, const char* answers)
{
    const int item = selectedItem(group);
    const bool given = item >= 0 && static_cast<std::size_t>(item) < std::strlen(answers);
    if (storeAnswer_)
        storeAnswer_(given ? answers[item] : 'C');
    accept();
}
