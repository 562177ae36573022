// Destinations that a save must not harm: what it refuses, what it keeps of
// the file it replaces, and what every name of the file holds afterwards.
#include "platform/safe_output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <grp.h>
#include <unistd.h>

#include "platform/files.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Mode = platform::SafeOutput::Mode;
using Failure = platform::SafeOutput::Failure;
using testsupport::readFile;
using testsupport::writeFile;

const std::vector<std::string> kLines{"1        Quarndale Geomark Bureau,", " AB1234  new"};
const std::string kNew = "1        Quarndale Geomark Bureau,\r\n AB1234  new\r\n";
const std::string kOld = " AB1234  old\r\n";

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

struct Outcome {
    bool done = false;
    Failure failure = Failure::None;
};

// Runs the save in this process, or as the unprivileged user in a child when
// this process is root (root may write any file, so a permission would not
// show).
Outcome save(const std::string& path, Mode mode, bool unprivileged)
{
    if (!unprivileged || !runningAsRoot()) {
        platform::SafeOutput::Failure failure;
        std::string kept;
        const bool done = platform::saveLines(path, kLines, mode, failure, kept);
        return {done, failure};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        platform::SafeOutput::Failure failure;
        std::string kept;
        const bool done = platform::saveLines(path, kLines, mode, failure, kept);
        ::_exit((done ? 10 : 0) + static_cast<int>(failure));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    const int code = WEXITSTATUS(status);
    EXPECT_NE(code, 100) << "cannot become the unprivileged user";
    return {code >= 10, static_cast<Failure>(code % 10)};
}

struct Destination {
    const char* what;
    // Makes "out" (and what else the case needs) in the directory; false
    // when this machine cannot make it (the case is then skipped).
    std::function<bool(const std::string& dir)> make;
    bool unprivileged;
    bool done;
    Failure failure;
    // The bytes each name holds afterwards (names in the directory).
    std::map<std::string, std::string> after;
    // Checks beyond the bytes.
    std::function<void(const std::string& dir)> check = [](const std::string&) {};
};

// Gives a directory to the unprivileged user, for the cases run as that user.
void giveAway(const std::string& path, unsigned mode)
{
    if (runningAsRoot()) {
        EXPECT_EQ(::chown(path.c_str(), kNobody, kNogroup), 0);
    }
    ::chmod(path.c_str(), mode);
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

unsigned modeOf(const std::string& path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(SafeOutput, DestinationsKeepTheirIdentityOrAreRefused)
{
    const std::vector<Destination> cases = {
        {"read-only file",
         [](const std::string& dir) {
             giveAway(dir, 0755);
             writeFile(dir + "/out", kOld);
             giveAway(dir + "/out", 0444);
             return true;
         },
         true, false, Failure::NotWritable, {{"out", kOld}}},
        {"read-only directory",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             giveAway(dir + "/out", 0644);
             giveAway(dir, 0555);
             return true;
         },
         true, false, Failure::CannotMakeTemp, {{"out", kOld}}},
        {"immutable file",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             return std::system(("chattr +i '" + dir + "/out' 2>/dev/null").c_str()) == 0;
         },
         false, false, Failure::NotWritable, {{"out", kOld}}},
        {"symbolic link",
         [](const std::string& dir) {
             writeFile(dir + "/real/data", kOld);
             fs::create_symlink("real/data", dir + "/out");
             return true;
         },
         false, true, Failure::None, {{"out", kNew}, {"real/data", kNew}},
         [](const std::string& dir) {
             EXPECT_TRUE(fs::is_symlink(dir + "/out"));
             EXPECT_EQ(fs::read_symlink(dir + "/out"), "real/data");
         }},
        {"dangling link",
         [](const std::string& dir) {
             fs::create_directory(dir + "/real");
             fs::create_symlink(dir + "/real/new", dir + "/out");
             return true;
         },
         false, true, Failure::None, {{"out", kNew}, {"real/new", kNew}},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_symlink(dir + "/out")); }},
        {"hard link",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             fs::create_hard_link(dir + "/out", dir + "/other");
             return true;
         },
         false, true, Failure::None, {{"out", kNew}, {"other", kNew}},
         [](const std::string& dir) { EXPECT_TRUE(fs::equivalent(dir + "/out", dir + "/other")); }},
        {"FIFO",
         [](const std::string& dir) { return ::mkfifo((dir + "/out").c_str(), 0644) == 0; },
         false, false, Failure::NotRegularFile, {},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_fifo(dir + "/out")); }},
        {"directory",
         [](const std::string& dir) { return fs::create_directory(dir + "/out"); },
         false, false, Failure::NotRegularFile, {},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_directory(dir + "/out")); }},
        {"new file under umask 077",
         [](const std::string&) { return true; },
         false, true, Failure::None, {{"out", kNew}},
         [](const std::string& dir) { EXPECT_EQ(modeOf(dir + "/out"), 0600u); }},
        {"mode and owner kept",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             ::chmod((dir + "/out").c_str(), 0640);
             if (runningAsRoot()) {
                 EXPECT_EQ(::chown((dir + "/out").c_str(), kNobody, kNogroup), 0);
             }
             return true;
         },
         false, true, Failure::None, {{"out", kNew}},
         [](const std::string& dir) {
             struct stat st {};
             ASSERT_EQ(::stat((dir + "/out").c_str(), &st), 0);
             EXPECT_EQ(st.st_mode & 07777, 0640u);
             EXPECT_EQ(st.st_uid, runningAsRoot() ? kNobody : ::geteuid());
             EXPECT_EQ(st.st_gid, runningAsRoot() ? kNogroup : ::getegid());
         }},
    };

    for (const Destination& c : cases) {
        // Overwrite and Append agree on what they refuse.
        for (Mode mode : {Mode::Overwrite, Mode::Append}) {
            SCOPED_TRACE(testing::Message() << c.what << (mode == Mode::Append ? ", Append" : ", Overwrite"));
            testsupport::TempDir scratch;
            const std::string dir = scratch.file("case");
            ::chmod(scratch.path().c_str(), 0755); // the unprivileged user passes through
            fs::create_directory(dir);
            const bool umask077 = std::string(c.what).find("umask") != std::string::npos;
            const mode_t saved = umask077 ? ::umask(077) : currentUmask();
            if (!c.make(dir)) {
                ::umask(saved);
                std::printf("skipped here: %s\n", c.what);
                continue; // not possible here (no FIFO or immutable flag on this file system)
            }
            const Outcome outcome = save(dir + "/out", mode, c.unprivileged);
            ::umask(saved);

            EXPECT_EQ(outcome.done, c.done);
            EXPECT_EQ(outcome.failure, c.failure);
            for (const auto& [name, bytes] : c.after) {
                // Appending the new lines to the old ones is the other mode's success.
                const bool appended = c.done && mode == Mode::Append && readFile(dir + "/" + name) != kNew;
                EXPECT_EQ(readFile(dir + "/" + name), appended ? kOld + kNew : bytes) << name;
            }
            c.check(dir);
            // No temporary file stays anywhere under the case directory.
            for (const auto& entry : fs::recursive_directory_iterator(dir))
                EXPECT_NE(entry.path().filename().string().rfind("tmp", 0), 0u) << entry.path();

            std::system(("chattr -i '" + dir + "/out' 2>/dev/null").c_str());
            ::chmod(dir.c_str(), 0755);
        }
    }
}

} // namespace
