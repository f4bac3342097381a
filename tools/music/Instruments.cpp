#include "music/Instruments.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "sound/Rng.h"

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TWO_PI = 2.0 * PI;
constexpr double DT = 1.0 / INSTRUMENT_RATE;
constexpr double MIDDLE_C = 261.6255653;
constexpr double PEAK = 0.9;  // of full scale: headroom against interpolation overshoot

using Wave = std::vector<double>;

size_t samplesFor(double seconds) { return static_cast<size_t>(seconds * INSTRUMENT_RATE); }

double attackDecay(double t, double attack, double tau)
{
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

// A gentle low-pass weight for a partial at freq, so bright onsets can settle.
double rolloff(double freq, double cutoff)
{
    double r = freq / cutoff;
    return 1.0 / (1.0 + r * r * r * r);
}

std::vector<int16_t> toPcm(const Wave& w)
{
    double peak = 0;
    for (double x : w)
        peak = std::max(peak, std::fabs(x));
    double gain = peak > 0 ? PEAK * 32767.0 / peak : 0;
    std::vector<int16_t> out(w.size());
    for (size_t i = 0; i < w.size(); ++i)
        out[i] = static_cast<int16_t>(std::lround(w[i] * gain));
    return out;
}

// A one-shot whose pitch, if any, is C-6 at INSTRUMENT_RATE unless given.
ItSample oneShot(const char* name, const Wave& w, double nativeFreq = 2 * MIDDLE_C)
{
    ItSample s;
    s.name = name;
    s.data = toPcm(w);
    s.c5Speed = static_cast<uint32_t>(std::lround(INSTRUMENT_RATE * MIDDLE_C / nativeFreq));
    return s;
}

// One-pole high-pass: keeps noise bright for cymbals and snares.
class HighPass {
public:
    explicit HighPass(double cutoff) : a(std::exp(-TWO_PI * cutoff * DT)) {}
    double process(double x)
    {
        double y = a * (prevY + x - prevX);
        prevX = x;
        prevY = y;
        return y;
    }

private:
    double a;
    double prevX = 0, prevY = 0;
};

// One-pole low-pass: takes the fizz off the breath noise.
class LowPass {
public:
    explicit LowPass(double cutoff) : a(std::exp(-TWO_PI * cutoff * DT)) {}
    double process(double x)
    {
        y = (1.0 - a) * x + a * y;
        return y;
    }

private:
    double a;
    double y = 0;
};

// A sustained tone that loops without a seam: every partial makes a whole
// number of cycles over the loop, and every change of level or timbre is over
// by the time the loop begins.
struct Partial {
    int harmonic;
    int detune;  // extra cycles per loop: a slow chorus beat
    double onset;
    double sustain;
    double phase;
};

struct LoopedVoice {
    int period;            // samples per cycle of the fundamental
    int loopCycles;        // fundamental cycles in the loop
    double attackSeconds;  // played once before the loop
    double riseSeconds;
    double settleTau;      // how fast the onset timbre turns into the sustain
    double sustainLevel;
    int vibratoCycles;     // per loop
    double vibratoDepth;   // fraction of the pitch
    double breath;         // noise puff at the onset
    std::vector<Partial> partials;
};

void addPartials(LoopedVoice& v, std::initializer_list<Partial> partials)
{
    for (const Partial& p : partials)
        v.partials.push_back(p);
}

ItSample looped(const char* name, const LoopedVoice& v, uint32_t seed)
{
    Rng rng(seed);
    const size_t attack = samplesFor(v.attackSeconds);
    const size_t loop = static_cast<size_t>(v.period) * static_cast<size_t>(v.loopCycles);
    const double loopSeconds = static_cast<double>(loop) * DT;
    const double settleEnd = std::exp(-v.attackSeconds / v.settleTau);
    HighPass breathLow(1500.0);
    LowPass breathHigh(4000.0);

    Wave w(attack + loop);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double u = t / loopSeconds;
        // 1 at the onset, exactly 0 from the loop start on.
        double settle = i < attack ? (std::exp(-t / v.settleTau) - settleEnd) / (1.0 - settleEnd) : 0.0;
        double rise = t < v.riseSeconds ? 0.5 - 0.5 * std::cos(PI * t / v.riseSeconds) : 1.0;
        double level = rise * (v.sustainLevel + (1.0 - v.sustainLevel) * settle);
        double vibratoAmount = i < attack ? 1.0 - settle : 1.0;
        double wobble = v.vibratoCycles > 0
            ? vibratoAmount * v.vibratoDepth * v.loopCycles / v.vibratoCycles * std::sin(TWO_PI * v.vibratoCycles * u)
            : 0.0;
        double x = 0;
        for (const Partial& p : v.partials) {
            double cycles = static_cast<double>(p.harmonic) * v.loopCycles + p.detune;
            double amp = p.sustain + (p.onset - p.sustain) * settle;
            x += amp * std::sin(TWO_PI * cycles * u + p.harmonic * wobble + p.phase);
        }
        double puff = rng.bipolar() * v.breath * settle;
        w[i] = level * x + breathHigh.process(breathLow.process(puff));
    }

    ItSample s;
    s.name = name;
    s.data = toPcm(w);
    s.c5Speed = static_cast<uint32_t>(std::lround(MIDDLE_C * v.period));
    s.loop = true;
    s.loopBegin = static_cast<uint32_t>(attack);
    s.loopEnd = static_cast<uint32_t>(attack + loop);
    return s;
}

ItSample makeKick()
{
    Rng rng(0x1C1);
    Wave w(samplesFor(0.4));
    double phase = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double f = 48.0 + 110.0 * std::exp(-t / 0.035);
        double body = std::sin(phase) * attackDecay(t, 0.001, 0.13);
        double click = rng.bipolar() * attackDecay(t, 0.0005, 0.002);
        double fadeOut = std::min(1.0, (0.4 - t) / 0.05);
        w[i] = std::tanh(1.6 * body + 0.3 * click) * fadeOut;
        phase += TWO_PI * f * DT;
    }
    return oneShot("kick", w, MIDDLE_C);
}

ItSample makeSnare()
{
    Rng rng(0x5A2);
    Wave w(samplesFor(0.25));
    HighPass hiss(1200.0);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double tone = (std::sin(TWO_PI * 185.0 * t) + 0.5 * std::sin(TWO_PI * 330.0 * t)) * attackDecay(t, 0.001, 0.04);
        double noise = hiss.process(rng.bipolar()) * attackDecay(t, 0.001, 0.07);
        double fadeOut = std::min(1.0, (0.25 - t) / 0.04);
        w[i] = (0.6 * tone + noise) * fadeOut;
    }
    return oneShot("snare", w, MIDDLE_C);
}

// Metallic noise: square waves at unrelated pitches plus hiss, high-passed.
Wave cymbal(double seconds, double tau, uint32_t seed)
{
    Rng rng(seed);
    const double metal[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    Wave w(samplesFor(seconds));
    HighPass brightA(6000.0);
    HighPass brightB(4000.0);
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double m = 0;
        for (double f : metal)
            m += std::sin(TWO_PI * 4.1 * f * t) > 0 ? 1.0 : -1.0;
        double x = 0.15 * m + rng.bipolar();
        double fadeOut = std::min(1.0, (seconds - t) / 0.02);
        w[i] = brightB.process(brightA.process(x)) * attackDecay(t, 0.0005, tau) * fadeOut;
    }
    return w;
}

ItSample makeHat() { return oneShot("hat", cymbal(0.08, 0.018, 0x4A7), MIDDLE_C); }
ItSample makeShaker() { return oneShot("shaker", cymbal(0.3, 0.08, 0x5AE), MIDDLE_C); }

ItSample makeBass()
{
    LoopedVoice v{};
    v.period = 674;  // about 65.4 Hz, C-3 at the native rate
    v.loopCycles = 16;
    v.attackSeconds = 0.3;
    v.riseSeconds = 0.002;
    v.settleTau = 0.09;
    v.sustainLevel = 0.6;
    const double f0 = static_cast<double>(INSTRUMENT_RATE) / v.period;
    for (int k = 1; k * f0 < 5000.0; ++k) {
        double saw = 1.0 / k;
        v.partials.push_back({k, 0, saw * rolloff(k * f0, 2500.0), saw * rolloff(k * f0, 500.0) * (k == 1 ? 1.3 : 1.0), 0.0});
    }
    return looped("bass", v, 0xBA55);
}

ItSample makeSub()
{
    LoopedVoice v{};
    v.period = 674;
    v.loopCycles = 8;
    v.attackSeconds = 0.06;
    v.riseSeconds = 0.02;
    v.settleTau = 0.03;
    v.sustainLevel = 1.0;
    addPartials(v, {{1, 0, 1.0, 1.0, 0.0}, {2, 0, 0.3, 0.25, 0.0}, {3, 0, 0.12, 0.06, 0.0}});
    return looped("sub", v, 0x5B);
}

ItSample makeLead()
{
    LoopedVoice v{};
    v.period = 84;  // 525 Hz, about C-6 at the native rate
    v.loopCycles = 420;
    v.attackSeconds = 0.25;
    v.riseSeconds = 0.012;
    v.settleTau = 0.08;
    v.sustainLevel = 0.75;
    v.vibratoCycles = 4;  // five per second
    v.vibratoDepth = 0.005;
    v.breath = 0.2;
    addPartials(v, {{1, 0, 1.0, 1.0, 0.0}, {1, 1, 0.35, 0.35, 1.3}, {2, 0, 0.15, 0.08, 0.4},
                    {3, 0, 0.35, 0.22, 0.0}, {4, 0, 0.05, 0.03, 0.9}, {5, 0, 0.15, 0.07, 0.0},
                    {7, 0, 0.06, 0.02, 0.0}});
    return looped("lead", v, 0x1EAD);
}

ItSample makePad()
{
    Rng rng(0x9AD);
    LoopedVoice v{};
    v.period = 168;  // 262.5 Hz, C-5 at the native rate
    v.loopCycles = 256;
    v.attackSeconds = 0.4;
    v.riseSeconds = 0.35;
    v.settleTau = 0.2;
    v.sustainLevel = 1.0;
    const double f0 = static_cast<double>(INSTRUMENT_RATE) / v.period;
    for (int k = 1; k <= 14; ++k) {
        double amp = std::pow(k, -1.4) * rolloff(k * f0, 1800.0);
        for (int detune = -1; detune <= 1; ++detune) {
            double a = detune == 0 ? amp : 0.6 * amp;
            v.partials.push_back({k, detune, a, a, rng.uniform() * TWO_PI});
        }
    }
    return looped("pad", v, 0x9AD);
}

ItSample makeBell()
{
    // Partial ratios of a small glass bell; the high ones die first.
    struct BellPartial {
        double ratio, level, tau;
    };
    const BellPartial partials[5] = {{1.0, 1.0, 1.1}, {2.0, 0.3, 0.6}, {2.76, 0.25, 0.35}, {5.4, 0.1, 0.12}, {0.5, 0.12, 1.4}};
    const double f0 = 2 * MIDDLE_C;
    const double seconds = 2.4;
    Wave w(samplesFor(seconds));
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double x = 0;
        for (const BellPartial& p : partials)
            x += p.level * std::sin(TWO_PI * f0 * p.ratio * t) * attackDecay(t, 0.003, p.tau);
        double fadeOut = std::min(1.0, (seconds - t) / 0.3);
        w[i] = x * fadeOut;
    }
    return oneShot("bell", w);
}

ItSample makePluck()
{
    const double f0 = 2 * MIDDLE_C;
    const double seconds = 0.5;
    Wave w(samplesFor(seconds));
    for (size_t i = 0; i < w.size(); ++i) {
        double t = static_cast<double>(i) * DT;
        double x = 0;
        for (int k = 1; k <= 10; ++k)
            x += std::sin(TWO_PI * f0 * k * t) / k * std::exp(-t * (3.0 + 4.0 * k));
        double fadeOut = std::min(1.0, (seconds - t) / 0.05);
        w[i] = x * std::min(1.0, t / 0.002) * fadeOut;
    }
    return oneShot("pluck", w);
}

} // namespace

std::vector<ItSample> makeInstruments()
{
    // In SampleNumber order.
    return {makeKick(), makeSnare(), makeHat(), makeShaker(), makeBass(),
            makeSub(),  makeLead(),  makePad(), makeBell(),   makePluck()};
}
