#include "BenchResources.h"

#include <allegro.h>

#include "app/Resources.h"

namespace {

// A disc on the mask colour, so sprites have transparent corners like the
// real ones and the blender skips them the same way.
BITMAP* disc(int size, int r, int g, int b)
{
    BITMAP* bitmap = create_bitmap(size, size);
    clear_to_color(bitmap, makecol(255, 0, 255));
    circlefill(bitmap, size / 2, size / 2, size / 2 - 1, makecol(r, g, b));
    return bitmap;
}

} // namespace

void makeStandInResources()
{
    spaceBitmap = create_bitmap(1024, 768);
    for (int y = 0; y < 768; y++)
        hline(spaceBitmap, 0, y, 1023, makecol(0, y / 12, y / 6));
    backBitmap = create_bitmap(320, 240);
    clear_to_color(backBitmap, makecol(20, 20, 40));
    for (int i = 0; i < 16; i++)
        faceBitmaps[i] = disc(32, 120 + i * 8, 200, 255 - i * 8);
    for (int i = 0; i < 8; i++)
        tailBitmaps[i] = disc(32, 60, 100 + i * 16, 220);
    for (int i = 0; i < 7; i++)
        starBitmaps[i] = disc(12, 255, 220 - i * 20, 40 + i * 30);
}
