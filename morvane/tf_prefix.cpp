#include "morvane/tf_prefix.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFPrefix* FPrefix = nullptr;

TFPrefix::TFPrefix(QWidget* parent) : QDialog(parent)
{
    FPrefix = this;
    setWindowTitle(QStringLiteral("OUTPUT FILE PREFIX"));
    auto* layout = new QVBoxLayout(this);
    RadioButton1 = new QRadioButton(QStringLiteral("Use station PID as filename prefix"), this);
    RadioButton2 = new QRadioButton(QStringLiteral("Use \"dsdata\" as filename prefix"), this);
    // Each button unchecks the other in its click handler.
    RadioButton1->setAutoExclusive(false);
    RadioButton2->setAutoExclusive(false);
    RadioButton2->setChecked(true);
    layout->addWidget(RadioButton1);
    layout->addWidget(RadioButton2);
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    layout->addWidget(Okay, 0, Qt::AlignHCenter);
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

TFPrefix::~TFPrefix()
{
    if (FPrefix == this)
        FPrefix = nullptr;
}

void TFPrefix::OkayClick()
{
    SetPrefixMode(RadioButton1->isChecked() ? 0 : 1);
    accept();
}

void TFPrefix::RadioButton1Click()
{
    RadioButton1->setChecked(true);
    RadioButton2->setChecked(false);
}

void TFPrefix::RadioButton2Click()
{
    RadioButton2->setChecked(true);
    RadioButton1->setChecked(false);
}
