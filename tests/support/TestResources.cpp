#include "TestResources.h"

#include <allegro.h>

#include "app/Resources.h"

namespace {

BITMAP* square(int size, int r, int g, int b)
{
    BITMAP* bitmap = create_bitmap(size, size);
    clear_to_color(bitmap, makecol(255, 0, 255));
    rectfill(bitmap, 1, 1, size - 2, size - 2, makecol(r, g, b));
    return bitmap;
}

SAMPLE* silence() { return create_sample(16, 0, 22050, 64); }

} // namespace

TestResources::TestResources()
{
    backBitmap = create_bitmap(320, 240);
    clear_to_color(backBitmap, makecol(10, 20, 30));
    spaceBitmap = create_bitmap(1024, 768);
    clear_to_color(spaceBitmap, makecol(5, 5, 20));
    for (int i = 0; i < 16; i++)
        faceBitmaps[i] = square(32, 100 + i * 8, 200, 255 - i * 8);
    for (int i = 0; i < 8; i++)
        tailBitmaps[i] = square(32, 50, 100 + i * 16, 200);
    for (int i = 0; i < 7; i++)
        starBitmaps[i] = square(12, 255, 200 - i * 20, 40 + i * 30);
    for (SAMPLE*& sample : ambientSamplesA)
        sample = silence();
    for (SAMPLE*& sample : ambientSamplesB)
        sample = silence();
    dieSample = silence();
    thumpSample = silence();
    collectSample = silence();
    selectSample = silence();
    for (SAMPLE*& sample : scrSamples)
        sample = silence();
}

TestResources::~TestResources() { unloadData(); }
