#include "platform/qt/application.h"

#include <QMessageBox>
#include <csignal>
#include <exception>

#include "platform/notices.h"
#include "platform/qt/message_box_notices.h"

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

int runProgram(int& argc, char** argv, const QString& name, void (*createForms)(), void (*destroyForms)())
{
    try {
        Application app(argc, argv);
        app.setApplicationName(name);
        installMessageBoxNotices();
        createForms();
        app.exec();
        destroyForms();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, name, error.what());
    } catch (...) {
        QMessageBox::critical(nullptr, name, "Unknown error");
    }
    return 0;
}

} // namespace platform
