#include "platform/qt/file_dialogs.h"
#include "platform/qt/message_box_notices.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

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
