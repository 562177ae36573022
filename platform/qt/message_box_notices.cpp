#include "platform/qt/message_box_notices.h"

#include "platform/qt/modal.h"
#include "platform/qt/text.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

// Runs the box over the active window; returns the button clicked.
QMessageBox::StandardButton runBox(std::string_view caption, std::string_view text,
                                   QMessageBox::StandardButtons buttons)
{
    // Notices name files: their text is in the system's encoding.
    QString body = systemTextToQ(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, systemTextToQ(caption), body, buttons, QApplication::activeWindow());
    // Data texts may hold '<' or '&'; they are never markup.
    box.setTextFormat(Qt::PlainText);
    execModal(box);
    return box.standardButton(box.clickedButton());
}

} // namespace

void MessageBoxNotices::notice(std::string_view caption, std::string_view text)
{
    runBox(caption, text, QMessageBox::Ok);
}

bool MessageBoxNotices::ask(std::string_view caption, std::string_view text)
{
    return runBox(caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void installMessageBoxNotices()
{
    static MessageBoxNotices sink;
    setNotices(&sink);
}

} // namespace platform
