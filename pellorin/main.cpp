// Pellorin, the update program.
#include <QMessageBox>
#include <csignal>
#include <exception>

#include "pellorin/tf_windows.h"
#include "platform/qt/application.h"
#include "platform/qt/message_box_notices.h"

int main(int argc, char** argv)
{
    // A file-size limit is an ordinary write error, not the end of the program.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        platform::Application app(argc, argv);
        app.setApplicationName("Pellorin");
        platform::installMessageBoxNotices();
        pellorin::CreatePellorinForms();
        app.exec();
        pellorin::DestroyPellorinForms();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "Pellorin", error.what());
    } catch (...) {
        QMessageBox::critical(nullptr, "Pellorin", "Unknown error");
    }
    return 0;
}
