#pragma once

#include <array>

#include "settings/Action.h"
#include "settings/Settings.h"

// One action as the player knows it: its name on the controls screen and the
// two settings that bind it, a key by name and a pad button (-1 for none),
// whose defaults are those of settings/SettingList.h.
struct ActionSetting {
    Action action;
    const char* label;
    KeyName Settings::*key;
    int Settings::*padButton;
};

// In the order the player reads them, which the file's [KEYS] and the
// controls screen keep.
constexpr ActionSetting ACTION_SETTINGS[ACTION_COUNT] = {
    {Action::Up, "Up", &Settings::keyUp, &Settings::padUp},
    {Action::Down, "Down", &Settings::keyDown, &Settings::padDown},
    {Action::Left, "Left", &Settings::keyLeft, &Settings::padLeft},
    {Action::Right, "Right", &Settings::keyRight, &Settings::padRight},
    {Action::Choose, "Choose", &Settings::keyChoose, &Settings::padEnter},
    {Action::Back, "Back", &Settings::keyBack, &Settings::padEscape},
};

const ActionSetting& settingOf(Action action);

const char* keyNameOf(const Settings& s, Action action);
void setKeyName(Settings& s, Action action, const char* name);
int padButtonOf(const Settings& s, Action action);
void setPadButton(Settings& s, Action action, int button);
// Every action's key and button back to its default.
void resetBindings(Settings& s);

// F11 alone, or Enter with Alt or AltGr, switches between a window and the
// full screen on every screen.
extern const int MODE_SWITCH_KEY;
extern const int MODE_SWITCH_ALTS[2];

// A name holds letters and digits: the characters the name field takes, and
// the keys that type them, with Backspace, which edits it.
bool isNameCharacter(int c);
bool typesName(int scancode);

// Whether action may have the key: not one the game keeps for itself (the
// mode switch's, and the lock keys, which light their lamps and change what
// the name field types; the X server reports some only as the lock turns on),
// and for Choose and Back, which enter a name, not one that edits it.
bool mayTake(Action action, int scancode);

// A scan code or a button for each action, by bitOf.
using ActionInputs = std::array<int, ACTION_COUNT>;

// action takes scancode, and the action that had it takes action's old key in
// exchange; false, with keys untouched, when either may not have its new key.
bool swapKeys(ActionInputs& keys, Action action, int scancode);
// action takes button, and the action that had it takes action's old button.
// Start is no action's; Choose and Back must keep a button, so one of theirs
// goes to a direction only for the direction's own button in exchange.
bool swapButtons(ActionInputs& buttons, Action action, int button, int startButton);
