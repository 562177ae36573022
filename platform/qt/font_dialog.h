#pragma once
// The font dialog with an Apply button: each press of Apply emits applied()
// with the dialog's font; OK and Cancel only close it, so a caller that
// takes fonts from applied() alone sees nothing further from them. It is
// always Qt's own dialog (a native one has no Apply). Run it with execModal;
// tests answer it there like any modal dialog.
#include <QFontDialog>

class QPushButton;

namespace platform {

class FontDialog : public QFontDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget* parent = nullptr);

    QPushButton* applyButton() const { return apply_; }

signals:
    void applied(const QFont& font);

private:
    QPushButton* apply_ = nullptr;
};

} // namespace platform
