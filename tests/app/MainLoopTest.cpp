#include <allegro.h>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeScreenUpdate.h"
#include "desktop/CloseSignals.h"
#include "frame/Game.h"
#include "settings/Settings.h"

namespace {

// Stands in for the timer: every frame it draws makes the next entry of
// ticksAfterFrame due. Records frames as F and logic steps as L.
class ScriptedGame : public Game {
public:
    ScriptedGame() { setUpdateDriver(std::make_unique<FakeScreenUpdate>("memory")); }

    void draw(BITMAP*) override
    {
        events += 'F';
        int frame = frames++;
        if (frame < static_cast<int>(ticksAfterFrame.size()))
            timerTicks += ticksAfterFrame[frame];
        if (frame == closeAfterFrame)
            closeRequested = true;
    }

    bool logic() override
    {
        events += 'L';
        steps++;
        return steps >= quitFromStep || steps == quitOnlyAtStep;
    }

    std::vector<int> ticksAfterFrame;
    int quitFromStep = 1000;
    int quitOnlyAtStep = -1;
    int closeAfterFrame = -1;
    int frames = 0;
    int steps = 0;
    std::string events;
};

class MainLoop : public testing::Test {
protected:
    void SetUp() override
    {
        settings.yield = 0;
        closeRequested = false;
    }
    void TearDown() override
    {
        closeRequested = false;
        timerTicks = 0;
    }
};

class Overlay : public testing::Test {
protected:
    void SetUp() override
    {
        target = create_bitmap(80, 16);
        clear_to_color(target, makecol(0, 0, 255));
    }
    void TearDown() override { destroy_bitmap(target); }

    int bluePixels(int x, int y, int w, int h)
    {
        int count = 0;
        for (int py = y; py < y + h; py++)
            for (int px = x; px < x + w; px++)
                count += getpixel(target, px, py) == makecol(0, 0, 255);
        return count;
    }

    BITMAP* target = nullptr;
};

} // namespace

TEST_F(MainLoop, DrawsFirstThenRunsEveryDueTickBeforeTheNextFrame)
{
    settings.unlimitedFPS = 0;
    ScriptedGame game;
    game.ticksAfterFrame = {3, 3, 3, 3, 3};
    game.quitFromStep = 7;
    game.run();
    // The step that asks to quit is in the third batch: the batch is finished
    // and one more frame drawn before the loop ends.
    EXPECT_EQ("FLLLFLLLFLLLF", game.events);
}

TEST_F(MainLoop, UnlimitedFramesAreDrawnWhetherTicksAreDueOrNot)
{
    settings.unlimitedFPS = 1;
    ScriptedGame game;
    game.ticksAfterFrame = {0, 2, 0, 1, 5};
    game.quitFromStep = 3;
    game.run();
    EXPECT_EQ("FFLLFFLF", game.events);
}

TEST_F(MainLoop, TheLastStepOfABatchDecides)
{
    settings.unlimitedFPS = 0;
    ScriptedGame game;
    game.ticksAfterFrame = {3, 3, 3};
    game.quitOnlyAtStep = 2;  // overruled by step 3 in the same batch
    game.quitFromStep = 6;
    game.run();
    EXPECT_EQ("FLLLFLLLF", game.events);
}

TEST_F(MainLoop, ClosingTheWindowEndsTheLoopAfterThePass)
{
    settings.unlimitedFPS = 0;
    ScriptedGame game;
    game.ticksAfterFrame = {1, 1, 1, 1};
    game.closeAfterFrame = 1;
    game.run();
    EXPECT_EQ("FLF", game.events);
}

// No timer runs here: a wait that only a tick could end would never return.
TEST_F(MainLoop, WithYieldTheCloseButtonEndsTheWaitWithoutAnotherTick)
{
    settings.unlimitedFPS = 0;
    settings.yield = 1;
    ScriptedGame game;
    std::thread closeButton([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        onWindowClose();
    });
    game.run();
    closeButton.join();
    EXPECT_EQ("F", game.events);
}

TEST_F(MainLoop, TheFrameRateMeterCountsFramesPerTick)
{
    settings.unlimitedFPS = 1;
    ScriptedGame game;
    game.fpsCounter.reset(4);
    game.ticksAfterFrame = {0, 0, 1, 0, 0, 1, 0, 1, 0, 1};
    game.quitFromStep = 4;
    game.run();
    // Three frames before each of the first two ticks, two before the next
    // two: the whole ring now holds real counts.
    EXPECT_EQ("FFFLFFFLFFLFFLF", game.events);
    EXPECT_EQ(10, game.fpsCounter.fps());
}

TEST_F(Overlay, PrintsTheRateWhiteOnBlackAtTheTopLeft)
{
    settings.showFPS = 1;
    Game game;
    game.fpsCounter.reset(60);
    game.draw(target);

    BITMAP* expected = create_bitmap(80, 16);
    clear_to_color(expected, makecol(0, 0, 255));
    textout_ex(expected, font, "60 FPS", 0, 0, makecol(255, 255, 255), makecol(0, 0, 0));
    int different = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 80; x++)
            different += getpixel(expected, x, y) != getpixel(target, x, y);
    destroy_bitmap(expected);
    EXPECT_EQ(0, different);

    int width = text_length(font, "60 FPS");
    int height = text_height(font);
    EXPECT_EQ(0, bluePixels(0, 0, width, height));  // an opaque box
    EXPECT_EQ(80 * 16 - width * height, bluePixels(0, 0, 80, 16));
}

TEST_F(Overlay, NothingIsDrawnWhileShowFpsIsOff)
{
    settings.showFPS = 0;
    Game game;
    game.fpsCounter.reset(60);
    game.draw(target);
    EXPECT_EQ(80 * 16, bluePixels(0, 0, 80, 16));
}

TEST(GameLogic, EndsWhileEscapeIsHeld)
{
    Game game;
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    EXPECT_FALSE(game.logic());
    key[KEY_ESC] = 1;
    EXPECT_TRUE(game.logic());
    EXPECT_TRUE(game.logic());  // a held key, not a fresh press
    key[KEY_ESC] = 0;
    EXPECT_FALSE(game.logic());
}
