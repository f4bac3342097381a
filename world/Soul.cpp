#include "world/Soul.h"

#include <cstdlib>

#include "app/Settings.h"
#include "world/AIInput.h"

namespace {

constexpr float SOUL_EASY_SHARE = 0.5f;
constexpr float SOUL_HARD_SHARE = 1.5f;

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

float Soul::startingHealth()
{
    switch (settings.difficulty) {
    case 0:
        return SOUL_EASY_SHARE * settings.hp2;
    case 2:
        return SOUL_HARD_SHARE * settings.hp2;
    default:
        return static_cast<float>(settings.hp2);
    }
}

AIInput* Soul::aiInput() const { return dynamic_cast<AIInput*>(input.get()); }

void Soul::setTarget(Object* target)
{
    if (AIInput* controller = aiInput())
        controller->target = target;
}
