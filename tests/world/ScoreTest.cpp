#include <gtest/gtest.h>
#include <vector>

#include "world/Score.h"

TEST(Score, CountsUpInShrinkingSlicesAndReaches2500AtTheFiftyFifthTick)
{
    Score score;
    score.clear();
    score.add(2500);
    std::vector<int> shown;
    for (int tick = 0; tick < 60; tick++) {
        score.tick();
        shown.push_back(score.value());
        EXPECT_EQ(2500, score.total());
    }
    const std::vector<int> start = {256, 384, 512, 640, 768, 896, 1024, 1152, 1280, 1408, 1472};
    EXPECT_EQ(start, std::vector<int>(shown.begin(), shown.begin() + 11));
    EXPECT_EQ(1920, shown[17]);
    EXPECT_EQ(1936, shown[18]);
    EXPECT_EQ(2496, shown[53]);
    EXPECT_EQ(2500, shown[54]);
    EXPECT_EQ(2500, shown[59]);
}

TEST(Score, SliceGrowsOnlyWhenMoreThanItsThresholdIsPending)
{
    const int pending[] = {600, 601, 1200, 1201, 2400, 2401};
    const int slice[] = {16, 64, 64, 128, 128, 256};
    for (int i = 0; i < 6; i++) {
        Score score;
        score.add(pending[i]);
        score.tick();
        EXPECT_EQ(slice[i], score.value()) << pending[i];
        EXPECT_EQ(slice[i], score.step) << pending[i];
    }
}

TEST(Score, SmallRemainderMovesWholeInOneTick)
{
    Score score;
    score.add(10);
    EXPECT_EQ(0, score.value());
    score.tick();
    EXPECT_EQ(10, score.value());
    EXPECT_EQ(10, score.total());
}

TEST(Score, PointsAddedWhileCountingJoinThePending)
{
    Score score;
    score.add(700);
    score.tick();
    EXPECT_EQ(64, score.value());
    score.add(2000);
    score.tick();
    EXPECT_EQ(64 + 256, score.value());
    EXPECT_EQ(2700, score.total());
}

TEST(Score, ClearDropsPendingPointsToo)
{
    Score score;
    score.add(5000);
    score.tick();
    score.clear();
    EXPECT_EQ(0, score.value());
    EXPECT_EQ(0, score.total());
    score.tick();
    EXPECT_EQ(0, score.value());
}
