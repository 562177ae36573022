// Destinations that a save must not harm: what it refuses and with which
// notice, what it keeps of the file it replaces, and what every name of the
// file holds afterwards. The saves write list lines (the List format).
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

#include "datasheet/list_save.h"
#include "platform/files.h"
#include "tests/support/as_nobody.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

enum class Mode { Overwrite, Append };

const std::vector<std::string> kLines{"     |AB1234| - |          |           |NEW MARK", "     |CD5678| - |"};
const std::string kNew = "     |AB1234| - |          |           |NEW MARK\r\n     |CD5678| - |\r\n";
const std::string kOld = "     |AB1234| - |          |           |OLD MARK\r\n";

using testsupport::kNobody;
using testsupport::kNogroup;
using testsupport::runningAsRoot;

struct Outcome {
    bool done = false;
    std::string notices; // their texts, one a line
};

Outcome saveHere(const std::string& path, Mode mode)
{
    ds::ListSave request;
    request.target = path;
    request.append = mode == Mode::Append;
    request.format = ds::kListFormat;
    platform::RecordingNotices notices;
    platform::NullProgress progress;
    Outcome outcome;
    outcome.done = ds::saveList(kLines, request, notices, progress);
    for (const auto& notice : notices.recorded())
        outcome.notices += notice.text + "\n";
    return outcome;
}

// Runs the save in this process, or as the unprivileged user in a child when
// this process is root (root may write any file, so a permission would not
// show).
Outcome save(const std::string& path, Mode mode, bool unprivileged)
{
    if (!unprivileged)
        return saveHere(path, mode);
    const std::string report = testsupport::asNobody([&] {
        const Outcome outcome = saveHere(path, mode);
        return (outcome.done ? "1" : "0") + outcome.notices;
    });
    if (report.empty())
        return {};
    return {report[0] == '1', report.substr(1)};
}

struct Destination {
    const char* what;
    // Makes "out" (and what else the case needs) in the directory; false
    // when this machine cannot make it (the case is then skipped).
    std::function<bool(const std::string& dir)> make;
    bool unprivileged;
    bool done;
    // The notice, with "%s" standing for the path saved to.
    std::string notice;
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

TEST(SaveDestinations, KeepTheirIdentityOrAreRefusedWithANotice)
{
    const std::string kCannotWrite = "Cannot write to file %s";
    const std::vector<Destination> cases = {
        {"read-only file",
         [](const std::string& dir) {
             giveAway(dir, 0755);
             writeFile(dir + "/out", kOld);
             giveAway(dir + "/out", 0444);
             return true;
         },
         true, false, kCannotWrite, {{"out", kOld}}},
        // The same without a write bit, for the superuser too.
        {"read-only file, whoever saves",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             ::chmod((dir + "/out").c_str(), 0444);
             return true;
         },
         false, false, kCannotWrite, {{"out", kOld}}},
        // The user may write the file but not give a new one its owner: the
        // file gets the new bytes and stays whose it was.
        {"owner that cannot be given back",
         [](const std::string& dir) {
             giveAway(dir, 0755);
             writeFile(dir + "/out", kOld);
             ::chmod((dir + "/out").c_str(), 0666);
             return true;
         },
         true, true, "", {{"out", kNew}},
         [](const std::string& dir) {
             struct stat st {};
             ASSERT_EQ(::stat((dir + "/out").c_str(), &st), 0);
             EXPECT_EQ(st.st_uid, ::geteuid());
             EXPECT_EQ(st.st_mode & 07777, 0666u);
         }},
        {"read-only directory",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             giveAway(dir + "/out", 0644);
             giveAway(dir, 0555);
             return true;
         },
         true, false, "SYSTEM ERROR -Cannot open temporary file.", {{"out", kOld}}},
        {"immutable file",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             return std::system(("chattr +i '" + dir + "/out' 2>/dev/null").c_str()) == 0;
         },
         false, false, kCannotWrite, {{"out", kOld}}},
        {"symbolic link",
         [](const std::string& dir) {
             writeFile(dir + "/real/data", kOld);
             fs::create_symlink("real/data", dir + "/out");
             return true;
         },
         false, true, "", {{"out", kNew}, {"real/data", kNew}},
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
         false, true, "", {{"out", kNew}, {"real/new", kNew}},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_symlink(dir + "/out")); }},
        {"hard link",
         [](const std::string& dir) {
             writeFile(dir + "/out", kOld);
             fs::create_hard_link(dir + "/out", dir + "/other");
             return true;
         },
         false, true, "", {{"out", kNew}, {"other", kNew}},
         [](const std::string& dir) { EXPECT_TRUE(fs::equivalent(dir + "/out", dir + "/other")); }},
        {"FIFO",
         [](const std::string& dir) { return ::mkfifo((dir + "/out").c_str(), 0644) == 0; },
         false, false, kCannotWrite, {},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_fifo(dir + "/out")); }},
        {"directory",
         [](const std::string& dir) { return fs::create_directory(dir + "/out"); },
         false, false, kCannotWrite, {},
         [](const std::string& dir) { EXPECT_TRUE(fs::is_directory(dir + "/out")); }},
        {"new file under umask 077",
         [](const std::string&) { return true; },
         false, true, "", {{"out", kNew}},
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
         false, true, "", {{"out", kNew}},
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
            std::string notice = c.notice;
            if (const auto at = notice.find("%s"); at != std::string::npos)
                notice.replace(at, 2, dir + "/out");
            EXPECT_EQ(outcome.notices, notice.empty() ? "" : notice + "\n");
            for (const auto& [name, bytes] : c.after) {
                // Appending the new lines to the old ones is the other mode's success.
                const bool appended = c.done && mode == Mode::Append && readFile(dir + "/" + name) != kNew;
                EXPECT_EQ(readFile(dir + "/" + name), appended ? kOld + kNew : bytes) << name;
            }
            c.check(dir);
            // No temporary file (named after the file it belongs to) stays
            // anywhere under the case directory.
            for (const auto& entry : fs::recursive_directory_iterator(dir)) {
                const std::string name = entry.path().filename().string();
                EXPECT_EQ(name.find(".tmp"), std::string::npos) << entry.path();
                EXPECT_EQ(name.find(".old"), std::string::npos) << entry.path();
            }

            std::system(("chattr -i '" + dir + "/out' 2>/dev/null").c_str());
            ::chmod(dir.c_str(), 0755);
        }
    }
}

} // namespace
