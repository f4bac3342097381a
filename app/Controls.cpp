#include "app/Controls.h"

#include <allegro.h>

Controls controls;

bool Controls::held(int scancode) const
{
    if (scancode < 0 || scancode >= COUNT)
        return false;
    return (scancode < KEY_MAX && key[scancode] != 0) || extra[scancode];
}

void Controls::hold(int scancode, bool down)
{
    if (scancode >= 0 && scancode < COUNT)
        extra[scancode] = down;
}

void Controls::releaseAll() { extra.fill(false); }
