#pragma once
// Creates Morvane's windows offscreen with notices recorded and modal
// dialogs and file dialogs answered from queues.
#include <QDialog>
#include <gtest/gtest.h>

#include <string>

#include "morvane/tf_file.h"
#include "morvane/tf_windows.h"
#include "platform/notices.h"
#include "platform/qt/file_dialogs.h"
#include "platform/qt/modal.h"
#include "platform/qt/test_mode.h"

class MorvaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setTestMode(true);
        platform::setNotices(&notices);
        platform::queueModal([this](QDialog& dialog) {
            disclaimerCaption = dialog.windowTitle().toStdString();
            othersExisted = FFile != nullptr;
            dialog.close();
        });
        CreateMorvaneForms();
    }
    void TearDown() override
    {
        DestroyMorvaneForms();
        platform::setNotices(nullptr);
        EXPECT_EQ(platform::queuedModals(), 0u);
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        EXPECT_EQ(platform::fileAnswerUnderflows(), 0);
        platform::setTestMode(false);
    }

    static std::string samples(const std::string& path = "")
    {
        return path.empty() ? std::string(DS_SAMPLES_DIR) : std::string(DS_SAMPLES_DIR) + "/" + path;
    }

    platform::RecordingNotices notices;
    std::string disclaimerCaption;
    bool othersExisted = true;
};
