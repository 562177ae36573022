#pragma once
// The programs' notice sink: a message box with the caption and the text,
// OK for a notice, Yes and No for a question. Runs through execModal, so
// tests in test mode answer it like any other modal dialog.
#include "platform/notices.h"

namespace platform {

class MessageBoxNotices : public NoticeSink {
public:
    void notice(std::string_view caption, std::string_view text) override;
    bool ask(std::string_view caption, std::string_view text) override;
};

// Makes message boxes the program-wide notice sink (for main()).
void installMessageBoxNotices();

} // namespace platform
