#include "input/Controls.h"

#include <algorithm>
#include <allegro.h>

#include "input/KeyNames.h"
#include "settings/Settings.h"

Controls controls;

namespace {

const int DEFAULT_KEYS[ACTION_COUNT] = {KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN, KEY_ENTER, KEY_ESC};

// F11 and Alt (with Enter) switch between a window and the full screen on
// every screen. A lock key lights its lamp and changes what the name field
// types, and the X server reports some of them only as the lock turns on.
// (Letters, digits and Backspace edit a name, so Choose and Back, which
// enter it, may not have them either: Controls::bindable.)
const int RESERVED_KEYS[] = {KEY_F11, KEY_ALT, KEY_ALTGR, KEY_CAPSLOCK, KEY_NUMLOCK, KEY_SCRLOCK};

Action actionAt(int index) { return static_cast<Action>(index); }

} // namespace

Controls::Controls()
{
    for (int a = 0; a < ACTION_COUNT; a++)
        keys[a] = DEFAULT_KEYS[a];
}

int Controls::defaultKey(Action action) { return DEFAULT_KEYS[bitOf(action)]; }

bool Controls::bindable(Action action, int scancode)
{
    if (!keyName(scancode))
        return false;
    if (std::find(std::begin(RESERVED_KEYS), std::end(RESERVED_KEYS), scancode) != std::end(RESERVED_KEYS))
        return false;
    if (action != Action::Choose && action != Action::Back)
        return true;
    const bool typesName = (scancode >= KEY_A && scancode <= KEY_Z) || (scancode >= KEY_0 && scancode <= KEY_9_PAD) ||
                           scancode == KEY_BACKSPACE;
    return !typesName;
}

Controls::Keys Controls::keysOf(const Settings& s)
{
    // Worked out in the order of the file, so the later of two lines naming
    // one key is the one that falls back.
    int chosen[ACTION_COUNT];
    int defaults[ACTION_COUNT];
    for (int i = 0; i < ACTION_COUNT; i++) {
        const Action action = ACTIONS_LISTED[i];
        const int named = scancodeNamed(keyNameOf(s, action));
        defaults[i] = defaultKey(action);
        chosen[i] = bindable(action, named) ? named : defaults[i];
    }
    // Each pass sends one action of a shared key back to its default, and
    // the defaults are all different: at most one pass per action.
    for (bool shared = true; shared;) {
        shared = false;
        for (int later = 1; later < ACTION_COUNT && !shared; later++)
            for (int earlier = 0; earlier < later && !shared; earlier++) {
                if (chosen[earlier] != chosen[later])
                    continue;
                shared = true;
                const int loser = chosen[later] != defaults[later] ? later : earlier;
                chosen[loser] = defaults[loser];
            }
    }
    Keys keys;
    for (int i = 0; i < ACTION_COUNT; i++)
        keys[bitOf(ACTIONS_LISTED[i])] = chosen[i];
    return keys;
}

void Controls::bind(const Settings& s) { keys = keysOf(s); }

int Controls::keyOf(Action action) const { return keys[bitOf(action)]; }

bool Controls::held(Action action) const
{
    if (latched)
        return (latchedMask >> bitOf(action)) & 1u;
    return deviceHeld(action);
}

bool Controls::deviceHeld(Action action) const
{
    const int a = bitOf(action);
    const int scancode = keys[a];
    const bool keyboard = scancode > 0 && scancode < KEY_MAX && key[scancode] != 0;
    if (!keyboard)
        ignored[a] = false;
    return (keyboard && !ignored[a]) || pad[a];
}

void Controls::holdPad(Action action, bool down) { pad[bitOf(action)] = down; }

void Controls::releasePad() { pad.fill(false); }

void Controls::ignoreUntilReleased(int scancode)
{
    for (int a = 0; a < ACTION_COUNT; a++)
        if (keys[a] == scancode)
            ignored[a] = true;
}

unsigned Controls::heldActions() const
{
    unsigned mask = 0;
    for (int a = 0; a < ACTION_COUNT; a++)
        if (deviceHeld(actionAt(a)))
            mask |= 1u << a;
    return mask;
}

void Controls::latch(unsigned mask)
{
    latched = true;
    latchedMask = mask;
}

void Controls::unlatch() { latched = false; }

bool Controls::anyDeviceKeyHeld() const
{
    for (int scancode = 1; scancode < KEY_MAX; scancode++)
        if (key[scancode] != 0)
            return true;
    return std::find(pad.begin(), pad.end(), true) != pad.end();
}

void Controls::noteUse(bool padWentDown)
{
    static_assert(KEY_MAX <= std::tuple_size<decltype(keysBefore)>::value, "a slot for every key");
    bool keyWentDown = false;
    for (int scancode = 1; scancode < KEY_MAX; scancode++) {
        const bool down = key[scancode] != 0;
        keyWentDown = keyWentDown || (down && !keysBefore[scancode]);
        keysBefore[scancode] = down;
    }
    if (padWentDown)
        padLast = true;
    else if (keyWentDown)
        padLast = false;
}
