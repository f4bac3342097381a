#pragma once

#include <vector>

#include "sound/Rng.h"

// Building blocks shared by the sound recipes: filters, envelopes, a periodic
// noise source for seamless loops, a small reverb and level control.
using Signal = std::vector<float>;

constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 2.0 * PI;

// A second-order filter in direct form I (coefficients after the well-known
// audio-EQ cookbook). Bandpass has 0 dB at its peak.
class Biquad {
public:
    void lowpass(double rate, double freq, double q);
    void highpass(double rate, double freq, double q);
    void bandpass(double rate, double freq, double q);
    float process(float x);

private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// Linear attack then exponential decay with time constant tau, in seconds.
double attackDecay(double t, double attack, double tau);

// Raised-cosine fade: 0 at edge0, 1 at edge1 (either order).
double smoothStep(double x, double edge0, double edge1);

// Noise that repeats exactly every n samples (n a power of two): random
// phases on the bins of one period, shaped by gain(frequency in Hz), so a
// loop of it has no seam. Scaled to unit RMS.
Signal periodicNoise(int n, double rate, Rng& rng, double (*gain)(double freq));

// Nearest frequency that makes a whole number of cycles in n samples.
double loopFrequency(double freq, int n, double rate);

// A short, dark room: four combs and two allpasses. Returns the wet signal
// with a tail of extra samples appended.
Signal reverb(const Signal& dry, double rate, double decay, int tail);

void mixInto(Signal& out, const Signal& in, float gain, int offset = 0);

// Gain so the loudest sample sits at peak (linear, full scale 1).
void normalisePeak(Signal& s, double peak);

// Gain to an RMS level, but never above the peak ceiling.
void normaliseRms(Signal& s, double rms, double peakCeiling);

// Short fades at both ends, so a one-shot sample starts and stops at rest.
void fadeEnds(Signal& s, double rate, double inSeconds, double outSeconds);
