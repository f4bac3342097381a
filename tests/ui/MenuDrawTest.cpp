#include <gtest/gtest.h>
#include <memory>

#include "StandInResources.h"
#include "UiTestSupport.h"
#include "frame/Resources.h"
#include "ui/Menu.h"
#include "ui/MenuItemSlider.h"
#include "ui/MenuItemToggle.h"

namespace {

class MenuDraw : public testing::Test {
protected:
    StandInResources resources;
};

// The text as an entry would show it, drawn on its own for comparison.
void drawReference(BITMAP* target, const char* shown, int y, int colour)
{
    textout_centre_ex(target, font, shown, target->w / 2 + 1, y + 1, makecol(0, 0, 0), -1);
    textout_centre_ex(target, font, shown, target->w / 2, y, colour, -1);
}

bool sameRows(BITMAP* a, BITMAP* b, int top, int bottom)
{
    for (int y = top; y <= bottom; y++)
        for (int x = 0; x < a->w; x++)
            if (!sameColour(getpixel(a, x, y), getpixel(b, x, y)))
                return false;
    return true;
}

} // namespace

TEST_F(MenuDraw, TheSharedPanelIsRebuiltOnlyForAnotherSize)
{
    Menu small;
    small.addItem(std::make_unique<MenuItem>("Back", 3, 64));
    Menu large;
    large.addItem(std::make_unique<MenuItem>("Play Game", 0, 86));
    large.addItem(std::make_unique<MenuItem>("Exit", 8, 196));
    Canvas target(320, 240, makecol(0, 0, 0));

    small.draw(target);
    ASSERT_NE(nullptr, Menu::panelBitmap);
    const int smallWidth = Menu::panelBitmap->w;
    const int smallHeight = Menu::panelBitmap->h;
    const int marker = makecol(255, 0, 0);
    putpixel(Menu::panelBitmap, 3, 3, marker);

    small.draw(target);
    EXPECT_TRUE(sameColour(marker, getpixel(Menu::panelBitmap, 3, 3))) << "same size must reuse the panel";

    large.draw(target);
    EXPECT_NE(smallWidth, Menu::panelBitmap->w);
    EXPECT_NE(smallHeight, Menu::panelBitmap->h);
    small.draw(target);
    EXPECT_EQ(smallWidth, Menu::panelBitmap->w);
    EXPECT_EQ(smallHeight, Menu::panelBitmap->h);
    EXPECT_FALSE(sameColour(marker, getpixel(Menu::panelBitmap, 3, 3)));
}

TEST_F(MenuDraw, TheGlowDimsToThreeQuartersAtMidCycleAndRepeatsEverySixtyTicks)
{
    MenuItem item("Play Game", 0, 86);
    item.select();
    const int brightest = item.textColour();
    EXPECT_TRUE(sameColour(hsvColour(45.0f, 0.4f, 1.0f), brightest));

    int dimmest = brightest;
    int dimmestAt = 0;
    for (int tick = 1; tick < 60; tick++) {
        item.logic();
        const int colour = item.textColour();
        if (getr(colour) < getr(dimmest)) {
            dimmest = colour;
            dimmestAt = tick;
        }
    }
    EXPECT_EQ(30, dimmestAt);
    EXPECT_TRUE(sameColour(hsvColour(45.0f, 0.4f, 0.75f), dimmest));
    item.logic();
    EXPECT_EQ(0, item.pulse);
    EXPECT_TRUE(sameColour(brightest, item.textColour()));

    // Disabled grey wins over the highlight.
    item.disable();
    EXPECT_TRUE(sameColour(makecol(140, 140, 140), item.textColour()));
}

TEST_F(MenuDraw, TogglesAndSlidersShowTheirValueAfterTheLabel)
{
    int vsync = 1;
    int showFps = 7;
    int stars = 300;
    const int values[] = {0, 100, 300, 600};
    const char* names[] = {"none", "few", "some", "a lot"};
    MenuItemToggle on("Use vsync", 9, 80, &vsync);
    MenuItemToggle off("Show FPS", 9, 112, &showFps);
    MenuItemSlider slider("Stars", 9, 160, &stars, 4, values, names);
    const int normal = makecol(190, 150, 84);

    Canvas drawn(320, 240, makecol(0, 0, 0));
    Canvas expected(320, 240, makecol(0, 0, 0));
    on.draw(drawn);
    off.draw(drawn);
    slider.draw(drawn);
    drawReference(expected, "Use vsync - on", 80, normal);
    drawReference(expected, "Show FPS - off", 112, normal);
    drawReference(expected, "Stars - some", 160, normal);
    EXPECT_TRUE(sameRows(drawn, expected, 0, 239));
}
