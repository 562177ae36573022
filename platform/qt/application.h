#pragma once
// The programs' application object. An exception that escapes an event
// handler is shown in a message box and the program goes on, as the
// original class library's standard exception handler did.
#include <QApplication>

namespace platform {

class Application : public QApplication {
public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace platform
