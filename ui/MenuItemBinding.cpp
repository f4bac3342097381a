#include "ui/MenuItemBinding.h"

#include <allegro.h>

MenuItemBinding::MenuItemBinding(const char* label, int id, int y) : MenuItem(label, id, y) {}

void MenuItemBinding::draw(BITMAP* target)
{
    const int centre = target->w / 2;
    drawColumn(target, text, centre + NAME_END - text_length(font, text.c_str()));
    drawColumn(target, keyText, centre + KEY_START);
    drawColumn(target, padText, centre + PAD_START);
}

void MenuItemBinding::drawColumn(BITMAP* target, const std::string& shown, int x) const
{
    textout_ex(target, font, shown.c_str(), x + 1, y + 1, makecol(0, 0, 0), -1);
    textout_ex(target, font, shown.c_str(), x, y, textColour(), -1);
}
