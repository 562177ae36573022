#include "platform/safe_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_steps.h"
#include "platform/file_swap.h"
#include "platform/files.h"
#include "tests/support/child_report.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using Mode = platform::SafeOutput::Mode;
using testsupport::readFile;
using testsupport::writeFile;

const std::vector<std::string> kLines{"1        Quarndale Geomark Bureau,", " AB1234  100% %s", ""};
const std::string kBytes = "1        Quarndale Geomark Bureau,\r\n AB1234  100% %s\r\n\r\n";

std::vector<std::string> entries(const std::string& directory)
{
    std::vector<std::string> names;
    platform::listDirectory(directory, names);
    return names;
}

TEST(SafeOutput, OverwriteAndAppendGiveExactBytesAndLeaveNoTemporaryFile)
{
    struct Case {
        Mode mode;
        bool exists;
        std::string expected;
    };
    for (const Case& c : {Case{Mode::Overwrite, true, kBytes}, Case{Mode::Append, true, "old\r\n" + kBytes},
                          Case{Mode::Overwrite, false, kBytes}, Case{Mode::Append, false, kBytes}}) {
        SCOPED_TRACE(testing::Message() << "append " << (c.mode == Mode::Append) << " exists " << c.exists);
        testsupport::TempDir dir;
        const std::string path = dir.file("out.txt");
        if (c.exists) {
            writeFile(path, "old\r\n");
            fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        }
        ASSERT_TRUE(platform::saveLines(path, kLines, c.mode));
        EXPECT_EQ(readFile(path), c.expected);
        EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
        const mode_t mask = ::umask(0);
        ::umask(mask);
        const unsigned expected = c.exists ? 0640u : 0666u & ~static_cast<unsigned>(mask);
        EXPECT_EQ(static_cast<unsigned>(fs::status(path).permissions()), expected);
    }
}

TEST(SafeOutput, DestinationIsUntouchedUntilCommitAndOnFailure)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old\r\n");
    {
        platform::SafeOutput output;
        ASSERT_TRUE(output.open(path, Mode::Overwrite));
        output.writer().writeLine("new");
        EXPECT_EQ(readFile(path), "old\r\n");
    } // never committed
    EXPECT_EQ(readFile(path), "old\r\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});

    // A directory in the way cannot be replaced; a missing directory holds no temporary file.
    fs::create_directory(dir.file("sub"));
    EXPECT_FALSE(platform::saveLines(dir.file("sub"), kLines, Mode::Overwrite));
    EXPECT_TRUE(fs::is_directory(dir.file("sub")));
    EXPECT_FALSE(platform::saveLines(dir.file("missing/out.txt"), kLines, Mode::Overwrite));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"out.txt", "sub"}));
}

// The new contents of a private file are never readable by others, not even
// while they are written.
TEST(SafeOutput, TheNewDataOfAPrivateFileStaysPrivateWhileWritten)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old\r\n");
    ::chmod(path.c_str(), 0600);
    const mode_t mask = ::umask(022);
    platform::SafeOutput output;
    ASSERT_TRUE(output.open(path, Mode::Overwrite));
    ::umask(mask);
    output.writer().writeLine("secret");
    for (const auto& name : entries(dir.path())) {
        struct stat st {};
        ASSERT_EQ(::stat(dir.file(name).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 077, 0u) << name;
    }
    ASSERT_TRUE(output.commit());
    EXPECT_EQ(readFile(path), "secret\r\n");
    EXPECT_EQ(static_cast<unsigned>(fs::status(path).permissions()), 0600u);
}

TEST(SafeOutput, ALinkIsWrittenThroughAndKept)
{
    testsupport::TempDir dir;
    fs::create_directory(dir.file("real"));
    const std::string target = dir.file("real/data.txt");
    writeFile(target, "old\r\n");
    fs::create_symlink(target, dir.file("link.txt"));
    ASSERT_TRUE(platform::saveLines(dir.file("link.txt"), kLines, Mode::Overwrite));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(readFile(target), kBytes);
    EXPECT_EQ(entries(dir.file("real")), std::vector<std::string>{"data.txt"});
}

TEST(SafeOutput, SameFileSeesThroughSpellingsAndLinks)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("data.dat");
    writeFile(path, "x");
    writeFile(dir.file("other.dat"), "x");
    fs::create_symlink(path, dir.file("link.dat"));
    EXPECT_TRUE(platform::isSameFile(path, dir.path() + "/./data.dat"));
    EXPECT_TRUE(platform::isSameFile(dir.file("link.dat"), path));
    EXPECT_FALSE(platform::isSameFile(dir.file("other.dat"), path));
    EXPECT_FALSE(platform::isSameFile(dir.file("new.dat"), path));
    EXPECT_FALSE(platform::isSameFile(path, ""));
}

std::vector<std::string> lines(const std::string& text, std::size_t count)
{
    return std::vector<std::string>(count, text);
}

std::string bytesOf(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const auto& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

bool startsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

// Runs `work` in a forked child and returns its wait status; the child ends
// with the exit code `work` returns.
int inChild(const std::function<int()>& work)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

int stopAt = 0; // the step at which the child kills itself
int stepsSeen = 0;

void killAtStep(platform::FileStep, const std::string&)
{
    if (++stepsSeen == stopAt)
        ::raise(SIGKILL);
}

// A kill at any step of a save leaves every name of the destination with its
// old or its new bytes; a file written in place may hold a mix only while a
// whole copy of its old bytes lies beside it. Whatever else is left is named
// after the destination.
TEST(SafeOutput, AKillAtAnyStepLeavesOldOrNewBytesOrAWholeCopyOfTheOld)
{
    // The new data spans several blocks of the in-place copy.
    // The new data spans several blocks of the in-place copy, and so do the
    // old bytes of a file with several names, whose whole copy is made
    // before any is written.
    const std::vector<std::string> newLines = lines(std::string(120, 'n'), 25000);
    struct Case {
        const char* name;
        Mode mode;
        bool hardLinked;
    };
    for (const Case& c : {Case{"Overwrite", Mode::Overwrite, false}, Case{"Append", Mode::Append, false},
                          Case{"Overwrite, hard-linked", Mode::Overwrite, true},
                          Case{"Append, hard-linked", Mode::Append, true}}) {
        SCOPED_TRACE(c.name);
        const std::string oldBytes = bytesOf(lines(std::string(60, 'o'), c.hardLinked ? 20000 : 2000));
        const std::string newBytes = (c.mode == Mode::Append ? oldBytes : std::string()) + bytesOf(newLines);
        int mixes = 0; // kills that left a name with neither
        bool finished = false;
        for (int step = 1; !finished && step < 100; ++step) {
            SCOPED_TRACE(step);
            testsupport::TempDir dir;
            const std::string path = dir.file("out.txt");
            writeFile(path, oldBytes);
            std::vector<std::string> names{"out.txt"};
            if (c.hardLinked) {
                ASSERT_EQ(::link(path.c_str(), dir.file("other.txt").c_str()), 0);
                names.push_back("other.txt");
            }
            const int status = inChild([&] {
                stopAt = step;
                platform::setFileStepHook(killAtStep);
                return platform::saveLines(path, newLines, c.mode) ? 0 : 1;
            });
            finished = WIFEXITED(status);
            if (finished) {
                ASSERT_EQ(WEXITSTATUS(status), 0);
            } else {
                ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
            }
            bool oldCopy = false;
            bool newFile = false;
            for (const auto& name : entries(dir.path())) {
                if (std::find(names.begin(), names.end(), name) != names.end())
                    continue;
                EXPECT_FALSE(finished) << name << " is left after a save that finished";
                EXPECT_TRUE(startsWith(name, "out.txt.tmp") || startsWith(name, "out.txt.old")) << name;
                if (startsWith(name, "out.txt.old")) {
                    EXPECT_EQ(readFile(dir.file(name)), oldBytes) << name << " is not whole";
                    oldCopy = true;
                }
                newFile = newFile || (startsWith(name, "out.txt.tmp") && readFile(dir.file(name)) == newBytes);
            }
            for (const auto& name : names) {
                const std::string now = readFile(dir.file(name));
                if (now == oldBytes || now == newBytes)
                    continue;
                ++mixes;
                EXPECT_TRUE(c.hardLinked && oldCopy) << name << " holds a mix, and no copy of its old bytes";
                EXPECT_TRUE(newFile) << name << " holds a mix, and the whole new file is not beside it";
            }
            if (finished) {
                for (const auto& name : names)
                    EXPECT_EQ(readFile(dir.file(name)), newBytes) << name;
            }
        }
        EXPECT_TRUE(finished);
        // The kills did land in the middle of the in-place copy.
        EXPECT_EQ(mixes > 0, c.hardLinked);
    }
}

// Tells the parent how the child's commit went, in its exit code.
int commitCode(platform::SafeOutput& output)
{
    if (output.commit())
        return 0;
    return 10 + static_cast<int>(output.failure()) + (output.keptTemporary().empty() ? 0 : 20) +
           (output.keptOldCopy().empty() ? 0 : 40);
}

void limitFileSize(platform::FileStep step, const std::string& path)
{
    // Once the old bytes are kept, no file may grow beyond 200 kB.
    if (step != platform::FileStep::CopyNamed || path.find(".old") == std::string::npos)
        return;
    struct rlimit limit {200000, 200000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// An in-place copy that fails half way puts the old bytes back into the
// file, removes their copy, and keeps the new data.
TEST(SafeOutput, AFailedInPlaceCopyPutsTheOldBytesBack)
{
    const std::vector<std::string> newLines = lines(std::string(120, 'n'), 5000);
    const std::string oldBytes = bytesOf(lines(std::string(60, 'o'), 1000));
    for (Mode mode : {Mode::Overwrite, Mode::Append}) {
        SCOPED_TRACE(mode == Mode::Append ? "Append" : "Overwrite");
        testsupport::TempDir dir;
        const std::string path = dir.file("out.txt");
        writeFile(path, oldBytes);
        ASSERT_EQ(::link(path.c_str(), dir.file("other.txt").c_str()), 0);
        const int status = inChild([&] {
            ::signal(SIGXFSZ, SIG_IGN); // as the programs do: a write error
            platform::setFileStepHook(limitFileSize);
            platform::SafeOutput output;
            if (!output.open(path, mode))
                return 1;
            for (const auto& line : newLines)
                output.writer().writeLine(line);
            return commitCode(output);
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 10 + static_cast<int>(platform::SafeOutput::Failure::CannotReplace) + 20);
        EXPECT_EQ(readFile(path), oldBytes);
        EXPECT_EQ(readFile(dir.file("other.txt")), oldBytes);
        const std::vector<std::string> left = entries(dir.path());
        ASSERT_EQ(left.size(), 3u);
        EXPECT_TRUE(startsWith(left[2], "out.txt.tmp")) << left[2];
        // The whole new file, for an Append too.
        EXPECT_EQ(readFile(dir.file(left[2])), (mode == Mode::Append ? oldBytes : std::string()) + bytesOf(newLines));
    }
}

TEST(SafeOutput, TheTemporaryFileIsNamedAfterTheDestination)
{
    testsupport::TempDir dir;
    // A name so long that the temporary file's name must be cut to fit.
    for (const std::string& name : {std::string("data.dat"), std::string(250, 'x')}) {
        SCOPED_TRACE(name.size());
        const std::string path = dir.file(name);
        platform::SafeOutput output;
        ASSERT_TRUE(output.open(path, Mode::Overwrite));
        std::vector<std::string> made = entries(dir.path());
        ASSERT_EQ(made.size(), 1u);
        EXPECT_TRUE(startsWith(made[0], name.substr(0, 200)));
        EXPECT_NE(made[0].find(".tmp"), std::string::npos);
        EXPECT_LE(made[0].size(), 255u);
        output.writer().writeLine("new");
        ASSERT_TRUE(output.commit());
        EXPECT_EQ(entries(dir.path()), std::vector<std::string>{name});
        platform::removeFile(path);
    }
}

// A file without a write permission bit is read-only for every user, the
// superuser included; Overwrite and Append agree.
TEST(SafeOutput, AFileWithoutAWriteBitIsReadOnlyForEveryone)
{
    struct Case {
        unsigned mode;
        bool writable;
    };
    for (const Case& c : {Case{0444, false}, Case{0555, false}, Case{0400, false}, Case{0644, true}, Case{0600, true}}) {
        for (Mode mode : {Mode::Overwrite, Mode::Append}) {
            SCOPED_TRACE(testing::Message() << std::oct << c.mode << (mode == Mode::Append ? " Append" : " Overwrite"));
            testsupport::TempDir dir;
            const std::string path = dir.file("out.txt");
            writeFile(path, "old\r\n");
            ::chmod(path.c_str(), c.mode);
            platform::SafeOutput output;
            EXPECT_EQ(output.open(path, mode), c.writable);
            if (!c.writable) {
                EXPECT_EQ(output.failure(), platform::SafeOutput::Failure::NotWritable);
                EXPECT_EQ(readFile(path), "old\r\n");
                EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
            }
        }
    }
}

// An Append copies the destination's bytes at open(): a destination that
// changed before the commit is not replaced by a stale copy.
TEST(SafeOutput, AnAppendToAFileChangedMeanwhileIsRefused)
{
    testsupport::TempDir dir;
    const std::string path = dir.file("out.txt");
    writeFile(path, "old\r\n");
    platform::SafeOutput output;
    ASSERT_TRUE(output.open(path, Mode::Append));
    output.writer().writeLine("new");
    writeFile(path, "old\r\nsomeone else's\r\n");
    EXPECT_FALSE(output.commit());
    EXPECT_EQ(output.failure(), platform::SafeOutput::Failure::CannotReplace);
    EXPECT_EQ(output.keptNote(), "\r\n" + path + " has changed since it was read: nothing was added.");
    EXPECT_EQ(readFile(path), "old\r\nsomeone else's\r\n");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.txt"});
}

// What another program adds to the destination at a chosen step of a save.
platform::FileStep gAddAt = platform::FileStep::TempOnDisk;
std::string gAddTo;
const std::string kOthers = "someone else's\r\n";

void addAtStep(platform::FileStep step, const std::string&)
{
    if (step != gAddAt || gAddTo.empty())
        return;
    const int fd = ::open(gAddTo.c_str(), O_WRONLY | O_APPEND);
    (void)::write(fd, kOthers.data(), kOthers.size());
    ::close(fd);
    gAddTo.clear();
}

// A line another program adds to the destination while its bytes are
// copied, or while the new file is flushed, is not lost: the save is
// refused, says why, and leaves nothing beside the file.
TEST(SafeOutput, ALineAddedByAnotherProgramDuringTheSaveIsNotLost)
{
    const std::string old = bytesOf(lines(std::string(60, 'o'), 2000));
    struct Case {
        const char* name;
        Mode mode;
        bool hardLinked;          // written in place
        platform::FileStep step;  // when the line comes
        bool atOpen;              // the open is refused, not the commit
        bool copied;              // the reason: changed while copied
    };
    using Step = platform::FileStep;
    for (const Case& c : {
             Case{"Append, while flushed", Mode::Append, false, Step::TempOnDisk, false, false},
             Case{"Append in place, while flushed", Mode::Append, true, Step::TempOnDisk, false, false},
             Case{"Append, while its bytes are copied", Mode::Append, false, Step::BlockCopied, true, false},
             Case{"Overwrite in place, while its old bytes are copied", Mode::Overwrite, true, Step::BlockCopied,
                  false, true},
             Case{"Append in place, while its old bytes are copied", Mode::Append, true, Step::BlockCopied, false,
                  true},
         }) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const std::string path = dir.file("out.txt");
        writeFile(path, old);
        std::vector<std::string> names{"out.txt"};
        if (c.hardLinked) {
            ASSERT_EQ(::link(path.c_str(), dir.file("other.txt").c_str()), 0);
            names.insert(names.begin(), "other.txt");
        }
        gAddAt = c.step;
        platform::SafeOutput output;
        gAddTo = c.atOpen ? path : std::string();
        platform::setFileStepHook(addAtStep);
        const bool opened = output.open(path, c.mode);
        gAddTo = path;
        bool committed = false;
        if (opened) {
            output.writer().writeLine("new");
            committed = output.commit();
        }
        platform::setFileStepHook({});
        EXPECT_EQ(opened, !c.atOpen);
        EXPECT_FALSE(committed);
        EXPECT_EQ(output.failure(), c.atOpen ? platform::SafeOutput::Failure::CannotMakeTemp
                                             : platform::SafeOutput::Failure::CannotReplace);
        EXPECT_EQ(output.keptNote(), "\r\n" + (c.copied ? platform::changedWhileCopiedText(path)
                                                        : path + " has changed since it was read: nothing was added."));
        EXPECT_EQ(readFile(path), old + kOthers);
        EXPECT_EQ(entries(dir.path()), names);
    }
}

// On a file system without hard links or a rename that refuses to replace
// (vfat, some network mounts) every way of a write works: a rename, a write
// in place beside a whole copy of the old bytes, and the old bytes held for
// an undo (a split's way) by a whole copy.
TEST(SafeOutput, WithoutHardLinksEveryWayOfAWriteWorks)
{
    const std::string old = bytesOf(lines(std::string(60, 'o'), 2000));
    for (const bool hardLinked : {false, true}) {
        for (const Mode mode : {Mode::Overwrite, Mode::Append}) {
            SCOPED_TRACE(testing::Message() << "hard-linked " << hardLinked << " append " << (mode == Mode::Append));
            testsupport::TempDir dir;
            const std::string path = dir.file("out.txt");
            writeFile(path, old);
            std::vector<std::string> names{"out.txt"};
            if (hardLinked) {
                ASSERT_EQ(::link(path.c_str(), dir.file("other.txt").c_str()), 0);
                names.insert(names.begin(), "other.txt");
            }
            const std::string expected = (mode == Mode::Append ? old : std::string()) + kBytes;
            const testsupport::ChildEnd end = testsupport::inChild([&] {
                testsupport::failLinksAndNoReplaceRenames();
                std::string report;
                report += platform::saveLines(path, kLines, mode) && readFile(path) == expected ? "saved" : "not saved";
                // Once more, held for an undo, and undone.
                writeFile(path, old);
                platform::FileChange change;
                const int fd = change.begin(path, mode);
                const bool written = fd >= 0 && ::write(fd, kBytes.data(), kBytes.size()) == ssize_t(kBytes.size());
                if (fd >= 0)
                    ::close(fd);
                const bool placed = written && change.prepare() && change.place(true) && readFile(path) == expected;
                report += placed && change.undo() && readFile(path) == old ? "|undone" : "|not undone";
                change.finish();
                return report;
            });
            ASSERT_TRUE(testsupport::endedWell(end)) << end.status;
            EXPECT_EQ(end.report, "saved|undone");
            EXPECT_EQ(readFile(path), old);
            EXPECT_EQ(entries(dir.path()), names);
        }
    }
}

constexpr uid_t kNobody = 65534;
constexpr gid_t kNogroup = 65534;

// A replaced file stays the user's: where the new file could not be given
// the old one's owner (the user may write the file but not give files
// away), the new bytes go into the old file.
TEST(SafeOutput, AFileWhoseOwnerCannotBeGivenBackIsWrittenInPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to make a file of another user";
    for (Mode mode : {Mode::Overwrite, Mode::Append}) {
        SCOPED_TRACE(mode == Mode::Append ? "Append" : "Overwrite");
        testsupport::TempDir scratch;
        ::chmod(scratch.path().c_str(), 0755);
        const std::string dir = scratch.file("nobody's");
        fs::create_directory(dir);
        ASSERT_EQ(::chown(dir.c_str(), kNobody, kNogroup), 0);
        const std::string path = dir + "/out.txt";
        writeFile(path, "old\r\n");
        ASSERT_EQ(::chown(path.c_str(), 0, 0), 0);
        ::chmod(path.c_str(), 0646);
        const int status = inChild([&] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0)
                return 100;
            std::string note;
            platform::SafeOutput::Failure failure;
            if (!platform::saveLines(path, {"new"}, mode, failure, note))
                return 1;
            return note.empty() ? 0 : 2;
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(readFile(path), mode == Mode::Append ? "old\r\nnew\r\n" : "new\r\n");
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 0u);
        EXPECT_EQ(st.st_gid, 0u);
        EXPECT_EQ(st.st_mode & 07777, 0646u);
        EXPECT_EQ(entries(dir), std::vector<std::string>{"out.txt"});
    }
}

// A name given to the destination after open() (a caller's backup, held by
// a link) keeps the old bytes: only the names of open() see the new ones.
// Where the file then cannot be written in place and a new file cannot get
// its owner, the note says what it has instead.
TEST(SafeOutput, ANameAddedAfterOpenKeepsTheOldBytes)
{
    const bool root = ::geteuid() == 0;
    for (bool foreignOwner : {false, true}) {
        if (foreignOwner && !root)
            continue; // needs root, to make a file of another user
        SCOPED_TRACE(foreignOwner ? "owner that cannot be given back" : "own file");
        testsupport::TempDir scratch;
        ::chmod(scratch.path().c_str(), 0755);
        const std::string dir = scratch.file("d");
        fs::create_directory(dir);
        const std::string path = dir + "/out.txt";
        writeFile(path, "old\r\n");
        if (foreignOwner) {
            ASSERT_EQ(::chown(dir.c_str(), kNobody, kNogroup), 0);
            ::chmod(path.c_str(), 0646);
        }
        std::string note;
        const int status = inChild([&] {
            if (foreignOwner && (::setgroups(0, nullptr) != 0 || ::setgid(kNogroup) != 0 || ::setuid(kNobody) != 0))
                return 100;
            platform::SafeOutput output;
            if (!output.open(path, Mode::Overwrite))
                return 1;
            output.writer().writeLine("new");
            if (::link(path.c_str(), (dir + "/held").c_str()) != 0 || !output.commit())
                return 2;
            const std::string expected = "\r\n" + path +
                " could not keep its owner, group and mode: it now has mode 0646, owner 65534, group 65534.";
            return output.identityNote() == (foreignOwner ? expected : std::string()) ? 0 : 3;
        });
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_EQ(readFile(path), "new\r\n");
        EXPECT_EQ(readFile(dir + "/held"), "old\r\n");
        EXPECT_EQ(entries(dir), (std::vector<std::string>{"held", "out.txt"}));
    }
}

// Whether a file is renamed over or written in place, from what is known
// at the commit.
TEST(SafeOutput, TheWayOfAWriteFollowsFromWhatIsKnown)
{
    using platform::WriteWay;
    struct Case {
        const char* name;
        platform::WriteFacts facts;
        WriteWay way;
    };
    // exists, several names at open, same names as at open, identity givable, Append without old bytes
    const Case cases[] = {
        {"a new file", {false, false, true, true, false}, WriteWay::Rename},
        {"a new file, Append", {false, false, true, true, true}, WriteWay::Rename},
        {"one name", {true, false, true, true, false}, WriteWay::Rename},
        {"several names", {true, true, true, true, false}, WriteWay::InPlace},
        {"several names, one added since", {true, true, false, true, false}, WriteWay::InPlace},
        {"Append to a file that may not be read or appeared since", {true, false, true, true, true},
         WriteWay::InPlace},
        {"an owner a new file cannot have", {true, false, true, false, false}, WriteWay::InPlace},
        {"an owner a new file cannot have, a name added since", {true, false, false, false, false},
         WriteWay::Rename},
        {"a name added since", {true, false, false, true, false}, WriteWay::Rename},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::chooseWriteWay(c.facts), c.way);
    }
}

// Runs `work` in a child with a file system of `kilobytes` mounted on
// `directory` (a mount of its own); 200 when the child may not mount one.
int onSmallDisk(const std::string& directory, int kilobytes, const std::function<int()>& work)
{
    return inChild([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return 200;
        const std::string size = "size=" + std::to_string(kilobytes) + "k";
        if (::mount("tmpfs", directory.c_str(), "tmpfs", 0, size.c_str()) != 0)
            return 200;
        return work();
    });
}

// A save that fills the disk says so, and leaves nothing beside the
// destination that the note does not name: a new file, a replaced one, and
// one with several names (whose new data does not fit beside its old bytes).
TEST(SafeOutput, AFullDiskIsNamedAsTheReason)
{
    const std::vector<std::string> newLines = lines(std::string(100, 'n'), 1000); // about 100 kB
    for (const char* c : {"new", "replaced", "several names"}) {
        SCOPED_TRACE(c);
        testsupport::TempDir dir;
        const int status = onSmallDisk(dir.path(), 96, [&] {
            const std::string path = dir.file("out.txt");
            if (std::string(c) != "new")
                writeFile(path, bytesOf(lines(std::string(100, 'o'), 400)));
            if (std::string(c) == "several names" && ::link(path.c_str(), dir.file("other.txt").c_str()) != 0)
                return 1;
            const std::string before = fs::exists(path) ? readFile(path) : std::string();
            std::string note;
            platform::SafeOutput::Failure failure;
            if (platform::saveLines(path, newLines, Mode::Overwrite, failure, note))
                return 2;
            if (note.size() < 19 || note.substr(note.size() - 19) != "\r\nThe disk is full.")
                return 3;
            if ((fs::exists(path) ? readFile(path) : std::string()) != before)
                return 4;
            // Nothing lies beside it that the note does not name.
            for (const auto& name : entries(dir.path()))
                if (name != "out.txt" && name != "other.txt" && note.find(dir.file(name)) == std::string::npos)
                    return 5;
            return 0;
        });
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 200)
            GTEST_SKIP() << "needs a file system of its own (root)";
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
}

} // namespace
