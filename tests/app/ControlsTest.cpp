#include <allegro.h>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "FakePad.h"
#include "input/Controls.h"
#include "input/Gamepad.h"
#include "input/KeyNames.h"
#include "input/KeyTaps.h"
#include "settings/Settings.h"
#include "TempDir.h"

// The keyboard and the pad reach the screens only as actions, through the
// keys the settings name.

namespace {

class ActionControls : public testing::Test {
protected:
    void TearDown() override { set_config_data("", 0); }

    static std::set<Action> held()
    {
        std::set<Action> actions;
        for (int a = 0; a < ACTION_COUNT; a++)
            if (controls.held(static_cast<Action>(a)))
                actions.insert(static_cast<Action>(a));
        return actions;
    }

    TempDir dir;
};

TEST_F(ActionControls, KeyboardAndPadMapIntoTheActionsOfARemappedSet)
{
    setKeyName(settings, Action::Left, "a");
    setKeyName(settings, Action::Up, "W");
    setKeyName(settings, Action::Choose, "Space");
    settings.padEnter = 3;
    settings.padLeft = 5;
    controls.bind(settings);

    key[KEY_A] = 1;
    key[KEY_SPACE] = 1;
    key[KEY_LEFT] = 1;   // no longer bound to anything
    key[KEY_ENTER] = 1;
    EXPECT_EQ((std::set<Action>{Action::Left, Action::Choose}), held());
    EXPECT_EQ((1u << bitOf(Action::Left)) | (1u << bitOf(Action::Choose)), controls.heldActions());
    std::memset(const_cast<char*>(key), 0, KEY_MAX);
    key[KEY_W] = 1;
    key[KEY_DOWN] = 1;  // still Down's
    EXPECT_EQ((std::set<Action>{Action::Up, Action::Down}), held());
    std::memset(const_cast<char*>(key), 0, KEY_MAX);

    plugInPad();
    joy[0].button[3].b = 1;  // Choose now
    joy[0].button[0].b = 1;  // no longer Choose's
    joy[0].button[5].b = 1;  // Left, beside the stick
    gamepad.poll(false);
    EXPECT_EQ((std::set<Action>{Action::Left, Action::Choose}), held());
    EXPECT_TRUE(gamepad.pressed(Action::Choose));
    EXPECT_EQ(0, gamepad.pressedButton());
    plugInPad();
    joy[0].stick[Gamepad::DPAD_STICK].axis[1].pos = 128;
    gamepad.poll(false);
    EXPECT_EQ((std::set<Action>{Action::Down}), held());

    // A pad pulled out leaves nothing held, whatever it reported last.
    num_joysticks = 0;
    gamepad.poll(false);
    EXPECT_TRUE(held().empty());
    EXPECT_FALSE(controls.anyDeviceKeyHeld());
}

TEST_F(ActionControls, BadKeyNamesFallBackAndTheFileKeepsThem)
{
    const std::string path = dir.path() + "/Wispen.ini";
    const std::string keys = "[KEYS]\n"
                             "up = s\n"
                             "down = NOSUCHKEY\n"
                             "left = \n"         // read, like every empty key, as missing
                             "right = S\n"       // a duplicate of up
                             "choose = F11\n"    // the full-screen switch
                             "back = enter\n";   // Choose's default, which choose falls back to
    std::ofstream(path) << keys;
    readSettings(path.c_str());
    controls.bind(settings);
    EXPECT_STREQ("s", settings.keyUp);
    EXPECT_EQ(KEY_S, controls.keyOf(Action::Up));
    EXPECT_EQ(KEY_DOWN, controls.keyOf(Action::Down));
    EXPECT_EQ(KEY_LEFT, controls.keyOf(Action::Left));
    EXPECT_EQ(KEY_RIGHT, controls.keyOf(Action::Right));
    EXPECT_EQ(KEY_ENTER, controls.keyOf(Action::Choose));
    EXPECT_EQ(KEY_ESC, controls.keyOf(Action::Back));

    writeSettings(path.c_str());
    set_config_file(path.c_str());
    EXPECT_STREQ("s", get_config_string("KEYS", "up", ""));
    EXPECT_STREQ("NOSUCHKEY", get_config_string("KEYS", "down", ""));
    EXPECT_STREQ("S", get_config_string("KEYS", "right", ""));
    EXPECT_STREQ("F11", get_config_string("KEYS", "choose", ""));
    EXPECT_STREQ("enter", get_config_string("KEYS", "back", ""));
    EXPECT_STREQ("LEFT", get_config_string("KEYS", "left", ""));
}

TEST_F(ActionControls, AFallenBackDefaultSendsTheActionThatChoseItHomeToo)
{
    // left falls back to LEFT, which up chose: up goes back to UP.
    setKeyName(settings, Action::Up, "LEFT");
    setKeyName(settings, Action::Left, "NOSUCHKEY");
    // A letter types a name, where Back enters it.
    setKeyName(settings, Action::Back, "x");
    const Controls::Keys keys = Controls::keysOf(settings);
    EXPECT_EQ(KEY_UP, keys[bitOf(Action::Up)]);
    EXPECT_EQ(KEY_LEFT, keys[bitOf(Action::Left)]);
    EXPECT_EQ(KEY_ESC, keys[bitOf(Action::Back)]);
}

TEST_F(ActionControls, EveryKeyNameReadsBackAsItsKey)
{
    int named = 0;
    for (int scancode = 1; scancode < KEY_MAX; scancode++) {
        const char* name = keyName(scancode);
        if (!name)
            continue;
        named++;
        EXPECT_EQ(scancode, scancodeNamed(name)) << name;
    }
    EXPECT_GE(named, 110);
    EXPECT_EQ(KEY_ENTER, scancodeNamed("eNtEr"));
    EXPECT_EQ(KEY_0, scancodeNamed("0"));
    EXPECT_EQ(-1, scancodeNamed("Return"));
    EXPECT_EQ(-1, scancodeNamed(""));
}

} // namespace

// A tap that begins and ends between two ticks, as a quick finger or a busy
// machine makes it, is read by the next tick as held and by the one after as
// let go; before that tick begins it is not read at all.
TEST_F(ActionControls, ATapBetweenTwoTicksIsHeldForTheNextTick)
{
    KeyTaps::install();
    keyboard_lowlevel_callback(KEY_UP);
    keyboard_lowlevel_callback(KEY_UP | 0x80);
    EXPECT_EQ(std::set<Action>{}, held());
    KeyTaps::take();
    EXPECT_EQ(std::set<Action>{Action::Up}, held());
    EXPECT_TRUE(controls.anyDeviceKeyHeld());
    KeyTaps::take();
    EXPECT_EQ(std::set<Action>{}, held());
    EXPECT_FALSE(controls.anyDeviceKeyHeld());
}
