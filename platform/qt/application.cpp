#include "platform/qt/application.h"

#include <csignal>
#include <exception>

#include "platform/notices.h"

namespace platform {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    std::signal(SIGXFSZ, SIG_IGN);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        notices().notice(applicationName().toStdString(), error.what());
    } catch (...) {
        notices().notice(applicationName().toStdString(), "Unknown error");
    }
    return false;
}

} // namespace platform
