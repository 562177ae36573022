#pragma once
// A scratch directory that is the current directory while it lives, for
// code that reads and writes files there (ds_parm1.txt, ds_parm2.txt).
#include <unistd.h>

#include <string>

#include "tests/support/test_files.h"

namespace testsupport {

class ScratchCurrentDirectory {
public:
    ScratchCurrentDirectory()
    {
        char* previous = ::getcwd(nullptr, 0);
        previous_ = previous ? previous : "/";
        ::free(previous);
        if (::chdir(dir_.path().c_str()) != 0)
            previous_.clear();
    }
    ~ScratchCurrentDirectory()
    {
        if (!previous_.empty() && ::chdir(previous_.c_str()) != 0)
            ::chdir("/");
    }
    ScratchCurrentDirectory(const ScratchCurrentDirectory&) = delete;
    ScratchCurrentDirectory& operator=(const ScratchCurrentDirectory&) = delete;

    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }

private:
    TempDir dir_;
    std::string previous_;
};

} // namespace testsupport
