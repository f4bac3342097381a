#pragma once

// What the player asks of a screen, whichever key or pad input asked it. The
// order is the order of the bits a replay stores for each tick, so it never
// changes.
enum class Action { Left, Right, Up, Down, Choose, Back };

constexpr int ACTION_COUNT = 6;

constexpr int bitOf(Action action) { return static_cast<int>(action); }

// The order the player reads them in: the settings file and the controls
// screen list them so.
constexpr Action ACTIONS_LISTED[ACTION_COUNT] = {Action::Up,     Action::Down,  Action::Left,
                                                 Action::Right, Action::Choose, Action::Back};
