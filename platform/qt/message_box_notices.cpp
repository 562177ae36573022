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
    // Datasheet and typed text (8-bit) and paths (UTF-8) alike.
    QString body = noticeTextToQ(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::NoIcon, noticeTextToQ(caption), body, buttons, QApplication::activeWindow());
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
