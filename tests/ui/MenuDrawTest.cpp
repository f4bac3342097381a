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

    int background(int x, int y) { return getpixel(backBitmap, x, y); }
    bool untouched(BITMAP* target, int x, int y) { return sameColour(background(x, y), getpixel(target, x, y)); }
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

TEST_F(MenuDraw, PanelSpansFromAboveTheFirstToBelowTheLastEntryAndIsCentred)
{
    int sound = 0;
    Menu menu;
    menu.addItem(std::make_unique<MenuItem>("Play", 0, 100));
    // Only the label counts for the width, not the " - off" shown after it.
    menu.addItem(std::make_unique<MenuItemToggle>("High Scores", 9, 140, &sound));
    menu.start();
    Canvas target(320, 240, makecol(0, 0, 0));
    menu.draw(target);

    const int h = text_height(font);
    const int width = text_length(font, "High Scores") + 80;
    const int height = 140 - 100 + 3 * h;
    const int left = (320 - width) / 2;
    const int top = 100 - h;
    ASSERT_NE(nullptr, Menu::panelBitmap);
    EXPECT_EQ(width, Menu::panelBitmap->w);
    EXPECT_EQ(height, Menu::panelBitmap->h);

    const int right = left + width - 1;
    const int bottom = top + height - 1;
    for (int x : {left, right})
        for (int y : {top, bottom}) {
            EXPECT_FALSE(untouched(target, x, y)) << x << "," << y;
            EXPECT_TRUE(untouched(target, x + (x == left ? -1 : 1), y)) << x << "," << y;
            EXPECT_TRUE(untouched(target, x, y + (y == top ? -1 : 1))) << x << "," << y;
        }
}

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

TEST_F(MenuDraw, EntriesShowTheirStateInColourOverABlackShadow)
{
    Menu menu;
    menu.addItem(std::make_unique<MenuItem>("Options", 9, 100));
    menu.addItem(std::make_unique<MenuItem>("Credits", 10, 120));
    auto heading = std::make_unique<MenuItem>("the WISPEN", 10, 140);
    heading->disable();
    menu.addItem(std::move(heading));
    menu.start();
    Canvas target(320, 240, makecol(0, 0, 0));
    menu.draw(target);

    const int h = text_height(font);
    auto row = [&](int y, int colour) { return areaHasColour(target, 0, y, 319, y + h - 1, colour); };
    EXPECT_TRUE(row(100, hsvColour(45.0f, 0.4f, 1.0f)));
    EXPECT_TRUE(row(120, makecol(190, 150, 84)));
    EXPECT_FALSE(row(120, hsvColour(45.0f, 0.4f, 1.0f)));
    EXPECT_TRUE(row(140, makecol(140, 140, 140)));
    EXPECT_TRUE(row(101, makecol(0, 0, 0)));
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
