#include "platform/qt/font_dialog.h"

#include "platform/qt/modal.h"

#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(FontDialog, OnlyApplyHandsOverAFont)
{
    platform::setModalTestMode(true);
    platform::FontDialog dialog;
    ASSERT_NE(dialog.applyButton(), nullptr);
    QSignalSpy applied(&dialog, &platform::FontDialog::applied);
    QFont chosen = dialog.font();
    chosen.setPointSize(23);

    platform::queueModal([&](QDialog& shown) {
        auto& fonts = dynamic_cast<platform::FontDialog&>(shown);
        fonts.setCurrentFont(chosen);
        fonts.applyButton()->click();
        EXPECT_TRUE(fonts.isVisible()); // Apply does not close it
        fonts.accept();
    });
    platform::queueModal([&](QDialog& shown) { shown.accept(); });
    EXPECT_EQ(platform::execModal(dialog), QDialog::Accepted);
    EXPECT_EQ(platform::execModal(dialog), QDialog::Accepted);

    ASSERT_EQ(applied.count(), 1);
    EXPECT_EQ(applied.at(0).at(0).value<QFont>().pointSize(), 23);
    EXPECT_EQ(platform::modalQueueUnderflows(), 0);
    platform::setModalTestMode(false);
}
