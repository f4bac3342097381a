#pragma once

#include <cstdint>

#include "ui/MenuItem.h"

// Characters in a player's name: the width of the name field and of a name in
// the high-score table.
constexpr int NAME_LENGTH = 8;

// The name field of the high-score entry. It edits its own text in place,
// filling from the left with letters and digits; Backspace takes the last
// character back. The text keeps its NAME_LENGTH characters, so a name typed
// once is still there the next time the field is shown. With a gamepad, as on
// an arcade machine: Up and Down turn the character at the cursor through
// PAD_CHARACTERS, Right moves on as typing it would, Left is Backspace.
class MenuItemEdit : public MenuItem {
public:
    // The cursor shows in the second half of this many ticks.
    static constexpr int BLINK_PERIOD = 20;
    // Up turns a character to the next of these, round to the first again.
    static constexpr const char* PAD_CHARACTERS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";

    // The initial text is cut or padded with spaces to NAME_LENGTH characters.
    MenuItemEdit(const char* initial, int id, int y);
    ~MenuItemEdit() override;

    void draw(BITMAP* target) override;
    void logic() override;

    int32_t cursor = 0;
    int32_t blink = 0;

private:
    void takeKey(int scancode, int character);
    void takePadPresses();
    void turnCharacter(int step);
};
