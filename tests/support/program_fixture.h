#pragma once
// Creates a program's windows offscreen with notices recorded and modal
// dialogs and file dialogs answered from queues; the disclaimer the main
// window shows at its start is answered by closing it. At the end every
// queued modal answer must have been used and no dialog may have found its
// queue empty.
#include <QDialog>
#include <gtest/gtest.h>

#include <string>

#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"

class ProgramTest : public ::testing::Test {
protected:
    // The program's CreateXForms and DestroyXForms.
    ProgramTest(void (*createForms)(), void (*destroyForms)()) : createForms_(createForms), destroyForms_(destroyForms)
    {
    }

    void SetUp() override
    {
        platform::setTestMode(true);
        platform::setNotices(&notices);
        platform::queueModal([this](QDialog& dialog) {
            disclaimerCaption = dialog.windowTitle().toStdString();
            disclaimerShown();
            dialog.close();
        });
        createForms_();
    }
    void TearDown() override
    {
        destroyForms_();
        platform::setNotices(nullptr);
        EXPECT_EQ(platform::queuedModals(), 0u);
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        EXPECT_EQ(platform::fileAnswerUnderflows(), 0);
        platform::setTestMode(false);
    }

    // Runs while the disclaimer is open, before it is closed.
    virtual void disclaimerShown() {}

    platform::RecordingNotices notices;
    std::string disclaimerCaption;

private:
    void (*createForms_)();
    void (*destroyForms_)();
};
