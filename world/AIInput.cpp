#include "world/AIInput.h"

#include <cmath>

#include "world/Player.h"

AIInput::AIInput()
    : target(nullptr), owner(nullptr), goLeft(false), goRight(false), goUp(false), goDown(false)
{
}

bool AIInput::left() { return goLeft; }

bool AIInput::right() { return goRight; }

bool AIInput::up() { return goUp; }

bool AIInput::down() { return goDown; }

void AIInput::update()
{
    if (!target || !owner) {
        steer(false, false, false, false);
        return;
    }
    float dx = owner->pos.x - target->pos.x;
    float dy = owner->pos.y - target->pos.y;
    bool far = dx * dx + dy * dy > FAR_DISTANCE_SQUARED;
    bool movingAway = owner->vel.x * dx > 0.0f || owner->vel.y * dy > 0.0f;
    if (far && movingAway)
        return;

    bool towardsLeft = dx > 0.0f;
    bool towardsUp = dy > 0.0f;
    float ax = std::fabs(dx);
    float ay = std::fabs(dy);
    bool horizontal = !(ay > SINGLE_AXIS_RATIO * ax);
    bool vertical = !(ax > SINGLE_AXIS_RATIO * ay);
    steer(horizontal && towardsLeft, horizontal && !towardsLeft, vertical && towardsUp, vertical && !towardsUp);
}

void AIInput::steer(bool left, bool right, bool up, bool down)
{
    goLeft = left;
    goRight = right;
    goUp = up;
    goDown = down;
}
