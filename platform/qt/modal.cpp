#include "platform/qt/modal.h"

#include <QDebug>

#include <deque>

namespace platform {

namespace {
bool testMode = false;
std::deque<ModalHandler> handlers;
int underflows = 0;
} // namespace

int execModal(QDialog& dialog)
{
    if (!testMode)
        return dialog.exec();
    dialog.setResult(QDialog::Rejected);
    if (handlers.empty()) {
        ++underflows;
        qWarning() << "execModal: no answer queued for dialog" << dialog.windowTitle();
        return dialog.result();
    }
    ModalHandler handler = std::move(handlers.front());
    handlers.pop_front();
    dialog.show();
    handler(dialog);
    // exec() cannot return while the dialog is up; a handler that leaves it
    // open has it closed as through its title bar (rejected if it refuses).
    if (dialog.isVisible())
        dialog.close();
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void setModalTestMode(bool on)
{
    testMode = on;
    handlers.clear();
    underflows = 0;
}

bool modalTestMode()
{
    return testMode;
}

void queueModal(ModalHandler handler)
{
    handlers.push_back(std::move(handler));
}

std::size_t queuedModals()
{
    return handlers.size();
}

int modalQueueUnderflows()
{
    return underflows;
}

} // namespace platform
