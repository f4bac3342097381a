#pragma once

#include <array>

#include "settings/ActionSetting.h"

// The actions the screens read as held: the keyboard's key bound to each,
// together with what the gamepad holds, so every screen answers the pad
// exactly as it answers the keyboard and a remapped key everywhere at once.
// The single instance is a global, like the settings record.
class Controls {
public:
    // A scan code for each action, in the actions' order.
    using Keys = ActionInputs;

    Controls();

    static int defaultKey(Action action);
    // Whether action may have the key: one with a name it may take (mayTake).
    static bool bindable(Action action, int scancode);
    // The actions' keys as the settings name them. A name of no key or of one
    // the action may not have, and a key an action listed earlier already
    // has, give the action its default; a default another action has chosen sends that action
    // back to its own default too. No two actions ever share a key.
    static Keys keysOf(const Settings& s);

    // From now on the actions read the keys the settings name.
    void bind(const Settings& s);
    int keyOf(Action action) const;
    // action takes the key in exchange with the action that had it
    // (swapKeys), into s and into these controls; false when refused.
    bool takeKey(Settings& s, Action action, int scancode);

    bool held(Action action) const;

    // The gamepad holds action down, or lets it go, until it says otherwise;
    // the keyboard's own state is never touched.
    void holdPad(Action action, bool down);
    void releasePad();
    // The actions bound to the keyboard's scancode read as up until the key
    // is let go: a key that was part of a shortcut does nothing more on the
    // screens.
    void ignoreUntilReleased(int scancode);

    // The actions as the devices hold them now, bit bitOf(action) each.
    unsigned heldActions() const;
    // Until unlatch, the actions read as mask says, whatever the devices do:
    // a tick then sees one state of them from its first step to its last,
    // and a replay can stand in for the player.
    void latch(unsigned mask);
    void unlatch();
    // Any key of the keyboard, bound or not, or any action on the pad,
    // latched or not: what ends a replay shown between menus.
    bool anyDeviceKeyHeld() const;

    // Once a tick: whether the pad had something go down this tick; a key of
    // the keyboard that went down since the last call counts as the
    // keyboard's use. The hints name the last used device's input.
    void noteUse(bool padWentDown);
    bool padUsedLast() const { return padLast; }

private:
    bool deviceHeld(Action action) const;

    Keys keys;
    std::array<bool, ACTION_COUNT> pad{};
    // Cleared by the first look that finds the action's key up.
    mutable std::array<bool, ACTION_COUNT> ignored{};
    // Room for the library's whole key array (KEY_MAX entries).
    std::array<bool, 128> keysBefore{};
    bool padLast = false;
    bool latched = false;
    unsigned latchedMask = 0;
};

extern Controls controls;
