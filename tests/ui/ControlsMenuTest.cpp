#include <allegro.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>

#include "FakePad.h"
#include "SoundLog.h"
#include "StandInResources.h"
#include "UiTestSupport.h"
#include "input/Controls.h"
#include "input/Gamepad.h"
#include "frame/GameScreen.h"
#include "settings/Settings.h"
#include "ui/ControlsMenu.h"
#include "ui/MenuItemBinding.h"

// The controls screen driven as the application drives it: the pad polled,
// then the screen's tick, with the keyboard alone or the pad alone.

namespace {

constexpr int LEAVE = OptionsMenu;
constexpr int START_BUTTON = 7;

class ControlsScreen : public testing::Test {
protected:
    void SetUp() override
    {
        menu.result = LEAVE;
        menu.start();
    }

    bool tick()
    {
        gamepad.poll(false);
        return menu.logic();
    }

    // A key down for a tick and up for the next.
    bool tapKey(int scancode)
    {
        key[scancode] = 1;
        const bool finished = tick();
        key[scancode] = 0;
        if (!finished)
            tick();
        return finished;
    }

    bool tapButton(int number)
    {
        joy[0].button[number].b = 1;
        const bool finished = tick();
        joy[0].button[number].b = 0;
        if (!finished)
            tick();
        return finished;
    }

    void tapDpad(int dy)
    {
        joy[0].stick[Gamepad::DPAD_STICK].axis[1].pos = dy * 128;
        tick();
        joy[0].stick[Gamepad::DPAD_STICK].axis[1].pos = 0;
        tick();
    }

    // The highlight on line (0 Up .. 5 Back, 6 Reset, 7 Done) with the bound
    // Up and Down keys.
    void moveTo(unsigned line)
    {
        while (menu.selected > line)
            tapKey(controls.keyOf(Action::Up));
        while (menu.selected < line)
            tapKey(controls.keyOf(Action::Down));
        ASSERT_EQ(line, menu.selected);
    }

    // Every action has a key of its own, and the file would say so.
    static void expectEveryActionBound()
    {
        std::set<int> bound;
        for (int a = 0; a < ACTION_COUNT; a++) {
            const Action action = static_cast<Action>(a);
            EXPECT_EQ(controls.keyOf(action), Controls::keysOf(settings)[a]);
            EXPECT_TRUE(Controls::bindable(action, controls.keyOf(action)));
            bound.insert(controls.keyOf(action));
        }
        EXPECT_EQ(static_cast<size_t>(ACTION_COUNT), bound.size());
        EXPECT_GE(Gamepad::buttonOf(Action::Choose), 0);
        EXPECT_GE(Gamepad::buttonOf(Action::Back), 0);
        EXPECT_NE(Gamepad::buttonOf(Action::Choose), Gamepad::buttonOf(Action::Back));
    }

    StandInResources resources;
    SoundLog sounds;
    ControlsMenu menu{LEAVE};
};

TEST_F(ControlsScreen, AKeyTakenFromAnotherActionSwapsWithItAndTheScreenShowsBoth)
{
    moveTo(2);  // Left
    EXPECT_FALSE(tapKey(KEY_ENTER));
    EXPECT_EQ(bitOf(Action::Left), menu.waitingFor());
    EXPECT_EQ("...", static_cast<MenuItemBinding*>(menu.items[2].get())->keyText);
    EXPECT_EQ("Press a key or button for Left", menu.items.back()->text);
    tapKey(KEY_F11);  // the full-screen switch: refused, still waiting
    tapKey(KEY_ALT);
    EXPECT_EQ(bitOf(Action::Left), menu.waitingFor());
    tapKey(KEY_UP);
    EXPECT_EQ(-1, menu.waitingFor());
    EXPECT_EQ(KEY_UP, controls.keyOf(Action::Left));
    EXPECT_EQ(KEY_LEFT, controls.keyOf(Action::Up));
    EXPECT_STREQ("UP", settings.keyLeft);
    EXPECT_STREQ("LEFT", settings.keyUp);
    EXPECT_EQ("Up", static_cast<MenuItemBinding*>(menu.items[2].get())->keyText);
    EXPECT_EQ("Left", static_cast<MenuItemBinding*>(menu.items[0].get())->keyText);
    expectEveryActionBound();

    // A letter types a name, where Choose enters it: refused for Choose, and
    // for Left when Choose would have to take Left's letter in exchange.
    moveTo(2);
    tapKey(KEY_ENTER);
    tapKey(KEY_A);
    EXPECT_EQ(KEY_A, controls.keyOf(Action::Left));
    moveTo(4);
    tapKey(KEY_ENTER);
    tapKey(KEY_B);
    EXPECT_EQ(bitOf(Action::Choose), menu.waitingFor());
    tapKey(KEY_A);
    EXPECT_EQ(bitOf(Action::Choose), menu.waitingFor());
    // Choose bound to Escape: Back takes Enter, and Escape now chooses.
    tapKey(KEY_ESC);
    EXPECT_EQ(KEY_ESC, controls.keyOf(Action::Choose));
    EXPECT_EQ(KEY_ENTER, controls.keyOf(Action::Back));
    moveTo(6);  // Reset
    EXPECT_FALSE(tapKey(KEY_ESC));
    EXPECT_EQ(-1, menu.waitingFor());
    for (int a = 0; a < ACTION_COUNT; a++)
        EXPECT_EQ(Controls::defaultKey(static_cast<Action>(a)), controls.keyOf(static_cast<Action>(a)));
    key[KEY_ESC] = 1;  // Back leaves, asked while it is held
    EXPECT_TRUE(tick());
    EXPECT_EQ(LEAVE, menu.getResult());
}

TEST_F(ControlsScreen, RandomBindingsNeverLeaveAnActionUnbound)
{
    const int pressable[] = {KEY_UP,  KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER,
                             KEY_ESC, KEY_A,    KEY_7,    KEY_F11,   KEY_SPACE};
    plugInPad();
    std::srand(23);
    for (int round = 0; round < 300; round++) {
        moveTo(static_cast<unsigned>(std::rand() % ACTION_COUNT));
        tapKey(controls.keyOf(Action::Choose));
        ASSERT_GE(menu.waitingFor(), 0);
        for (int tries = 0; menu.waitingFor() >= 0 && tries < 20; tries++) {
            if (std::rand() % 2)
                tapKey(pressable[std::rand() % (sizeof pressable / sizeof *pressable)]);
            else
                tapButton(std::rand() % 11);
        }
        expectEveryActionBound();
        if (HasFailure())
            return;
    }
}

TEST_F(ControlsScreen, ThePadAloneBindsButtonsAndKeepsChooseAndBackOnOne)
{
    plugInPad();
    tapDpad(+1);
    tapDpad(-1);
    EXPECT_EQ(0u, menu.selected);  // Up
    tapButton(0);                  // Choose
    ASSERT_EQ(bitOf(Action::Up), menu.waitingFor());
    tapButton(START_BUTTON);       // Start keeps its own job
    tapButton(0);                  // Choose's, which would leave Choose with none
    EXPECT_EQ(bitOf(Action::Up), menu.waitingFor());
    tapButton(4);
    EXPECT_EQ(-1, menu.waitingFor());
    EXPECT_EQ(4, settings.padUp);
    EXPECT_EQ("Left stick / D-pad / Button 5", static_cast<MenuItemBinding*>(menu.items[0].get())->padText);

    // Choose takes Up's button, and Up takes Choose's in exchange.
    for (int i = 0; i < 4; i++)
        tapDpad(+1);
    EXPECT_EQ(4u, menu.selected);
    tapButton(0);
    tapButton(4);
    EXPECT_EQ(4, settings.padEnter);
    EXPECT_EQ(0, settings.padUp);
    expectEveryActionBound();

    // A push of the stick leaves a line as it was.
    tapButton(4);
    EXPECT_EQ(bitOf(Action::Choose), menu.waitingFor());
    tapDpad(+1);
    EXPECT_EQ(-1, menu.waitingFor());
    EXPECT_EQ(4, settings.padEnter);

    tapDpad(+1);
    tapDpad(+1);  // Reset
    tapButton(4);
    EXPECT_EQ(0, settings.padEnter);
    EXPECT_EQ(-1, settings.padUp);
    tapDpad(+1);  // Done
    EXPECT_TRUE(tapButton(0));
    EXPECT_EQ(LEAVE, menu.getResult());
}

} // namespace
