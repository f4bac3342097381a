#pragma once

#include <vector>

#include "paint/Colour.h"

class Image;

// Coverage of a shape per pixel (0 to 1), from which glows are grown.
class Mask {
public:
    Mask(int width, int height) : w(width), h(height), values(width * height, 0.0f) {}

    // Coverage by counting how many of samples x samples points per pixel
    // lie inside the shape.
    template <typename Inside>
    static Mask of(int width, int height, int samples, Inside inside)
    {
        Mask mask(width, height);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                int hits = 0;
                for (int sy = 0; sy < samples; sy++)
                    for (int sx = 0; sx < samples; sx++)
                        if (inside(x + (sx + 0.5f) / samples, y + (sy + 0.5f) / samples))
                            hits++;
                mask.at(x, y) = static_cast<float>(hits) / (samples * samples);
            }
        return mask;
    }

    int width() const { return w; }
    int height() const { return h; }
    float& at(int x, int y) { return values[y * w + x]; }
    float at(int x, int y) const { return values[y * w + x]; }

    // A gaussian blur of the coverage; sigma in pixels. Outside the picture
    // counts as empty.
    Mask blurred(float sigma) const;

    // Light of the given colour laid under `image` wherever this mask
    // glows: strength x coverage^shape.
    void glowUnder(Image& image, const Colour& colour, float strength, float shape = 1.0f) const;

private:
    // One direction of a blur: the kernel laid along (dx, dy) at every pixel.
    Mask pass(const std::vector<float>& kernel, int dx, int dy) const;

    int w, h;
    std::vector<float> values;
};
