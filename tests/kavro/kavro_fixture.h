#pragma once
// Creates Kavro's windows offscreen with notices recorded and modal dialogs
// and file dialogs answered from queues.
#include <QDialog>
#include <gtest/gtest.h>

#include "kavro/tf_windows.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"

class KavroTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        platform::setNotices(&notices);
        platform::queueModal([this](QDialog& dialog) {
            disclaimerCaption = dialog.windowTitle().toStdString();
            dialog.close();
        });
        CreateKavroForms();
    }
    void TearDown() override
    {
        DestroyKavroForms();
        platform::setNotices(nullptr);
        EXPECT_EQ(platform::queuedModals(), 0u);
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        EXPECT_EQ(platform::fileAnswerUnderflows(), 0);
        platform::setTestMode(false);
    }

    platform::RecordingNotices notices;
    std::string disclaimerCaption;
};
