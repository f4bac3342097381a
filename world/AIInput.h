#pragma once

#include "world/Input.h"

class Object;
class Player;

// The computer's steering: a chase rule towards target in eight directions.
// Owned by its Soul, which sets owner; the play screen sets target (the
// user's creature, which outlives every soul). Neither pointer is owned.
class AIInput : public Input {
public:
    // Beyond this distance a chaser that is moving away keeps its steering,
    // so it overshoots and swings back instead of turning on the spot.
    static constexpr float FAR_DISTANCE_SQUARED = 40000.0f;
    // One axis alone is steered only when its offset is more than this many
    // times the other's.
    static constexpr float SINGLE_AXIS_RATIO = 2.0f;

    AIInput();

    bool left() override;
    bool right() override;
    bool up() override;
    bool down() override;
    // Recomputes the latched answers. Without a target or an owner there is
    // nothing to chase and all four answers are false.
    void update() override;

    Object* target;
    Player* owner;
    bool goLeft;
    bool goRight;
    bool goUp;
    bool goDown;

private:
    void steer(bool left, bool right, bool up, bool down);
};
