#pragma once

#include <cmath>
#include <vector>

// Plane geometry for painting shapes by testing sample points against them.
struct Point {
    float x = 0, y = 0;
};

inline float length(float x, float y) { return std::sqrt(x * x + y * y); }

// Distance from p to the segment a-b.
inline float segmentDistance(Point p, Point a, Point b)
{
    float abx = b.x - a.x;
    float aby = b.y - a.y;
    float apx = p.x - a.x;
    float apy = p.y - a.y;
    float len2 = abx * abx + aby * aby;
    float t = len2 > 0 ? (apx * abx + apy * aby) / len2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    return length(apx - abx * t, apy - aby * t);
}

// Distance from p to an open polyline.
inline float polylineDistance(Point p, const std::vector<Point>& line)
{
    float best = 1e9f;
    for (size_t i = 1; i < line.size(); i++)
        best = std::fmin(best, segmentDistance(p, line[i - 1], line[i]));
    if (line.size() == 1)
        best = length(p.x - line[0].x, p.y - line[0].y);
    return best;
}

// Points of y = f(x) for x from x0 to x1, enough of them to look smooth.
template <typename F>
std::vector<Point> curve(float x0, float x1, F f, int steps = 16)
{
    std::vector<Point> points;
    for (int i = 0; i <= steps; i++) {
        float x = x0 + (x1 - x0) * i / steps;
        points.push_back({x, f(x)});
    }
    return points;
}

// Points of a circular arc; angles in radians, y pointing down the screen.
inline std::vector<Point> arc(float cx, float cy, float r, float from, float to, int steps = 24)
{
    std::vector<Point> points;
    for (int i = 0; i <= steps; i++) {
        float a = from + (to - from) * i / steps;
        points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return points;
}

// Inside an ellipse turned by `angle` radians.
inline bool insideEllipse(Point p, float cx, float cy, float rx, float ry, float angle = 0)
{
    float dx = p.x - cx;
    float dy = p.y - cy;
    float c = std::cos(angle);
    float s = std::sin(angle);
    float u = (dx * c + dy * s) / rx;
    float v = (-dx * s + dy * c) / ry;
    return u * u + v * v <= 1.0f;
}

constexpr float PI = 3.14159265f;
