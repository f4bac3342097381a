#pragma once

#include <array>

// The first gamepad as a second pair of hands on the keys. Once per tick the
// application polls it, and it holds, through the controls, the arrow keys its
// D-pad or stick points to and the Enter and Escape its buttons stand for, so
// every screen answers the pad as it answers the keyboard. The name field also
// asks it what it pressed this tick, to enter a name without a keyboard. The
// single instance is a global, like the controls.
class Gamepad {
public:
    // Allegro groups the axes two by two into sticks; on Xbox- and
    // PlayStation-style pads, with eight axes, the D-pad is axes 6 and 7.
    static constexpr int DPAD_STICK = 3;
    // The D-pad is digital: it reports full travel or none, whatever the
    // stick's dead zone.
    static constexpr int DPAD_THRESHOLD = 64;
    // Allegro reports an axis from -128 to 128.
    static constexpr int AXIS_TRAVEL = 128;

    // The library's joystick driver, unless the settings turn the pad off. No
    // pad or no driver is no error: the keyboard plays alone.
    static void install();

    // Reads the first pad and holds or lets go of the keys it stands for.
    // While playing, Start asks to abandon the game like Escape; elsewhere it
    // chooses like Enter.
    void poll(bool playing);

    // The pad went from released to pressed on the key since the last poll.
    bool pressed(int scancode) const;

    // The keys the pad stands in for, in the order of its state.
    enum PadKey { Up, Down, Left, Right, Enter, Escape, PAD_KEYS };
    using State = std::array<bool, PAD_KEYS>;

private:
    State read(bool playing);

    State now{};
    State before{};
    // The key Start went down as, kept until it is released: Start pressed in
    // play opens the abandon question, and must not answer it as Enter there.
    int startKey = -1;
};

extern Gamepad gamepad;
