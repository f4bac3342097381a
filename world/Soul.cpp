#include "world/Soul.h"

#include <cstdlib>

#include "world/AIInput.h"
#include "world/Difficulty.h"

namespace {


float randomStartSpeed()
{
    return static_cast<float>(std::rand() % Soul::START_SPEED_RANGE - Soul::START_SPEED_CENTRE) /
           Soul::START_SPEED_DIVISOR;
}

} // namespace

Soul::Soul()
{
    auto controller = std::make_unique<AIInput>();
    controller->owner = this;
    input = std::move(controller);
    health = startingHealth();
    faceSet = SOUL_FACE_SET;
    tailSet = SOUL_TAIL_SET;
    reset();
}

void Soul::reset()
{
    vel.x = randomStartSpeed();
    vel.y = randomStartSpeed();
}

float Soul::startingHealth() { return Difficulty::soulStartingHealth(); }

AIInput* Soul::aiInput() const { return dynamic_cast<AIInput*>(input.get()); }

void Soul::setTarget(Object* target)
{
    if (AIInput* controller = aiInput())
        controller->target = target;
}
