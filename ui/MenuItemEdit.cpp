#include "ui/MenuItemEdit.h"

#include <allegro.h>

namespace {

bool isNameCharacter(int c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

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
        cursor--;
        text[cursor] = ' ';
    }
    if (cursor < NAME_LENGTH && isNameCharacter(character)) {
        text[cursor] = static_cast<char>(character);
        cursor++;
    }
}
