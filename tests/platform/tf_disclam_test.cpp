#include "datasheet/forms/tf_disclam.h"

#include "platform/qt/memo.h"
#include "platform/qt/modal.h"

#include <QAction>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

TEST(TFDisclam, ShownModallyAndClosedByItsMenu)
{
    platform::setModalTestMode(true);
    auto* disclaimer = new TFDisclam(nullptr);
    EXPECT_EQ(FDisclam, disclaimer);
    EXPECT_EQ(disclaimer->windowTitle(), "DISCLAIMER");
    EXPECT_EQ(disclaimer->size(), QSize(468, 300));

    bool shown = false;
    platform::queueModal([&](QDialog& dialog) {
        shown = dialog.isVisible();
        static_cast<TFDisclam&>(dialog).Close1->trigger();
    });
    platform::execModal(*disclaimer);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(disclaimer->isVisible());
    EXPECT_EQ(platform::modalQueueUnderflows(), 0);

    const std::vector<std::string> lines = platform::memoLines(*disclaimer->Memo1);
    ASSERT_FALSE(lines.empty());
    const std::string& heading = lines.front();
    const auto text = heading.find_first_not_of(' ');
    EXPECT_GT(text, 10u); // centred
    EXPECT_EQ(heading.substr(text), "DISCLAIMER");
    int paragraphs = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        paragraphs += lines[i].empty() ? 0 : 1;
    EXPECT_EQ(paragraphs, 3);
    EXPECT_FALSE(disclaimer->Memo1->isReadOnly());

    delete disclaimer;
    EXPECT_EQ(FDisclam, nullptr);
    platform::setModalTestMode(false);
}
