#include "musiccheck/Loudness.h"

#include <algorithm>
#include <cmath>
#include <new>

Loudness::Loudness(unsigned long rate)
    : state(ebur128_init(2, rate, EBUR128_MODE_I | EBUR128_MODE_LRA | EBUR128_MODE_TRUE_PEAK)),
      framesPerStep(rate / 10)
{
    if (!state)
        throw std::bad_alloc();
}

Loudness::~Loudness() { ebur128_destroy(&state); }

void Loudness::add(const short* frames, size_t count)
{
    for (size_t i = 0; i < count * 2; ++i)
        if (frames[i] == 32767 || frames[i] == -32768)
            ++clippedSamples;
    // The momentary window is read every 100 ms, as a meter's needle moves.
    while (count > 0) {
        size_t take = std::min(count, framesPerStep - inStep);
        ebur128_add_frames_short(state, frames, take);
        frames += take * 2;
        count -= take;
        inStep += take;
        if (inStep == framesPerStep) {
            inStep = 0;
            double momentary;
            if (ebur128_loudness_momentary(state, &momentary) == EBUR128_SUCCESS)
                loudestMomentary = std::max(loudestMomentary, momentary);
        }
    }
}

double Loudness::integrated() const
{
    double lufs = -HUGE_VAL;
    ebur128_loudness_global(state, &lufs);
    return lufs;
}

double Loudness::range() const
{
    double lu = 0;
    ebur128_loudness_range(state, &lu);
    return lu;
}

double Loudness::truePeakDb() const
{
    double peak = 0;
    for (unsigned channel = 0; channel < 2; ++channel) {
        double p = 0;
        if (ebur128_true_peak(state, channel, &p) == EBUR128_SUCCESS)
            peak = std::max(peak, p);
    }
    return peak > 0 ? 20.0 * std::log10(peak) : -HUGE_VAL;
}
