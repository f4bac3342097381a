#include "paint/Mask.h"

#include <cmath>

#include "paint/Image.h"

Mask Mask::blurred(float sigma) const
{
    int radius = static_cast<int>(std::ceil(sigma * 3.0f));
    std::vector<float> kernel(2 * radius + 1);
    float total = 0;
    for (int i = -radius; i <= radius; i++) {
        kernel[i + radius] = std::exp(-0.5f * i * i / (sigma * sigma));
        total += kernel[i + radius];
    }
    for (float& k : kernel)
        k /= total;

    // A gaussian is separable: blurred across, then down.
    return pass(kernel, 1, 0).pass(kernel, 0, 1);
}

Mask Mask::pass(const std::vector<float>& kernel, int dx, int dy) const
{
    int radius = static_cast<int>(kernel.size() / 2);
    Mask result(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float sum = 0;
            for (int i = -radius; i <= radius; i++) {
                int sx = x + i * dx;
                int sy = y + i * dy;
                if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                    sum += at(sx, sy) * kernel[i + radius];
            }
            result.at(x, y) = sum;
        }
    return result;
}

void Mask::glowUnder(Image& image, const Colour& colour, float strength, float shape) const
{
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float glow = strength * std::pow(at(x, y), shape);
            Pixel& p = image.at(x, y);
            // Under: the glow only shows where the painted layer lets it through.
            p.c += colour * (glow * (1.0f - p.a));
            p.a += std::fmin(1.0f, glow) * (1.0f - p.a);
        }
}
