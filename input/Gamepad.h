#pragma once

#include <array>
#include <cstdint>

#include "settings/Action.h"
#include "input/PadButtons.h"
#include "input/PadWatch.h"

// The first gamepad as a second pair of hands on the actions. Once per tick
// the application polls it, and it holds, through the controls, the
// directions its D-pad or stick points to and the actions its buttons are
// bound to, so every screen answers the pad as it answers the keyboard. The
// name field also asks it what it pressed this tick, to enter a name without
// a keyboard, and the controls screen which button went down, to bind it. The
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

    // The library's joystick driver and the watch for a pad that comes or
    // goes, unless the settings turn the pad off: then nothing is watched. No
    // pad or no driver is no error: the keyboard plays alone.
    void install();

    // Reads the first pad and holds or lets go of the actions it stands for.
    // While playing, Start asks to abandon the game like Back; elsewhere it
    // chooses like Choose.
    void poll(bool playing);

    // The pad went from released to pressed on the action since the last poll.
    bool pressed(Action action) const;
    // The lowest-numbered button that went down since the last poll, or -1.
    int pressedButton() const;
    // Start's button, which keeps its own job and is bound to no action.
    static int startButton();
    // The button an action's setting names, or -1 for none; a setting out of
    // range plays as its default.
    static int buttonOf(Action action);
    // action takes the button in exchange with the action that had it
    // (swapButtons), into the settings; false when refused.
    static bool takeButton(Action action, int button);

    // What the pad prints on button, for the screens.
    std::string buttonLabel(int button) const { return labels.label(button); }

    using State = std::array<bool, ACTION_COUNT>;

private:
    State read(bool playing);

    State now{};
    State before{};
    std::uint32_t buttonsNow = 0;
    std::uint32_t buttonsBefore = 0;
    // The action Start went down as, kept until it is released: Start pressed
    // in play opens the abandon question, and must not answer it as Choose.
    int startAction = -1;
    PadWatch watch;
    PadButtons labels;
    int labelledInstall = 0;
};

extern Gamepad gamepad;
