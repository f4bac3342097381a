#include <allegro.h>
#include <climits>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include "TempDir.h"
#include "frame/Game.h"
#include "settings/Settings.h"

TEST(TickRate, RatesTheTimerCannotDeliverRunAtTheDefault)
{
    EXPECT_EQ(60, tickRate(60));
    EXPECT_EQ(1, tickRate(1));
    EXPECT_EQ(30, tickRate(30));
    EXPECT_EQ(MAX_TICK_RATE, tickRate(MAX_TICK_RATE));
    for (int bad : {0, -1, INT_MIN, MAX_TICK_RATE + 1, 1193182, INT_MAX})
        EXPECT_EQ(DEFAULT_TICK_RATE, tickRate(bad)) << bad;
}

// Start-up is tested end to end: the library is already running here, and
// the graphics mode and the timer need a display.
TEST(GameStartup, NothingIsWrittenUnlessTheSettingsWereRead)
{
    TempDir dir;
    std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    {
        Game game;
        game.fpsCounter.reset(60);
    }
    bool written = !std::filesystem::is_empty(dir.path());
    std::filesystem::current_path(home);
    EXPECT_FALSE(written);
}
