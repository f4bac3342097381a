#include "ui/ControlsMenu.h"

#include <allegro.h>
#include <memory>
#include <string>

#include "input/Controls.h"
#include "input/Gamepad.h"
#include "input/InputLabel.h"
#include "input/KeyNames.h"
#include "settings/ActionSetting.h"
#include "ui/MenuItemBinding.h"

namespace {

// The panel's top clears the title's lettering, as the options' does, and its
// bottom stays inside the picture.
constexpr int TOP = 80;
constexpr int SPACING = 16;
constexpr int GAP = 4;

bool isDirection(Action action) { return action != Action::Choose && action != Action::Back; }

// The stick and the D-pad always steer; a button may steer beside them.
std::string padText(Action action)
{
    const int button = Gamepad::buttonOf(action);
    const std::string label = button < 0 ? "" : gamepad.buttonLabel(button);
    if (!isDirection(action))
        return label;
    return button < 0 ? "Left stick / D-pad" : "Left stick / D-pad / " + label;
}

} // namespace

ControlsMenu::ControlsMenu(int leaveResult)
{
    int y = TOP;
    for (const ActionSetting& each : ACTION_SETTINGS) {
        addItem(std::make_unique<MenuItemBinding>(each.label, FIRST_ACTION_LINE + bitOf(each.action), y));
        y += SPACING;
    }
    y += GAP;
    addItem(std::make_unique<MenuItem>("Reset", RESET_LINE, y));
    addItem(std::make_unique<MenuItem>("Done", leaveResult, y + SPACING));
    auto hint = std::make_unique<MenuItem>("", leaveResult, y + 2 * SPACING + GAP);
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
    // The names follow a pad plugged in or the other device taken up.
    showBindings();
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

// A key or button the other action could not have in exchange is refused too.
bool ControlsMenu::bindKey(Action action, int scancode) { return controls.takeKey(settings, action, scancode); }

bool ControlsMenu::bindButton(Action action, int button) { return Gamepad::takeButton(action, button); }

void ControlsMenu::reset()
{
    resetBindings(settings);
    controls.bind(settings);
    showBindings();
}

void ControlsMenu::showBindings()
{
    for (int a = 0; a < ACTION_COUNT; a++) {
        const Action action = ACTION_SETTINGS[a].action;
        auto* line = static_cast<MenuItemBinding*>(items[a].get());
        const char* key = keyLabel(controls.keyOf(action));
        line->keyText = bitOf(action) == waiting ? "..." : key ? key : "?";
        line->padText = padText(action);
    }
    items.back()->text = waiting >= 0
        ? std::string("Press a key or button for ") + settingOf(static_cast<Action>(waiting)).label
        : "Press " + hintLabel(Action::Choose) + " on a line to change it";
}
