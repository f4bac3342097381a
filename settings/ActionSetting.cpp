#include "settings/ActionSetting.h"

#include <algorithm>
#include <allegro.h>
#include <iterator>

const int MODE_SWITCH_KEY = KEY_F11;
const int MODE_SWITCH_ALTS[2] = {KEY_ALT, KEY_ALTGR};

namespace {

// The one list of keys no action may take.
const int RESERVED_KEYS[] = {MODE_SWITCH_KEY, MODE_SWITCH_ALTS[0], MODE_SWITCH_ALTS[1],
                             KEY_CAPSLOCK,    KEY_NUMLOCK,         KEY_SCRLOCK};

bool entersName(Action action) { return action == Action::Choose || action == Action::Back; }

} // namespace

const ActionSetting& settingOf(Action action)
{
    return *std::find_if(std::begin(ACTION_SETTINGS), std::end(ACTION_SETTINGS),
                         [action](const ActionSetting& each) { return each.action == action; });
}

const char* keyNameOf(const Settings& s, Action action) { return s.*settingOf(action).key; }

void setKeyName(Settings& s, Action action, const char* name) { copyKeyName(s.*settingOf(action).key, name); }

int padButtonOf(const Settings& s, Action action) { return s.*settingOf(action).padButton; }

void setPadButton(Settings& s, Action action, int button) { s.*settingOf(action).padButton = button; }

void resetBindings(Settings& s)
{
    const Settings defaults;
    for (const ActionSetting& each : ACTION_SETTINGS) {
        setKeyName(s, each.action, defaults.*each.key);
        s.*each.padButton = defaults.*each.padButton;
    }
}

bool isNameCharacter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool typesName(int scancode)
{
    return (scancode >= KEY_A && scancode <= KEY_Z) || (scancode >= KEY_0 && scancode <= KEY_9_PAD) ||
           scancode == KEY_BACKSPACE;
}

bool mayTake(Action action, int scancode)
{
    if (std::find(std::begin(RESERVED_KEYS), std::end(RESERVED_KEYS), scancode) != std::end(RESERVED_KEYS))
        return false;
    return !entersName(action) || !typesName(scancode);
}

bool swapKeys(ActionInputs& keys, Action action, int scancode)
{
    if (!mayTake(action, scancode))
        return false;
    ActionInputs next = keys;
    const int old = keys[bitOf(action)];
    for (int a = 0; a < ACTION_COUNT; a++) {
        if (next[a] != scancode)
            continue;
        if (!mayTake(static_cast<Action>(a), old))
            return false;
        next[a] = old;
    }
    next[bitOf(action)] = scancode;
    keys = next;
    return true;
}

bool swapButtons(ActionInputs& buttons, Action action, int button, int startButton)
{
    if (button == startButton)
        return false;
    const int old = buttons[bitOf(action)];
    for (int a = 0; a < ACTION_COUNT; a++)
        if (a != bitOf(action) && buttons[a] == button && old < 0 && entersName(static_cast<Action>(a)))
            return false;
    for (int& each : buttons)
        if (each == button)
            each = old;
    buttons[bitOf(action)] = button;
    return true;
}
