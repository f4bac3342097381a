#include <allegro.h>
#include <climits>
#include <gtest/gtest.h>
#include <vector>

#include "desktop/DisplayMode.h"
#include "frame/Game.h"
#include "settings/Settings.h"

namespace {

struct ModeAttempt {
    int card, w, h, depth;
    bool operator==(const ModeAttempt& o) const
    {
        return card == o.card && w == o.w && h == o.h && depth == o.depth;
    }
};

std::vector<ModeAttempt> attempts;
int workingDepth = 0;  // the only depth the pretend display takes; 0: none
int refusedCard = -1;  // a card the pretend display never opens

bool pretendDisplay(int card, int w, int h, int depth)
{
    attempts.push_back({card, w, h, depth});
    return workingDepth != 0 && depth == workingDepth && card != refusedCard;
}

bool noDesktopSize(int*, int*) { return false; }

class GraphicsMode : public testing::Test {
protected:
    void SetUp() override
    {
        attempts.clear();
        workingDepth = 0;
        refusedCard = -1;
    }
};

} // namespace

TEST_F(GraphicsMode, OpensTheConfiguredModeWindowedOrFullScreen)
{
    workingDepth = 32;
    settings.fullscreen = 0;
    settings.w = 640;
    settings.h = 480;
    EXPECT_FALSE(openGraphicsMode(pretendDisplay).failed());
    settings.fullscreen = 1;
    EXPECT_FALSE(openGraphicsMode(pretendDisplay).failed());
    EXPECT_EQ((std::vector<ModeAttempt>{{GFX_AUTODETECT_WINDOWED, 640, 480, 32}, {GFX_AUTODETECT, 640, 480, 32}}),
              attempts);
    EXPECT_EQ(32, settings.bpp);
}

// A refused depth is retried once at its partner of the same kind, high
// colour for high colour and true colour for true colour; an odd depth at
// the commonest, 16. What opened is kept for saving.
TEST_F(GraphicsMode, ARefusedDepthIsRetriedAtItsPartnerWhichIsKeptForSaving)
{
    const int pairs[][2] = {{15, 16}, {16, 15}, {24, 32}, {32, 24}, {12, 16}, {0, 16}};
    for (const auto& pair : pairs) {
        attempts.clear();
        settings.bpp = pair[0];
        workingDepth = pair[1];
        EXPECT_FALSE(openGraphicsMode(pretendDisplay).failed()) << pair[0];
        EXPECT_EQ(pair[1], settings.bpp) << pair[0];
        ASSERT_EQ(2u, attempts.size()) << pair[0];
        EXPECT_EQ(pair[0], attempts[0].depth);
    }
}

TEST_F(GraphicsMode, FailsAfterOneRetryAndKeepsTheConfiguredDepth)
{
    settings.bpp = 12;
    EXPECT_EQ(GfxMode, openGraphicsMode(pretendDisplay).code);
    EXPECT_EQ(12, settings.bpp);
    ASSERT_EQ(2u, attempts.size());
    EXPECT_EQ(16, attempts[1].depth);
}

TEST_F(GraphicsMode, SizesOutsideTheRangeAreNeverRequested)
{
    workingDepth = 32;
    const int bad[][2] = {{0, 240}, {-5, 240}, {MAX_SCREEN_SIZE + 1, 240}, {320, 0}, {320, -1},
                          {320, 100000}, {INT_MIN, INT_MAX}};
    for (const auto& size : bad) {
        settings.w = size[0];
        settings.h = size[1];
        EXPECT_EQ(GfxMode, openGraphicsMode(pretendDisplay).code) << size[0] << "x" << size[1];
    }
    EXPECT_TRUE(attempts.empty());
    EXPECT_EQ(32, settings.bpp);

    const int good[][2] = {{1, 1}, {MAX_SCREEN_SIZE, MAX_SCREEN_SIZE}, {320, 240}};
    for (const auto& size : good) {
        settings.w = size[0];
        settings.h = size[1];
        EXPECT_FALSE(openGraphicsMode(pretendDisplay).failed()) << size[0] << "x" << size[1];
    }
}

TEST_F(GraphicsMode, ASwitchGoesBackToTheModeItHadWhenTheOtherIsRefusedAndFailsOnlyWithoutEither)
{
    Game game;
    workingDepth = 24;
    settings.bpp = 24;
    settings.fullscreen = 0;
    EXPECT_FALSE(game.switchFullscreen(pretendDisplay, noDesktopSize).failed());
    EXPECT_EQ(1, settings.fullscreen);
    ASSERT_NE(nullptr, game.updateDriver) << "the strategy is made anew";

    attempts.clear();
    refusedCard = GFX_AUTODETECT_WINDOWED;
    EXPECT_FALSE(game.switchFullscreen(pretendDisplay, noDesktopSize).failed());
    EXPECT_EQ(1, settings.fullscreen);
    // The running depth only: the game's pictures were made for it.
    EXPECT_EQ((std::vector<ModeAttempt>{{GFX_AUTODETECT_WINDOWED, 320, 240, 24}, {GFX_AUTODETECT, 320, 240, 24}}),
              attempts);
    ASSERT_NE(nullptr, game.updateDriver);

    workingDepth = 0;
    EXPECT_EQ(GfxMode, game.switchFullscreen(pretendDisplay, noDesktopSize).code);
    EXPECT_EQ(1, settings.fullscreen) << "the setting saved is the mode the game had";
    EXPECT_EQ(24, settings.bpp);
}
