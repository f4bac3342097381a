#pragma once

#include <cmath>
#include <cstddef>
#include <ebur128.h>

// Loudness to ITU-R BS.1770 / EBU R128 of interleaved 16-bit stereo: the
// integrated loudness, the loudness range, the true peak and the loudest
// momentary (400 ms) window, all measured by libebur128.
class Loudness {
public:
    explicit Loudness(unsigned long rate);
    ~Loudness();
    Loudness(const Loudness&) = delete;
    Loudness& operator=(const Loudness&) = delete;

    void add(const short* frames, size_t count);

    double integrated() const;      // LUFS; -HUGE_VAL for silence
    double range() const;           // LU
    double truePeakDb() const;      // dBTP, the louder channel
    double maxMomentary() const { return loudestMomentary; }  // LUFS
    long clipped() const { return clippedSamples; }           // at full scale

private:
    ebur128_state* state;
    size_t framesPerStep;
    size_t inStep = 0;
    double loudestMomentary = -HUGE_VAL;
    long clippedSamples = 0;
};
