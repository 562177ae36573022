#include "platform/qt/file_picker.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/support/test_files.h"

namespace {

const std::string kFilter = "Dsdata(*.dat)|*.dat|All files(*.*)|*.*";

using Names = std::vector<std::string>;

} // namespace

TEST(FileMask, MatchesLikeTheSystemsFileLists)
{
    struct Case {
        const char* name;
        const char* masks;
        bool matches;
    };
    const Case cases[] = {
        {"a.dat", "*.dat", true},      {"AZ001.DAT", "*.dat", true},    {"a.dat.bak", "*.dat", false},
        {"dat", "*.dat", false},       {"readme", "*.*", true},         {"readme", "*", true},
        {"a.txt", "*.dat;*.txt", true}, {"a.txt", "*.dat; *.TXT", true}, {"ab.dat", "?.dat", false},
        {"b.dat", "?.dat", true},      {"x.inx", "", false},            {"aXbXc", "a*b*c", true},
        {"\xE9t\xE9.dat", "*.DAT", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::matchesFileMask(c.name, c.masks), c.matches) << c.name << " / " << c.masks;
}

TEST(FilePicker, ListsTheMatchingFilesOfTheDirectoryInNameOrder)
{
    testsupport::TempDir dir;
    for (const char* name : {"b.dat", "A.DAT", "c.txt", ".hidden.dat", "z.dat"})
        testsupport::writeFile(dir.file(name), "x");
    testsupport::writeFile(dir.file("sub.dat/inner.dat"), "x"); // a directory is not a file

    platform::FilePicker picker;
    picker.setFilter(kFilter);
    EXPECT_EQ(picker.filterCombo->count(), 2);
    EXPECT_EQ(picker.filterCombo->itemText(0).toStdString(), "Dsdata(*.dat)");
    EXPECT_EQ(picker.mask(), "*.dat");

    ASSERT_TRUE(picker.setDirectory(dir.path()));
    EXPECT_EQ(picker.directory(), dir.path());
    EXPECT_EQ(picker.fileNames(), (Names{"A.DAT", "b.dat", "z.dat"}));
    EXPECT_EQ(picker.filePath(1), dir.file("b.dat"));
    EXPECT_EQ(picker.filePath(3), "");

    picker.setFilterIndex(1);
    EXPECT_EQ(picker.mask(), "*.*");
    EXPECT_EQ(picker.fileNames(), (Names{"A.DAT", "b.dat", "c.txt", "z.dat"}));

    // A directory that is not there changes nothing.
    EXPECT_FALSE(picker.setDirectory(dir.file("missing")));
    EXPECT_EQ(picker.directory(), dir.path());
}

TEST(FilePicker, ClickReportsTheFullPathAndSelectionFollowsTheName)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("b.dat"), "x");
    testsupport::writeFile(dir.file("d.dat"), "x");

    platform::FilePicker picker;
    picker.setFilter(kFilter);
    picker.setDirectory(dir.path());
    QSignalSpy clicks(&picker, &platform::FilePicker::fileClicked);
    EXPECT_EQ(picker.selectedFile(), -1);
    EXPECT_EQ(picker.selectedPath(), "");

    picker.clickFile(1);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toString().toStdString(), dir.file("d.dat"));
    EXPECT_EQ(picker.selectedPath(), dir.file("d.dat"));

    // A click of the user's mouse on the first row.
    picker.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    const QRect first = picker.fileList->visualItemRect(picker.fileList->item(0));
    QTest::mouseClick(picker.fileList->viewport(), Qt::LeftButton, {}, first.center());
    ASSERT_EQ(clicks.count(), 2);
    EXPECT_EQ(clicks.at(1).at(0).toString().toStdString(), dir.file("b.dat"));

    // A new file before the selected one: the list is read again and the
    // selection stays on b.dat.
    testsupport::writeFile(dir.file("a.dat"), "x");
    picker.refreshFiles();
    EXPECT_EQ(picker.fileNames(), (Names{"a.dat", "b.dat", "d.dat"}));
    EXPECT_EQ(picker.selectedPath(), dir.file("b.dat"));

    // Clicks outside the list report nothing.
    picker.clickFile(7);
    picker.setSelectedFile(-1);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(picker.selectedFile(), -1);
}

TEST(FilePicker, TheDriveIsTheLongestRootHoldingTheDirectory)
{
    const std::string cwd = platform::currentDirectory();
    platform::FilePicker picker;
    // Starts in the current directory, which is a drive of its own.
    EXPECT_EQ(picker.directory(), cwd);
    EXPECT_EQ(picker.drive(), cwd);
    const Names drives = picker.drives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front(), "/");
    EXPECT_EQ(drives.back(), cwd);

    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("deeper/x.dat"), "x");
    ASSERT_TRUE(picker.setDirectory(dir.file("deeper")));
    if (dir.path().rfind(cwd + "/", 0) != 0) {
        EXPECT_EQ(picker.drive(), "/");
    }

    // Choosing a drive opens its root.
    QSignalSpy moves(&picker, &platform::FilePicker::directoryChanged);
    ASSERT_TRUE(picker.setDrive(cwd));
    EXPECT_EQ(picker.directory(), cwd);
    EXPECT_EQ(picker.drive(), cwd);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_FALSE(picker.setDrive("/no/such/drive"));
    EXPECT_EQ(picker.directory(), cwd);
}
