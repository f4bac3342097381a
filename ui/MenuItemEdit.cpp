#include "ui/MenuItemEdit.h"

#include <allegro.h>
#include <cctype>
#include <string>

#include "input/Gamepad.h"
#include "settings/ActionSetting.h"

MenuItemEdit::MenuItemEdit(const char* initial, int id, int y) : MenuItem(initial, id, y)
{
    // The field writes characters 0 to NAME_LENGTH - 1 in place; a shorter
    // initial text must not leave them outside the string.
    text.resize(NAME_LENGTH, ' ');
}

MenuItemEdit::~MenuItemEdit() = default;

void MenuItemEdit::draw(BITMAP* target)
{
    const int cell = text_length(font, "A");
    const int lineHeight = text_height(font);
    const int boxWidth = NAME_LENGTH * cell + 8;
    const int x = (target->w - boxWidth) / 2;
    rectfill(target, x, y - 3, x + boxWidth - 1, y + lineHeight + 2, makecol(0, 0, 0));
    MenuItem::draw(target);
    if ((blink / (BLINK_PERIOD / 2)) % 2 == 1)
        vline(target, x + 4 + cell * cursor, y, y + lineHeight - 2, makecol(220, 210, 160));
}

void MenuItemEdit::logic()
{
    MenuItem::logic();
    blink = (blink + 1) % BLINK_PERIOD;
    takePadPresses();
    if (!keypressed())
        return;
    const int typed = readkey();
    takeKey(typed >> 8, typed & 0xff);
    // One key per tick: whatever else was typed meanwhile is dropped.
    clear_keybuf();
}

void MenuItemEdit::takeKey(int scancode, int character)
{
    if (scancode == KEY_BACKSPACE && cursor > 0) {
        // The rest of the text closes up behind the deleted character, so a
        // character turned up with the pad under the cursor stays next to the
        // name. Typing alone leaves nothing but spaces after the cursor.
        cursor--;
        text.erase(cursor, 1);
        text.push_back(' ');
    }
    if (cursor < NAME_LENGTH && isNameCharacter(character)) {
        text[cursor] = static_cast<char>(character);
        cursor++;
    }
}

// The name-entry menu has this field as its only choice, so the Up and Down
// that also reach the menu there never move its highlight away.
void MenuItemEdit::takePadPresses()
{
    if (gamepad.pressed(Action::Up))
        turnCharacter(+1);
    if (gamepad.pressed(Action::Down))
        turnCharacter(-1);
    if (gamepad.pressed(Action::Right) && cursor < NAME_LENGTH)
        cursor++;
    if (gamepad.pressed(Action::Left))
        takeKey(KEY_BACKSPACE, 0);
}

void MenuItemEdit::turnCharacter(int step)
{
    if (cursor >= NAME_LENGTH)
        return;
    const std::string ring = PAD_CHARACTERS;
    const int count = static_cast<int>(ring.size());
    // A typed lower-case letter turns on from its capital; anything else
    // under the cursor counts as the space.
    const size_t found = ring.find(static_cast<char>(std::toupper(static_cast<unsigned char>(text[cursor]))));
    const int at = found == std::string::npos ? count - 1 : static_cast<int>(found);
    text[cursor] = ring[(at + step + count) % count];
}
