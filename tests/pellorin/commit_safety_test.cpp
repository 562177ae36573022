// What Commit and UNDO leave on the disk when they are killed at any step
// or a file call fails: every name of the OLD file holds its old or its new
// bytes (or a whole copy of the old ones lies beside it, named after it),
// plrn0000.bak is whole and never missing once it exists, a former backup
// comes through a failed Commit as it was, and a notice names every file it
// leaves. The kills and failures run in forked children.
#include "pellorin/core/merge.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/file_steps.h"
#include "tests/pellorin/pellorin_fixture.h"
#include "tests/support/as_nobody.h"
#include "tests/support/failing_calls.h"
#include "tests/support/test_files.h"

using pellorin_test::station;
namespace fs = std::filesystem;

namespace {

bool startsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

// The names in a directory other than `known`.
std::set<std::string> othersIn(const std::string& directory, const std::set<std::string>& known)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        if (!known.count(entry.path().filename().string()))
            names.insert(entry.path().filename().string());
    return names;
}

std::uint64_t inodeOf(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// An old file of more than one block of the copies (1 MiB), so that a kill
// can land in the middle of a copy, and an update that replaces one of its
// stations and adds one.
const std::string& bigOld()
{
    static const std::string bytes = [] {
        std::string text;
        char pid[8];
        // Few stations of long lines: the loads and merges stay quick.
        for (int i = 0; i < 300; ++i) {
            std::snprintf(pid, sizeof pid, "AA%04d", i);
            text += station(pid, "o") + " " + pid + ".long " + std::string(4000, 'L') + "\r\n";
        }
        return text;
    }();
    return bytes;
}

const std::string kUpdate = station("AA0001", "u") + station("ZZ0001", "u");
const std::string kFormer = "former backup\r\n";

// One Commit: the OLD file in data/ (with a second name when asked), the
// work directory with a former backup when one is given.
struct CommitRun {
    testsupport::TempDir dir;
    pellorin::UpdateLists lists;
    platform::RecordingNotices notices;
    platform::NullProgress progress;
    pellorin::CommitResult committed;
    std::string oldPath = dir.file("data/old.dat");
    std::string upPath = dir.file("data/up.dat");
    std::string backupPath = dir.file("work/plrn0000.bak");

    CommitRun(const std::string& oldBytes, const std::string& upBytes, const std::optional<std::string>& former,
              bool secondName)
    {
        testsupport::writeFile(oldPath, oldBytes);
        testsupport::writeFile(upPath, upBytes);
        fs::create_directories(dir.file("work"));
        if (former)
            testsupport::writeFile(backupPath, *former);
        if (secondName)
            fs::create_hard_link(oldPath, dir.file("data/second.dat"));
        EXPECT_TRUE(pellorin_test::loadBoth(lists, oldPath, upPath));
    }

    bool merge()
    {
        pellorin::MergeLists mergeLists{lists.oldList, lists.oldLocList, lists.upList, lists.upLocList};
        const pellorin::MergeInput input{oldPath,          upPath,          backupPath,
                                         lists.oldIdentity, lists.upIdentity, lists.upUndesignated};
        return pellorin::MergeFiles(input, mergeLists, notices, progress, committed);
    }

    bool undo() { return pellorin::UndoMerge(oldPath, backupPath, notices, committed); }

    // A new Commit of the files as they now are, loaded afresh: the report.
    std::string commitAgain() const
    {
        pellorin::UpdateLists again;
        platform::RecordingNotices said;
        platform::NullProgress none;
        pellorin::CommitResult result;
        if (!pellorin_test::loadBoth(again, oldPath, upPath))
            return "not loaded";
        pellorin::MergeLists mergeLists{again.oldList, again.oldLocList, again.upList, again.upLocList};
        const pellorin::MergeInput input{oldPath, upPath, backupPath, again.oldIdentity, again.upIdentity,
                                         again.upUndesignated};
        std::string text = pellorin::MergeFiles(input, mergeLists, said, none, result) ? "done" : "failed";
        for (const auto& notice : said.recorded())
            text += "\n" + notice.caption + "|" + notice.text;
        return text;
    }

    // The names of the OLD file.
    std::vector<std::string> oldNames() const
    {
        std::vector<std::string> names{oldPath};
        if (fs::exists(dir.file("data/second.dat")))
            names.push_back(dir.file("data/second.dat"));
        return names;
    }
    std::set<std::string> dataOthers() const { return othersIn(dir.file("data"), {"old.dat", "second.dat", "up.dat"}); }
    std::set<std::string> workOthers() const { return othersIn(dir.file("work"), {"plrn0000.bak"}); }

    // What the child hands back: the outcome and the notices.
    std::string report(bool done) const
    {
        std::string text = done ? "done" : "failed";
        for (const auto& notice : notices.recorded())
            text += "\n" + notice.caption + "|" + notice.text;
        return text;
    }
};

// The merged file that a Commit of these files writes.
std::string mergedBytesOf(const std::string& oldBytes, const std::string& upBytes)
{
    CommitRun run(oldBytes, upBytes, std::nullopt, false);
    EXPECT_TRUE(run.merge());
    return testsupport::readFile(run.oldPath);
}

// The child reports through this descriptor, which the failures below leave alone.
constexpr int kReportFd = testsupport::kChildReportFd;
using testsupport::ChildEnd;
using testsupport::inChild;

int gStopAt = 0;
int gStepsSeen = 0;

void killAtStep(platform::FileStep, const std::string&)
{
    if (++gStepsSeen == gStopAt)
        ::raise(SIGKILL);
}

// From now on every call `number` of this process fails with `error` (a
// write only on a file's descriptor, not on the standard ones or the report).
void failCalls(long number, int error)
{
    // Copies between files go through copy_file_range where the kernel can:
    // a failing write fails that call too.
    const long alsoFailed = number == SYS_write ? SYS_copy_file_range : number;
    sock_filter filter[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(number), 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(alsoFailed), 0, 4),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kReportFd, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JGT | BPF_K, 2, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, testsupport::failingWith(error)),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    testsupport::installCallFilter(filter);
}

// A failure that starts at the first time a step is reached: a call that
// fails, or (number 0) a file-size limit of 200 kB.
struct Injected {
    platform::FileStep step;
    const char* pathHas; // of the path the step reports
    long number;
    int error;
};

Injected gInjected{};
bool gInjectedNow = false;

void injectAtStep(platform::FileStep step, const std::string& path)
{
    if (gInjectedNow || step != gInjected.step || path.find(gInjected.pathHas) == std::string::npos)
        return;
    gInjectedNow = true;
    if (gInjected.number != 0) {
        failCalls(gInjected.number, gInjected.error);
        return;
    }
    ::signal(SIGXFSZ, SIG_IGN); // as the programs do: a write error
    struct rlimit limit {200000, 200000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

std::string withInjected(const Injected& injected, const std::function<std::string()>& work)
{
    gInjected = injected;
    gInjectedNow = false;
    platform::setFileStepHook(injectAtStep);
    return work();
}

std::string writeErrorText(const std::string& oldPath)
{
    return "\r\n     ERROR - Could not open input file " + oldPath + " for write.\r\n";
}

} // namespace

// A kill at any step of a Commit: the OLD file's names hold the old or the
// merged bytes (a mix only while a whole copy of the old ones lies beside
// them); plrn0000.bak, once there, is always there and whole, the former
// backup or the old file, never another name of the OLD file; once the OLD
// file is no longer the old file, the old file is the backup or the whole
// copy beside it that is to take its name; every other file is named after
// the file it belongs to and whole where it is a copy; and the next Commit
// works.
TEST(CommitSafety, AKillAtAnyStepOfACommitLeavesEveryNameWhole)
{
    const std::string merged = mergedBytesOf(bigOld(), kUpdate);
    struct Case {
        const char* name;
        std::optional<std::string> former;
        bool secondName;
    };
    for (const Case& c : {Case{"one name, a former backup", kFormer, false}, Case{"one name, no backup", {}, false},
                          Case{"two names, a former backup", kFormer, true}, Case{"two names, no backup", {}, true}}) {
        SCOPED_TRACE(c.name);
        bool finished = false;
        bool sawFormerAside = false;
        bool heldAlone = false;
        int mixes = 0;
        for (int step = 1; !finished && step < 100; ++step) {
            SCOPED_TRACE(step);
            CommitRun run(bigOld(), kUpdate, c.former, c.secondName);
            const ChildEnd end = inChild([&] {
                gStopAt = step;
                gStepsSeen = 0;
                platform::setFileStepHook(killAtStep);
                return run.report(run.merge());
            });
            finished = WIFEXITED(end.status);
            if (finished) {
                ASSERT_EQ(end.report, "done");
            } else {
                ASSERT_TRUE(WIFSIGNALED(end.status) && WTERMSIG(end.status) == SIGKILL);
            }

            bool oldCopy = false;
            bool oldInWork = false;
            for (const auto& name : run.dataOthers()) {
                EXPECT_FALSE(finished) << name;
                EXPECT_TRUE(startsWith(name, "old.dat.tmp") || startsWith(name, "old.dat.old")) << name;
                if (startsWith(name, "old.dat.old")) {
                    EXPECT_TRUE(testsupport::readFile(run.dir.file("data/" + name)) == bigOld()) << name;
                    oldCopy = true;
                }
            }
            for (const auto& name : run.workOthers()) {
                EXPECT_FALSE(finished) << name;
                if (startsWith(name, "plrn0000.bak.old")) {
                    EXPECT_EQ(testsupport::readFile(run.dir.file("work/" + name)), kFormer) << name;
                    sawFormerAside = sawFormerAside || fs::exists(run.backupPath);
                } else if (startsWith(name, "old.dat.old")) {
                    EXPECT_TRUE(testsupport::readFile(run.dir.file("work/" + name)) == bigOld()) << name;
                    oldInWork = true;
                } else {
                    // A copy on its way, not yet under a name that says it is whole.
                    EXPECT_TRUE(startsWith(name, "old.dat.tmp") || startsWith(name, "plrn0000.bak.tmp")) << name;
                }
            }
            bool touched = false;
            for (const auto& name : run.oldNames()) {
                const std::string now = testsupport::readFile(name);
                touched = touched || now != bigOld();
                if (now == bigOld() || now == merged)
                    continue;
                ++mixes;
                EXPECT_TRUE(c.secondName && oldCopy) << name << " holds a mix, and no copy of its old bytes";
            }
            if (c.former) {
                EXPECT_TRUE(fs::exists(run.backupPath));
            }
            if (fs::exists(run.backupPath)) {
                const std::string backup = testsupport::readFile(run.backupPath);
                EXPECT_TRUE(backup == bigOld() || backup == kFormer);
                // The old file is the backup, or, where the kill came between
                // the merged file's rename and the backup's, the whole copy
                // named after it beside the backup.
                if (touched) {
                    EXPECT_TRUE(backup == bigOld() || oldInWork) << "the OLD file changed, and its old data is lost";
                }
                for (const auto& name : run.oldNames())
                    EXPECT_NE(inodeOf(run.backupPath), inodeOf(name)) << "plrn0000.bak is another name of " << name;
            }
            if (finished) {
                for (const auto& name : run.oldNames())
                    EXPECT_TRUE(testsupport::readFile(name) == merged) << name;
                EXPECT_TRUE(testsupport::readFile(run.backupPath) == bigOld());
            }
            heldAlone = heldAlone || (touched && oldInWork);
            // Whatever the kill left, the next Commit works.
            const std::string before = testsupport::readFile(run.oldPath);
            EXPECT_EQ(run.commitAgain(), "done");
            EXPECT_TRUE(testsupport::readFile(run.backupPath) == before);
        }
        EXPECT_TRUE(finished);
        // The kills did land between the backups' renames, and in the
        // middle of the copy in place.
        EXPECT_EQ(sawFormerAside, c.former.has_value() && c.secondName);
        EXPECT_EQ(heldAlone, !c.secondName);
        EXPECT_EQ(mixes > 0, c.secondName);
    }
}

// A kill at any step of an UNDO: the OLD file's names hold the merged or the
// old bytes (a mix only beside a whole copy of the merged ones), and the
// backup stays until the old bytes are back under every name.
TEST(CommitSafety, AKillAtAnyStepOfAnUndoLeavesEveryNameWhole)
{
    const std::string merged = mergedBytesOf(bigOld(), kUpdate);
    for (bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "two names" : "one name");
        bool finished = false;
        int mixes = 0;
        for (int step = 1; !finished && step < 100; ++step) {
            SCOPED_TRACE(step);
            CommitRun run(bigOld(), kUpdate, kFormer, secondName);
            ASSERT_TRUE(run.merge());
            const ChildEnd end = inChild([&] {
                gStopAt = step;
                gStepsSeen = 0;
                platform::setFileStepHook(killAtStep);
                return run.report(run.undo());
            });
            finished = WIFEXITED(end.status);
            if (finished) {
                ASSERT_EQ(end.report, "done\nOKAY|\r\n              File " + run.oldPath +
                                          "\r\n\r\n              has been Restored to Original.\r\n");
            } else {
                ASSERT_TRUE(WIFSIGNALED(end.status) && WTERMSIG(end.status) == SIGKILL);
            }
            EXPECT_TRUE(run.workOthers().empty());
            bool mergedCopy = false;
            for (const auto& name : run.dataOthers()) {
                EXPECT_FALSE(finished) << name;
                EXPECT_TRUE(startsWith(name, "old.dat.tmp") || startsWith(name, "old.dat.old")) << name;
                if (startsWith(name, "old.dat.old")) {
                    EXPECT_TRUE(testsupport::readFile(run.dir.file("data/" + name)) == merged) << name;
                    mergedCopy = true;
                }
            }
            bool restored = true;
            for (const auto& name : run.oldNames()) {
                const std::string now = testsupport::readFile(name);
                restored = restored && now == bigOld();
                if (now == bigOld() || now == merged)
                    continue;
                ++mixes;
                EXPECT_TRUE(secondName && mergedCopy) << name << " holds a mix, and no copy of its merged bytes";
            }
            if (!restored) {
                EXPECT_TRUE(testsupport::readFile(run.backupPath) == bigOld());
            }
            if (finished) {
                EXPECT_TRUE(restored);
                EXPECT_FALSE(fs::exists(run.backupPath));
            }
        }
        EXPECT_TRUE(finished);
        EXPECT_EQ(mixes > 0, secondName);
    }
}

// A Commit over a file with two names whose copy fails (the backup's copy,
// or the copy in place of the merged bytes): the former backup is as it was,
// the notice gives the reason and names every file left beside the OLD
// file, and those hold what it says.
TEST(CommitSafety, AFailedCommitLeavesTheFormerBackupAsItWas)
{
    const std::string merged = mergedBytesOf(bigOld(), kUpdate);
    const std::string full = pellorin::reasonText(ENOSPC);
    const std::string ioError = pellorin::reasonText(EIO);
    struct Case {
        const char* name;
        Injected injected;
        bool backupCopy; // the backup's copy fails, else the copy in place
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"a full disk during the backup's copy", {platform::FileStep::BlockCopied, "/work/", SYS_write, ENOSPC}, true, full},
        {"an input/output error during the backup's copy", {platform::FileStep::BlockCopied, "/work/", SYS_write, EIO}, true, ioError},
        {"a full disk during the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_write, ENOSPC}, false, full},
        {"an input/output error during the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_write, EIO}, false, ioError},
        {"a file-size limit during the copy in place", {platform::FileStep::CopyNamed, "/data/", 0, 0}, false, ""},
        {"fsync fails after the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_fsync, EIO}, false, ioError},
        {"ftruncate fails before the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_ftruncate, EIO}, false, ioError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommitRun run(bigOld(), kUpdate, kFormer, true);
        const std::uint64_t formerInode = inodeOf(run.backupPath);
        const ChildEnd end = inChild([&] { return withInjected(c.injected, [&] { return run.report(run.merge()); }); });
        ASSERT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0) << end.status;
        const std::string lead = c.backupCopy ? "\r\n      ERROR - Could not copy\r\n         " + run.oldPath +
                                                    "\r\n      to " + run.backupPath + "\r\n      \r\n"
                                              : writeErrorText(run.oldPath);
        const std::string start = "failed\nERROR|" + lead + c.reason;
        EXPECT_TRUE(startsWith(end.report, start)) << end.report;
        EXPECT_EQ(end.report.find("\nERROR|", 1), end.report.rfind("\nERROR|")) << "one notice";
        EXPECT_EQ(end.report.find("Could not rename"), std::string::npos);
        if (!c.reason.empty()) {
            EXPECT_EQ(end.report.find(c.reason), end.report.rfind(c.reason)) << "the reason once";
            EXPECT_EQ(end.report.find("The disk is full"), end.report.rfind("The disk is full")) << "the reason once";
        }

        EXPECT_EQ(testsupport::readFile(run.backupPath), kFormer);
        EXPECT_EQ(inodeOf(run.backupPath), formerInode);
        EXPECT_TRUE(run.workOthers().empty());
        bool oldCopy = false;
        for (const auto& name : run.dataOthers()) {
            EXPECT_NE(end.report.find(run.dir.file("data/" + name)), std::string::npos) << name << " is not named";
            const std::string bytes = testsupport::readFile(run.dir.file("data/" + name));
            if (startsWith(name, "old.dat.old")) {
                EXPECT_TRUE(bytes == bigOld()) << name;
                oldCopy = true;
            } else {
                EXPECT_TRUE(startsWith(name, "old.dat.tmp")) << name;
                EXPECT_TRUE(bytes == merged) << name;
            }
        }
        for (const auto& name : run.oldNames())
            EXPECT_TRUE(testsupport::readFile(name) == bigOld() || oldCopy) << name;
        if (c.backupCopy) {
            EXPECT_TRUE(run.dataOthers().empty());
        }
    }
}

// A Commit of a file with one name whose backup cannot take its name once
// the merged file is in place: the old file goes back to the OLD path in one
// rename (the very file, as loaded), or, where no rename works, the notice
// names the whole old file it leaves; plrn0000.bak is never the OLD file.
TEST(CommitSafety, ABackupThatCannotTakeItsNamePutsTheOldFileBack)
{
    for (const bool renamesFail : {false, true}) {
        SCOPED_TRACE(renamesFail ? "every rename fails: a full disk" : "a directory took the backup's name");
        CommitRun run(bigOld(), kUpdate, std::nullopt, false);
        const std::uint64_t oldInode = inodeOf(run.oldPath);
        const ChildEnd end = inChild([&] {
            platform::setFileStepHook([&](platform::FileStep step, const std::string& path) {
                if (step != platform::FileStep::Renamed || path != run.oldPath)
                    return;
                if (renamesFail) {
                    failCalls(SYS_rename, ENOSPC);
                } else {
                    fs::create_directories(run.backupPath + "/in");
                }
            });
            return run.report(run.merge());
        });
        ASSERT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0) << end.status;
        const std::string lead = "failed\nERROR|\r\n      ERROR - Could not rename\r\n         " + run.oldPath +
                                 "\r\n      to " + run.backupPath + "\r\n      \r\n";
        const auto held = run.workOthers();
        if (!renamesFail) {
            EXPECT_EQ(end.report, lead);
            EXPECT_EQ(testsupport::readFile(run.oldPath), bigOld());
            EXPECT_EQ(inodeOf(run.oldPath), oldInode);
            EXPECT_TRUE(held.empty());
            EXPECT_TRUE(run.dataOthers().empty());
            continue;
        }
        ASSERT_EQ(held.size(), 1u);
        const std::string kept = run.dir.file("work/" + *held.begin());
        EXPECT_TRUE(startsWith(*held.begin(), "old.dat.old")) << *held.begin();
        EXPECT_EQ(end.report, lead + pellorin::reasonText(ENOSPC) + "\r\n      The old file is kept as\r\n         " +
                                  kept + "\r\n");
        EXPECT_TRUE(testsupport::readFile(kept) == bigOld());
        EXPECT_NE(inodeOf(kept), inodeOf(run.oldPath));
        EXPECT_FALSE(fs::exists(run.backupPath));
    }
}

// UNDO of a file with two names whose copy fails: the backup stays, the
// notice gives the reason and names what it leaves (the merged data when it
// could not be put back), and no copy of the backup's bytes is left.
TEST(CommitSafety, AFailedUndoKeepsTheBackupAndNamesWhatItLeaves)
{
    const std::string merged = mergedBytesOf(bigOld(), kUpdate);
    struct Case {
        const char* name;
        Injected injected;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"a full disk for the copy of the backup", {platform::FileStep::TempMade, "/data/", SYS_write, ENOSPC},
         pellorin::reasonText(ENOSPC)},
        {"a full disk during the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_write, ENOSPC}, pellorin::reasonText(ENOSPC)},
        {"fsync fails after the copy in place", {platform::FileStep::CopyNamed, "/data/", SYS_fsync, EIO}, pellorin::reasonText(EIO)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommitRun run(bigOld(), kUpdate, std::nullopt, true);
        ASSERT_TRUE(run.merge());
        run.notices.clear();
        const ChildEnd end = inChild([&] { return withInjected(c.injected, [&] { return run.report(run.undo()); }); });
        ASSERT_TRUE(WIFEXITED(end.status) && WEXITSTATUS(end.status) == 0) << end.status;
        const std::string start = "failed\nERROR|\r\n            System could not rename\r\n             " +
                                  run.backupPath + "\r\n                 to\r\n             " + run.oldPath + "\r\n" +
                                  c.reason;
        EXPECT_TRUE(startsWith(end.report, start)) << end.report;
        EXPECT_TRUE(testsupport::readFile(run.backupPath) == bigOld());
        EXPECT_TRUE(run.workOthers().empty());
        bool mergedCopy = false;
        for (const auto& name : run.dataOthers()) {
            EXPECT_TRUE(startsWith(name, "old.dat.old")) << name;
            EXPECT_NE(end.report.find(run.dir.file("data/" + name)), std::string::npos) << name << " is not named";
            EXPECT_TRUE(testsupport::readFile(run.dir.file("data/" + name)) == merged) << name;
            mergedCopy = true;
        }
        if (!mergedCopy) {
            EXPECT_EQ(end.report, start);
        }
        for (const auto& name : run.oldNames())
            EXPECT_TRUE(testsupport::readFile(name) == merged || mergedCopy) << name;
    }
}

// A full disk that already fails the write-access test (the open of the OLD
// file for writing) is told as a full disk, not as a read-only file or one
// that could not be removed, and nothing changes.
TEST(CommitSafety, AFullDiskAtTheWriteAccessTestIsToldAsSuch)
{
    const std::string full = pellorin::reasonText(ENOSPC);
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "two names" : "one name");
        CommitRun run(bigOld(), kUpdate, kFormer, secondName);
        const ChildEnd commit = inChild([&] {
            failCalls(SYS_openat, ENOSPC);
            return run.report(run.merge());
        });
        ASSERT_TRUE(WIFEXITED(commit.status) && WEXITSTATUS(commit.status) == 0) << commit.status;
        EXPECT_EQ(commit.report, "failed\nERROR|" + writeErrorText(run.oldPath) + full);
        EXPECT_TRUE(testsupport::readFile(run.oldPath) == bigOld());
        EXPECT_EQ(testsupport::readFile(run.backupPath), kFormer);

        ASSERT_TRUE(run.merge());
        const std::string merged = testsupport::readFile(run.oldPath);
        const ChildEnd undo = inChild([&] {
            failCalls(SYS_openat, ENOSPC);
            return run.report(run.undo());
        });
        ASSERT_TRUE(WIFEXITED(undo.status) && WEXITSTATUS(undo.status) == 0) << undo.status;
        EXPECT_EQ(undo.report, "failed\nNOTICE|" +
                                   pellorin::notWritableForUndoText(run.oldPath, run.backupPath, full));
        EXPECT_EQ(pellorin::notWritableForUndoText(run.oldPath, run.backupPath, full),
                  "\r\n   File\r\n      " + run.oldPath + "\r\n\r\n   could not be opened for writing.\r\n" +
                      "      The disk is full.\r\n   Nothing was changed: the original file stays at\r\n      " +
                      run.backupPath + "\r\n");
        for (const auto& name : run.oldNames())
            EXPECT_TRUE(testsupport::readFile(name) == merged) << name;
        EXPECT_TRUE(testsupport::readFile(run.backupPath) == bigOld());
        EXPECT_TRUE(run.dataOthers().empty());
        EXPECT_TRUE(run.workOthers().empty());
    }
}

// Two windows in one work directory: each Commit makes plrn0000.bak, the
// later one replacing the earlier's. SAVE and UNDO of the earlier Commit
// leave the later Commit's backup alone; the later's UNDO still works.
TEST(CommitSafety, SaveAndUndoActOnlyOnTheBackupTheirCommitMade)
{
    const std::string aOld = station("AA0001", "a"), bOld = station("BB0002", "b");
    CommitRun a(aOld, station("AA0001", "u"), std::nullopt, false);
    CommitRun b(bOld, station("BB0002", "u"), std::nullopt, false);
    b.backupPath = a.backupPath;
    ASSERT_TRUE(a.merge());
    ASSERT_TRUE(b.merge());
    const std::string aMerged = testsupport::readFile(a.oldPath);
    ASSERT_EQ(testsupport::readFile(a.backupPath), bOld);

    EXPECT_FALSE(a.undo());
    EXPECT_FALSE(pellorin::SaveMerge(a.oldPath, a.backupPath, a.notices, a.committed));
    EXPECT_EQ(a.notices.recorded(),
              (std::vector<platform::Notice>{
                  {"ERROR", pellorin::notThisBackupText(a.backupPath), false},
                  {"WARNING",
                   "\r\n   File\r\n      " + a.oldPath + "\r\n\r\n   has been updated and saved.\r\n   The file\r\n       " +
                       a.backupPath +
                       "\r\n   is not the backup of this update (another Commit has replaced it):\r\n"
                       "   it is left in place.\r\n",
                   false}}));
    EXPECT_EQ(testsupport::readFile(a.oldPath), aMerged);
    EXPECT_EQ(testsupport::readFile(a.backupPath), bOld);

    // A backup changed since its Commit is not put back either.
    testsupport::writeFile(b.dir.file("other"), bOld + " BB0002.edited\r\n");
    const std::string saved = b.dir.file("saved");
    fs::rename(b.backupPath, saved);
    fs::rename(b.dir.file("other"), b.backupPath);
    EXPECT_FALSE(b.undo());
    EXPECT_EQ(b.notices.recorded().back(), (platform::Notice{"ERROR", pellorin::notThisBackupText(b.backupPath), false}));
    fs::rename(saved, b.backupPath);

    EXPECT_TRUE(b.undo());
    EXPECT_EQ(testsupport::readFile(b.oldPath), bOld);
    EXPECT_FALSE(fs::exists(b.backupPath));
}

// Another user's file that the user may write, in a directory like /tmp
// (sticky, another user's): no rename may replace it, so the merged bytes
// and the old ones at UNDO are written in place, as every save writes such
// a file; it stays that user's, with its mode.
TEST(CommitSafety, AnotherUsersFileInAStickyDirectoryIsWrittenInPlace)
{
    if (!testsupport::runningAsRoot())
        GTEST_SKIP() << "needs a file of another user";
    const std::string oldBytes = station("AA0001", "o") + station("BB0002", "o");
    CommitRun run(oldBytes, station("BB0002", "u"), std::nullopt, false);
    const std::string merged = station("AA0001", "o") + station("BB0002", "u");
    ::chmod(run.dir.path().c_str(), 0755);
    ::chmod(run.dir.file("data").c_str(), 01777);
    ::chmod(run.oldPath.c_str(), 0666);
    run.lists.oldIdentity = platform::FileIdentity::of(run.oldPath);
    testsupport::giveToNobody(run.dir.file("work"));
    const auto state = [&] {
        struct stat st {};
        ::stat(run.oldPath.c_str(), &st);
        return std::to_string(st.st_uid) + " " + std::to_string(st.st_mode & 07777);
    };
    const std::string shown = testsupport::asNobody([&] {
        std::string report = run.report(run.merge());
        report += "\n" + state() + (testsupport::readFile(run.oldPath) == merged ? " merged" : " not merged");
        report += "\n" + std::to_string(run.dataOthers().size()) + " " + std::to_string(run.workOthers().size());
        run.notices.clear();
        return report + "\n" + run.report(run.undo());
    });
    EXPECT_EQ(shown, "done\n0 438 merged\n0 0\ndone\nOKAY|\r\n              File " + run.oldPath +
                         "\r\n\r\n              has been Restored to Original.\r\n");
    EXPECT_EQ(testsupport::readFile(run.oldPath), oldBytes);
    EXPECT_EQ(state(), "0 438");
    EXPECT_FALSE(fs::exists(run.backupPath));
    EXPECT_TRUE(run.dataOthers().empty());
    EXPECT_TRUE(run.workOthers().empty());
}
