// Kavro, the datasheet browser.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "kavro/tf_windows.h"
#include "platform/qt/application.h"
#include "platform/qt/message_box_notices.h"

int main(int argc, char** argv)
{
    try {
        platform::Application app(argc, argv);
        app.setApplicationName("KAVRO");
        platform::installMessageBoxNotices();
        CreateKavroForms();
        app.exec();
        DestroyKavroForms();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, "KAVRO", error.what());
    } catch (...) {
        QMessageBox::critical(nullptr, "KAVRO", "Unknown error");
    }
    return 0;
}
