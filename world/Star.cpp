#include "world/Star.h"

#include <allegro.h>
#include <cstdlib>

#include "world/Camera.h"

Star::Star() : color(0) {}

void Star::reset()
{
    pos.x = randomCoordinate(boundsMin.x, boundsMax.x);
    pos.y = randomCoordinate(boundsMin.y, boundsMax.y);
    int grey = std::rand() % GREY_RANGE + GREY_MIN;
    color = makecol(grey, grey, grey);
}

void Star::draw(BITMAP* target, const Camera& camera)
{
    putpixel(target, camera.screenX(pos.x), camera.screenY(pos.y), color);
}
