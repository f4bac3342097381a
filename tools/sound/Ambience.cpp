#include "sound/Recipes.h"

#include <cmath>

namespace {

// The loops play all through a game, four voices at once and panned hard to
// the sides: they sit well under the music and well under the effects,
// and leave the headroom the effects need at full volumes.
constexpr double WIND_PEAK = 0.07;
constexpr double SHIMMER_PEAK = 0.063;

// A bell curve over octaves: gain 1 at centre, falling with distance in octaves.
double octaveBell(double freq, double centre, double width)
{
    double x = std::log2(freq / centre) / width;
    return std::exp(-0.5 * x * x);
}

double hollowWindGain(double f) { return octaveBell(f, 420.0, 0.9) / std::sqrt(f); }
double whistleGain(double f) { return octaveBell(f, 1100.0, 0.12); }
double rumbleGain(double f) { return octaveBell(f, 120.0, 0.7); }
double airGain(double f) { return octaveBell(f, 4200.0, 0.55); }

// Position in the loop, 0 to 1; swells use whole cycles of it.
double loopPhase(int i) { return static_cast<double>(i) / AMBIENT_LOOP; }

double swell(double u, int cycles, double phase)
{
    return std::sin(TWO_PI * (cycles * u) + phase);
}

// A sine that makes a whole number of cycles over the loop.
double loopSine(int i, double cycles, double phase)
{
    return std::sin(TWO_PI * cycles * loopPhase(i) + phase);
}

double cyclesFor(double freq) { return std::round(freq * AMBIENT_LOOP / SOUND_RATE); }

} // namespace

Signal makeNightWind()
{
    Rng rng(0xA3B1);
    Signal wind = periodicNoise(AMBIENT_LOOP, SOUND_RATE, rng, hollowWindGain);
    Signal whistle = periodicNoise(AMBIENT_LOOP, SOUND_RATE, rng, whistleGain);
    Signal rumble = periodicNoise(AMBIENT_LOOP, SOUND_RATE, rng, rumbleGain);

    // The drone is a root, its fifth and its octave; each has a twin one cycle
    // per loop apart, so it beats slowly instead of standing still.
    const double drone[3] = {cyclesFor(147.0), cyclesFor(220.5), cyclesFor(294.0)};
    const double droneLevel[3] = {1.0, 0.45, 0.3};

    Signal out(AMBIENT_LOOP);
    for (int i = 0; i < AMBIENT_LOOP; ++i) {
        double u = loopPhase(i);
        double gust = 0.6 + 0.25 * swell(u, 1, 0.3) + 0.15 * swell(u, 3, 1.7);
        double whistleSwell = 0.5 + 0.5 * swell(u, 2, 2.0);
        double rumbleSwell = 0.7 + 0.3 * swell(u, 1, 2.5);
        double tones = 0;
        for (int k = 0; k < 3; ++k)
            tones += droneLevel[k] * (loopSine(i, drone[k], 0.4 * k) + loopSine(i, drone[k] + 1, 1.1 * k));
        double x = 0.55 * gust * wind[i]
                 + 0.2 * whistleSwell * whistleSwell * whistle[i]
                 + 0.35 * rumbleSwell * rumble[i]
                 + 0.12 * (0.8 + 0.2 * swell(u, 1, 4.0)) * tones;
        out[i] = static_cast<float>(x);
    }
    normalisePeak(out, WIND_PEAK);
    return out;
}

Signal makeGhostShimmer()
{
    Rng rng(0x5E11);
    Signal air = periodicNoise(AMBIENT_LOOP, SOUND_RATE, rng, airGain);

    // An A minor seventh, heard an octave lower at the game's half speed.
    const double voices[4] = {cyclesFor(880.0), cyclesFor(1046.5), cyclesFor(1318.5), cyclesFor(1568.0)};
    const int voiceSwell[4] = {1, 2, 1, 3};
    const double voicePhase[4] = {0.0, 2.1, 3.3, 4.4};

    Signal out(AMBIENT_LOOP);
    for (int i = 0; i < AMBIENT_LOOP; ++i) {
        double u = loopPhase(i);
        double breath = 0.55 + 0.45 * swell(u, 3, 0.9);
        double choir = 0;
        for (int k = 0; k < 4; ++k) {
            double level = 0.5 + 0.5 * swell(u, voiceSwell[k], voicePhase[k]);
            level *= level;
            double tone = loopSine(i, voices[k], 0.0) + loopSine(i, voices[k] + 1, 1.0)
                        + 0.2 * loopSine(i, 2 * voices[k], 0.5);
            choir += level * tone;
        }
        out[i] = static_cast<float>(0.5 * breath * air[i] + 0.16 * choir);
    }
    normalisePeak(out, SHIMMER_PEAK);
    return out;
}
