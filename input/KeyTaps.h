#pragma once

// Keys that went down since the last tick. The library's key array says only
// what is down at the moment a tick looks, so a tap shorter than a tick, or
// one made while a busy machine held the game back, fell between two looks
// and was lost. The keyboard driver reports every press to a callback; each
// tick takes the presses gathered since the one before and reads those keys
// as down for itself, whether or not they are still held.
class KeyTaps {
public:
    // After install_keyboard, before the first tick.
    static void install();
    // Once a tick, before anything reads the keys.
    static void take();
    // The key is down now or went down before this tick began.
    static bool down(int scancode);
};
