#include "world/UserInput.h"

#include <allegro.h>

#include "app/Controls.h"

bool UserInput::left() { return controls.held(KEY_LEFT); }

bool UserInput::right() { return controls.held(KEY_RIGHT); }

bool UserInput::up() { return controls.held(KEY_UP); }

bool UserInput::down() { return controls.held(KEY_DOWN); }
