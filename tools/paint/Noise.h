#pragma once

#include <array>
#include <cstdint>

// Seeded gradient noise in the plane, the raw material of every cloud, mist
// and nebula. Values lie roughly in [-1, 1] and change smoothly over one unit.
class Noise {
public:
    explicit Noise(uint64_t seed);

    float at(float x, float y) const;

    // Fractal sum of `octaves` layers, each twice the frequency and half the
    // weight of the one before; normalised to roughly [-1, 1].
    float fbm(float x, float y, int octaves) const;

    // 1 along the zero lines of the noise, falling off away from them: thin
    // filaments and veils, summed over octaves like fbm. In [0, 1].
    float ridges(float x, float y, int octaves) const;

private:
    std::array<uint8_t, 512> perm;
    std::array<float, 256> angleX, angleY;
};
