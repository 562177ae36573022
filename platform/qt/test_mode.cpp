#include "platform/qt/test_mode.h"

#include "platform/qt/file_dialogs.h"
#include "platform/qt/modal.h"

namespace platform {

void setTestMode(bool on)
{
    setModalTestMode(on);
    setFileDialogTestMode(on);
}

} // namespace platform
