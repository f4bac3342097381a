#include <allegro.h>
#include <climits>
#include <gtest/gtest.h>
#include <vector>

#include "desktop/FramePlacement.h"
#include "desktop/DisplayMode.h"
#include "settings/Settings.h"

namespace {

FramePlacement placed(int scale, int x, int y)
{
    FramePlacement placement;
    placement.scale = scale;
    placement.x = x;
    placement.y = y;
    return placement;
}

ModeSize windowFor(int scale, int desktopW, int desktopH)
{
    return preferredModeSize(scale, false, 320, 240, desktopW, desktopH);
}

ModeSize fullScreenFor(int scale, int desktopW, int desktopH)
{
    return preferredModeSize(scale, true, 320, 240, desktopW, desktopH);
}

} // namespace

TEST(ScaleFactor, TheLargestWholeFactorThatFitsBothWays)
{
    EXPECT_EQ(3, fittingScale(320, 240, 1024, 768));
    EXPECT_EQ(4, fittingScale(320, 240, 1280, 1024));
    EXPECT_EQ(4, fittingScale(320, 240, 1920, 1080)) << "the height limits a wide desktop";
    EXPECT_EQ(2, fittingScale(320, 240, 640, 1080)) << "the width limits a tall one";
    EXPECT_EQ(2, fittingScale(320, 240, 959, 719)) << "one pixel short of 3x";
    EXPECT_EQ(1, fittingScale(320, 240, 320, 240));
    EXPECT_EQ(1, fittingScale(320, 240, 200, 100)) << "never below 1, even when the frame does not fit";
    EXPECT_EQ(1, fittingScale(320, 240, 0, 0));
    EXPECT_EQ(1, fittingScale(0, 0, 1024, 768)) << "no division by an empty frame";
}

TEST(ScaleFactor, AWantedFactorIsReducedToWhatFitsAndEverythingBelowOneIsAutomatic)
{
    EXPECT_EQ(1, chosenScale(1, 4));
    EXPECT_EQ(2, chosenScale(2, 4));
    EXPECT_EQ(4, chosenScale(4, 4));
    EXPECT_EQ(3, chosenScale(5, 3));
    EXPECT_EQ(3, chosenScale(INT_MAX, 3));
    for (int automatic : {0, -1, -3, INT_MIN})
        EXPECT_EQ(3, chosenScale(automatic, 3)) << automatic;
}

TEST(ScaleFactor, TheFrameIsCentredOnTheDisplay)
{
    EXPECT_EQ(placed(3, 32, 24), placeFrame(0, 320, 240, 1024, 768));
    EXPECT_EQ(placed(4, 0, 32), placeFrame(0, 320, 240, 1280, 1024));
    EXPECT_EQ(placed(2, 640, 300), placeFrame(2, 320, 240, 1920, 1080));
    EXPECT_EQ(placed(2, 0, 0), placeFrame(0, 320, 240, 640, 480)) << "a window of the enlarged size";
    EXPECT_EQ(placed(2, 1, 1), placeFrame(2, 320, 240, 643, 483)) << "an odd spare pixel goes right and down";
    EXPECT_EQ(placed(1, 352, 264), placeFrame(1, 320, 240, 1024, 768)) << "scale 1 centres without enlarging";
    EXPECT_EQ(placed(1, 0, 0), placeFrame(0, 320, 240, 320, 240));
    EXPECT_EQ(placed(1, 0, 0), placeFrame(0, 320, 240, 0, 0)) << "no display yet";
}

TEST(ScaleFactor, AnAutomaticWindowLeavesATenthOfTheDesktopForFrameAndPanels)
{
    EXPECT_EQ((ModeSize{640, 480}), windowFor(0, 1024, 768)) << "960x720 would leave no room";
    EXPECT_EQ((ModeSize{960, 720}), windowFor(0, 1280, 1024));
    EXPECT_EQ((ModeSize{1280, 960}), windowFor(0, 1920, 1080));
    EXPECT_EQ((ModeSize{320, 240}), windowFor(0, 640, 480)) << "a desktop of 2x itself leaves no room";
    // The edge of the rule: 90 per cent of 712x534 is 640x480 and a pixel less fails.
    EXPECT_EQ((ModeSize{640, 480}), windowFor(0, 712, 534));
    EXPECT_EQ((ModeSize{320, 240}), windowFor(0, 711, 534));
    EXPECT_EQ((ModeSize{320, 240}), windowFor(0, 712, 533));
    EXPECT_EQ((ModeSize{1200, 900}), preferredModeSize(0, false, 400, 300, 1920, 1080)) << "another frame size";
}

TEST(ScaleFactor, AWindowTakesTheWantedFactorWhenItFitsOtherwiseTheLargestThatDoes)
{
    EXPECT_EQ((ModeSize{640, 480}), windowFor(2, 1920, 1080));
    EXPECT_EQ((ModeSize{960, 720}), windowFor(3, 1920, 1080));
    EXPECT_EQ((ModeSize{640, 480}), windowFor(3, 1024, 768)) << "reduced to what fits";
    EXPECT_EQ((ModeSize{640, 480}), windowFor(100000, 1024, 768));
    EXPECT_EQ((ModeSize{640, 480}), windowFor(-2, 1024, 768));
    EXPECT_EQ((ModeSize{320, 240}), windowFor(1, 1920, 1080)) << "scale 1 is the game as it always was";
    for (int scale : {0, 2, 5})
        EXPECT_EQ((ModeSize{320, 240}), windowFor(scale, 0, 0)) << "unknown desktop, scale " << scale;
}

TEST(ScaleFactor, FullScreenTakesTheDesktopSizeOnlyWhenTheFrameFitsItTwice)
{
    EXPECT_EQ((ModeSize{1024, 768}), fullScreenFor(0, 1024, 768));
    EXPECT_EQ((ModeSize{1920, 1080}), fullScreenFor(2, 1920, 1080));
    EXPECT_EQ((ModeSize{1024, 768}), fullScreenFor(-1, 1024, 768));
    EXPECT_EQ((ModeSize{320, 240}), fullScreenFor(1, 1920, 1080)) << "scale 1 keeps the frame-sized mode";
    EXPECT_EQ((ModeSize{320, 240}), fullScreenFor(0, 639, 480)) << "only 1x fits: the old mode, not borders";
    EXPECT_EQ((ModeSize{320, 240}), fullScreenFor(0, 0, 0));

    // What the strategies then make of that mode.
    EXPECT_EQ(placed(2, 640, 300), placeFrame(2, 320, 240, 1920, 1080));
    EXPECT_EQ(placed(4, 320, 60), placeFrame(0, 320, 240, 1920, 1080));
}

TEST(ScaleFactor, AWindowOfThePreferredSizeShowsTheFrameAtItsChosenFactorWithoutBorders)
{
    // The mode and the presentation are decided apart; they must agree.
    const int desktops[][2] = {{640, 480}, {1024, 768}, {1280, 1024}, {1920, 1080}, {3840, 2160}};
    for (const auto& desktop : desktops) {
        for (int scale : {-1, 0, 1, 2, 3, 7, 50}) {
            ModeSize mode = windowFor(scale, desktop[0], desktop[1]);
            FramePlacement placement = placeFrame(scale, 320, 240, mode.w, mode.h);
            EXPECT_EQ(placed(mode.w / 320, 0, 0), placement) << desktop[0] << "x" << desktop[1] << " scale " << scale;
            EXPECT_EQ(mode.w * 240, mode.h * 320);
        }
    }
}

namespace {

struct Request {
    int w, h, depth;
    bool operator==(const Request& o) const { return w == o.w && h == o.h && depth == o.depth; }
};

std::vector<Request> requests;
int refusedWidth = 0;   // the pretend display refuses modes this wide; 0: none
int acceptedDepth = 0;  // and takes only this depth; 0: any

bool pretendScaledDisplay(int, int w, int h, int depth)
{
    requests.push_back({w, h, depth});
    return w != refusedWidth && (acceptedDepth == 0 || depth == acceptedDepth);
}

bool desktop1024(int* w, int* h)
{
    *w = 1024;
    *h = 768;
    return true;
}

bool hugeDesktop(int* w, int* h)
{
    *w = 20000;
    *h = 15000;
    return true;
}

bool unknownDesktop(int* w, int* h)
{
    *w = 1024;  // what a failing query leaves must not count
    *h = 768;
    return false;
}

class ScaledMode : public testing::Test {
protected:
    void SetUp() override
    {
        requests.clear();
        refusedWidth = 0;
        acceptedDepth = 0;
    }
};

} // namespace

TEST_F(ScaledMode, TheEnlargedModeIsAskedForFirst)
{
    settings.fullscreen = 0;
    EXPECT_FALSE(openGraphicsMode(pretendScaledDisplay, desktop1024).failed());
    settings.fullscreen = 1;
    EXPECT_FALSE(openGraphicsMode(pretendScaledDisplay, desktop1024).failed());
    EXPECT_EQ((std::vector<Request>{{640, 480, 32}, {1024, 768, 32}}), requests);
}

TEST_F(ScaledMode, ARefusedEnlargedModeFallsBackToTheFrameSizeKeepingTheDepthRetry)
{
    settings.fullscreen = 0;
    refusedWidth = 640;
    acceptedDepth = 24;
    EXPECT_FALSE(openGraphicsMode(pretendScaledDisplay, desktop1024).failed());
    EXPECT_EQ((std::vector<Request>{{640, 480, 32}, {640, 480, 24}, {320, 240, 32}, {320, 240, 24}}), requests);
    EXPECT_EQ(24, settings.bpp);

    requests.clear();
    settings.bpp = 32;
    acceptedDepth = 16;
    EXPECT_EQ(GfxMode, openGraphicsMode(pretendScaledDisplay, desktop1024).code);
    EXPECT_EQ(4u, requests.size());
    EXPECT_EQ(32, settings.bpp);
}

TEST_F(ScaledMode, ScaleOneAnUnknownDesktopOrAnImpossibleSizeAskOnlyForTheFrameSize)
{
    settings.fullscreen = 1;
    settings.scale = 1;
    openGraphicsMode(pretendScaledDisplay, desktop1024);
    settings.scale = 0;
    openGraphicsMode(pretendScaledDisplay, unknownDesktop);
    openGraphicsMode(pretendScaledDisplay, hugeDesktop);
    EXPECT_EQ((std::vector<Request>{{320, 240, 32}, {320, 240, 32}, {320, 240, 32}}), requests);
}
