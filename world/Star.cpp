#include "world/Star.h"

#include <allegro.h>
#include <cstdlib>

#include "world/Camera.h"

Star::Star() : color(0) {}

void Star::reset()
{
    pos.x = static_cast<float>(randomBelow(static_cast<int>(boundsMax.x - boundsMin.x)) + static_cast<int>(boundsMin.x));
    pos.y = static_cast<float>(randomBelow(static_cast<int>(boundsMax.y - boundsMin.y)) + static_cast<int>(boundsMin.y));
    int grey = std::rand() % GREY_RANGE + GREY_MIN;
    color = makecol(grey, grey, grey);
}

void Star::draw(BITMAP* target, const Camera& camera)
{
    putpixel(target, camera.screenX(pos.x), camera.screenY(pos.y), color);
}
