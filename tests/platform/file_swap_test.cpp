#include "platform/file_swap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_steps.h"
#include "platform/files.h"
#include "tests/support/child_report.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace fs = std::filesystem;

TEST(FileSwap, WriteAccessTestsChangeNothing)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("rw.dat"), "x");
    testsupport::writeFile(dir.file("ro.dat"), "x");
    ::chmod(dir.file("ro.dat").c_str(), 0444);
    EXPECT_TRUE(platform::isWritableFile(dir.file("rw.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.file("ro.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.file("missing.dat")));
    EXPECT_FALSE(fs::exists(dir.file("missing.dat")));
    EXPECT_FALSE(platform::isWritableFile(dir.path()));
}

TEST(FileSwap, HoldWholeFileLinksOrCopies)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("a.dat"), "bytes");
    const std::string held = platform::holdWholeFile(dir.file("a.dat"), dir.path());
    ASSERT_FALSE(held.empty());
    EXPECT_EQ(testsupport::readFile(held), "bytes");
    // A file that already has a second name is copied, so that a rewrite in
    // place of it leaves the copy alone.
    const std::string copy = platform::holdWholeFile(dir.file("a.dat"), dir.path());
    ASSERT_FALSE(copy.empty());
    testsupport::writeFile(dir.file("a.dat"), "other");
    EXPECT_EQ(testsupport::readFile(held), "other");
    EXPECT_EQ(testsupport::readFile(copy), "bytes");
    EXPECT_TRUE(platform::holdWholeFile(dir.file("missing"), dir.path()).empty());
    // Asked for a copy, a file with one name is copied too.
    testsupport::writeFile(dir.file("c.dat"), "alone");
    const std::string asked = platform::holdWholeFile(dir.file("c.dat"), dir.path(), platform::Hold::Copy);
    ASSERT_FALSE(asked.empty());
    testsupport::writeFile(dir.file("c.dat"), "changed");
    EXPECT_EQ(testsupport::readFile(asked), "alone");
}

TEST(FileSwap, HeldCopyKeepsModeOwnerAndGroup)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("a.dat");
    testsupport::writeFile(file, "bytes");
    // A second name makes the hold a copy rather than a link.
    ASSERT_EQ(::link(file.c_str(), dir.file("b.dat").c_str()), 0);
    ::chmod(file.c_str(), 0640);
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    // Another owner and group where the process may give them (as root).
    const bool giveAway = ::geteuid() == 0;
    if (giveAway) {
        ASSERT_EQ(::chown(file.c_str(), 4242, 4343), 0);
    }
    const std::string copy = platform::holdWholeFile(file, dir.path());
    ASSERT_FALSE(copy.empty());
    struct stat held {};
    ASSERT_EQ(::stat(copy.c_str(), &held), 0);
    EXPECT_EQ(held.st_nlink, 1u);
    EXPECT_EQ(held.st_mode & 07777, 0640u);
    EXPECT_EQ(held.st_uid, giveAway ? 4242u : before.st_uid);
    EXPECT_EQ(held.st_gid, giveAway ? 4343u : before.st_gid);
    EXPECT_EQ(testsupport::readFile(copy), "bytes");
}

namespace {
int gHoldKill = 0;
int gHoldSteps = 0;
} // namespace

// A kill at any step of a whole copy (a file with several names, of several
// blocks): a file under an ".old" name holds all of it; what else is left
// is a temporary file named after it.
TEST(FileSwap, AKillDuringAHeldCopyLeavesNoPartOfItUnderItsName)
{
    const std::string bytes(2500000, 'b');
    bool finished = false;
    for (int kill = 0; !finished && kill < 50; ++kill) {
        SCOPED_TRACE(kill);
        testsupport::TempDir dir;
        const std::string file = dir.file("a.dat");
        testsupport::writeFile(file, bytes);
        ASSERT_EQ(::link(file.c_str(), dir.file("b.dat").c_str()), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            gHoldKill = kill;
            platform::setFileStepHook([](platform::FileStep, const std::string&) {
                if (gHoldSteps++ == gHoldKill)
                    ::_exit(0);
            });
            ::_exit(platform::holdWholeFile(file, dir.path()).empty() ? 1 : 10);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 1);
        finished = WEXITSTATUS(status) == 10;
        int held = 0;
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name == "a.dat" || name == "b.dat")
                continue;
            if (name.rfind("a.dat.old", 0) == 0) {
                ++held;
                EXPECT_EQ(testsupport::readFile(entry.path().string()), bytes) << name << " is not whole";
            } else {
                EXPECT_FALSE(finished) << name;
                EXPECT_EQ(name.rfind("a.dat.tmp", 0), 0u) << name;
            }
        }
        EXPECT_EQ(held, finished ? 1 : held);
    }
    EXPECT_TRUE(finished);
}

namespace {

enum class Change { CutShort, Grown, Rewritten };

// Changes `file` the way another program might while it is copied.
void changeFile(const std::string& file, Change change)
{
    const int fd = ::open(file.c_str(), O_WRONLY);
    if (change == Change::CutShort)
        (void)::ftruncate(fd, 1500000);
    else if (change == Change::Grown)
        (void)::pwrite(fd, "more", 4, 2500000);
    else
        (void)::pwrite(fd, "x", 1, 10); // as long as it was
    ::close(fd);
}

std::vector<std::string> namesIn(const std::string& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Change gChange = Change::CutShort;
std::string gChanged;

} // namespace

// A source that another program cuts short, adds to or rewrites while it is
// copied (between two blocks of the copy) fails the copy: nothing is left
// under the copy's name, an earlier file of that name is as it was, and the
// error tells why.
TEST(FileSwap, AWholeCopyOfASourceThatChangesMeanwhileIsRefused)
{
    const std::string bytes(2500000, 'b');
    for (Change change : {Change::CutShort, Change::Grown, Change::Rewritten}) {
        for (platform::CopyName naming : {platform::CopyName::Beside, platform::CopyName::Exact}) {
            SCOPED_TRACE(static_cast<int>(change) * 10 + static_cast<int>(naming));
            testsupport::TempDir dir;
            const std::string file = dir.file("a.dat");
            testsupport::writeFile(file, bytes);
            testsupport::writeFile(dir.file("b.bak"), "earlier");
            // An old modification time, so that the rewrite shows in it.
            const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
            ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), old, 0), 0);
            gChange = change;
            gChanged = file;
            platform::setFileStepHook([](platform::FileStep step, const std::string&) {
                if (step == platform::FileStep::BlockCopied && !gChanged.empty()) {
                    changeFile(gChanged, gChange);
                    gChanged.clear();
                }
            });
            const int in = ::open(file.c_str(), O_RDONLY);
            ASSERT_GE(in, 0);
            errno = 0;
            const std::string named = platform::writeWholeCopy(in, dir.file("b.bak"), naming);
            const int error = errno;
            ::close(in);
            platform::setFileStepHook({});
            EXPECT_EQ(named, "");
            EXPECT_EQ(error, platform::kSourceChanged);
            EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.dat", "b.bak"}));
            EXPECT_EQ(testsupport::readFile(dir.file("b.bak")), "earlier");
        }
    }
    EXPECT_EQ(platform::changedWhileCopiedText("/d/a.dat"), "/d/a.dat changed while it was copied: nothing was changed.");
}

// On a file system without hard links or a rename that refuses to replace
// (vfat), a hold is a whole copy, and a copy still takes a name of its own.
TEST(FileSwap, WithoutHardLinksAHoldIsAWholeCopy)
{
    testsupport::TempDir dir;
    const std::string file = dir.file("a.dat");
    testsupport::writeFile(file, "bytes");
    const testsupport::ChildEnd end = testsupport::inChild([&] {
        testsupport::failLinksAndNoReplaceRenames();
        std::string report;
        for (platform::Hold hold : {platform::Hold::LinkWhenAlone, platform::Hold::Copy}) {
            const std::string held = platform::holdWholeFile(file, dir.path(), hold);
            report += held.rfind(dir.file("a.dat.old"), 0) == 0 ? testsupport::readFile(held) : "none:" + held;
            report += "|";
        }
        // A second name alone cannot be made.
        errno = 0;
        report += platform::nameUniquely(file, dir.path(), "x", true);
        report += std::to_string(errno == EPERM);
        return report;
    });
    ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
    EXPECT_EQ(end.report, "bytes|bytes|1");
    const std::vector<std::string> names = namesIn(dir.path());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(testsupport::readFile(file), "bytes");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u); // copies, not links
}
