#include "paint/Noise.h"

#include <cmath>

#include "paint/Rng.h"

namespace {

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

// Each octave samples the plane scaled by two and turned, so their grids
// never line up.
void nextOctave(float& x, float& y)
{
    const float nx = x * 1.6f - y * 1.2f;
    const float ny = x * 1.2f + y * 1.6f;
    x = nx;
    y = ny;
}

} // namespace

Noise::Noise(uint64_t seed)
{
    Rng rng(seed);
    for (int i = 0; i < 256; i++)
        perm[i] = static_cast<uint8_t>(i);
    for (int i = 255; i > 0; i--) {
        int j = rng.below(i + 1);
        uint8_t t = perm[i];
        perm[i] = perm[j];
        perm[j] = t;
    }
    for (int i = 0; i < 256; i++)
        perm[256 + i] = perm[i];
    for (int i = 0; i < 256; i++) {
        float angle = rng.uniform() * 6.2831853f;
        angleX[i] = std::cos(angle);
        angleY[i] = std::sin(angle);
    }
}

float Noise::at(float x, float y) const
{
    float fx = std::floor(x);
    float fy = std::floor(y);
    int ix = static_cast<int>(fx) & 255;
    int iy = static_cast<int>(fy) & 255;
    float dx = x - fx;
    float dy = y - fy;
    auto corner = [&](int cx, int cy, float ox, float oy) {
        int g = perm[perm[(ix + cx) & 255] + ((iy + cy) & 255)];
        return angleX[g] * ox + angleY[g] * oy;
    };
    float n00 = corner(0, 0, dx, dy);
    float n10 = corner(1, 0, dx - 1, dy);
    float n01 = corner(0, 1, dx, dy - 1);
    float n11 = corner(1, 1, dx - 1, dy - 1);
    float u = fade(dx);
    float v = fade(dy);
    float top = n00 + (n10 - n00) * u;
    float bottom = n01 + (n11 - n01) * u;
    // The raw range is about +-0.71; scale it to about +-1.
    return (top + (bottom - top) * v) * 1.41f;
}

float Noise::fbm(float x, float y, int octaves) const
{
    float sum = 0;
    float weight = 1;
    float total = 0;
    for (int i = 0; i < octaves; i++) {
        // Each octave is shifted and turned a little so their grids never line up.
        sum += at(x + i * 17.31f, y - i * 9.73f) * weight;
        total += weight;
        nextOctave(x, y);
        weight *= 0.5f;
    }
    return sum / total * 1.6f;
}

float Noise::ridges(float x, float y, int octaves) const
{
    float sum = 0;
    float weight = 1;
    float total = 0;
    for (int i = 0; i < octaves; i++) {
        float r = 1.0f - std::fabs(at(x + i * 31.7f, y + i * 5.1f));
        sum += r * r * weight;
        total += weight;
        nextOctave(x, y);
        weight *= 0.5f;
    }
    return sum / total;
}
