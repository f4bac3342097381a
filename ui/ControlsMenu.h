#pragma once

#include "settings/Action.h"
#include "ui/Menu.h"

// The controls screen: one line for each action with the key and the pad
// input bound to it, then "Reset" and "Done". Choosing an action's line waits
// for the next key or pad button and binds it; a key or button another action
// has moves to that action in exchange, so no action is ever left without
// one. Every change goes into the settings record at once, which the
// controls read: leaving the screen keeps it. Owned by the application.
class ControlsMenu : public Menu {
public:
    // The line codes the screen answers itself; the application only ever
    // sees the code of "Done" or the escape code.
    static constexpr int FIRST_ACTION_LINE = 100;
    static constexpr int RESET_LINE = FIRST_ACTION_LINE + ACTION_COUNT;

    // leaveResult: the code of "Done" (the escape code is the menu's result).
    explicit ControlsMenu(int leaveResult);

    bool logic() override;
    Error start() override;

    // The action waited for, or -1 while the lines can be moved over.
    int waitingFor() const { return waiting; }

private:
    void startWaiting(Action action);
    void takeInput();
    bool bindKey(Action action, int scancode);
    bool bindButton(Action action, int button);
    void reset();
    void showBindings();

    int waiting = -1;
};
