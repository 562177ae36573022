#include "notices.h"

#include <iostream>

namespace platform {

void RecordingNotices::notice(std::string_view caption, std::string_view text)
{
    recorded_.push_back({std::string(caption), std::string(text), false});
}

bool RecordingNotices::ask(std::string_view caption, std::string_view text)
{
    recorded_.push_back({std::string(caption), std::string(text), true});
    if (answers_.empty())
        return false;
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

void StderrNotices::notice(std::string_view caption, std::string_view text)
{
    std::cerr << caption << ": " << text << '\n';
}

bool StderrNotices::ask(std::string_view caption, std::string_view text)
{
    notice(caption, text);
    return false;
}

namespace {
StderrNotices defaultSink;
NoticeSink* current = &defaultSink;
} // namespace

NoticeSink& notices()
{
    return *current;
}

NoticeSink* setNotices(NoticeSink* sink)
{
    NoticeSink* previous = current;
    current = sink ? sink : &defaultSink;
    return previous == &defaultSink ? nullptr : previous;
}

} // namespace platform
