#include "platform/file_identity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>

#include "tests/support/test_files.h"

using testsupport::TempDir;
using testsupport::writeFile;

namespace fs = std::filesystem;

namespace {

// Sets the modification time back so a rewrite within the same clock tick
// still shows as a change only through what the test changes.
void setModified(const std::string& path, std::int64_t seconds)
{
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

} // namespace

TEST(FileIdentity, MatchesUntilTheFileIsCutRewrittenOrReplaced)
{
    TempDir dir;
    const std::string path = dir.file("data.txt");
    const std::string bytes = "line one\r\nline two\r\n";

    struct Case {
        const char* what;
        void (*change)(const std::string& path, const std::string& scratch);
    } cases[] = {
        {"untouched", [](const std::string&, const std::string&) {}},
        {"truncated", [](const std::string& p, const std::string&) { fs::resize_file(p, 5); }},
        {"same size, new time", [](const std::string& p, const std::string&) { setModified(p, 2000000000); }},
        {"replaced by rename, same size and time",
         [](const std::string& p, const std::string& scratch) {
             writeFile(scratch, "LINE ONE\r\nLINE TWO\r\n");
             setModified(scratch, 1000000000);
             fs::rename(scratch, p);
         }},
        {"removed", [](const std::string& p, const std::string&) { fs::remove(p); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(path, bytes);
        setModified(path, 1000000000);
        const auto loaded = platform::FileIdentity::of(path);
        ASSERT_TRUE(loaded.known);
        EXPECT_EQ(loaded.size, bytes.size());
        c.change(path, dir.file("scratch"));
        const bool untouched = std::string(c.what) == "untouched";
        EXPECT_EQ(loaded.matches(path), untouched);

        platform::RecordingNotices sink;
        EXPECT_EQ(platform::checkUnchanged(path, loaded, sink, "Caption"), untouched);
        if (untouched)
            EXPECT_TRUE(sink.recorded().empty());
        else
            EXPECT_EQ(sink.recorded(), (std::vector<platform::Notice>{
                                           {"Caption", platform::fileChangedText(path), false}}));
    }
}

TEST(FileIdentity, AnUnknownIdentityNeverMatches)
{
    TempDir dir;
    EXPECT_FALSE(platform::FileIdentity::of(dir.file("missing")).known);
    EXPECT_FALSE(platform::FileIdentity().matches(dir.path()));
}
