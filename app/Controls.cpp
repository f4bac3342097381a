#include "app/Controls.h"

#include <allegro.h>

Controls controls;

namespace {

const int PLAY_KEYS[Controls::PLAY_KEY_COUNT] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_ENTER, KEY_ESC};

// The bit of a play key, or -1 for every other key.
int playKeyBit(int scancode)
{
    for (int bit = 0; bit < Controls::PLAY_KEY_COUNT; bit++)
        if (PLAY_KEYS[bit] == scancode)
            return bit;
    return -1;
}

} // namespace

int Controls::playKey(int bit) { return PLAY_KEYS[bit]; }

bool Controls::held(int scancode) const
{
    if (latched) {
        int bit = playKeyBit(scancode);
        if (bit >= 0)
            return (latchedMask >> bit) & 1u;
    }
    return deviceHeld(scancode);
}

bool Controls::deviceHeld(int scancode) const
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

unsigned Controls::heldPlayKeys() const
{
    unsigned mask = 0;
    for (int bit = 0; bit < PLAY_KEY_COUNT; bit++)
        if (deviceHeld(PLAY_KEYS[bit]))
            mask |= 1u << bit;
    return mask;
}

void Controls::latch(unsigned mask)
{
    latched = true;
    latchedMask = mask;
}

void Controls::unlatch() { latched = false; }

bool Controls::anyDeviceKeyHeld() const
{
    for (int scancode = 0; scancode < COUNT; scancode++)
        if (deviceHeld(scancode))
            return true;
    return false;
}
