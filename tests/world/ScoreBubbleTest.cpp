#include <allegro.h>
#include <gtest/gtest.h>
#include <set>

#include "world/ScoreBubble.h"
#include "WorldTestSupport.h"

namespace {

class Bubble : public WorldTest {
protected:
    int background = makecol(40, 40, 40);
    View view;

    void SetUp() override
    {
        WorldTest::SetUp();
        clear_to_color(view.target, background);
    }

    int colourFor(float value)
    {
        int r, g, b;
        hsv_to_rgb(55.0f, 1.0f, value, &r, &g, &b);
        return makecol(r, g, b);
    }
};

} // namespace

TEST_F(Bubble, RisesTwoPerTickAboveTheWorldAndIsLastDrawnAfter179Updates)
{
    ScoreBubble bubble(100.0f, 50.0f, "$2500");
    EXPECT_EQ(180, bubble.life);
    for (int tick = 0; tick < 179; tick++)
        bubble.update();
    EXPECT_EQ(-308.0f, bubble.pos.y);
    EXPECT_EQ(100.0f, bubble.pos.x);
    EXPECT_EQ(1, bubble.life);
    bubble.update();
    EXPECT_EQ(0, bubble.life);
    EXPECT_EQ(-310.0f, bubble.pos.y);
}

TEST_F(Bubble, NewTextIsBrightYellowWithABlackShadowBelowRight)
{
    ScoreBubble bubble(100.0f, 50.0f, "$2500");
    bubble.draw(view.target, view.camera);
    int text = colourFor(1.0f);
    EXPECT_EQ(255, getr(text));
    EXPECT_EQ(0, getb(text));
    EXPECT_GT(getg(text), 200);

    int textPixels = 0;
    PixelBox box;
    for (int y = 0; y < view.target->h; y++)
        for (int x = 0; x < view.target->w; x++) {
            int c = getpixel(view.target, x, y);
            if (c == text) {
                textPixels++;
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                int below = getpixel(view.target, x + 1, y + 1);
                EXPECT_TRUE(below == text || below == makecol(0, 0, 0)) << x << "," << y;
            } else {
                EXPECT_TRUE(c == background || c == makecol(0, 0, 0)) << x << "," << y;
            }
        }
    EXPECT_GT(textPixels, 20);
    EXPECT_GE(box.left, 100);
    EXPECT_LT(box.left, 104);
    EXPECT_GE(box.top, 50);
    EXPECT_LT(box.top, 54);
}

TEST_F(Bubble, FadesToHalfBrightnessAfterNinetyUpdates)
{
    ScoreBubble bubble(100.0f, 250.0f, "$5000");
    for (int tick = 0; tick < 90; tick++)
        bubble.update();
    bubble.draw(view.target, view.camera);
    int half = colourFor(0.5f);
    EXPECT_NEAR(127, getr(half), 1);
    std::set<int> colours;
    for (int y = 0; y < view.target->h; y++)
        for (int x = 0; x < view.target->w; x++)
            colours.insert(getpixel(view.target, x, y));
    EXPECT_EQ((std::set<int>{background, makecol(0, 0, 0), half}), colours);
}

TEST_F(Bubble, KeepsItsOwnCopyOfTheText)
{
    char text[] = "$100";
    ScoreBubble bubble(0.0f, 0.0f, text);
    text[1] = '9';
    EXPECT_STREQ("$100", bubble.text.get());
}

TEST_F(Bubble, EmptyTextDrawsNothingButStillAges)
{
    ScoreBubble bubble(100.0f, 50.0f, "");
    bubble.update();
    bubble.draw(view.target, view.camera);
    EXPECT_EQ(0, changedPixels(view.target, background).count);
    EXPECT_EQ(179, bubble.life);

    ScoreBubble none(100.0f, 50.0f, nullptr);
    none.draw(view.target, view.camera);
    EXPECT_EQ(0, changedPixels(view.target, background).count);
}
