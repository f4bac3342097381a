#include "ui/MenuItemToggle.h"

#include <allegro.h>
#include <string>

MenuItemToggle::MenuItemToggle(const char* label, int id, int y, int32_t* value)
    : MenuItem(label, id, y), value(value)
{
}

MenuItemToggle::~MenuItemToggle() = default;

void MenuItemToggle::draw(BITMAP* target)
{
    const std::string shown = text + (*value == 1 ? " - on" : " - off");
    drawText(target, shown.c_str());
}

void MenuItemToggle::logic()
{
    MenuItem::logic();
    // Anything but 1 counts as off, so a stray value from the configuration
    // file turns on with the first press.
    if (hasFlags(ItemSelected) && actionPressed(Action::Choose))
        *value = *value == 1 ? 0 : 1;
}
