#pragma once

#include <array>

// The keys the screens read as held: the keyboard's key array together with
// the keys another device holds for the player, so every screen answers a
// gamepad's stick and buttons exactly as it answers the keyboard. The single
// instance is a global, like the settings record.
class Controls {
public:
    // Room for every scan code a byte can hold; those past the library's
    // KEY_MAX read as up.
    static constexpr int COUNT = 256;
    // The six keys the play screen reads, as bits of a mask: the four
    // arrows, Enter and Escape, in this order from bit 0.
    static constexpr int PLAY_KEY_COUNT = 6;
    static int playKey(int bit);

    bool held(int scancode) const;

    // Another device holds scancode down, or lets it go, until it says
    // otherwise; the keyboard's own state is never touched.
    void hold(int scancode, bool down);
    void releaseAll();

    // The six play keys as the devices hold them now.
    unsigned heldPlayKeys() const;
    // Until unlatch, the six play keys read as mask says, whatever the devices
    // do: a tick then sees one state of them from its first step to its last,
    // and a replay can stand in for the player. Every other key stays live.
    void latch(unsigned mask);
    void unlatch();
    // Any key or button held on a device, the play keys included, latched
    // or not: what ends a replay shown between menus.
    bool anyDeviceKeyHeld() const;

private:
    bool deviceHeld(int scancode) const;

    std::array<bool, COUNT> extra{};
    bool latched = false;
    unsigned latchedMask = 0;
};

extern Controls controls;
