#include "ScaledPresent.h"

#include <allegro.h>

#include "desktop/DoubleBuffer.h"

namespace {

// Room around the picture, as a desktop larger than the enlarged frame has.
constexpr int BORDER_X = 32;
constexpr int BORDER_Y = 24;

} // namespace

ScaledPresent::ScaledPresent(int scale)
    : scale(scale),
      frameBitmap(create_bitmap(FRAME_W, FRAME_H)),
      enlarged(scale > 1 ? create_bitmap(FRAME_W * scale, FRAME_H * scale) : nullptr),
      display(create_bitmap(FRAME_W * scale + 2 * BORDER_X, FRAME_H * scale + 2 * BORDER_Y))
{
}

ScaledPresent::~ScaledPresent()
{
    if (enlarged)
        destroy_bitmap(enlarged);
    destroy_bitmap(display);
    destroy_bitmap(frameBitmap);
}

void ScaledPresent::present()
{
    BITMAP* picture = frameBitmap;
    if (enlarged) {
        enlargeFrame(frameBitmap, enlarged, scale);
        picture = enlarged;
    }
    blit(picture, display, 0, 0, BORDER_X, BORDER_Y, picture->w, picture->h);
}
