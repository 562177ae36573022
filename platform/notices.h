#pragma once
// Notices: the message boxes of the programs. Engines report through a
// NoticeSink; the windows use the program-wide sink, which shows message
// boxes in the programs and records (and answers from a queue) in tests.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    // A message box with an OK button. "\r\n" in the text is a line break.
    virtual void notice(std::string_view caption, std::string_view text) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool ask(std::string_view caption, std::string_view text) = 0;
};

struct Notice {
    std::string caption;
    std::string text;
    bool question = false;
    bool operator==(const Notice&) const = default;
};

// Records every notice; questions are answered from a queue (No when empty).
class RecordingNotices : public NoticeSink {
public:
    void notice(std::string_view caption, std::string_view text) override;
    bool ask(std::string_view caption, std::string_view text) override;

    void queueAnswer(bool yes) { answers_.push_back(yes); }
    const std::vector<Notice>& recorded() const { return recorded_; }
    void clear() { recorded_.clear(); answers_.clear(); }

private:
    std::vector<Notice> recorded_;
    std::deque<bool> answers_;
};

// Writes notices to standard error; used where no window system is up.
class StderrNotices : public NoticeSink {
public:
    void notice(std::string_view caption, std::string_view text) override;
    bool ask(std::string_view caption, std::string_view text) override;
};

// The program-wide sink. Never null; starts as a StderrNotices.
NoticeSink& notices();
// Installs a sink (not owned); null restores the default. Returns the previous one.
NoticeSink* setNotices(NoticeSink* sink);

} // namespace platform
