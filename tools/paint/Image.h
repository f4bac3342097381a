#pragma once

#include <vector>

#include "paint/Colour.h"

struct BITMAP;

// A picture being painted: premultiplied colour with coverage per pixel, in
// floats so that glows can stack before the result is rounded to 8 bits.
class Image {
public:
    Image(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Pixel& at(int x, int y) { return pixels[y * w + x]; }
    const Pixel& at(int x, int y) const { return pixels[y * w + x]; }

    // Anti-aliases by averaging a grid of samples x samples points per pixel;
    // shade(x, y) returns the premultiplied colour at a point in pixel units.
    template <typename Shade>
    static Image render(int width, int height, int samples, Shade shade)
    {
        Image image(width, height);
        const float step = 1.0f / samples;
        const float weight = 1.0f / (samples * samples);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                Pixel sum;
                for (int sy = 0; sy < samples; sy++)
                    for (int sx = 0; sx < samples; sx++) {
                        Pixel p = shade(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step);
                        sum.c += p.c * weight;
                        sum.a += p.a * weight;
                    }
                image.at(x, y) = sum;
            }
        return image;
    }

    // Adds a round gaussian light centred on (cx, cy); sigma in pixels.
    void addGlow(float cx, float cy, float sigma, const Colour& colour, float strength);

    // Paints another picture over this one at (x, y).
    void paint(const Image& layer, int x, int y);

    // A picture composed over black, for backgrounds. A little ordered noise
    // keeps smooth gradients from banding after rounding and JPEG storage.
    BITMAP* toBitmap() const;

    // A sprite on the mask colour. The game blends sprites over the night
    // sky, replacing what lies below, so the sprite's faint glow is composed
    // over `ground`, the sky's average colour: where the glow fades out the
    // sprite then matches the sky and no dark ring shows. Pixels covered less
    // than `cutoff` become magenta and are skipped when drawn.
    BITMAP* toSprite(const Colour& ground, float cutoff) const;

    // The average colour, of a sky for example.
    Colour mean() const;

private:
    int w, h;
    std::vector<Pixel> pixels;
};
