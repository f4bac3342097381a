#include <fstream>
#include <string>

#include "FakePad.h"
#include "ApplicationTest.h"
#include "input/Controls.h"
#include "input/Gamepad.h"
#include "ui/MenuItemEdit.h"

// The whole game played with the first gamepad. The tests write the library's
// joystick state as its driver leaves it after a poll, the way other tests
// write the key array, and run the application's ticks.

namespace {

constexpr int SOUTH = 0;  // A on Xbox-style pads, cross on PlayStation-style ones
constexpr int EAST = 1;   // B, circle
constexpr int START = 7;

// Without a display there is no keyboard driver; a readkey hook lets the real
// key buffer work for the keys typed in between, as in the field's own tests.
int emptyBuffer() { return 0; }

class PlayedWithAPad : public ApplicationTest {
protected:
    void beforeStart() override
    {
        install_keyboard_hooks(nullptr, emptyBuffer);
        clear_keybuf();
        plugInPad();
    }

    void SetUp() override
    {
        ApplicationTest::SetUp();
        game->mainMenu.start();
        game->optionsMenu.start();
    }

    void TearDown() override
    {
        delete game;
        game = nullptr;
        clear_keybuf();
        install_keyboard_hooks(nullptr, nullptr);
        ApplicationTest::TearDown();
    }

    static void stick(int s, int x, int y)
    {
        joy[0].stick[s].axis[0].pos = x;
        joy[0].stick[s].axis[1].pos = y;
    }

    // dx and dy are -1, 0 or 1; the D-pad reports full travel or none.
    static void dpad(int dx, int dy) { stick(Gamepad::DPAD_STICK, dx * 128, dy * 128); }

    static void button(int number, bool down) { joy[0].button[number].b = down ? 1 : 0; }

    void ticks(int count)
    {
        for (int i = 0; i < count; i++)
            game->logic();
    }

    // Held for a few ticks, then let go for one.
    void push(int number)
    {
        button(number, true);
        ticks(3);
        button(number, false);
        ticks(1);
    }

    void pushDpad(int dx, int dy)
    {
        dpad(dx, dy);
        ticks(3);
        dpad(0, 0);
        ticks(1);
    }

    void type(int scancode, int character)
    {
        simulate_keypress((scancode << 8) | character);
        ticks(1);
    }

    // From the main menu, Play Game highlighted, into a game that ends with
    // points enough for the table, on to the name entry, all with the pad.
    void reachNameEntry(int points)
    {
        push(SOUTH);
        ASSERT_EQ(&game->playScreen, game->currentScreen);
        game->playScreen.score.add(points);
        game->playScreen.player->state = Dead;
        push(SOUTH);
        ASSERT_EQ(&game->nameEntryMenu, game->currentScreen);
    }

    MenuItemEdit& nameField() { return *dynamic_cast<MenuItemEdit*>(game->nameEntryMenu.getSelectedItem()); }
};

} // namespace

TEST_F(PlayedWithAPad, TheDPadAndTheStickBeyondItsDeadZoneSteer)
{
    push(SOUTH);
    ASSERT_EQ(&game->playScreen, game->currentScreen);
    // The clock seeded that game, and a soul born beside the creature would
    // knock it about; a game of a fixed seed steers the same every run.
    game->playScreen.begin(1);
    Player& creature = *game->playScreen.player;

    dpad(1, 0);
    ticks(10);
    EXPECT_TRUE(controls.held(Action::Right));
    EXPECT_GT(creature.vel.x, 0.3f);
    dpad(0, -1);
    ticks(1);
    EXPECT_FALSE(controls.held(Action::Right));
    EXPECT_TRUE(controls.held(Action::Up));

    // Half the stick's travel is the dead zone: 60 of 128 does nothing.
    dpad(0, 0);
    stick(0, -60, 60);
    const float before = creature.vel.x;
    ticks(10);
    EXPECT_FALSE(controls.held(Action::Left));
    EXPECT_FALSE(controls.held(Action::Down));
    EXPECT_GT(creature.vel.x, 0.0f);
    EXPECT_LT(creature.vel.x, before);

    stick(0, -70, 70);
    ticks(20);
    EXPECT_TRUE(controls.held(Action::Left));
    EXPECT_TRUE(controls.held(Action::Down));
    EXPECT_LT(creature.vel.x, 0.0f);
    EXPECT_GT(creature.vel.y, 0.0f);

    // The keyboard plays on beside the pad.
    stick(0, 0, 0);
    key[KEY_RIGHT] = 1;
    ticks(1);
    EXPECT_TRUE(controls.held(Action::Right));
    key[KEY_RIGHT] = 0;
    ticks(1);
    EXPECT_FALSE(controls.held(Action::Right));
    EXPECT_EQ(&game->playScreen, game->currentScreen);
}

TEST_F(PlayedWithAPad, MenusMoveOncePerPushAndASliderStepsOnce)
{
    dpad(0, 1);
    ticks(30);  // held: one step, no repeats
    EXPECT_EQ(1u, game->mainMenu.selected);
    dpad(0, 0);
    ticks(1);
    stick(0, 0, 128);
    ticks(30);
    EXPECT_EQ(2u, game->mainMenu.selected);
    stick(0, 0, 0);
    pushDpad(0, -1);
    EXPECT_EQ(1u, game->mainMenu.selected);

    push(SOUTH);
    ASSERT_EQ(&game->optionsMenu, game->currentScreen);
    for (int i = 0; i < 4; i++)
        pushDpad(0, 1);
    ASSERT_EQ(4u, game->optionsMenu.selected);  // Particles: 40, "some"
    dpad(1, 0);
    ticks(30);
    EXPECT_EQ(60, settings.maxParticles);
    dpad(0, 0);
    ticks(1);
    pushDpad(-1, 0);
    pushDpad(-1, 0);
    EXPECT_EQ(20, settings.maxParticles);

    push(EAST);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
    EXPECT_EQ(1u, game->mainMenu.selected);
}

TEST_F(PlayedWithAPad, TheQuestionsTakeTheSouthButtonAsYesAndTheEastOneAsNo)
{
    push(EAST);
    ASSERT_EQ(&game->quitPrompt, game->currentScreen);
    push(EAST);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);

    push(START);  // Enter outside play: Play Game
    ASSERT_EQ(&game->playScreen, game->currentScreen);
    Player* creature = game->playScreen.player.get();
    // Start in play asks to abandon, and held on, it does not answer.
    button(START, true);
    ticks(20);
    EXPECT_EQ(&game->abandonPrompt, game->currentScreen);
    button(START, false);
    ticks(1);
    push(EAST);
    ASSERT_EQ(&game->playScreen, game->currentScreen);
    EXPECT_EQ(creature, game->playScreen.player.get());

    push(START);
    ASSERT_EQ(&game->abandonPrompt, game->currentScreen);
    push(SOUTH);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);

    push(EAST);
    ASSERT_EQ(&game->quitPrompt, game->currentScreen);
    button(SOUTH, true);
    EXPECT_TRUE(game->logic());
}

TEST_F(PlayedWithAPad, TheStoryRunsFasterBothWaysAndLeavesOnStart)
{
    for (int i = 0; i < 3; i++)
        pushDpad(0, 1);
    push(SOUTH);
    ASSERT_EQ(&game->storyScreen, game->currentScreen);

    dpad(0, 1);
    ticks(2);
    EXPECT_FLOAT_EQ(-Story::FAST_SPEED, game->storyScreen.scrollSpeed);
    dpad(0, -1);
    ticks(2);
    EXPECT_FLOAT_EQ(Story::FAST_SPEED, game->storyScreen.scrollSpeed);
    dpad(0, 0);
    ticks(2);
    EXPECT_FLOAT_EQ(Story::DRIFT_SPEED, game->storyScreen.scrollSpeed);

    push(START);
    EXPECT_EQ(&game->mainMenu, game->currentScreen);
}

TEST_F(PlayedWithAPad, ANameIsEnteredWithThePadAloneOrWithThePadAndTheKeys)
{
    reachNameEntry(2500);
    pushDpad(0, -1);  // A, from the empty field's space
    pushDpad(1, 0);
    dpad(0, -1);
    ticks(10);        // held: A, once
    dpad(0, 0);
    ticks(1);
    pushDpad(0, -1);  // B
    pushDpad(1, 0);
    for (int i = 0; i < 9; i++)
        pushDpad(0, 1);  // back from the space through 9 to 1
    EXPECT_EQ("AB1     ", nameField().text);
    EXPECT_EQ(2, nameField().cursor);

    pushDpad(1, 0);
    pushDpad(0, -1);
    EXPECT_EQ("AB1A    ", nameField().text);
    pushDpad(-1, 0);  // the 1 goes and the A under the cursor closes up
    EXPECT_EQ("ABA     ", nameField().text);
    EXPECT_EQ(2, nameField().cursor);
    pushDpad(0, 1);   // back from A to the space
    for (int i = 0; i < 9; i++)
        pushDpad(0, 1);
    EXPECT_EQ("AB1     ", nameField().text);
    push(SOUTH);
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);
    EXPECT_EQ("AB1      ...... 00002500", game->highScoreMenu.items.at(6)->text);

    // Again, the field still holding the last name: taken back with the pad,
    // then typed and turned by turns, and ended from the keyboard.
    push(SOUTH);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    reachNameEntry(2600);
    pushDpad(-1, 0);
    pushDpad(-1, 0);
    EXPECT_EQ("1       ", nameField().text);
    EXPECT_EQ(0, nameField().cursor);
    type(KEY_A, 'a');
    pushDpad(0, -1);
    pushDpad(0, -1);
    EXPECT_EQ("aB      ", nameField().text);
    pushDpad(1, 0);
    type(KEY_1, '1');
    pushDpad(0, -1);  // an A under the cursor would be part of the name,
    pushDpad(0, 1);   // so it is turned back to the space
    EXPECT_EQ("aB1     ", nameField().text);
    key[KEY_ENTER] = 1;
    ticks(1);
    key[KEY_ENTER] = 0;
    ASSERT_EQ(&game->highScoreMenu, game->currentScreen);
    EXPECT_EQ("aB1      ...... 00002600", game->highScoreMenu.items.at(6)->text);
    EXPECT_EQ("AB1      ...... 00002500", game->highScoreMenu.items.at(7)->text);
}

TEST_F(PlayedWithAPad, BadPadSettingsPlayAsTheDefaults)
{
    const std::string path = dir.path() + "/Wispen.ini";
    std::ofstream(path) << "[GAMEPAD]\nenabled = yes\ndeadZone = -5\nbuttonEnter = 40\n"
                           "buttonEscape = two\nbuttonStart = 0x3\n\n";
    readSettings(path.c_str());
    EXPECT_EQ(1, settings.padEnabled);
    EXPECT_EQ(-5, settings.padDeadZone) << "a number is kept as the file held it";
    EXPECT_EQ(40, settings.padEnter);
    EXPECT_EQ(1, settings.padEscape) << "not a number: the default";
    EXPECT_EQ(7, settings.padStart);

    stick(0, 0, 40);
    ticks(2);
    EXPECT_EQ(0u, game->mainMenu.selected) << "a negative dead zone must not make every tremor count";
    stick(0, 0, 100);
    ticks(2);
    EXPECT_EQ(1u, game->mainMenu.selected);
    stick(0, 0, 0);
    push(SOUTH);
    ASSERT_EQ(&game->optionsMenu, game->currentScreen);
    push(EAST);
    ASSERT_EQ(&game->mainMenu, game->currentScreen);
    push(START);
    EXPECT_EQ(&game->optionsMenu, game->currentScreen);

    // Written back as read, where the record could hold it.
    writeSettings(path.c_str());
    EXPECT_EQ(-5, get_config_int("GAMEPAD", "deadZone", 0));
    EXPECT_EQ(40, get_config_int("GAMEPAD", "buttonEnter", 0));
    EXPECT_EQ(1, get_config_int("GAMEPAD", "buttonEscape", 0));
    set_config_data("", 0);
}
