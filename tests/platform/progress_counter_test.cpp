#include "platform/progress.h"

#include <gtest/gtest.h>

using platform::ProgressCounter;
using platform::RecordingProgress;

TEST(ProgressCounter, MovesAtTheFirstUnitAndEveryTwentiethToTheTruncatedPercentage)
{
    RecordingProgress progress;
    ProgressCounter counter(progress);
    std::vector<int> dueAt;
    for (int unit = 1; unit <= 45; ++unit)
        if (counter.unit(unit, 45))
            dueAt.push_back(unit);
    EXPECT_EQ(dueAt, (std::vector<int>{1, 20, 40}));
    // 100 x 1/45 = 2.2, 100 x 20/45 = 44.4, 100 x 40/45 = 88.9
    EXPECT_EQ(progress.values, (std::vector<int>{2, 44, 88}));
}

TEST(ProgressCounter, ATotalOfZeroKeepsTheLastValue)
{
    RecordingProgress progress;
    ProgressCounter counter(progress, 1);
    counter.unit(0, 0);
    counter.unit(3, 4);
    counter.unit(5, 0);
    EXPECT_EQ(progress.values, (std::vector<int>{0, 75, 75}));
}

TEST(ProgressCounter, BaseAndScaleFillAPartOfTheBar)
{
    RecordingProgress progress;
    ProgressCounter counter(progress, 20, 50, 0.5);
    counter.report(10, 20);
    counter.report(20, 20);
    EXPECT_EQ(progress.values, (std::vector<int>{75, 100}));
}
