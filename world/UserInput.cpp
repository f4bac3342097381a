#include "world/UserInput.h"

#include <allegro.h>

bool UserInput::left() { return key[KEY_LEFT] != 0; }

bool UserInput::right() { return key[KEY_RIGHT] != 0; }

bool UserInput::up() { return key[KEY_UP] != 0; }

bool UserInput::down() { return key[KEY_DOWN] != 0; }
