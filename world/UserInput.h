#pragma once

#include "world/Input.h"

// The user's arrow keys (or whatever holds them for the player), read live at
// the moment of each question; nothing is latched.
class UserInput : public Input {
public:
    bool left() override;
    bool right() override;
    bool up() override;
    bool down() override;
};
