#pragma once

#include <cstdint>

// A small xorshift generator. The asset tools draw every random choice from
// one of these with a fixed seed, so each build makes the same sounds and
// music, whatever the C library's rand does.
class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}

    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    // Uniform in [0, 1).
    double uniform() { return (next() >> 8) * (1.0 / 16777216.0); }

    // Uniform in [-1, 1).
    double bipolar() { return uniform() * 2.0 - 1.0; }

    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    uint32_t state;
};
