#pragma once
// Running modal dialogs so that tests can answer them. Normally execModal is
// QDialog::exec(). In test mode each call takes the next queued handler
// instead: the dialog is shown without blocking, the handler plays the user
// (fills controls, clicks buttons, accepts, rejects or closes the dialog),
// and the dialog's result is returned as exec() would return it.
#include <QDialog>

#include <cstddef>
#include <functional>

namespace platform {

using ModalHandler = std::function<void(QDialog&)>;

int execModal(QDialog& dialog);

// Switching test mode on or off empties the queue and zeroes the count below.
void setModalTestMode(bool on);
bool modalTestMode();
void queueModal(ModalHandler handler);
// Handlers queued and not yet used.
std::size_t queuedModals();
// Dialogs that found the queue empty in test mode; each was rejected unseen.
int modalQueueUnderflows();

} // namespace platform
