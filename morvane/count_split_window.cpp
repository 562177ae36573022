#include "morvane/count_split_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

CountSplitWindow::CountSplitWindow(const QString& caption, const QString& label, const QString& size,
                                   const QString& unit, bool splitCheckBox, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(caption);
    auto* layout = new QGridLayout(this);
    Label1 = new QLabel(label, this);
    SizeBox = new QLineEdit(size, this);
    SizeBox->setMaxLength(8);
    Label2 = new QLabel(unit, this);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(SizeBox, 0, 1);
    layout->addWidget(Label2, 0, 2);
    if (splitCheckBox) {
        SplitCheckBox = new QCheckBox(QStringLiteral("Split only between datasheets"), this);
        SplitCheckBox->setChecked(true);
        layout->addWidget(SplitCheckBox, 1, 0, 1, 3);
    }
    Okay = new QPushButton(QStringLiteral("Okay"), this);
    layout->addWidget(Okay, 2, 0, 1, 3, Qt::AlignHCenter);
    connect(Okay, &QPushButton::clicked, this, [this] { OkayClick(); });
}

} // namespace morvane
