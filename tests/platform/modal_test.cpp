#include "platform/qt/file_dialogs.h"
#include "platform/qt/message_box_notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"

#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "tests/support/test_files.h"

using namespace platform;

namespace {

class TestModeTest : public testing::Test {
protected:
    void SetUp() override { setTestMode(true); }
    void TearDown() override { setTestMode(false); }
};

class AskDialog : public QDialog {
public:
    AskDialog() { edit = new QLineEdit(this); }
    QLineEdit* edit;
};

} // namespace

using ModalTest = TestModeTest;

TEST_F(ModalTest, HandlersAnswerTheDialogsInTurnWhileTheyAreShown)
{
    AskDialog dialog;
    bool shownToHandler = false;
    queueModal([&](QDialog& shown) {
        shownToHandler = shown.isVisible();
        static_cast<AskDialog&>(shown).edit->setText("typed");
        shown.accept();
    });
    queueModal([](QDialog& shown) { shown.reject(); });

    EXPECT_EQ(execModal(dialog), QDialog::Accepted);
    EXPECT_TRUE(shownToHandler);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.edit->text(), "typed");
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_EQ(queuedModals(), 0u);
    EXPECT_EQ(modalQueueUnderflows(), 0);
}

TEST_F(ModalTest, AHandlerThatLeavesTheDialogOpenHasItClosed)
{
    AskDialog dialog;
    queueModal([](QDialog&) {});
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ModalTest, AnEmptyQueueIsCountedAndRejects)
{
    AskDialog dialog;
    dialog.setResult(QDialog::Accepted);
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_EQ(modalQueueUnderflows(), 1);
    EXPECT_FALSE(dialog.isVisible());
    setTestMode(true);
    EXPECT_EQ(modalQueueUnderflows(), 0);
}

namespace {

// Clicks a button of the next message box and keeps what it showed.
struct BoxAnswer {
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    void queue(QMessageBox::StandardButton button)
    {
        queueModal([this, button](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            title = box.windowTitle();
            text = box.text();
            format = box.textFormat();
            box.button(button)->click();
        });
    }
};

} // namespace

TEST_F(ModalTest, MessageBoxesShowCaptionAndTextWithCrLfAsLineBreak)
{
    MessageBoxNotices boxes;
    BoxAnswer answer;

    answer.queue(QMessageBox::Ok);
    boxes.notice("NOTICE", "File <A&B> not found\r\n     Click Sample Button for example.");
    EXPECT_EQ(answer.title, "NOTICE");
    EXPECT_EQ(answer.text, "File <A&B> not found\n     Click Sample Button for example.");
    EXPECT_EQ(answer.format, Qt::PlainText);

    answer.queue(QMessageBox::Yes);
    EXPECT_TRUE(boxes.ask("WARNING", "Continue?"));
    answer.queue(QMessageBox::No);
    EXPECT_FALSE(boxes.ask("WARNING", "Continue?"));
    EXPECT_EQ(modalQueueUnderflows(), 0);
}

// A notice's text is datasheet text and typed text (8-bit, as captions and
// memos show it) and paths (mostly UTF-8): UTF-8 reads as UTF-8, every
// other byte as its 8-bit character; the caption likewise.
TEST_F(ModalTest, MessageBoxesShowUtf8AndEightBitTextAlike)
{
    MessageBoxNotices boxes;
    BoxAnswer answer;
    answer.queue(QMessageBox::Ok);
    boxes.notice("NOTICE", "Cannot write to file /d/caf\xc3\xa9.txt\r\nnor /d/caf\xe9.txt");
    EXPECT_EQ(answer.text, QString::fromUtf8("Cannot write to file /d/caf\xc3\xa9.txt\nnor /d/caf\xc3\xa9.txt"));
    answer.queue(QMessageBox::Yes);
    EXPECT_TRUE(boxes.ask("CAF\xc9", "Name = CAF\xc9 TOWER Not Found"));
    EXPECT_EQ(answer.title, QString::fromUtf8("CAF\xc3\x89"));
    EXPECT_EQ(answer.text, QString::fromUtf8("Name = CAF\xc3\x89 TOWER Not Found"));
}

TEST_F(ModalTest, InstalledMessageBoxesBecomeTheProgramsNotices)
{
    installMessageBoxNotices();
    BoxAnswer answer;
    answer.queue(QMessageBox::Ok);
    notices().notice("OKAY", "done");
    setNotices(nullptr);
    EXPECT_EQ(answer.title, "OKAY");
    EXPECT_EQ(answer.text, "done");
}

using FileDialogTest = TestModeTest;

TEST_F(FileDialogTest, AnswersComeFromTheQueueAndTheArgumentsAreRecorded)
{
    queueFileAnswer("/data/county.dat");
    queueFileAnswer("");

    EXPECT_EQ(openFileName(nullptr, "Open", "."), "/data/county.dat");
    EXPECT_EQ(lastFileDialogDirectory(), ".");
    EXPECT_EQ(lastFileDialogFileName(), "");

    EXPECT_EQ(saveFileName(nullptr, "Save As", "/home/user/out", "/home/user/out/list.txt"), "");
    EXPECT_EQ(lastFileDialogDirectory(), "/home/user/out");
    EXPECT_EQ(lastFileDialogFileName(), "/home/user/out/list.txt");
    EXPECT_EQ(fileAnswerUnderflows(), 0);

    EXPECT_EQ(openFileName(nullptr, "Open", "/x"), "");
    EXPECT_EQ(fileAnswerUnderflows(), 1);
}

// A dialog gives the chosen name as text, and shows a name that is not valid
// UTF-8 with replacement characters: the name it gives back is the existing
// file's, bytes and all.
TEST_F(FileDialogTest, ANameThatIsNotUtf8KeepsItsBytes)
{
    testsupport::TempDir dir;
    const std::string latin = dir.file("caf\xe9.txt");
    const std::string utf8 = dir.file("caf\xc3\xa9.txt");
    const std::string inLatinDir = dir.file("d\xe9j\xe0/list.txt");
    testsupport::writeFile(latin, "x");
    testsupport::writeFile(utf8, "x");
    testsupport::writeFile(inLatinDir, "x");
    // Two names that read alike: the proposed one, else the first in name order.
    testsupport::writeFile(dir.file("n\xe8.txt"), "x");
    testsupport::writeFile(dir.file("n\xe9.txt"), "x");
    const auto asShown = [](const std::string& path) {
        return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
    };
    ASSERT_NE(asShown(latin), asShown(utf8));
    struct Case {
        const char* what;
        QString chosen;
        std::string proposed;
        std::string expected;
    };
    for (const Case& c : {
             Case{"a Latin-1 name", asShown(latin), {}, latin},
             Case{"a UTF-8 name", asShown(utf8), {}, utf8},
             Case{"a file in a Latin-1 directory", asShown(inLatinDir), {}, inLatinDir},
             Case{"a new file in a Latin-1 directory", asShown(dir.file("d\xe9j\xe0/new.txt")), {},
                  dir.file("d\xe9j\xe0/new.txt")},
             Case{"a new name", QString::fromUtf8(dir.file("new \xc3\xa9.txt").c_str()), {},
                  dir.file("new \xc3\xa9.txt")},
             Case{"two alike, none proposed", asShown(dir.file("n\xe9.txt")), {}, dir.file("n\xe8.txt")},
             Case{"two alike, one proposed", asShown(dir.file("n\xe9.txt")), dir.file("n\xe9.txt"),
                  dir.file("n\xe9.txt")},
         }) {
        SCOPED_TRACE(c.what);
        queueFileAnswerText(c.chosen);
        EXPECT_EQ(saveFileName(nullptr, "Save As", dir.path(), c.proposed), c.expected);
        queueFileAnswerText(c.chosen);
        EXPECT_EQ(openFileName(nullptr, "Open", dir.path(), c.proposed), c.expected);
    }
}
