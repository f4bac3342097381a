#include "input/KeyTaps.h"

#include <allegro.h>

#include <array>
#include <atomic>

namespace {

// Written by the driver's thread, read and cleared by the game's.
std::array<std::atomic<bool>, KEY_MAX> pressed{};
// This tick's share of them, fixed from its first look to its last.
std::array<bool, KEY_MAX> tapped{};

constexpr int RELEASED = 0x80;

void notePress(int scancode)
{
    if ((scancode & RELEASED) == 0 && scancode < KEY_MAX)
        pressed[scancode].store(true, std::memory_order_relaxed);
}

} // namespace

void KeyTaps::install() { keyboard_lowlevel_callback = notePress; }

void KeyTaps::take()
{
    for (int scancode = 0; scancode < KEY_MAX; scancode++)
        tapped[scancode] = pressed[scancode].exchange(false, std::memory_order_relaxed);
}

bool KeyTaps::down(int scancode)
{
    return scancode >= 0 && scancode < KEY_MAX && (key[scancode] != 0 || tapped[scancode]);
}
