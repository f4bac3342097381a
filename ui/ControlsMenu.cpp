#include "ui/ControlsMenu.h"

#include <allegro.h>
#include <cstdio>
#include <memory>
#include <string>

#include "input/Controls.h"
#include "input/Gamepad.h"
#include "input/KeyNames.h"
#include "settings/Settings.h"
#include "ui/MenuItemBinding.h"

namespace {

constexpr int TOP = 64;
constexpr int SPACING = 16;
constexpr int GAP = 8;

const char* const LABELS[ACTION_COUNT] = {"Left", "Right", "Up", "Down", "Choose", "Back"};

const char* const HINT = "Choose a line to change it";

bool isDirection(Action action) { return action != Action::Choose && action != Action::Back; }

// The stick and the D-pad always steer; a button may steer beside them.
std::string padText(Action action)
{
    const int button = Gamepad::buttonOf(action);
    if (button < 0)
        return "stick";
    const std::string number = std::to_string(button);
    return isDirection(action) ? "stick + " + number : "button " + number;
}

} // namespace

ControlsMenu::ControlsMenu(int leaveResult)
{
    int y = TOP;
    for (Action action : ACTIONS_LISTED) {
        addItem(std::make_unique<MenuItemBinding>(LABELS[bitOf(action)], FIRST_ACTION_LINE + bitOf(action), y));
        y += SPACING;
    }
    y += GAP;
    addItem(std::make_unique<MenuItem>("Reset", RESET_LINE, y));
    addItem(std::make_unique<MenuItem>("Done", leaveResult, y + SPACING));
    auto hint = std::make_unique<MenuItem>(HINT, leaveResult, y + 2 * SPACING + GAP);
    hint->disable();
    addItem(std::move(hint));
    showBindings();
}

Error ControlsMenu::start()
{
    waiting = -1;
    showBindings();
    return Menu::start();
}

bool ControlsMenu::logic()
{
    if (waiting >= 0) {
        for (const std::unique_ptr<MenuItem>& item : items)
            item->logic();
        takeInput();
        readKeys();
        return false;
    }
    if (!Menu::logic())
        return false;
    // Back leaves, as in every menu, and so does "Done".
    const int id = controls.held(Action::Back) ? result : getSelectedItem()->getId();
    if (id >= FIRST_ACTION_LINE && id < RESET_LINE) {
        startWaiting(static_cast<Action>(id - FIRST_ACTION_LINE));
    } else if (id == RESET_LINE) {
        reset();
    } else {
        return true;
    }
    // The press that chose the line binds nothing and chooses nothing again.
    readKeys();
    return false;
}

void ControlsMenu::startWaiting(Action action)
{
    waiting = bitOf(action);
    showBindings();
}

// Any key the game does not keep for itself, or any button but Start. A push
// of the stick or the D-pad, which cannot be bound elsewhere, leaves the line
// as it was.
void ControlsMenu::takeInput()
{
    const Action action = static_cast<Action>(waiting);
    bool done = false;
    for (int scancode = 1; scancode < KEY_MAX && !done; scancode++)
        done = keyPressed(scancode) && bindKey(action, scancode);
    const int button = gamepad.pressedButton();
    if (!done && button >= 0)
        done = bindButton(action, button);
    for (Action direction : {Action::Left, Action::Right, Action::Up, Action::Down})
        done = done || (button < 0 && gamepad.pressed(direction));
    if (!done)
        return;
    waiting = -1;
    showBindings();
}

// A key the other action could not have in exchange is refused too.
bool ControlsMenu::bindKey(Action action, int scancode)
{
    if (!Controls::bindable(action, scancode))
        return false;
    Controls::Keys keys;
    for (int a = 0; a < ACTION_COUNT; a++)
        keys[a] = controls.keyOf(static_cast<Action>(a));
    const int old = keys[bitOf(action)];
    for (int a = 0; a < ACTION_COUNT; a++) {
        if (keys[a] != scancode)
            continue;
        if (!Controls::bindable(static_cast<Action>(a), old))
            return false;
        keys[a] = old;
    }
    keys[bitOf(action)] = scancode;
    for (int a = 0; a < ACTION_COUNT; a++)
        setKeyName(settings, static_cast<Action>(a), keyName(keys[a]));
    controls.bind(settings);
    return true;
}

// Choose and Back must keep a button: one of theirs goes to a direction only
// for the direction's own button in exchange.
bool ControlsMenu::bindButton(Action action, int button)
{
    if (button == Gamepad::startButton())
        return false;
    const int old = Gamepad::buttonOf(action);
    for (int a = 0; a < ACTION_COUNT; a++) {
        const Action other = static_cast<Action>(a);
        if (other != action && Gamepad::buttonOf(other) == button && old < 0 && !isDirection(other))
            return false;
    }
    int buttons[ACTION_COUNT];
    for (int a = 0; a < ACTION_COUNT; a++) {
        const int current = Gamepad::buttonOf(static_cast<Action>(a));
        buttons[a] = current == button ? old : current;
    }
    buttons[bitOf(action)] = button;
    for (int a = 0; a < ACTION_COUNT; a++)
        setPadButton(settings, static_cast<Action>(a), buttons[a]);
    return true;
}

void ControlsMenu::reset()
{
    const Settings defaults;
    for (int a = 0; a < ACTION_COUNT; a++) {
        const Action action = static_cast<Action>(a);
        setKeyName(settings, action, keyNameOf(defaults, action));
        setPadButton(settings, action, padButtonOf(defaults, action));
    }
    controls.bind(settings);
    showBindings();
}

void ControlsMenu::showBindings()
{
    for (int a = 0; a < ACTION_COUNT; a++) {
        const Action action = ACTIONS_LISTED[a];
        auto* line = static_cast<MenuItemBinding*>(items[a].get());
        const char* key = keyName(controls.keyOf(action));
        line->keyText = bitOf(action) == waiting ? "..." : key ? key : "?";
        line->padText = padText(action);
    }
    char hint[64];
    if (waiting >= 0)
        std::snprintf(hint, sizeof hint, "Press a key or button for %s", LABELS[waiting]);
    items.back()->text = waiting >= 0 ? hint : HINT;
}
