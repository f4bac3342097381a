#include <gtest/gtest.h>
#include <memory>

#include "StandInResources.h"
#include "UiTestSupport.h"
#include "ui/Menu.h"
#include "ui/MenuItemEdit.h"

namespace {

// Without a display there is no keyboard driver, and readkey then refuses to
// read the key buffer. Installing a readkey hook in place of the keyboard, as
// the library allows, lets the real buffer work: simulate_keypress fills it,
// and keypressed, readkey and clear_keybuf act on it as they do in the game.
int readsOfAnEmptyBuffer = 0;
int emptyBuffer()
{
    readsOfAnEmptyBuffer++;
    return 0;
}

class MenuItemEditing : public testing::Test {
protected:
    StandInResources resources;
    Menu menu;
    MenuItemEdit* field = nullptr;

    void SetUp() override
    {
        install_keyboard_hooks(nullptr, emptyBuffer);
        clear_keybuf();
        readsOfAnEmptyBuffer = 0;
        menu.addItem(std::make_unique<MenuItem>("Please enter your name", EnterName, 138));
        menu.items.back()->disable();
        auto edit = std::make_unique<MenuItemEdit>("        ", HighScores, 160);
        field = edit.get();
        menu.addItem(std::move(edit));
        menu.start();
    }

    void TearDown() override
    {
        clear_keybuf();
        install_keyboard_hooks(nullptr, nullptr);
        EXPECT_EQ(0, readsOfAnEmptyBuffer) << "readkey was called with nothing typed";
    }

    void type(int scancode, int character)
    {
        simulate_keypress((scancode << 8) | character);
        menu.logic();
    }
};

} // namespace

TEST_F(MenuItemEditing, LettersAndDigitsFillFromTheLeftAndBackspaceTakesTheLastBack)
{
    type(KEY_A, 'A');
    type(KEY_B, 'b');
    type(KEY_C, 'c');
    type(KEY_1, '1');
    type(KEY_2, '2');
    EXPECT_EQ("Abc12   ", field->text);
    EXPECT_EQ(5, field->cursor);

    type(KEY_BACKSPACE, 8);
    type(KEY_BACKSPACE, 8);
    EXPECT_EQ("Abc     ", field->text);
    EXPECT_EQ(3, field->cursor);
    EXPECT_EQ(field, menu.getSelectedItem());
}

TEST_F(MenuItemEditing, OnlyTheFirstKeyOfATickIsTaken)
{
    simulate_keypress((KEY_X << 8) | 'x');
    simulate_keypress((KEY_Y << 8) | 'y');
    menu.logic();
    EXPECT_EQ("x       ", field->text);
    EXPECT_FALSE(keypressed());
    menu.logic();
    EXPECT_EQ(1, field->cursor);
}

TEST_F(MenuItemEditing, AFullFieldAndAnEmptyOneIgnoreWhatDoesNotFit)
{
    type(KEY_BACKSPACE, 8);
    EXPECT_EQ("        ", field->text);
    EXPECT_EQ(0, field->cursor);
    type(KEY_SPACE, ' ');
    type(KEY_STOP, '.');
    type(KEY_ENTER, '\r');
    simulate_ukeypress(0xe9, KEY_E);  // an accented letter is not a name character
    menu.logic();
    EXPECT_EQ(0, field->cursor);

    const char* name = "WISPEN99";
    for (const char* c = name; *c; c++)
        type(KEY_A, *c);
    type(KEY_Z, 'z');
    EXPECT_EQ("WISPEN99", field->text);
    EXPECT_EQ(8, field->cursor);
    type(KEY_BACKSPACE, 8);
    EXPECT_EQ("WISPEN9 ", field->text);
}

TEST_F(MenuItemEditing, AShortInitialTextStillGivesAFullField)
{
    MenuItemEdit shortField("ab", HighScores, 160);
    EXPECT_EQ(static_cast<size_t>(NAME_LENGTH), shortField.text.size());
    EXPECT_EQ("ab      ", shortField.text);
    for (int i = 0; i < 10; i++) {
        simulate_keypress((KEY_Q << 8) | 'q');
        shortField.logic();
    }
    EXPECT_EQ("qqqqqqqq", shortField.text);
}

TEST_F(MenuItemEditing, TheBoxIsEightCellsWideAndTheCursorBlinksInTheSecondHalf)
{
    const int cell = text_length(font, "A");
    const int h = text_height(font);
    const int boxLeft = (320 - (8 * cell + 8)) / 2;
    const int boxRight = boxLeft + 8 * cell + 7;
    const int y = field->y;
    const int fill = makecol(20, 40, 60);
    const int cursorColour = makecol(220, 210, 160);
    type(KEY_A, 'A');
    type(KEY_B, 'B');
    const int cursorX = boxLeft + 4 + cell * 2;

    field->blink = 9;
    Canvas hidden(320, 240, fill);
    field->draw(hidden);
    EXPECT_FALSE(areaHasColour(hidden, cursorX, y, cursorX, y + h - 2, cursorColour));

    field->blink = 10;
    Canvas shown(320, 240, fill);
    field->draw(shown);
    EXPECT_TRUE(areaIsAll(shown, cursorX, y, cursorX, y + h - 2, cursorColour));
    EXPECT_FALSE(areaHasColour(shown, cursorX, y + h - 1, cursorX, y + h - 1, cursorColour));

    const int black = makecol(0, 0, 0);
    EXPECT_TRUE(areaIsAll(shown, boxLeft, y - 3, boxLeft, y + h + 2, black));
    EXPECT_TRUE(areaIsAll(shown, boxRight, y - 3, boxRight, y + h + 2, black));
    EXPECT_TRUE(areaIsAll(shown, boxLeft - 1, y - 3, boxLeft - 1, y + h + 2, fill));
    EXPECT_TRUE(areaIsAll(shown, boxLeft, y - 4, boxRight, y - 4, fill));
    EXPECT_TRUE(areaIsAll(shown, boxLeft, y + h + 3, boxRight, y + h + 3, fill));

    // Twenty ticks later it is hidden again.
    for (int tick = 0; tick < 10; tick++)
        field->logic();
    EXPECT_EQ(0, field->blink);
}
