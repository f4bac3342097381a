#include "ui/MenuItemBinding.h"

#include <allegro.h>

#include "frame/ShadowedText.h"

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
    shadowedText(target, shown.c_str(), x, y, textColour());
}
