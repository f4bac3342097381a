#pragma once

#include <cstdint>

// The painter's own random numbers (splitmix64). Every picture draws its
// choices from one of these with a fixed seed, so each build paints exactly
// the same pixels whatever the C library's rand does.
class Rng {
public:
    explicit Rng(uint64_t seed) : state(seed) {}

    uint64_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }

    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }

    // Uniform integer in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state;
};
