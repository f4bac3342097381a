#include <gtest/gtest.h>

#include "desktop/FpsCounter.h"

namespace {

void drawFramesThenTick(FpsCounter& meter, int frames)
{
    for (int i = 0; i < frames; i++)
        meter.countFrame();
    meter.tick();
}

} // namespace

TEST(FpsCounter, AFreshMeterReadsTheTickRateUntilRealCountsReplaceIt)
{
    FpsCounter meter;
    meter.reset(60);
    EXPECT_EQ(60, meter.fps());
    drawFramesThenTick(meter, 1);
    EXPECT_EQ(60, meter.fps());
    drawFramesThenTick(meter, 0);
    EXPECT_EQ(59, meter.fps());
}

TEST(FpsCounter, CountsTheFramesOfTheLastNTicks)
{
    FpsCounter meter;
    meter.reset(3);
    drawFramesThenTick(meter, 2);
    EXPECT_EQ(4, meter.fps());  // 2 + the two starting slots
    drawFramesThenTick(meter, 0);
    EXPECT_EQ(3, meter.fps());
    drawFramesThenTick(meter, 5);
    EXPECT_EQ(7, meter.fps());  // 2 + 0 + 5: every starting slot is gone

    // The ring wraps: each tick now drops the oldest real count.
    drawFramesThenTick(meter, 0);
    EXPECT_EQ(5, meter.fps());
    drawFramesThenTick(meter, 0);
    EXPECT_EQ(5, meter.fps());
    drawFramesThenTick(meter, 0);
    EXPECT_EQ(0, meter.fps());
}

TEST(FpsCounter, ResetStartsAgainAtTheNewSize)
{
    FpsCounter meter;
    meter.reset(4);
    for (int i = 0; i < 4; i++)
        drawFramesThenTick(meter, 9);
    EXPECT_EQ(36, meter.fps());
    meter.countFrame();
    meter.reset(2);
    EXPECT_EQ(2, meter.fps());
    drawFramesThenTick(meter, 0);  // the frame counted before reset is gone
    EXPECT_EQ(1, meter.fps());
}

TEST(FpsCounter, AnEmptyMeterReadsZeroAndSurvivesTicks)
{
    FpsCounter fresh;
    EXPECT_EQ(0, fresh.fps());
    drawFramesThenTick(fresh, 3);
    EXPECT_EQ(0, fresh.fps());

    FpsCounter cleared;
    cleared.reset(5);
    cleared.reset(0);
    drawFramesThenTick(cleared, 3);
    EXPECT_EQ(0, cleared.fps());
}
