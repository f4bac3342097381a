#include "StandInResources.h"

#include <allegro.h>

#include "frame/Resources.h"
#include "settings/PictureSize.h"
#include "world/Powerup.h"

namespace {

constexpr int CREATURE_SIZE = 32;  // twice the default radius
constexpr int STAR_SIZE = 2 * Powerup::STAR_HALF;

BITMAP* square(int size, int r, int g, int b)
{
    BITMAP* bitmap = create_bitmap(size, size);
    clear_to_color(bitmap, makecol(255, 0, 255));
    rectfill(bitmap, 1, 1, size - 2, size - 2, makecol(r, g, b));
    return bitmap;
}

SAMPLE* silence() { return create_sample(16, 0, 22050, 64); }

template <typename Entry, std::size_t N, typename Make>
void fill(Entry* (&entries)[N], Make make)
{
    for (std::size_t i = 0; i < N; i++)
        entries[i] = make(static_cast<int>(i));
}

} // namespace

StandInResources::StandInResources()
{
    backBitmap = create_bitmap(PICTURE_W, PICTURE_H);
    clear_to_color(backBitmap, makecol(10, 20, 30));
    spaceBitmap = create_bitmap(static_cast<int>(Object::WORLD_WIDTH), static_cast<int>(Object::WORLD_HEIGHT));
    clear_to_color(spaceBitmap, makecol(5, 5, 20));
    fill(faceBitmaps, [](int i) { return square(CREATURE_SIZE, 100 + i * 8, 200, 255 - i * 8); });
    fill(tailBitmaps, [](int i) { return square(CREATURE_SIZE, 50, 100 + i * 16, 200); });
    fill(starBitmaps, [](int i) { return square(STAR_SIZE, 255, 200 - i * 20, 40 + i * 30); });
    fill(ambientSamplesA, [](int) { return silence(); });
    fill(ambientSamplesB, [](int) { return silence(); });
    dieSample = silence();
    thumpSample = silence();
    collectSample = silence();
    selectSample = silence();
    fill(scrSamples, [](int) { return silence(); });
}

StandInResources::~StandInResources() { unloadData(); }
