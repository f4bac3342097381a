#include <gtest/gtest.h>
#include <memory>

#include "SoundLog.h"
#include "StandInResources.h"
#include "UiTestSupport.h"
#include "frame/Resources.h"
#include "settings/Settings.h"
#include "ui/Menu.h"

namespace {

std::unique_ptr<MenuItem> entry(const char* label, int id, int y, bool disabled = false)
{
    auto item = std::make_unique<MenuItem>(label, id, y);
    if (disabled)
        item->disable();
    return item;
}

class MenuNavigation : public testing::Test {
protected:
    StandInResources resources;
    SoundLog sounds;
    Keys keys;
};

bool isHighlighted(Menu& menu, int index) { return menu.items[index]->hasFlags(MenuItem::ItemSelected); }

} // namespace

TEST_F(MenuNavigation, StartHighlightsTheFirstEnabledEntryOnly)
{
    Menu menu;
    menu.addItem(entry("Congratulations!", 5, 94, true));
    menu.addItem(entry("Play", 0, 110));
    menu.addItem(entry("Exit", 8, 130));
    menu.start();
    EXPECT_EQ(1u, menu.selected);
    EXPECT_EQ(menu.items[1].get(), menu.getSelectedItem());
    EXPECT_FALSE(isHighlighted(menu, 0));
    EXPECT_TRUE(isHighlighted(menu, 1));
    EXPECT_FALSE(isHighlighted(menu, 2));
    EXPECT_EQ(&menu, menu.items[2]->menu);

    tap(menu, KEY_DOWN);
    ASSERT_EQ(2u, menu.selected);
    // Entering the menu afresh puts the highlight back at the top.
    menu.start();
    EXPECT_EQ(1u, menu.selected);
    EXPECT_TRUE(isHighlighted(menu, 1));
    EXPECT_FALSE(isHighlighted(menu, 2));
}

TEST_F(MenuNavigation, MovesSkipDisabledLinesAndStopAtBothEndsWithoutSound)
{
    Menu menu;
    menu.addItem(entry("First", 1, 80));
    menu.addItem(entry("Heading", 2, 100, true));
    menu.addItem(entry("Last", 3, 120));
    menu.start();

    EXPECT_FALSE(tap(menu, KEY_DOWN));
    EXPECT_EQ(2u, menu.selected);
    EXPECT_TRUE(isHighlighted(menu, 2));
    EXPECT_FALSE(isHighlighted(menu, 0));
    EXPECT_EQ(1, sounds.playsOf(collectSample));

    tap(menu, KEY_DOWN);
    EXPECT_EQ(2u, menu.selected);
    EXPECT_EQ(1, sounds.playsOf(collectSample));

    tap(menu, KEY_UP);
    EXPECT_EQ(0u, menu.selected);
    EXPECT_EQ(2, sounds.playsOf(collectSample));

    tap(menu, KEY_UP);
    EXPECT_EQ(0u, menu.selected);
    EXPECT_TRUE(isHighlighted(menu, 0));
    EXPECT_EQ(2, sounds.playsOf(collectSample));
    EXPECT_EQ(0, sounds.playsOf(selectSample));
}

TEST_F(MenuNavigation, AHeldKeyMovesOncePerPress)
{
    Menu menu;
    for (int i = 0; i < 4; i++)
        menu.addItem(entry("Line", i, 80 + 20 * i));
    menu.start();

    // Held from the previous screen: the switch refreshes the snapshot.
    keys.press(KEY_DOWN);
    menu.readKeys();
    menu.logic();
    EXPECT_EQ(0u, menu.selected);
    keys.release(KEY_DOWN);
    menu.logic();

    keys.press(KEY_DOWN);
    for (int tick = 0; tick < 30; tick++)
        menu.logic();
    EXPECT_EQ(1u, menu.selected);
    keys.release(KEY_DOWN);
    menu.logic();
    tap(menu, KEY_DOWN);
    EXPECT_EQ(2u, menu.selected);
    EXPECT_EQ(2, sounds.playsOf(collectSample));
}

TEST_F(MenuNavigation, UpAndDownInOneTickAreBothMadeInThatOrder)
{
    Menu menu;
    menu.addItem(entry("A", 0, 80));
    menu.addItem(entry("B", 1, 100));
    menu.addItem(entry("C", 2, 120));
    menu.start();

    // From the top, Up finds nothing and Down then moves on.
    keys.press(KEY_UP);
    keys.press(KEY_DOWN);
    menu.logic();
    EXPECT_EQ(1u, menu.selected);
    EXPECT_EQ(1, sounds.playsOf(collectSample));
    keys.releaseAll();
    menu.logic();

    // From the middle the two moves cancel out: no sound, highlight kept.
    keys.press(KEY_UP);
    keys.press(KEY_DOWN);
    menu.logic();
    EXPECT_EQ(1u, menu.selected);
    EXPECT_TRUE(isHighlighted(menu, 1));
    EXPECT_FALSE(isHighlighted(menu, 0));
    EXPECT_EQ(1, sounds.playsOf(collectSample));
}

TEST_F(MenuNavigation, EnterReportsTheHighlightedEntryWithOneSelectSound)
{
    Menu menu;
    menu.result = MainMenu;
    menu.addItem(entry("Play Game", NewGame, 86));
    menu.addItem(entry("High Scores", HighScores, 130));
    menu.start();
    tap(menu, KEY_DOWN);

    keys.press(KEY_ENTER);
    EXPECT_TRUE(menu.logic());
    EXPECT_EQ(HighScores, menu.getResult());
    EXPECT_EQ(1, sounds.playsOf(selectSample));
    ASSERT_EQ(2u, sounds.events().size());
    const SoundEvent& select = sounds.events().back();
    EXPECT_EQ(settings.volSound, select.volume);
    EXPECT_EQ(128, select.pan);
    EXPECT_EQ(1000, select.frequency);
    EXPECT_EQ(0, select.loop);

    // The finishing tick keeps the snapshot: still held, it finishes again.
    EXPECT_TRUE(menu.logic());
}

TEST_F(MenuNavigation, EscapeHeldWinsOverEnter)
{
    Menu menu;
    menu.result = ConfirmQuit;
    menu.addItem(entry("Play Game", NewGame, 86));
    menu.start();

    keys.press(KEY_ESC);
    EXPECT_TRUE(menu.logic());
    EXPECT_EQ(ConfirmQuit, menu.getResult());
    EXPECT_EQ(0, sounds.playsOf(selectSample));
    keys.releaseAll();
    menu.readKeys();

    keys.press(KEY_ENTER);
    keys.press(KEY_ESC);
    EXPECT_TRUE(menu.logic());
    EXPECT_EQ(ConfirmQuit, menu.getResult());
    keys.release(KEY_ESC);
    EXPECT_EQ(NewGame, menu.getResult());
}

TEST_F(MenuNavigation, AllDisabledSelectsNothingAndStillAnswers)
{
    Menu menu;
    menu.addItem(entry("the WISPEN", 10, 72, true));
    menu.addItem(entry("game programming library", 10, 88, true));
    menu.start();
    EXPECT_EQ(0u, menu.selected);
    EXPECT_FALSE(isHighlighted(menu, 0));
    tap(menu, KEY_DOWN);
    tap(menu, KEY_UP);
    EXPECT_EQ(0u, menu.selected);
    EXPECT_EQ(0, sounds.playsOf(collectSample));
    EXPECT_TRUE(tap(menu, KEY_ENTER));
    EXPECT_EQ(10, menu.getResult());
}

TEST_F(MenuNavigation, AMenuWithoutEntriesIsSafeAndCanOnlyBeLeft)
{
    Menu menu;
    menu.result = MainMenu;
    menu.start();
    tap(menu, KEY_UP);
    tap(menu, KEY_DOWN);
    EXPECT_EQ(nullptr, menu.getSelectedItem());
    EXPECT_TRUE(tap(menu, KEY_ENTER));
    EXPECT_EQ(MainMenu, menu.getResult());
    Canvas target(320, 240, makecol(0, 0, 0));
    menu.draw(target);
    EXPECT_TRUE(sameColour(getpixel(backBitmap, 160, 120), getpixel(target, 160, 120)));
}

TEST_F(MenuNavigation, RefilledWithFewerEntriesTheOldHighlightIsNeverTouched)
{
    Menu menu;
    for (int i = 0; i < 5; i++)
        menu.addItem(entry("Line", i, 80 + 16 * i));
    menu.start();
    for (int i = 0; i < 4; i++)
        tap(menu, KEY_DOWN);
    ASSERT_EQ(4u, menu.selected);

    menu.clearItems();
    EXPECT_TRUE(menu.items.empty());
    EXPECT_EQ(4u, menu.selected);
    menu.addItem(entry("Back", MainMenu, 208));
    menu.addItem(entry("Again", HighScores, 224));
    EXPECT_EQ(nullptr, menu.getSelectedItem());
    EXPECT_EQ(menu.result, menu.getResult());

    // Up from beyond the end lands on the last entry.
    tap(menu, KEY_UP);
    EXPECT_EQ(1u, menu.selected);
    EXPECT_TRUE(isHighlighted(menu, 1));
    menu.start();
    EXPECT_EQ(0u, menu.selected);
}
