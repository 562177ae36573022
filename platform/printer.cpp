#include "platform/printer.h"

namespace platform {

namespace {
Printer* installed = nullptr;
}

Printer* installedPrinter()
{
    return installed;
}

Printer* setPrinter(Printer* printer)
{
    Printer* previous = installed;
    installed = printer;
    return previous;
}

} // namespace platform
