#include "input/Gamepad.h"

#include <allegro.h>

#include "input/Controls.h"
#include "settings/ActionSetting.h"

Gamepad gamepad;

static_assert(MAX_JOYSTICK_BUTTONS <= 32, "a button is a bit of a 32-bit mask");

namespace {

const Settings DEFAULTS;

// Out of range, a setting plays as its default: an edited file must not take
// the stick or a button away from the player.
int deadZone()
{
    const int percent = settings.padDeadZone;
    return percent >= 0 && percent <= 100 ? percent : DEFAULTS.padDeadZone;
}

int button(int configured, int fallback)
{
    return configured >= 0 && configured < MAX_JOYSTICK_BUTTONS ? configured : fallback;
}

bool buttonDown(const JOYSTICK_INFO& pad, int number)
{
    return number >= 0 && number < pad.num_buttons && pad.button[number].b != 0;
}

void set(Gamepad::State& state, Action action, bool down) { state[bitOf(action)] = state[bitOf(action)] || down; }

// Points the state's directions where the stick leans further than threshold.
void lean(const JOYSTICK_STICK_INFO& stick, int threshold, Gamepad::State& state)
{
    if (stick.num_axis > 0) {
        set(state, Action::Left, stick.axis[0].pos < -threshold);
        set(state, Action::Right, stick.axis[0].pos > threshold);
    }
    if (stick.num_axis > 1) {
        set(state, Action::Up, stick.axis[1].pos < -threshold);
        set(state, Action::Down, stick.axis[1].pos > threshold);
    }
}

std::uint32_t buttonsDown(const JOYSTICK_INFO& pad)
{
    std::uint32_t mask = 0;
    for (int b = 0; b < pad.num_buttons && b < MAX_JOYSTICK_BUTTONS; b++)
        if (pad.button[b].b != 0)
            mask |= 1u << b;
    return mask;
}

} // namespace

void Gamepad::install()
{
    if (settings.padEnabled != 0)
        watch.start(tickRate(settings.fps));
}

void Gamepad::poll(bool playing)
{
    watch.tick();
    if (watch.installs() != labelledInstall) {
        labelledInstall = watch.installs();
        labels.read(watch.device());
    }
    poll_joystick();
    before = now;
    buttonsBefore = buttonsNow;
    const bool present = num_joysticks > 0 && !watch.padGone();
    now = present ? read(playing) : State{};
    buttonsNow = present ? buttonsDown(joy[0]) : 0;
    if (!present)
        startAction = -1;
    bool wentDown = pressedButton() >= 0;
    for (int a = 0; a < ACTION_COUNT; a++) {
        controls.holdPad(static_cast<Action>(a), now[a]);
        wentDown = wentDown || pressed(static_cast<Action>(a));
    }
    controls.noteUse(wentDown);
}

bool Gamepad::pressed(Action action) const { return now[bitOf(action)] && !before[bitOf(action)]; }

int Gamepad::pressedButton() const
{
    const std::uint32_t down = buttonsNow & ~buttonsBefore;
    for (int b = 0; b < MAX_JOYSTICK_BUTTONS; b++)
        if (down & (1u << b))
            return b;
    return -1;
}

int Gamepad::startButton() { return button(settings.padStart, DEFAULTS.padStart); }

int Gamepad::buttonOf(Action action) { return button(padButtonOf(settings, action), padButtonOf(DEFAULTS, action)); }

bool Gamepad::takeButton(Action action, int pressed)
{
    ActionInputs buttons;
    for (const ActionSetting& each : ACTION_SETTINGS)
        buttons[bitOf(each.action)] = buttonOf(each.action);
    if (!swapButtons(buttons, action, pressed, startButton()))
        return false;
    for (const ActionSetting& each : ACTION_SETTINGS)
        setPadButton(settings, each.action, buttons[bitOf(each.action)]);
    return true;
}

Gamepad::State Gamepad::read(bool playing)
{
    State state{};
    const JOYSTICK_INFO& pad = joy[0];
    if (pad.num_sticks > 0)
        lean(pad.stick[0], AXIS_TRAVEL * deadZone() / 100, state);
    if (pad.num_sticks > DPAD_STICK)
        lean(pad.stick[DPAD_STICK], DPAD_THRESHOLD, state);
    for (int a = 0; a < ACTION_COUNT; a++)
        set(state, static_cast<Action>(a), buttonDown(pad, buttonOf(static_cast<Action>(a))));

    if (!buttonDown(pad, startButton()))
        startAction = -1;
    else if (startAction < 0)
        startAction = bitOf(playing ? Action::Back : Action::Choose);
    if (startAction >= 0)
        state[startAction] = true;
    return state;
}
