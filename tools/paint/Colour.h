#pragma once

#include <algorithm>
#include <cmath>

// Display colour with components nominally in [0, 1]; glows may push
// them above 1 until the picture is stored.
struct Colour {
    float r = 0, g = 0, b = 0;

    Colour operator+(const Colour& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Colour operator-(const Colour& o) const { return {r - o.r, g - o.g, b - o.b}; }
    Colour operator*(float k) const { return {r * k, g * k, b * k}; }
    Colour operator*(const Colour& o) const { return {r * o.r, g * o.g, b * o.b}; }
    Colour& operator+=(const Colour& o) { r += o.r; g += o.g; b += o.b; return *this; }
    float luminance() const { return 0.2126f * r + 0.7152f * g + 0.0722f * b; }
};

// A colour from 0..255 components, the way the rest of the game names colours.
inline Colour rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

inline float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

inline float mix(float a, float b, float t) { return a + (b - a) * t; }

inline Colour mix(const Colour& a, const Colour& b, float t) { return a + (b - a) * t; }

inline float smoothstep(float edge0, float edge1, float x)
{
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// Colour ramp through evenly spaced stops, t in [0, 1].
template <int N>
Colour ramp(const Colour (&stops)[N], float t)
{
    t = clamp01(t) * (N - 1);
    int i = std::min(N - 2, static_cast<int>(t));
    return mix(stops[i], stops[i + 1], t - i);
}

// Premultiplied colour with coverage, for layering sprite parts.
struct Pixel {
    Colour c;
    float a = 0;

    // Paints a layer of the given colour and coverage on top.
    void over(const Colour& colour, float alpha)
    {
        c = colour * alpha + c * (1.0f - alpha);
        a = alpha + a * (1.0f - alpha);
    }
    // Light that adds to whatever lies below, such as a glow.
    void add(const Colour& light, float amount)
    {
        c += light * amount;
        a = std::min(1.0f, a + amount * std::max(light.r, std::max(light.g, light.b)));
    }
};
