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

    bool held(int scancode) const;

    // Another device holds scancode down, or lets it go, until it says
    // otherwise; the keyboard's own state is never touched.
    void hold(int scancode, bool down);
    void releaseAll();

private:
    std::array<bool, COUNT> extra{};
};

extern Controls controls;
