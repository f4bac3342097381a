#include <allegro.h>
#include <gtest/gtest.h>
#include <memory>

#include "desktop/DoubleBuffer.h"
#include "frame/Game.h"
#include "desktop/PageFlipping.h"
#include "desktop/ScreenUpdate.h"
#include "settings/Settings.h"

namespace {

// A colour for every pixel of a frame, distinct from its neighbours.
int patternColour(int depth, int x, int y)
{
    if (depth == 8)
        return (x * 7 + y * 13 + 1) & 255;
    return makecol_depth(depth, (x * 37) & 255, (y * 53) & 255, (x * 11 + y * 5) & 255);
}

void paintPattern(BITMAP* frame)
{
    for (int y = 0; y < frame->h; y++)
        for (int x = 0; x < frame->w; x++)
            putpixel(frame, x, y, patternColour(bitmap_color_depth(frame), x, y));
}

// Pixels of the display's rectangle at (left, top), scale times the frame's
// size, that are not the frame's pixel they enlarge.
int wrongEnlargedPixels(BITMAP* frame, BITMAP* display, int left, int top, int scale)
{
    int wrong = 0;
    for (int y = 0; y < frame->h * scale; y++)
        for (int x = 0; x < frame->w * scale; x++)
            if (getpixel(display, left + x, top + y) != getpixel(frame, x / scale, y / scale))
                wrong++;
    return wrong;
}

// Pixels of the display outside the rectangle that do not have the colour.
int otherPixelsOutside(BITMAP* display, int left, int top, int w, int h, int colour)
{
    int other = 0;
    for (int y = 0; y < display->h; y++)
        for (int x = 0; x < display->w; x++) {
            bool inside = x >= left && x < left + w && y >= top && y < top + h;
            if (!inside && getpixel(display, x, y) != colour)
                other++;
        }
    return other;
}

// Video pages the pretend display was asked for; it never has any.
int videoPagesAskedFor = 0;

BITMAP* noVideoPage(int, int)
{
    videoPagesAskedFor++;
    return nullptr;
}

// Stands in for an open graphics mode of w by h: the library's screen is a
// memory bitmap full of a colour the game never clears to, and SCREEN_W and
// SCREEN_H read the pretend driver's size.
class PretendDisplay {
public:
    PretendDisplay(int w, int h)
    {
        driver.w = w;
        driver.h = h;
        driver.create_video_bitmap = noVideoPage;
        videoPagesAskedFor = 0;
        gfx_driver = &driver;
        screen = create_bitmap(w, h);
        clear_to_color(screen, litter());
    }
    ~PretendDisplay()
    {
        destroy_bitmap(screen);
        screen = nullptr;
        gfx_driver = nullptr;
    }
    static int litter() { return makecol(200, 0, 200); }

private:
    GFX_DRIVER driver{};
};

} // namespace

TEST(EnlargeFrame, EveryPixelBecomesAHardEdgedSquareAtEveryDepth)
{
    for (int depth : {8, 15, 16, 24, 32}) {
        BITMAP* frame = create_bitmap_ex(depth, 13, 7);  // odd sizes catch a wrong row length
        paintPattern(frame);
        for (int scale = 1; scale <= 4; scale++) {
            BITMAP* target = create_bitmap_ex(depth, 13 * scale + 5, 7 * scale + 3);
            const int untouched = depth == 8 ? 3 : makecol_depth(depth, 1, 2, 3);
            clear_to_color(target, untouched);
            enlargeFrame(frame, target, scale);
            EXPECT_EQ(0, wrongEnlargedPixels(frame, target, 0, 0, scale)) << depth << " bpp, " << scale << "x";
            EXPECT_EQ(0, otherPixelsOutside(target, 0, 0, 13 * scale, 7 * scale, untouched))
                << depth << " bpp, " << scale << "x";
            destroy_bitmap(target);
        }
        destroy_bitmap(frame);
    }
}

TEST(ScaledPresent, ADisplayOfTheFrameSizeGetsTheFrameAsItIs)
{
    PretendDisplay display(320, 240);
    DoubleBuffer strategy;
    ASSERT_FALSE(strategy.create().failed());
    EXPECT_EQ(nullptr, strategy.enlarged);
    paintPattern(strategy.getBuffer());
    strategy.show();
    EXPECT_EQ(0, wrongEnlargedPixels(strategy.getBuffer(), screen, 0, 0, 1));
    strategy.destroy();
}

TEST(ScaledPresent, TheDoubleBufferEnlargesTheLogicalFrameIntoTheMiddleOfACleanDisplay)
{
    PretendDisplay display(1024, 768);
    DoubleBuffer strategy;
    ASSERT_FALSE(strategy.create().failed());
    BITMAP* frame = strategy.getBuffer();
    ASSERT_EQ(320, frame->w) << "screens lay out against the frame, not the display";
    ASSERT_EQ(240, frame->h);

    paintPattern(frame);
    strategy.show();
    EXPECT_EQ(0, wrongEnlargedPixels(frame, screen, 32, 24, 3));
    EXPECT_EQ(0, otherPixelsOutside(screen, 32, 24, 960, 720, makecol(0, 0, 0))) << "the border is black";

    // Drawn again, the next frame replaces the last one in the same place.
    clear_to_color(frame, makecol(0, 0, 255));
    strategy.show();
    EXPECT_EQ(makecol(0, 0, 255), getpixel(screen, 32, 24));
    EXPECT_EQ(makecol(0, 0, 255), getpixel(screen, 991, 743));
    EXPECT_EQ(makecol(0, 0, 0), getpixel(screen, 992, 744));
    strategy.destroy();
    EXPECT_EQ(nullptr, strategy.enlarged);
}

TEST(ScaledPresent, TheWantedFactorIsUsedWhenTheDisplayHasRoomForMore)
{
    settings.scale = 2;
    settings.w = 200;
    settings.h = 100;
    PretendDisplay display(1024, 768);
    DoubleBuffer strategy;
    ASSERT_FALSE(strategy.create().failed());
    ASSERT_EQ(200, strategy.getBuffer()->w);
    paintPattern(strategy.getBuffer());
    strategy.show();
    EXPECT_EQ(0, wrongEnlargedPixels(strategy.getBuffer(), screen, 312, 284, 2));
    EXPECT_EQ(0, otherPixelsOutside(screen, 312, 284, 400, 200, makecol(0, 0, 0)));
    strategy.destroy();
}

TEST(ScaledPresent, DirectDrawingOnALargerDisplayGetsAFrameSizedAreaInTheMiddle)
{
    PretendDisplay display(1024, 768);
    ScreenUpdate strategy;
    ASSERT_FALSE(strategy.create().failed());
    BITMAP* frame = strategy.getBuffer();
    ASSERT_NE(screen, frame);
    EXPECT_EQ(320, frame->w);
    EXPECT_EQ(240, frame->h);
    clear_to_color(frame, makecol(0, 255, 0));
    EXPECT_EQ(0, otherPixelsOutside(screen, 352, 264, 320, 240, makecol(0, 0, 0)));
    EXPECT_EQ(makecol(0, 255, 0), getpixel(screen, 352, 264));
    EXPECT_EQ(makecol(0, 255, 0), getpixel(screen, 671, 503));
    strategy.destroy();
    EXPECT_EQ(screen, strategy.getBuffer());
}

TEST(ScaledPresent, DirectDrawingOnAFrameSizedDisplayDrawsOnTheScreenUntouched)
{
    PretendDisplay display(320, 240);
    ScreenUpdate strategy;
    ASSERT_FALSE(strategy.create().failed());
    EXPECT_EQ(screen, strategy.getBuffer());
    EXPECT_EQ(PretendDisplay::litter(), getpixel(screen, 0, 0)) << "nothing to clear";
}

TEST(ScaledPresent, PageFlippingGivesWayToDoubleBufferingOnALargerDisplay)
{
    {
        PretendDisplay display(320, 240);
        PageFlipping pages;
        EXPECT_EQ(OutOfVideoMemory, pages.create().code);
        EXPECT_LT(0, videoPagesAskedFor) << "a frame-sized display is asked for its pages";
    }
    PretendDisplay display(640, 480);
    PageFlipping pages;
    EXPECT_EQ(OutOfVideoMemory, pages.create().code);
    EXPECT_EQ(0, videoPagesAskedFor) << "pages of a larger display are no use to the frame";
    EXPECT_EQ(nullptr, pages.getBuffer());

    for (int driver : {1, 2}) {
        Game game;
        EXPECT_FALSE(game.installUpdateDriver(updateDriverChain(driver)).failed());
        EXPECT_STREQ("Double Buferring", game.updateDriver->getName()) << "driver " << driver;
        EXPECT_EQ(320, game.updateDriver->getBuffer()->w);
        game.updateDriver->destroy();
    }
}
