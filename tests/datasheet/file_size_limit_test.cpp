// Under a file-size limit (ulimit -f) a write past the limit must fail as any
// write error does: the operation says so, the destination is as it was, and
// no temporary file stays. The operations run in a child process that starts
// as the programs do, with the signal disposition at its default until the
// program start sets its own.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/datasheet_generator.h"
#include "datasheet/misaligned_repair.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

struct ChildRun {
    bool exited = false;
    int signal = 0;
    std::string output;
};

// Runs the child in `directory` under the limit, with SIGXFSZ at its default.
ChildRun runChild(const std::string& directory, rlim_t limit, const std::vector<std::string>& arguments)
{
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        rlimit rl{limit, limit};
        if (::chdir(directory.c_str()) != 0 || ::setrlimit(RLIMIT_FSIZE, &rl) != 0)
            ::_exit(120);
        std::signal(SIGXFSZ, SIG_DFL);
        std::vector<char*> argv;
        std::string program = FILE_LIMIT_CHILD;
        argv.push_back(program.data());
        std::vector<std::string> copies = arguments;
        for (auto& argument : copies)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(121);
    }
    ::close(pipeFds[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}

std::vector<std::string> entries(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The generator's stations with the leading blank of every body line taken
// away, as the faulty version wrote them.
std::string misaligned(const std::string& text)
{
    std::string out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, end - start);
        if (line.size() > 7 && line[0] == ' ' && std::isupper(static_cast<unsigned char>(line[1])))
            line.erase(0, 1);
        out += line;
        start = end;
    }
    return out;
}

TEST(FileSizeLimit, EveryWriteFailsCleanlyUnderTheLimit)
{
    testsupport::TempDir dir;
    dsgen::Options options;
    options.stations = 40;
    const std::string data = dsgen::generateString(options);
    options.stations = 2;
    options.pidPrefix = "QZ";
    const std::string smallTarget = dsgen::generateString(options);
    writeFile(dir.file("data.dat"), data);
    const std::string target = dir.file("out.dat");
    const rlim_t half = data.size() / 2;

    struct Case {
        const char* operation;
        std::string before; // the target's bytes
        rlim_t limit;
        std::string notice;
        std::vector<std::string> left; // the directory afterwards
    };
    const std::string cannotWrite = "notice NOTICE: Cannot write to file " + target + "\n";
    const Case cases[] = {
        {"save", "old\r\n", half, cannotWrite, {"data.dat", "out.dat"}},
        // The temporary file fits; the target's end is where the limit bites.
        {"append", std::string(2 * data.size() - 100, 'x'), 2 * data.size(), cannotWrite, {"data.dat", "out.dat"}},
        // The backup fits; the merged file does not. A failed merge keeps its backup.
        {"merge", smallTarget, half, cannotWrite, {"data.dat", "dsdata0.bak", "out.dat"}},
        {"repair", misaligned(data), misaligned(data).size() + 10, "repair 3\n", {"data.dat", "out.dat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        fs::remove(dir.file("dsdata0.bak"));
        writeFile(target, c.before);
        const ChildRun run = runChild(dir.path(), c.limit, {c.operation, target, dir.file("data.dat")});
        EXPECT_TRUE(run.exited) << "signal " << run.signal;
        EXPECT_EQ(run.output, c.notice + "result failed\n");
        EXPECT_EQ(readFile(target), c.before);
        EXPECT_EQ(readFile(dir.file("data.dat")), data);
        EXPECT_EQ(entries(dir.path()), c.left);
    }

    // Without the program start the same save is killed by the signal in
    // the middle of it: the disposition is what the test relies on.
    writeFile(target, "old\r\n");
    const ChildRun bare = runChild(dir.path(), half, {"--bare", "save", target, dir.file("data.dat")});
    EXPECT_EQ(bare.signal, SIGXFSZ);
}

} // namespace
