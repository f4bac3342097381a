#include "paint/Image.h"

#include <allegro.h>
#include <cmath>

namespace {

// 4x4 Bayer matrix, centred on zero, in units of one 8-bit step.
float bayer(int x, int y)
{
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f;
}

int to8(float v, float dither)
{
    int i = static_cast<int>(std::floor(clamp01(v) * 255.0f + 0.5f + dither));
    return std::min(255, std::max(0, i));
}

} // namespace

Image::Image(int width, int height) : w(width), h(height), pixels(width * height) {}

void Image::addGlow(float cx, float cy, float sigma, const Colour& colour, float strength)
{
    const float reach = sigma * 3.5f;
    int x0 = std::max(0, static_cast<int>(std::floor(cx - reach)));
    int x1 = std::min(w - 1, static_cast<int>(std::ceil(cx + reach)));
    int y0 = std::max(0, static_cast<int>(std::floor(cy - reach)));
    int y1 = std::min(h - 1, static_cast<int>(std::ceil(cy + reach)));
    const float k = -0.5f / (sigma * sigma);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            float dx = x + 0.5f - cx;
            float dy = y + 0.5f - cy;
            at(x, y).add(colour, strength * std::exp((dx * dx + dy * dy) * k));
        }
}

void Image::paint(const Image& layer, int x, int y)
{
    for (int ly = 0; ly < layer.height(); ly++)
        for (int lx = 0; lx < layer.width(); lx++) {
            int tx = x + lx;
            int ty = y + ly;
            if (tx < 0 || ty < 0 || tx >= w || ty >= h)
                continue;
            const Pixel& top = layer.at(lx, ly);
            Pixel& below = at(tx, ty);
            below.c = top.c + below.c * (1.0f - top.a);
            below.a = top.a + below.a * (1.0f - top.a);
        }
}

BITMAP* Image::toBitmap() const
{
    BITMAP* bitmap = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const Colour& c = at(x, y).c;
            float d = bayer(x, y);
            putpixel(bitmap, x, y, makecol32(to8(c.r, d), to8(c.g, d), to8(c.b, d)));
        }
    return bitmap;
}

BITMAP* Image::toSprite(const Colour& ground, float cutoff) const
{
    BITMAP* bitmap = create_bitmap_ex(32, w, h);
    const int mask = makecol32(255, 0, 255);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const Pixel& p = at(x, y);
            Colour c = p.c + ground * (1.0f - p.a);
            int colour = makecol32(to8(c.r, 0), to8(c.g, 0), to8(c.b, 0));
            if (p.a < cutoff)
                colour = mask;
            else if (colour == mask)
                colour = makecol32(255, 1, 255);  // a painted pixel must never vanish
            putpixel(bitmap, x, y, colour);
        }
    return bitmap;
}

Colour Image::mean() const
{
    Colour sum;
    for (const Pixel& p : pixels)
        sum += p.c;
    return sum * (1.0f / pixels.size());
}
