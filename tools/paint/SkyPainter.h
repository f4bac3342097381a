#pragma once

#include <cstdint>

#include "paint/Image.h"
#include "paint/Noise.h"

// Paints night skies: layered nebula clouds, dark dust lanes and stars of many
// sizes and temperatures. The play field's 1024x768 background and the menu
// backdrop's sky come from here, each from its own seed.
class SkyPainter {
public:
    explicit SkyPainter(uint64_t seed);

    // Clouds over the whole picture; `scale` is how many noise units span
    // the picture's width (more units: smaller clouds), `brightness` scales
    // the light of the clouds.
    void paintNebula(Image& image, float scale, float brightness) const;

    // Scatters `count` stars, from faint dust to a few with halos and rays;
    // where the clouds are bright the stars gather more densely.
    void paintStars(Image& image, int count) const;

    // Faint floating lights of lost souls, greenish and bluish.
    void paintWisps(Image& image, int count) const;

private:
    uint64_t seed;
    Noise shape, warpX, warpY, hue, dust, large;
};
