#include "world/UserInput.h"

#include <allegro.h>

#include "input/Controls.h"

bool UserInput::left() { return controls.held(Action::Left); }

bool UserInput::right() { return controls.held(Action::Right); }

bool UserInput::up() { return controls.held(Action::Up); }

bool UserInput::down() { return controls.held(Action::Down); }
