#pragma once

#include "world/Input.h"

// The user's arrow keys, read live from the library's key array at the moment
// of each question; nothing is latched.
class UserInput : public Input {
public:
    bool left() override;
    bool right() override;
    bool up() override;
    bool down() override;
};
