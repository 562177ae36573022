// Morvane, the datasheet copy/split program.
#include <QMessageBox>
#include <csignal>
#include <exception>

#include "morvane/tf_windows.h"
#include "platform/qt/application.h"
#include "platform/qt/message_box_notices.h"

int main(int argc, char** argv)
{
    // A file-size limit is an ordinary write error, not the end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        platform::Application app(argc, argv);
        app.setApplicationName("Morvane");
        platform::installMessageBoxNotices();
        CreateMorvaneForms();
        app.exec();
        DestroyMorvaneForms();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Morvane", error.what());
    } catch (...) {
        QMessageBox::critical(nullptr, "Morvane", "Unknown error");
    }
    return 0;
}
