#pragma once

#include <string>

#include "settings/Action.h"

// What a hint calls the input bound to action: the pad's button when the pad
// was the last device used and a button is bound to the action, otherwise the
// keyboard's key; written in capitals, as the game's texts name keys
// ("Press ENTER to continue...").
std::string hintLabel(Action action);
