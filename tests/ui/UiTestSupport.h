#pragma once

#include <allegro.h>

#include "frame/GameScreen.h"

// Holds the library's key array the way a player's fingers would between two
// ticks.
class Keys {
public:
    void press(int scancode) { key[scancode] = 1; }
    void release(int scancode) { key[scancode] = 0; }
    void releaseAll()
    {
        for (int i = 0; i < KEY_MAX; i++)
            key[i] = 0;
    }
};

// One tick with the key just pressed, then one with it let go again, so the
// next tap counts as a fresh press. Returns what the first tick returned.
inline bool tap(GameScreen& screen, int scancode)
{
    key[scancode] = 1;
    const bool finished = screen.logic();
    key[scancode] = 0;
    // A finishing tick leaves the snapshot alone; the application refreshes it
    // when the screen becomes current again.
    if (finished)
        screen.readKeys();
    else
        screen.logic();
    return finished;
}

inline int hsvColour(float hue, float saturation, float value)
{
    int r, g, b;
    hsv_to_rgb(hue, saturation, value, &r, &g, &b);
    return makecol(r, g, b);
}

inline bool sameColour(int a, int b)
{
    return getr(a) == getr(b) && getg(a) == getg(b) && getb(a) == getb(b);
}

// True when any pixel in the rectangle (corners inclusive) has the colour.
inline bool areaHasColour(BITMAP* bitmap, int left, int top, int right, int bottom, int colour)
{
    for (int y = top; y <= bottom; y++)
        for (int x = left; x <= right; x++)
            if (sameColour(getpixel(bitmap, x, y), colour))
                return true;
    return false;
}

// True when every pixel in the rectangle has the colour.
inline bool areaIsAll(BITMAP* bitmap, int left, int top, int right, int bottom, int colour)
{
    for (int y = top; y <= bottom; y++)
        for (int x = left; x <= right; x++)
            if (!sameColour(getpixel(bitmap, x, y), colour))
                return false;
    return true;
}

// A memory bitmap released at the end of the test.
class Canvas {
public:
    Canvas(int width, int height, int colour) : bitmap(create_bitmap(width, height))
    {
        clear_to_color(bitmap, colour);
    }
    ~Canvas() { destroy_bitmap(bitmap); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    operator BITMAP*() const { return bitmap; }
    BITMAP* operator->() const { return bitmap; }

private:
    BITMAP* bitmap;
};
