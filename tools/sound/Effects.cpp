#include "sound/Recipes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DT = 1.0 / SOUND_RATE;

// The thump and the pick-up come at any moment of the music, the thumps of a
// crowd many at once: both are mastered well under the music's loudest bars
// (see the effect budget in tools/musiccheck).
constexpr double THUMP_PEAK = 0.075;
constexpr double COLLECT_PEAK = 0.3;

size_t samplesFor(double seconds) { return static_cast<size_t>(seconds * SOUND_RATE); }

// A struck tone: fundamental with a little of the octave and twelfth, or with
// a bell's inharmonic partial, decaying with time constant tau.
Signal chime(double freq, double seconds, double tau, bool bell)
{
    Signal s(samplesFor(seconds));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double x = std::sin(phase);
        if (bell)
            x += 0.25 * std::sin(2.76 * phase) * std::exp(-t / (0.4 * tau));
        else
            x += 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase);
        // The tail is eased to zero so the tone never ends on a step.
        double tail = std::min(1.0, (seconds - t) / (0.3 * seconds));
        s[i] = static_cast<float>(x * attackDecay(t, 0.002, tau) * tail);
        phase += TWO_PI * freq * DT;
    }
    return s;
}

} // namespace

Signal makeDie()
{
    Rng rng(0xD1E);
    const double seconds = 1.1;
    Signal dry(samplesFor(seconds));

    // Three voices slide down two octaves and more while their tremble quickens:
    // the wisp's light running out.
    double phases[3] = {0, 0, 0};
    const double ratios[3] = {1.0, 1.007, 1.495};
    Biquad whoosh;
    for (size_t i = 0; i < dry.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double f = 660.0 * std::pow(2.0, -2.2 * t);
        double voice = 0;
        for (int k = 0; k < 3; ++k) {
            voice += std::sin(phases[k]) / (k + 1);
            phases[k] += TWO_PI * f * ratios[k] * DT;
        }
        double tremble = 1.0 - 0.45 * (0.5 + 0.5 * std::sin(TWO_PI * (6.0 + 9.0 * t) * t));
        if (i % 64 == 0)
            whoosh.lowpass(SOUND_RATE, 200.0 + 2800.0 * std::exp(-t / 0.25), 0.9);
        double air = whoosh.process(static_cast<float>(rng.bipolar()));
        dry[i] = static_cast<float>(0.55 * voice * tremble * attackDecay(t, 0.01, 0.45)
                                    + 0.5 * air * attackDecay(t, 0.004, 0.22));
    }

    // Sparks flying off, fewer and lower as it fades.
    for (int g = 0; g < 26; ++g) {
        double t0 = 0.9 * std::pow(rng.uniform(), 1.8);
        double f = rng.range(1500.0, 3000.0) * (1.0 - 0.4 * t0);
        size_t start = samplesFor(t0);
        size_t length = samplesFor(0.04);
        for (size_t i = 0; i < length && start + i < dry.size(); ++i) {
            double window = std::sin(PI * static_cast<double>(i) / static_cast<double>(length));
            double t = static_cast<double>(i) * DT;
            dry[start + i] += static_cast<float>(0.12 * window * window * std::sin(TWO_PI * f * t));
        }
    }

    fadeEnds(dry, SOUND_RATE, 0.002, 0.3);
    Signal out = reverb(dry, SOUND_RATE, 1.2, static_cast<int>(samplesFor(0.6)));
    mixInto(out, dry, 1.6f);
    fadeEnds(out, SOUND_RATE, 0.002, 0.3);
    normalisePeak(out, 0.7);
    return out;
}

Signal makeThump()
{
    Rng rng(0x7A3);
    Signal s(samplesFor(0.12));
    Biquad thud;
    thud.lowpass(SOUND_RATE, 700.0, 0.7);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        // The pitch sags like a padded drum: soft, not a click.
        double f = 55.0 + 60.0 * std::exp(-t / 0.03);
        double body = std::sin(phase) * attackDecay(t, 0.002, 0.025);
        double skin = thud.process(static_cast<float>(rng.bipolar())) * attackDecay(t, 0.001, 0.012);
        s[i] = static_cast<float>(std::tanh(1.5 * (body + 0.5 * skin)));
        phase += TWO_PI * f * DT;
    }
    fadeEnds(s, SOUND_RATE, 0.001, 0.03);
    // A contact that lasts plays the thump again on every tick, for every
    // soul touched, and the thumps that start within one mixer fragment start
    // on the same frame and add up in phase: one alone is quiet and short.
    normalisePeak(s, THUMP_PEAK);
    return s;
}

Signal makeCollect()
{
    // E6 then B6: a quick upward fifth, bright but over in a fifth of a second.
    Signal s = chime(1318.5, 0.12, 0.04, false);
    mixInto(s, chime(1975.5, 0.17, 0.06, false), 0.8f, static_cast<int>(samplesFor(0.045)));
    fadeEnds(s, SOUND_RATE, 0.001, 0.03);
    normalisePeak(s, COLLECT_PEAK);
    return s;
}

Signal makeSelect()
{
    // D major rising from D5 to A6, bell-like so it rings a little longer
    // than the move sound and reads as "chosen".
    const double notes[4] = {587.3, 880.0, 1174.7, 1760.0};
    Signal dry;
    for (int k = 0; k < 4; ++k)
        mixInto(dry, chime(notes[k], 0.3, 0.09 + 0.02 * k, true), 0.7f, static_cast<int>(samplesFor(0.032 * k)));
    Signal out = reverb(dry, SOUND_RATE, 0.5, static_cast<int>(samplesFor(0.1)));
    mixInto(out, dry, 2.5f);
    fadeEnds(out, SOUND_RATE, 0.001, 0.08);
    // Choosing "Play Game" plays it over the first notes of play's music: at full
    // sliders the two together must stay well under full scale.
    normalisePeak(out, 0.52);
    return out;
}
