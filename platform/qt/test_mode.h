#pragma once
// One switch for every dialog that tests answer from queues: modal dialogs
// (message boxes included) and the open and save dialogs.
namespace platform {

void setTestMode(bool on);

} // namespace platform
