#include "world/ScoreBubble.h"

#include <algorithm>
#include <allegro.h>

#include "frame/ShadowedText.h"
#include "world/Camera.h"

namespace {

std::unique_ptr<char[]> copyText(const char* text)
{
    if (!text)
        text = empty_string;
    int size = ustrsizez(text);
    std::unique_ptr<char[]> copy(new char[size]);
    ustrzcpy(copy.get(), size, text);
    return copy;
}

} // namespace

ScoreBubble::ScoreBubble(float x, float y, const char* text) : text(copyText(text)), life(LIFE)
{
    pos = Vector(x, y);
    vel = Vector(0.0f, RISE);
    boundsMin = Vector(CEILING, CEILING);
}

void ScoreBubble::update()
{
    Object::update();
    life--;
}

void ScoreBubble::draw(BITMAP* target, const Camera& camera)
{
    int sx = camera.screenX(pos.x);
    int sy = camera.screenY(pos.y);
    // A bubble kept past its life stays black instead of wrapping the colour.
    float value = std::max(0.0f, life * VALUE_PER_LIFE);
    int r, g, b;
    hsv_to_rgb(HUE, 1.0f, value, &r, &g, &b);
    shadowedText(target, text.get(), sx, sy, makecol(r, g, b));
}
