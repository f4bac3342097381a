#include "world/Object.h"

#include <cstdlib>

namespace {

// The lower corner is checked last, so it wins when the box is empty.
float clampedStep(float position, float velocity, float low, float high)
{
    float next = position + velocity;
    if (!(next < high))
        next = high;
    if (next < low)
        next = low;
    return next;
}

} // namespace

Object::Object() : pos(0.0f, 0.0f), boundsMin(0.0f, 0.0f), boundsMax(WORLD_WIDTH, WORLD_HEIGHT), vel(0.0f, 0.0f) {}

Object::~Object() = default;

void Object::reset() {}

void Object::update()
{
    pos.x = clampedStep(pos.x, vel.x, boundsMin.x, boundsMax.x);
    pos.y = clampedStep(pos.y, vel.y, boundsMin.y, boundsMax.y);
}

void Object::draw(BITMAP*, const Camera&) {}

int randomBelow(int span)
{
    int r = std::rand();
    return span > 0 ? r % span : 0;
}

float randomCoordinate(float low, float high)
{
    int offset = randomBelow(static_cast<int>(high - low));
    return static_cast<float>(offset + static_cast<int>(low));
}

float squaredDistance(const Object& a, const Object& b)
{
    float dx = a.pos.x - b.pos.x;
    float dy = a.pos.y - b.pos.y;
    return dx * dx + dy * dy;
}
