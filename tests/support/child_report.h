#pragma once
// Runs a piece of a test in a forked child, so that what it does to the
// process (a kill, a seccomp filter, a file-size limit, another user) ends
// with the child. The child's report string comes back through a pipe,
// written on kChildReportFd, a descriptor that injected failures can leave
// alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

constexpr int kChildReportFd = 900;

struct ChildEnd {
    int status = 0;      // as waitpid gives it
    std::string report;  // what the child's work returned (empty when it died first)
};

inline ChildEnd inChild(const std::function<std::string()>& work)
{
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        ::close(fds[0]);
        ::dup2(fds[1], kChildReportFd);
        ::close(fds[1]);
        const std::string report = work();
        const bool written =
            ::write(kChildReportFd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(written ? 0 : 101);
    }
    ::close(fds[1]);
    ChildEnd end;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        end.report.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::waitpid(child, &end.status, 0);
    return end;
}

// Whether the child ran its work to the end and handed its report back.
inline bool endedWell(const ChildEnd& end)
{
    return WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0;
}

} // namespace testsupport
