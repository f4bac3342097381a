#pragma once

#include "world/Input.h"

// The player's direction actions, from whatever holds them: the keys and the
// pad, or the replay being played back. The play screen latches the actions
// once at the start of each tick, so every question within a tick gets the
// same answer, the one the replay records.
class UserInput : public Input {
public:
    bool left() override;
    bool right() override;
    bool up() override;
    bool down() override;
};
