#include "paint/PowerupPainter.h"

#include <cmath>
#include <iterator>
#include <vector>

#include "frame/AssetManifest.h"
#include "paint/Geometry.h"
#include "paint/Mask.h"

namespace {

constexpr int SAMPLES = 8;
constexpr float CENTRE = 6.0f;

enum class Shape { Spikes, Star, Cross };

struct Look {
    Shape shape;
    float size;        // outer radius, or arm length of a cross
    float detail;      // spike count, inner radius ratio of a star, or arm thickness
    Colour body, core, glow;
    float glowStrength;
    bool sparkle;
};

// In the order of the power-up kinds.
const Look LOOKS[] = {
    {Shape::Spikes, 5.9f, 8, rgb(200, 60, 235), rgb(255, 200, 250), rgb(190, 50, 230), 0.8f, false},
    {Shape::Star, 4.9f, 0.45f, rgb(255, 200, 60), rgb(255, 248, 200), rgb(255, 180, 40), 0.9f, false},
    {Shape::Star, 5.9f, 0.44f, rgb(255, 225, 100), rgb(255, 255, 245), rgb(255, 210, 70), 1.3f, true},
    {Shape::Star, 3.9f, 0.47f, rgb(235, 165, 45), rgb(255, 230, 150), rgb(220, 140, 30), 0.6f, false},
    {Shape::Cross, 3.6f, 1.9f, rgb(80, 225, 100), rgb(215, 255, 215), rgb(60, 220, 90), 0.6f, false},
    {Shape::Spikes, 4.6f, 6, rgb(255, 70, 50), rgb(255, 200, 170), rgb(240, 50, 30), 0.6f, false},
    {Shape::Cross, 5.3f, 2.7f, rgb(110, 255, 140), rgb(245, 255, 245), rgb(80, 255, 120), 1.1f, false},
};
static_assert(std::size(LOOKS) == AssetManifest::STARS, "a look for every power-up kind");

bool insidePolygon(Point p, const std::vector<Point>& polygon)
{
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& a = polygon[i];
        const Point& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

std::vector<Point> starPolygon(float outer, float innerRatio)
{
    std::vector<Point> points;
    for (int i = 0; i < 10; i++) {
        float r = (i % 2 == 0) ? outer : outer * innerRatio;
        float a = -PI / 2 + i * PI / 5;
        points.push_back({CENTRE + r * std::cos(a), CENTRE + 0.3f + r * std::sin(a)});
    }
    return points;
}

// 0 at the centre of the shape, 1 at its outline, for shading.
float spikeRadius(const Look& look, float dx, float dy)
{
    float a = std::atan2(dy, dx) + PI / look.detail;
    float f = std::pow(std::fabs(std::cos(a * look.detail / 2)), 6.0f);
    return look.size * (0.42f + 0.58f * f);
}

} // namespace

Image PowerupPainter::star(int kind) const
{
    const Look& look = LOOKS[kind];
    const std::vector<Point> polygon = starPolygon(look.size, look.detail);
    auto inside = [&](float x, float y) {
        float dx = x - CENTRE;
        float dy = y - CENTRE;
        switch (look.shape) {
        case Shape::Spikes:
            return length(dx, dy) <= spikeRadius(look, dx, dy);
        case Shape::Star:
            return insidePolygon({x, y}, polygon);
        case Shape::Cross: {
            float half = look.detail * 0.5f;
            Point p{x, y};
            return segmentDistance(p, {CENTRE - look.size + half, CENTRE}, {CENTRE + look.size - half, CENTRE}) <= half ||
                   segmentDistance(p, {CENTRE, CENTRE - look.size + half}, {CENTRE, CENTRE + look.size - half}) <= half;
        }
        }
        return false;
    };
    Image image = Image::render(SIZE, SIZE, SAMPLES, [&](float x, float y) {
        Pixel p;
        if (!inside(x, y))
            return p;
        float t = clamp01(length(x - CENTRE, y - CENTRE) / look.size);
        p.over(mix(look.core, look.body, smoothstep(0.1f, 0.85f, t)), 1.0f);
        return p;
    });
    Mask shape = Mask::of(SIZE, SIZE, SAMPLES, inside);
    Mask glow = shape.blurred(0.9f);
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++)
            glow.at(x, y) *= smoothstep(6.2f, 4.5f, length(x + 0.5f - CENTRE, y + 0.5f - CENTRE));
    glow.glowUnder(image, look.glow, look.glowStrength, 0.8f);
    if (look.sparkle) {
        // Thin rays across the biggest prize, the way a jewel catches light.
        for (int y = 0; y < SIZE; y++)
            for (int x = 0; x < SIZE; x++) {
                float dx = std::fabs(x + 0.5f - CENTRE);
                float dy = std::fabs(y + 0.5f - CENTRE);
                float ray = std::exp(-dy * 2.5f) * smoothstep(6.0f, 1.0f, dx) +
                            std::exp(-dx * 2.5f) * smoothstep(6.0f, 1.0f, dy);
                image.at(x, y).add(rgb(255, 250, 220), 0.45f * ray);
            }
    }
    return image;
}
