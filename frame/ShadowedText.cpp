#include "frame/ShadowedText.h"

#include <allegro.h>

void shadowedText(BITMAP* target, const char* text, int x, int y, int colour, TextAlign align)
{
    shadowedText(target, text, x, y, colour, makecol(0, 0, 0), align);
}

void shadowedText(BITMAP* target, const char* text, int x, int y, int colour, int shadow, TextAlign align)
{
    auto write = align == TextAlign::Centre ? textout_centre_ex : textout_ex;
    write(target, font, text, x + 1, y + 1, shadow, -1);
    write(target, font, text, x, y, colour, -1);
}
