#pragma once

// What the player asks of a screen, whichever key or pad input asked it. The
// order is the order of the bits a replay stores for each tick, so it never
// changes.
enum class Action { Left, Right, Up, Down, Choose, Back };

constexpr int ACTION_COUNT = 6;

constexpr int bitOf(Action action) { return static_cast<int>(action); }
