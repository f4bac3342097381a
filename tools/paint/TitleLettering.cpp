#include "paint/TitleLettering.h"

namespace {

constexpr float SPACING = 0.3f;
constexpr float SPACE_WIDTH = 0.35f;

// Points of an elliptical arc around (cx, cy); angles in radians, clockwise
// on screen because y points down.
std::vector<Point> ellipseArc(float cx, float cy, float rx, float ry, float from, float to)
{
    std::vector<Point> points;
    const int steps = 28;
    for (int i = 0; i <= steps; i++) {
        float a = from + (to - from) * i / steps;
        points.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    return points;
}

std::vector<Point> join(std::vector<Point> a, const std::vector<Point>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TitleLettering::Letter TitleLettering::letter(char c)
{
    switch (c) {
    case 'W':
        return {1.12f, {{{0, 0}, {0.26f, 1}, {0.56f, 0.32f}, {0.86f, 1}, {1.12f, 0}}}};
    case 'I':
        return {0.0f, {{{0, 0}, {0, 1}}}};
    case 'S':
        return {0.62f, {join(ellipseArc(0.31f, 0.25f, 0.31f, 0.25f, -0.12f * PI, -1.5f * PI),
                             ellipseArc(0.31f, 0.75f, 0.31f, 0.25f, -0.5f * PI, 0.88f * PI))}};
    case 'P':
        return {0.6f, {{{0, 1}, {0, 0}},
                       join(join({{0, 0}, {0.32f, 0}}, ellipseArc(0.32f, 0.27f, 0.28f, 0.27f, -0.5f * PI, 0.5f * PI)),
                            {{0.32f, 0.54f}, {0, 0.54f}})}};
    case 'E':
        return {0.56f, {{{0.56f, 0}, {0, 0}, {0, 1}, {0.56f, 1}}, {{0, 0.5f}, {0.44f, 0.5f}}}};
    case 'N':
        return {0.76f, {{{0, 1}, {0, 0}, {0.76f, 1}, {0.76f, 0}}}};
    case 't':
        return {0.32f, {join({{0.1f, 0.05f}, {0.1f, 0.85f}}, ellipseArc(0.25f, 0.85f, 0.15f, 0.15f, PI, 0.5f * PI)),
                        {{0, 0.4f}, {0.3f, 0.4f}}}};
    case 'h':
        return {0.44f, {{{0, 0}, {0, 1}},
                        join(ellipseArc(0.22f, 0.62f, 0.22f, 0.22f, PI, 2 * PI), {{0.44f, 0.62f}, {0.44f, 1}})}};
    case 'e':
        return {0.46f, {join({{0.02f, 0.7f}, {0.46f, 0.7f}},
                             ellipseArc(0.24f, 0.7f, 0.22f, 0.3f, 0, -1.72f * PI))}};
    default:
        return {SPACE_WIDTH - SPACING, {}};
    }
}

float TitleLettering::width(const std::string& text)
{
    float total = 0;
    for (size_t i = 0; i < text.size(); i++) {
        total += letter(text[i]).width;
        if (i + 1 < text.size())
            total += SPACING;
    }
    return total;
}

std::vector<std::vector<Point>> TitleLettering::layout(const std::string& text, float x, float y, float height,
                                                       float slant)
{
    std::vector<std::vector<Point>> strokes;
    float pen = 0;
    for (char c : text) {
        Letter l = letter(c);
        for (const std::vector<Point>& stroke : l.strokes) {
            std::vector<Point> placed;
            for (const Point& p : stroke)
                placed.push_back({x + (pen + p.x) * height + (1.0f - p.y) * height * slant, y + p.y * height});
            strokes.push_back(placed);
        }
        pen += l.width + SPACING;
    }
    return strokes;
}
