#include "paint/SkyPainter.h"

#include <cmath>

#include "paint/Rng.h"

namespace {

// Star colours from hot to cool, weighted towards white.
const Colour STAR_COLOURS[] = {rgb(170, 200, 255), rgb(205, 222, 255), rgb(240, 244, 255),
                               rgb(255, 250, 235), rgb(255, 235, 200), rgb(255, 205, 160)};

Colour starColour(Rng& rng)
{
    float t = rng.uniform();
    int index = static_cast<int>(t * t * 6.0f * 0.999f + rng.uniform() * 1.2f);
    return STAR_COLOURS[std::min(index, 5)];
}

// A point light smaller than a pixel, shared out over the four nearest pixels.
void splat(Image& image, float x, float y, const Colour& colour, float strength)
{
    float fx = x - 0.5f;
    float fy = y - 0.5f;
    int ix = static_cast<int>(std::floor(fx));
    int iy = static_cast<int>(std::floor(fy));
    float ux = fx - ix;
    float uy = fy - iy;
    const float weights[4] = {(1 - ux) * (1 - uy), ux * (1 - uy), (1 - ux) * uy, ux * uy};
    for (int i = 0; i < 4; i++) {
        int px = ix + (i & 1);
        int py = iy + (i >> 1);
        if (px >= 0 && py >= 0 && px < image.width() && py < image.height())
            image.at(px, py).add(colour, strength * weights[i]);
    }
}

// Four thin rays, as a bright star seen through a lens.
void rays(Image& image, float cx, float cy, float reach, const Colour& colour, float strength)
{
    int r = static_cast<int>(reach);
    for (int i = -r; i <= r; i++) {
        if (i == 0)
            continue;
        float fall = std::pow(1.0f - std::fabs(static_cast<float>(i)) / (reach + 1), 2.5f);
        splat(image, cx + i, cy, colour, strength * fall);
        splat(image, cx, cy + i, colour, strength * fall);
    }
}

} // namespace

SkyPainter::SkyPainter(uint64_t seed)
    : seed(seed), shape(seed * 7 + 1), warpX(seed * 7 + 2), warpY(seed * 7 + 3), hue(seed * 7 + 4),
      dust(seed * 7 + 5), large(seed * 7 + 6)
{
}

void SkyPainter::paintNebula(Image& image, float scale, float brightness) const
{
    const float unit = scale / image.width();
    // Three cloud colours the hue field wanders between: ghost green, cold
    // blue and a bruised violet, so no region of the sky looks like another.
    const Colour teal = rgb(30, 120, 105);
    const Colour blue = rgb(35, 60, 150);
    const Colour violet = rgb(95, 45, 135);
    const Colour veil = rgb(120, 170, 210);
    for (int y = 0; y < image.height(); y++)
        for (int x = 0; x < image.width(); x++) {
            float u = x * unit;
            float v = y * unit;
            // Warping the noise by other noise turns round blobs into swirls.
            float wx = u + 0.9f * warpX.fbm(u * 0.8f, v * 0.8f, 4);
            float wy = v + 0.9f * warpY.fbm(u * 0.8f + 5.2f, v * 0.8f + 1.3f, 4);
            float density = smoothstep(-0.55f, 0.95f, shape.fbm(wx * 1.2f, wy * 1.2f, 6));
            float region = 0.35f + 0.65f * smoothstep(-0.6f, 0.7f, large.fbm(u * 0.35f + 9.0f, v * 0.35f, 3));
            float filaments = shape.ridges(wx * 2.3f + 3.1f, wy * 2.3f, 5);
            filaments = std::pow(filaments, 6.0f);
            float lanes = smoothstep(0.05f, 0.75f, dust.fbm(wx * 1.9f, wy * 1.9f, 5));
            // Smaller wisps of cloud of their own colour drift in front of
            // the big clouds, so even the emptiest stretch has texture.
            float sx = u * 2.6f + 0.5f * warpY.fbm(u * 2.0f + 7.0f, v * 2.0f, 3);
            float sy = v * 2.6f + 0.5f * warpX.fbm(u * 2.0f, v * 2.0f + 3.0f, 3);
            float small = smoothstep(-0.2f, 1.0f, dust.fbm(sx + 4.0f, sy - 2.0f, 5));
            float smallVeil = std::pow(large.ridges(sx * 1.3f, sy * 1.3f, 4), 5.0f);

            float h = 0.5f + 0.5f * hue.fbm(u * 0.55f, v * 0.55f, 3);
            Colour cloud = h < 0.5f ? mix(teal, blue, smoothstep(0.15f, 0.5f, h))
                                    : mix(blue, violet, smoothstep(0.5f, 0.85f, h));
            float h2 = 0.5f + 0.5f * hue.fbm(u * 0.9f + 11.0f, v * 0.9f, 3);
            Colour wisp = mix(teal, violet, smoothstep(0.3f, 0.7f, h2));
            float light = density * density * region;
            Colour c = rgb(6, 8, 20) + rgb(4, 6, 10) * (1.0f - v / (scale * 0.75f + 0.001f));
            c += wisp * ((small * small * 0.45f + smallVeil * 0.16f) * brightness);
            c += cloud * (light * 0.75f * brightness);
            c += veil * (filaments * density * region * 0.28f * brightness);
            c = c * (1.0f - 0.55f * lanes * density);
            Pixel& p = image.at(x, y);
            p.c += c;
            p.a = 1.0f;
        }
}

void SkyPainter::paintStars(Image& image, int count) const
{
    Rng rng(seed * 31 + 17);
    for (int placed = 0; placed < count;) {
        float x = rng.uniform() * image.width();
        float y = rng.uniform() * image.height();
        // Stars gather where the clouds glow, like in a real band of sky.
        const Colour& here = image.at(static_cast<int>(x), static_cast<int>(y)).c;
        float chance = 0.35f + 4.0f * here.luminance();
        if (rng.uniform() > chance)
            continue;
        placed++;
        Colour colour = starColour(rng);
        float kind = rng.uniform();
        float size = rng.uniform();
        if (kind < 0.93f) {
            // Dust: most stars are no more than a faint speck.
            splat(image, x, y, colour, 0.06f + 0.35f * size * size);
        } else if (kind < 0.994f) {
            image.addGlow(x, y, 0.55f, colour, 0.35f + 0.55f * size);
            image.addGlow(x, y, 1.6f, colour, 0.03f);
        } else {
            image.addGlow(x, y, 0.7f, colour, 1.0f);
            image.addGlow(x, y, 2.5f, colour, 0.12f);
            image.addGlow(x, y, 7.0f, colour, 0.025f);
            rays(image, x, y, 4.0f + 6.0f * size, colour, 0.2f);
        }
    }
}

void SkyPainter::paintWisps(Image& image, int count) const
{
    Rng rng(seed * 53 + 29);
    for (int i = 0; i < count; i++) {
        float x = rng.uniform() * image.width();
        float y = rng.uniform() * image.height();
        Colour colour = rng.uniform() < 0.6f ? rgb(90, 230, 160) : rgb(110, 170, 255);
        float size = rng.range(2.5f, 5.5f);
        image.addGlow(x, y, size * 2.5f, colour, 0.05f);
        image.addGlow(x, y, size * 0.5f, colour, 0.18f);
        image.addGlow(x, y, 0.6f, rgb(230, 255, 240), 0.4f);
    }
}
