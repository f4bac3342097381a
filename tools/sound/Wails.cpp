#include "sound/Recipes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DT = 1.0 / SOUND_RATE;

// Levels and brightness: a whisper's energy sits where the ear is most
// sensitive, so it is kept darker and quieter than a wail to sound as loud.
constexpr double WAIL_RMS = 0.08;
constexpr double WHISPER_RMS = 0.045;
constexpr double WAIL_CUTOFF = 4500.0;
constexpr double WHISPER_CUTOFF = 3200.0;
constexpr double PEAK_CEILING = 0.5;

// The three lowest resonances of a vowel, in Hz.
struct Vowel {
    double f1, f2, f3;
};

const Vowel OO = {300, 870, 2240};
const Vowel OH = {450, 800, 2830};
const Vowel AH = {730, 1090, 2440};
const Vowel EH = {530, 1840, 2480};
const Vowel EE = {270, 2290, 3010};

// One soul's voice. A whisper has breath 1 and no pitch of its own; a hiss
// (fricative) can sit at the start or the end of it.
struct WailShape {
    double seconds;
    double pitchStart, pitchPeak, pitchEnd;
    double peakAt;  // where the pitch turns, as a fraction of the length
    Vowel from, to;
    double breath;  // 0 pure voice, 1 whisper
    double vibratoRate, vibratoDepth;
    double hiss;       // level of the fricative
    double hissFreq;   // its centre, Hz
    double hissAt;     // 0 at the start, 1 at the end
    int syllables;     // 1 or 2 swells in the loudness
    uint32_t seed;
};

// Ten voices, alternating wails and whispers so that neighbours in a random
// run still differ.
const WailShape SHAPES[WAIL_COUNT] = {
    {0.85, 420, 560, 380, 0.35, OO, OH, 0.15, 5.5, 0.015, 0.0, 0, 0, 1, 0x5C00},
    {0.60, 0, 0, 0, 0.5, AH, OH, 1.0, 0, 0, 0.0, 0, 0, 1, 0x5C01},
    {0.90, 330, 350, 240, 0.2, OH, OO, 0.25, 4.8, 0.02, 0.0, 0, 0, 1, 0x5C02},
    {0.55, 0, 0, 0, 0.5, OO, OO, 1.0, 0, 0, 0.9, 2600, 0.5, 1, 0x5C03},
    {0.70, 620, 700, 520, 0.3, EE, OO, 0.2, 6.0, 0.01, 0.0, 0, 0, 1, 0x5C04},
    {0.70, 0, 0, 0, 0.5, OO, EH, 1.0, 0, 0, 0.5, 4200, 1.0, 1, 0x5C05},
    {0.75, 500, 520, 300, 0.15, AH, OH, 0.4, 5.0, 0.012, 0.0, 0, 0, 1, 0x5C06},
    {0.65, 0, 0, 0, 0.5, EH, AH, 1.0, 0, 0, 0.6, 3000, 0.0, 1, 0x5C07},
    {0.80, 300, 450, 470, 0.8, OO, AH, 0.2, 5.2, 0.015, 0.0, 0, 0, 1, 0x5C08},
    {0.70, 0, 0, 0, 0.5, AH, OO, 1.0, 0, 0, 0.0, 0, 0, 2, 0x5C09},
};

double mix(double a, double b, double w) { return a + (b - a) * w; }

double pitchAt(const WailShape& s, double u)
{
    if (u < s.peakAt)
        return mix(s.pitchStart, s.pitchPeak, smoothStep(u, 0, s.peakAt));
    return mix(s.pitchPeak, s.pitchEnd, smoothStep(u, s.peakAt, 1));
}

// Loudness over the sound: slow in, long fade out, so nothing snaps even when
// several overlap.
double loudnessAt(const WailShape& s, double u)
{
    if (s.syllables == 2) {
        double first = smoothStep(u, 0.0, 0.12) * (1.0 - smoothStep(u, 0.25, 0.45));
        double second = smoothStep(u, 0.4, 0.55) * (1.0 - smoothStep(u, 0.6, 1.0));
        return std::max(0.7 * first, second);
    }
    return smoothStep(u, 0.0, 0.18) * (1.0 - smoothStep(u, 0.45, 1.0));
}

double hissAt(const WailShape& s, double u)
{
    double d = (u - s.hissAt) / 0.28;
    return std::exp(-0.5 * d * d);
}

// A bandwidth that widens with the formant, as it does in a throat.
double formantQ(double f) { return f / (60.0 + 0.06 * f); }

} // namespace

Signal makeWail(int index)
{
    const WailShape& shape = SHAPES[std::clamp(index, 0, WAIL_COUNT - 1)];
    Rng rng(shape.seed);
    Signal dry(static_cast<size_t>(shape.seconds * SOUND_RATE));

    Biquad formant[3];
    Biquad hissBand;
    Biquad soften;
    const bool whisper = shape.breath >= 1.0;
    soften.lowpass(SOUND_RATE, whisper ? WHISPER_CUTOFF : WAIL_CUTOFF, 0.7);
    if (shape.hiss > 0)
        hissBand.bandpass(SOUND_RATE, shape.hissFreq, 2.0);
    const double formantGain[3] = {1.0, 0.5, 0.2};

    double phase = 0;
    for (size_t i = 0; i < dry.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double u = t / shape.seconds;
        if (i % 32 == 0) {
            double w = smoothStep(u, 0.1, 0.9);
            double f[3] = {mix(shape.from.f1, shape.to.f1, w), mix(shape.from.f2, shape.to.f2, w),
                           mix(shape.from.f3, shape.to.f3, w)};
            for (int k = 0; k < 3; ++k)
                formant[k].bandpass(SOUND_RATE, f[k], formantQ(f[k]));
        }

        double voice = 0;
        double fundamental = 0;
        if (shape.breath < 1.0) {
            double vibrato = 1.0 + shape.vibratoDepth * smoothStep(u, 0.05, 0.35) * std::sin(TWO_PI * shape.vibratoRate * t);
            double f0 = pitchAt(shape, u) * vibrato;
            // Soft harmonics (falling as 1/k^2): a hollow, flute-like throat.
            for (int k = 1; k * f0 < 5000.0; ++k)
                voice += std::sin(k * phase) / (k * k);
            fundamental = std::sin(phase);
            phase += TWO_PI * f0 * DT;
        }
        double noise = rng.bipolar();
        double source = (1.0 - shape.breath) * voice + shape.breath * 0.8 * noise;
        double shaped = 0;
        for (int k = 0; k < 3; ++k)
            shaped += formantGain[k] * formant[k].process(static_cast<float>(source));
        double x = shaped + 0.5 * (1.0 - shape.breath) * fundamental;
        if (shape.hiss > 0)
            x += shape.hiss * hissAt(shape, u) * hissBand.process(static_cast<float>(noise));
        dry[i] = soften.process(static_cast<float>(x * loudnessAt(shape, u)));
    }

    // The souls are far away in the dark: more room than voice.
    Signal out = reverb(dry, SOUND_RATE, 0.9, static_cast<int>(0.35 * SOUND_RATE));
    mixInto(out, dry, 1.4f);
    fadeEnds(out, SOUND_RATE, 0.01, 0.15);
    normaliseRms(out, whisper ? WHISPER_RMS : WAIL_RMS, PEAK_CEILING);
    return out;
}
