#include "datasheet/forms/tf_get_out.h"

#include "platform/qt/modal.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class GetOutTest : public testing::Test {
protected:
    void SetUp() override { platform::setModalTestMode(true); }
    void TearDown() override
    {
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        platform::setModalTestMode(false);
    }

    // Shows the dialog; the handler sees it up, then clicks.
    void run(TFGetOut& dialog, std::function<void(TFGetOut&)> handler)
    {
        platform::queueModal([handler](QDialog& shown) { handler(static_cast<TFGetOut&>(shown)); });
        platform::execModal(dialog);
    }

    int storedFormat = 2; // the keeper's value before any OK
    OutputFormatStore store{[this](int format) { storedFormat = format; }, [this] { return storedFormat; }};
};

std::vector<int> selectedRows(const QListWidget& list)
{
    std::vector<int> rows;
    for (int row = 0; row < list.count(); ++row)
        if (list.item(row)->isSelected())
            rows.push_back(row);
    return rows;
}

} // namespace

TEST_F(GetOutTest, FirstShowingSelectsDataSheetAndCancelKeepsTheFormat)
{
    TFGetOut dialog(nullptr, store);
    EXPECT_EQ(FGetOut, &dialog);
    EXPECT_EQ(dialog.windowTitle(), "OUTPUT FORMAT");
    EXPECT_EQ(dialog.size(), QSize(231, 235));
    ASSERT_EQ(dialog.FormatList->count(), 4);
    const char* texts[] = {"DataSheet Format", "List Format", "PINMAP Format", "ITEMPICK Format"};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(dialog.FormatList->item(row)->text(), texts[row]);
    EXPECT_TRUE(dialog.OK->isDefault());
    EXPECT_EQ(dialog.CANCEL->text(), "CANCEL");

    std::vector<int> shownSelected;
    run(dialog, [&](TFGetOut& shown) {
        shownSelected = selectedRows(*shown.FormatList);
        shown.CANCEL->click();
    });
    EXPECT_EQ(shownSelected, std::vector<int>{0});
    EXPECT_EQ(dialog.GetFormatOK(), 0);
    EXPECT_EQ(storedFormat, 2);
}

TEST_F(GetOutTest, OkStoresTheFormatAndTheDataSheetFlagFollowsIt)
{
    TFGetOut dialog(nullptr, store);
    run(dialog, [](TFGetOut& shown) {
        shown.FormatList->item(1)->setSelected(true);
        shown.OK->click();
    });
    EXPECT_EQ(storedFormat, 1);
    EXPECT_EQ(dialog.GetFormatOK(), 1);
    EXPECT_EQ(dialog.GetDataSheetFlag(), 0);
    EXPECT_FALSE(dialog.isVisible());

    // Shown again: the last choice is still selected and OK is cleared until pressed.
    std::vector<int> shownSelected;
    int formatOkWhileShown = -1;
    run(dialog, [&](TFGetOut& shown) {
        shownSelected = selectedRows(*shown.FormatList);
        formatOkWhileShown = shown.GetFormatOK();
        shown.FormatList->item(0)->setSelected(true);
        shown.OK->click();
    });
    EXPECT_EQ(shownSelected, std::vector<int>{1});
    EXPECT_EQ(formatOkWhileShown, 0);
    EXPECT_EQ(storedFormat, 0);
    EXPECT_EQ(dialog.GetDataSheetFlag(), 1);

    // Closed by its frame: not OK, and the flag stays as the last OK left it.
    run(dialog, [](TFGetOut& shown) { shown.close(); });
    EXPECT_EQ(dialog.GetFormatOK(), 0);
    EXPECT_EQ(dialog.GetDataSheetFlag(), 1);
    dialog.SetDataSheetFlag(0);
    EXPECT_EQ(dialog.GetDataSheetFlag(), 0);
}

TEST_F(GetOutTest, WithoutAKeeperTheDialogKeepsTheFormatItself)
{
    TFGetOut dialog;
    run(dialog, [](TFGetOut& shown) {
        shown.FormatList->item(3)->setSelected(true);
        shown.OK->click();
    });
    EXPECT_EQ(dialog.GetFormatOK(), 1);
    EXPECT_EQ(dialog.GetDataSheetFlag(), 0);
}
