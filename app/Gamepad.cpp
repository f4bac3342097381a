#include "app/Gamepad.h"

#include <allegro.h>

#include "app/Controls.h"
#include "app/Settings.h"

Gamepad gamepad;

namespace {

const int SCANCODES[Gamepad::PAD_KEYS] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_ENTER, KEY_ESC};

// Out of range, a setting plays as its default: an edited file must not take
// the stick or a button away from the player.
int deadZone()
{
    const int percent = settings.padDeadZone;
    return percent >= 0 && percent <= 100 ? percent : Settings().padDeadZone;
}

int button(int configured, int fallback)
{
    return configured >= 0 && configured < MAX_JOYSTICK_BUTTONS ? configured : fallback;
}

bool buttonDown(const JOYSTICK_INFO& pad, int number)
{
    return number < pad.num_buttons && pad.button[number].b != 0;
}

// Points the state's arrows where the stick leans further than threshold.
void lean(const JOYSTICK_STICK_INFO& stick, int threshold, Gamepad::State& state)
{
    if (stick.num_axis > 0) {
        state[Gamepad::Left] = state[Gamepad::Left] || stick.axis[0].pos < -threshold;
        state[Gamepad::Right] = state[Gamepad::Right] || stick.axis[0].pos > threshold;
    }
    if (stick.num_axis > 1) {
        state[Gamepad::Up] = state[Gamepad::Up] || stick.axis[1].pos < -threshold;
        state[Gamepad::Down] = state[Gamepad::Down] || stick.axis[1].pos > threshold;
    }
}

} // namespace

void Gamepad::install()
{
    if (settings.padEnabled != 0)
        install_joystick(JOY_TYPE_AUTODETECT);
}

void Gamepad::poll(bool playing)
{
    poll_joystick();
    before = now;
    now = read(playing);
    for (int k = 0; k < PAD_KEYS; k++)
        controls.hold(SCANCODES[k], now[k]);
}

bool Gamepad::pressed(int scancode) const
{
    for (int k = 0; k < PAD_KEYS; k++)
        if (SCANCODES[k] == scancode)
            return now[k] && !before[k];
    return false;
}

Gamepad::State Gamepad::read(bool playing)
{
    State state{};
    if (num_joysticks < 1) {
        startKey = -1;
        return state;
    }
    const JOYSTICK_INFO& pad = joy[0];
    if (pad.num_sticks > 0)
        lean(pad.stick[0], AXIS_TRAVEL * deadZone() / 100, state);
    if (pad.num_sticks > DPAD_STICK)
        lean(pad.stick[DPAD_STICK], DPAD_THRESHOLD, state);

    const Settings defaults;
    state[Enter] = buttonDown(pad, button(settings.padEnter, defaults.padEnter));
    state[Escape] = buttonDown(pad, button(settings.padEscape, defaults.padEscape));
    if (!buttonDown(pad, button(settings.padStart, defaults.padStart)))
        startKey = -1;
    else if (startKey < 0)
        startKey = playing ? Escape : Enter;
    if (startKey >= 0)
        state[startKey] = true;
    return state;
}
