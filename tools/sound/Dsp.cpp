#include "sound/Dsp.h"

#include <algorithm>
#include <cmath>
#include <complex>

void Biquad::set(double nb0, double nb1, double nb2, double a0, double na1, double na2)
{
    b0 = nb0 / a0;
    b1 = nb1 / a0;
    b2 = nb2 / a0;
    a1 = na1 / a0;
    a2 = na2 / a0;
}

void Biquad::lowpass(double rate, double freq, double q)
{
    double w = TWO_PI * freq / rate;
    double alpha = std::sin(w) / (2.0 * q);
    double c = std::cos(w);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::highpass(double rate, double freq, double q)
{
    double w = TWO_PI * freq / rate;
    double alpha = std::sin(w) / (2.0 * q);
    double c = std::cos(w);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::bandpass(double rate, double freq, double q)
{
    double w = TWO_PI * freq / rate;
    double alpha = std::sin(w) / (2.0 * q);
    double c = std::cos(w);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::process(float x)
{
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return static_cast<float>(y);
}

double attackDecay(double t, double attack, double tau)
{
    if (t < 0)
        return 0;
    if (t < attack)
        return t / attack;
    return std::exp(-(t - attack) / tau);
}

double smoothStep(double x, double edge0, double edge1)
{
    double u = (x - edge0) / (edge1 - edge0);
    u = std::clamp(u, 0.0, 1.0);
    return 0.5 - 0.5 * std::cos(PI * u);
}

namespace {

void fft(std::vector<std::complex<double>>& a, bool inverse)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        double angle = TWO_PI / static_cast<double>(len) * (inverse ? 1 : -1);
        std::complex<double> step(std::cos(angle), std::sin(angle));
        for (size_t i = 0; i < n; i += len) {
            std::complex<double> w(1);
            for (size_t k = 0; k < len / 2; ++k) {
                std::complex<double> u = a[i + k];
                std::complex<double> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= step;
            }
        }
    }
}

double rmsOf(const Signal& s)
{
    double sum = 0;
    for (float x : s)
        sum += static_cast<double>(x) * x;
    return s.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.size()));
}

double peakOf(const Signal& s)
{
    double peak = 0;
    for (float x : s)
        peak = std::max(peak, static_cast<double>(std::fabs(x)));
    return peak;
}

void scale(Signal& s, double gain)
{
    for (float& x : s)
        x = static_cast<float>(x * gain);
}

} // namespace

Signal periodicNoise(int n, double rate, Rng& rng, double (*gain)(double freq))
{
    std::vector<std::complex<double>> bins(static_cast<size_t>(n));
    for (int k = 1; k < n / 2; ++k) {
        double freq = k * rate / n;
        double amplitude = gain(freq);
        double phase = rng.uniform() * TWO_PI;
        bins[static_cast<size_t>(k)] = std::polar(amplitude, phase);
    }
    fft(bins, true);
    Signal out(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        out[static_cast<size_t>(i)] = static_cast<float>(bins[static_cast<size_t>(i)].real());
    double rms = rmsOf(out);
    if (rms > 0)
        scale(out, 1.0 / rms);
    return out;
}

double loopFrequency(double freq, int n, double rate)
{
    double cycles = std::max(1.0, std::round(freq * n / rate));
    return cycles * rate / n;
}

Signal reverb(const Signal& dry, double rate, double decay, int tail)
{
    // Mutually prime delays (in milliseconds) keep the echoes from lining up.
    const double combMs[4] = {29.7, 37.1, 41.1, 43.7};
    const double allpassMs[2] = {5.0, 1.7};
    const size_t n = dry.size() + static_cast<size_t>(tail);
    Signal wet(n, 0.0f);
    for (double ms : combMs) {
        size_t d = static_cast<size_t>(ms * rate / 1000.0);
        double feedback = std::pow(0.001, ms / 1000.0 / decay);
        Signal line(n, 0.0f);
        float damp = 0;
        for (size_t i = 0; i < n; ++i) {
            float in = i < dry.size() ? dry[i] : 0.0f;
            float delayed = i >= d ? line[i - d] : 0.0f;
            // A gentle low-pass in the loop makes the tail darker as it fades.
            damp = 0.7f * delayed + 0.3f * damp;
            line[i] = in + static_cast<float>(feedback) * damp;
            wet[i] += 0.25f * delayed;
        }
    }
    for (double ms : allpassMs) {
        size_t d = static_cast<size_t>(ms * rate / 1000.0);
        const float g = 0.5f;
        Signal buffer(n, 0.0f);
        Signal out(n, 0.0f);
        for (size_t i = 0; i < n; ++i) {
            float delayed = i >= d ? buffer[i - d] : 0.0f;
            buffer[i] = wet[i] + g * delayed;
            out[i] = delayed - g * buffer[i];
        }
        wet.swap(out);
    }
    return wet;
}

void mixInto(Signal& out, const Signal& in, float gain, int offset)
{
    size_t need = in.size() + static_cast<size_t>(offset);
    if (out.size() < need)
        out.resize(need, 0.0f);
    for (size_t i = 0; i < in.size(); ++i)
        out[i + static_cast<size_t>(offset)] += gain * in[i];
}

void normalisePeak(Signal& s, double peak)
{
    double p = peakOf(s);
    if (p > 0)
        scale(s, peak / p);
}

void normaliseRms(Signal& s, double rms, double peakCeiling)
{
    double r = rmsOf(s);
    double p = peakOf(s);
    if (r <= 0 || p <= 0)
        return;
    scale(s, std::min(rms / r, peakCeiling / p));
}

void fadeEnds(Signal& s, double rate, double inSeconds, double outSeconds)
{
    const size_t n = s.size();
    size_t fadeIn = std::min(n, static_cast<size_t>(inSeconds * rate));
    size_t fadeOut = std::min(n, static_cast<size_t>(outSeconds * rate));
    for (size_t i = 0; i < fadeIn; ++i)
        s[i] *= static_cast<float>(smoothStep(static_cast<double>(i), 0, static_cast<double>(fadeIn)));
    for (size_t i = 0; i < fadeOut; ++i)
        s[n - 1 - i] *= static_cast<float>(smoothStep(static_cast<double>(i), 0, static_cast<double>(fadeOut)));
}
