#pragma once
// The programs' application object. An exception that escapes an event
// handler is shown in a message box and the program goes on, as the
// original class library's standard exception handler did. Its start also
// sets what every program needs of the process: SIGXFSZ is ignored, so a
// write past a file-size limit fails with an error that the save reports
// instead of ending the program in the middle of it.
#include <QApplication>
#include <QString>

namespace platform {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// A program's main(): the application named `name`, message boxes as the
// notice sink, the forms that `createForms` makes, the event loop, then
// `destroyForms`. An exception that escapes is shown in a message box
// captioned `name`. Returns the exit code, 0.
int runProgram(int& argc, char** argv, const QString& name, void (*createForms)(), void (*destroyForms)());

} // namespace platform
