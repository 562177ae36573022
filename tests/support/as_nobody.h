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

#include "tests/support/child_report.h"

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
    const ChildEnd end = inChild([&] {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        return body();
    });
    EXPECT_TRUE(endedWell(end)) << "the unprivileged child failed";
    return end.report;
}

// Gives a path to nobody, so that a case run as nobody can make it its own.
inline void giveToNobody(const std::string& path)
{
    if (runningAsRoot()) {
        EXPECT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
    }
}

} // namespace testsupport
