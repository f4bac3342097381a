#include "ui/FramedPanel.h"

#include <allegro.h>

#include "desktop/Dispose.h"

BITMAP* framedPanel(BITMAP*& cache, int width, int height, int fill)
{
    if (cache && cache->w == width && cache->h == height)
        return cache;
    dispose(cache, destroy_bitmap);
    cache = create_bitmap(width, height);
    if (!cache)
        return nullptr;
    clear_to_color(cache, fill);
    rect(cache, 0, 0, width - 1, height - 1, makecol(0, 0, 0));
    return cache;
}
