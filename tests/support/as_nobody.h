#pragma once
// Runs a piece of a test as the unprivileged user "nobody" in a forked child,
// for cases that only show for an ordinary user (root may write any file and
// any directory). The child's report string comes back through a pipe.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// Runs `body` as nobody when this process is root, else here. What it
// returns is handed back; an empty string when the child failed (the test
// then fails too).
inline std::string asNobody(const std::function<std::string()>& body)
{
    if (!runningAsRoot())
        return body();
    int fds[2];
    EXPECT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        const std::string report = body();
        const bool written = ::write(fds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
        ::_exit(written ? 0 : 101);
    }
    ::close(fds[1]);
    std::string report;
    char buffer[1024];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged child failed";
    return report;
}

// Gives a path to nobody, so that a case run as nobody can make it its own.
inline void giveToNobody(const std::string& path)
{
    if (runningAsRoot()) {
        EXPECT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
    }
}

} // namespace testsupport
