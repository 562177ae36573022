#pragma once
// Failures injected into this process through a seccomp filter: for a
// forked child (tests/support/child_report.h), since a filter cannot be
// taken off again. A child whose filter the kernel refuses ends with 102.
#include <fcntl.h>
#include <linux/filter.h>
#include <stdio.h> // RENAME_NOREPLACE
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstddef>

namespace testsupport {

template <std::size_t N>
void installCallFilter(sock_filter (&filter)[N])
{
    sock_fprog program{static_cast<unsigned short>(N), filter};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 || ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0)
        ::_exit(102);
}

inline unsigned failingWith(int error)
{
    return SECCOMP_RET_ERRNO | (static_cast<unsigned>(error) & SECCOMP_RET_DATA);
}

// From now on every call `number` fails with `error`; for openat only the
// calls that create a file (opening one to read still works).
inline void failCalls(long number, int error)
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(number), 0, 4),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(SYS_openat), 0, 2),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_CREAT, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, failingWith(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    installCallFilter(filter);
}

// From now on the process answers as a file system without hard links or a
// rename that refuses to replace (vfat, some network mounts) does: a link
// fails with EPERM, a rename with RENAME_NOREPLACE with EINVAL.
inline void failLinksAndNoReplaceRenames()
{
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(SYS_link), 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(SYS_linkat), 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(SYS_renameat2), 1, 3),
        BPF_STMT(BPF_RET | BPF_K, failingWith(EPERM)),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[4])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, RENAME_NOREPLACE, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, failingWith(EINVAL)),
    };
    installCallFilter(filter);
}

} // namespace testsupport
