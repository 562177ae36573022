#include "datasheet/forms/tf_status.h"

#include "platform/qt/window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

TFStatus* FStatus = nullptr;

namespace {

QFont pixelFont(const QFont& base, int pixels, bool bold)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TFStatus::TFStatus(QWidget* owner, bool withMessage) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("Status"));
    auto* layout = new QVBoxLayout(this);
    if (withMessage) {
        Message = new QLabel(this);
        Message->setObjectName(QStringLiteral("Message"));
        Message->setFont(pixelFont(font(), 13, false));
        layout->addWidget(Message, 0, Qt::AlignLeft | Qt::AlignTop);
    }
    IoStatus = new QLabel(QStringLiteral("Please Wait..."), this);
    IoStatus->setObjectName(QStringLiteral("IoStatus"));
    IoStatus->setFont(pixelFont(font(), 16, true));
    layout->addWidget(IoStatus);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    layout->addWidget(ProgressBar1);
    if (withMessage) {
        // Grows with the message text; the bar keeps the window at least the usual width.
        ProgressBar1->setMinimumWidth(355 - layout->contentsMargins().left() - layout->contentsMargins().right());
        layout->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        resize(355, 124);
    }
}

TFStatus::~TFStatus()
{
    ResetCursor();
    if (FStatus == this)
        FStatus = nullptr;
}

void TFStatus::start()
{
    finished_ = false;
    ProgressBar1->setValue(0);
    IoStatus->setVisible(true);
    show();
    platform::repaintNow(*IoStatus);
}

void TFStatus::set(int percent)
{
    percent = std::clamp(percent, 0, 100);
    // The bar moves at most a hundred times an operation; repainting only
    // then keeps the operation's speed.
    if (percent == ProgressBar1->value())
        return;
    ProgressBar1->setValue(percent);
    platform::repaintNow(*ProgressBar1);
}

void TFStatus::finish()
{
    finished_ = true;
    ProgressBar1->setValue(100);
    platform::repaintNow(*ProgressBar1);
    platform::pauseMs(1);
    close();
}

void TFStatus::ChangeCursor()
{
    // Activation can come again while the window is up; only the first one
    // remembers, or the hourglass itself would be remembered.
    if (cursorChanged_)
        return;
    const QCursor* current = QApplication::overrideCursor();
    SaveCursor = current ? *current : QCursor();
    platform::pushBusyCursor();
    cursorChanged_ = true;
}

void TFStatus::ResetCursor()
{
    if (!cursorChanged_)
        return;
    platform::popBusyCursor();
    cursorChanged_ = false;
}

void TFStatus::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ChangeCursor();
}

// Every way the window goes away (close, Escape, hide) restores the cursor.
void TFStatus::hideEvent(QHideEvent* event)
{
    ResetCursor();
    QDialog::hideEvent(event);
}

void TFStatus::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        ChangeCursor();
}

ProgressWindow::ProgressWindow(QWidget* owner, bool withMessage) : status_(new TFStatus(owner, withMessage))
{
    FStatus = status_;
    status_->start();
}

ProgressWindow::~ProgressWindow()
{
    if (!status_->finished())
        status_->finish();
    delete status_;
}
