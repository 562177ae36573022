#include "platform/qt/font_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

namespace platform {

FontDialog::FontDialog(QWidget* parent) : QFontDialog(parent)
{
    setOption(QFontDialog::DontUseNativeDialog);
    auto* buttons = findChild<QDialogButtonBox*>();
    apply_ = buttons ? buttons->addButton(QDialogButtonBox::Apply) : nullptr;
    if (apply_)
        connect(apply_, &QPushButton::clicked, this, [this] { emit applied(currentFont()); });
}

} // namespace platform
