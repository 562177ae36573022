#include "datasheet/forms/tf_warning.h"

#include "datasheet/forms/tf_get_out.h"
#include "platform/qt/modal.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <optional>

namespace {

QStringList itemTexts(const QGroupBox& group)
{
    QStringList texts;
    for (const QRadioButton* item : group.findChildren<QRadioButton*>())
        texts << item->text();
    return texts;
}

void choose(QGroupBox& group, int item)
{
    group.findChildren<QRadioButton*>().at(item)->click();
}

class WarningTest : public testing::Test {
protected:
    void SetUp() override { platform::setModalTestMode(true); }
    void TearDown() override
    {
        EXPECT_EQ(platform::modalQueueUnderflows(), 0);
        platform::setModalTestMode(false);
    }

    // Asks once; the handler plays the user. The stored answer, if any.
    std::optional<char> ask(TFWarning::Layout layout, std::function<void(TFWarning&)> handler)
    {
        std::optional<char> answer;
        TFWarning warning(nullptr, [&answer](char given) { answer = given; }, layout);
        EXPECT_EQ(FWarning, &warning);
        platform::queueModal([handler](QDialog& shown) { handler(static_cast<TFWarning&>(shown)); });
        platform::execModal(warning);
        return answer;
    }

    TFGetOut getOut;
};

} // namespace

TEST_F(WarningTest, DataSheetFlagDecidesWhetherMergeIsOffered)
{
    for (int flag : {1, 0}) {
        SCOPED_TRACE(flag);
        getOut.SetDataSheetFlag(flag);
        TFWarning warning(nullptr, {});
        EXPECT_EQ(warning.windowTitle(), "FWarning");
        EXPECT_EQ(warning.size(), QSize(355, 259));
        EXPECT_EQ(warning.Label2->text(), "File Already Exists");
        EXPECT_EQ(warning.Label2->font().pixelSize(), 16);
        EXPECT_EQ(itemTexts(*warning.RadioGroup1), QStringList({"Overwrite", "Append", "Merge/Replace", "Cancel"}));
        EXPECT_EQ(itemTexts(*warning.RadioGroup2), QStringList({"Overwrite", "Append", "Cancel"}));
        EXPECT_EQ(warning.RadioGroup1->isVisibleTo(&warning), flag == 1);
        EXPECT_EQ(warning.Okay1->isVisibleTo(&warning), flag == 1);
        EXPECT_EQ(warning.RadioGroup2->isVisibleTo(&warning), flag == 0);
        EXPECT_EQ(warning.Okay2->isVisibleTo(&warning), flag == 0);
    }
}

TEST_F(WarningTest, OkayStoresTheChosenItemsAnswerAndCloses)
{
    struct Case {
        TFWarning::Layout layout;
        int flag;
        std::optional<int> item; // none: Okay without a choice
        char expected;
    };
    using L = TFWarning::Layout;
    for (const Case& c : {Case{L::Kavro, 1, std::nullopt, 'W'}, Case{L::Kavro, 1, 1, 'A'}, Case{L::Kavro, 1, 2, 'M'},
                          Case{L::Kavro, 1, 3, 'C'}, Case{L::Kavro, 0, std::nullopt, 'W'}, Case{L::Kavro, 0, 1, 'A'},
                          Case{L::Kavro, 0, 2, 'C'}, Case{L::Morvane, 0, std::nullopt, 'W'},
                          Case{L::Morvane, 1, 1, 'A'}, Case{L::Morvane, 1, 2, 'C'}}) {
        SCOPED_TRACE(testing::Message() << (c.layout == L::Kavro ? "Kavro" : "Morvane") << " flag " << c.flag
                                        << " item " << c.item.value_or(-1));
        getOut.SetDataSheetFlag(c.flag);
        bool closed = false;
        const auto answer = ask(c.layout, [&](TFWarning& shown) {
            const bool kavroMerge = c.layout == L::Kavro && c.flag == 1;
            QGroupBox& group = c.layout == L::Kavro && c.flag == 0 ? *shown.RadioGroup2 : *shown.RadioGroup1;
            if (c.item)
                choose(group, *c.item);
            QPushButton& okay = c.layout == L::Morvane ? *shown.Okay : kavroMerge ? *shown.Okay1 : *shown.Okay2;
            okay.click();
            closed = !shown.isVisible();
        });
        EXPECT_EQ(answer, c.expected);
        EXPECT_TRUE(closed);
    }
}

TEST_F(WarningTest, ClosingByTheFrameStoresNoAnswer)
{
    for (auto layout : {TFWarning::Layout::Kavro, TFWarning::Layout::Morvane})
        EXPECT_EQ(ask(layout, [](TFWarning& shown) { shown.close(); }), std::nullopt);
}

TEST_F(WarningTest, MorvanesLayoutHasOneGroupWithoutMerge)
{
    getOut.SetDataSheetFlag(1);
    TFWarning warning(nullptr, {}, TFWarning::Layout::Morvane);
    EXPECT_EQ(warning.windowTitle(), "NOTICE");
    EXPECT_EQ(warning.Label1->text(), "File Already Exists");
    EXPECT_EQ(warning.Label1->font().pixelSize(), 16);
    EXPECT_EQ(itemTexts(*warning.RadioGroup1), QStringList({"Overwrite", "Append", "Cancel "}));
    EXPECT_TRUE(warning.RadioGroup1->isVisibleTo(&warning));
    EXPECT_EQ(warning.Okay->text(), "Okay");
    EXPECT_EQ(warning.RadioGroup2, nullptr);
    EXPECT_EQ(warning.Okay1, nullptr);
}
