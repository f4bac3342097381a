#include "input/Controls.h"

#include <algorithm>
#include <allegro.h>

#include "input/KeyNames.h"
#include "input/KeyTaps.h"
#include "settings/ActionSetting.h"

Controls controls;

namespace {

Action actionAt(int index) { return static_cast<Action>(index); }

} // namespace

Controls::Controls()
{
    for (int a = 0; a < ACTION_COUNT; a++)
        keys[a] = defaultKey(actionAt(a));
}

int Controls::defaultKey(Action action) { return scancodeNamed(keyNameOf(Settings(), action)); }

bool Controls::bindable(Action action, int scancode) { return keyName(scancode) && mayTake(action, scancode); }

Controls::Keys Controls::keysOf(const Settings& s)
{
    // Worked out in the order of the file, so the later of two lines naming
    // one key is the one that falls back.
    int chosen[ACTION_COUNT];
    int defaults[ACTION_COUNT];
    for (int i = 0; i < ACTION_COUNT; i++) {
        const Action action = ACTION_SETTINGS[i].action;
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
        keys[bitOf(ACTION_SETTINGS[i].action)] = chosen[i];
    return keys;
}

void Controls::bind(const Settings& s) { keys = keysOf(s); }

bool Controls::takeKey(Settings& s, Action action, int scancode)
{
    Keys next = keys;
    if (!keyName(scancode) || !swapKeys(next, action, scancode))
        return false;
    for (int a = 0; a < ACTION_COUNT; a++)
        setKeyName(s, actionAt(a), keyName(next[a]));
    bind(s);
    return true;
}

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
    const bool keyboard = scancode > 0 && KeyTaps::down(scancode);
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
        if (KeyTaps::down(scancode))
            return true;
    return std::find(pad.begin(), pad.end(), true) != pad.end();
}

void Controls::noteUse(bool padWentDown)
{
    static_assert(KEY_MAX <= std::tuple_size<decltype(keysBefore)>::value, "a slot for every key");
    bool keyWentDown = false;
    for (int scancode = 1; scancode < KEY_MAX; scancode++) {
        const bool down = KeyTaps::down(scancode);
        keyWentDown = keyWentDown || (down && !keysBefore[scancode]);
        keysBefore[scancode] = down;
    }
    if (padWentDown)
        padLast = true;
    else if (keyWentDown)
        padLast = false;
}
