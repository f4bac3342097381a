#include "paint/BackdropPainter.h"

#include <cmath>
#include <string>
#include <vector>

#include "paint/CreaturePainter.h"
#include "paint/Geometry.h"
#include "paint/Noise.h"
#include "paint/Rng.h"
#include "paint/SkyPainter.h"
#include "paint/TitleLettering.h"

namespace {

constexpr uint64_t SKY_SEED = 2;
constexpr uint64_t LAND_SEED = 3;
constexpr float HORIZON = 196.0f;

// The title sits in the strip above the highest menu panel (y 62).
constexpr float TITLE_HEIGHT = 36.0f;
constexpr float TITLE_TOP = 17.0f;
constexpr float TITLE_SLANT = 0.16f;
constexpr float THE_HEIGHT = 15.0f;

// A tapering limb of a dead tree or the outline of a stone.
struct Limb {
    Point a, b;
    float ra, rb;
    bool covers(Point p) const
    {
        float abx = b.x - a.x;
        float aby = b.y - a.y;
        float len2 = abx * abx + aby * aby;
        float t = len2 > 0 ? ((p.x - a.x) * abx + (p.y - a.y) * aby) / len2 : 0;
        t = std::fmin(1.0f, std::fmax(0.0f, t));
        return length(p.x - a.x - abx * t, p.y - a.y - aby * t) <= ra + (rb - ra) * t;
    }
};

void growTree(Rng& rng, std::vector<Limb>& limbs, Point base, float angle, float len, float thick, int depth)
{
    // Each limb bends once on its way, so the tree looks gnarled, not drawn.
    Point mid{base.x + std::sin(angle) * len * 0.5f, base.y - std::cos(angle) * len * 0.5f};
    float bend = angle + rng.range(-0.35f, 0.35f);
    Point tip{mid.x + std::sin(bend) * len * 0.5f, mid.y - std::cos(bend) * len * 0.5f};
    float thin = thick * 0.68f;
    limbs.push_back({base, mid, thick, (thick + thin) * 0.5f});
    limbs.push_back({mid, tip, (thick + thin) * 0.5f, thin});
    if (depth == 0)
        return;
    int children = depth > 3 ? 2 : 2 + rng.below(2);
    for (int i = 0; i < children; i++) {
        float spread = rng.range(0.35f, 0.8f) * (i % 2 == 0 ? -1.0f : 1.0f);
        growTree(rng, limbs, tip, bend + spread, len * rng.range(0.62f, 0.78f), thin, depth - 1);
    }
}

// Paints a silhouette made of limbs, anti-aliased, in one colour.
void paintSilhouette(Image& image, const std::vector<Limb>& limbs, const Colour& colour)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Limb& l : limbs) {
        float r = std::fmax(l.ra, l.rb);
        x0 = std::fmin(x0, std::fmin(l.a.x, l.b.x) - r);
        y0 = std::fmin(y0, std::fmin(l.a.y, l.b.y) - r);
        x1 = std::fmax(x1, std::fmax(l.a.x, l.b.x) + r);
        y1 = std::fmax(y1, std::fmax(l.a.y, l.b.y) + r);
    }
    const int samples = 4;
    for (int y = std::max(0, static_cast<int>(y0)); y <= std::min(image.height() - 1, static_cast<int>(y1)); y++)
        for (int x = std::max(0, static_cast<int>(x0)); x <= std::min(image.width() - 1, static_cast<int>(x1)); x++) {
            int hits = 0;
            for (int sy = 0; sy < samples; sy++)
                for (int sx = 0; sx < samples; sx++) {
                    Point p{x + (sx + 0.5f) / samples, y + (sy + 0.5f) / samples};
                    for (const Limb& l : limbs)
                        if (l.covers(p)) {
                            hits++;
                            break;
                        }
                }
            if (hits)
                image.at(x, y).over(colour, static_cast<float>(hits) / (samples * samples));
        }
}

float strokesDistance(Point p, const std::vector<std::vector<Point>>& strokes)
{
    float best = 1e9f;
    for (const std::vector<Point>& stroke : strokes)
        best = std::fmin(best, polylineDistance(p, stroke));
    return best;
}

// Neon lettering: a white-hot core inside a coloured tube, with a glow
// around it that reaches well beyond the stroke.
void paintNeon(Image& image, const std::vector<std::vector<Point>>& strokes, float tube, const Colour& core,
               const Colour& body, const Colour& glow, float glowReach)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const std::vector<Point>& stroke : strokes)
        for (const Point& p : stroke) {
            x0 = std::fmin(x0, p.x);
            y0 = std::fmin(y0, p.y);
            x1 = std::fmax(x1, p.x);
            y1 = std::fmax(y1, p.y);
        }
    const float reach = glowReach * 3.0f;
    const int samples = 4;
    for (int y = std::max(0, static_cast<int>(y0 - reach)); y <= std::min(image.height() - 1, static_cast<int>(y1 + reach)); y++)
        for (int x = std::max(0, static_cast<int>(x0 - reach)); x <= std::min(image.width() - 1, static_cast<int>(x1 + reach)); x++) {
            float d = strokesDistance({x + 0.5f, y + 0.5f}, strokes);
            Pixel& p = image.at(x, y);
            p.add(glow, 0.55f * std::exp(-d / (glowReach * 0.35f)) + 0.22f * std::exp(-d / glowReach));
            if (d > tube + 1.0f)
                continue;
            Colour sum;
            float cover = 0;
            for (int sy = 0; sy < samples; sy++)
                for (int sx = 0; sx < samples; sx++) {
                    float ds = strokesDistance({x + (sx + 0.5f) / samples, y + (sy + 0.5f) / samples}, strokes);
                    if (ds > tube)
                        continue;
                    cover += 1.0f / (samples * samples);
                    sum += mix(core, body, smoothstep(tube * 0.25f, tube, ds)) * (1.0f / (samples * samples));
                }
            if (cover > 0)
                p.over(sum * (1.0f / cover), cover);
        }
}

} // namespace

Image BackdropPainter::paint() const
{
    Image image(WIDTH, HEIGHT);
    SkyPainter sky(SKY_SEED);
    sky.paintNebula(image, 1.7f, 0.75f);
    // The sky glows faintly green above the mist of the horizon.
    for (int y = 0; y < HEIGHT; y++)
        for (int x = 0; x < WIDTH; x++)
            image.at(x, y).add(rgb(25, 70, 60), 0.9f * std::exp(-std::fabs(HORIZON - y) / 32.0f));
    sky.paintStars(image, 420);
    sky.paintWisps(image, 6);
    paintLand(image);
    paintGhosts(image);
    paintTitle(image);
    return image;
}

void BackdropPainter::paintLand(Image& image) const
{
    Noise noise(LAND_SEED);
    auto farHill = [&](float x) { return HORIZON - 4.0f + 9.0f * noise.fbm(x / 70.0f, 0.5f, 4); };
    auto nearGround = [&](float x) {
        return 218.0f + 5.0f * noise.fbm(x / 45.0f, 7.5f, 4) - 22.0f * std::exp(-std::pow((x - 24.0f) / 48.0f, 2.0f)) -
               16.0f * std::exp(-std::pow((x - 298.0f) / 40.0f, 2.0f));
    };
    const Colour hill = rgb(9, 17, 28);
    const Colour ground = rgb(3, 5, 9);
    const Colour mist = rgb(55, 125, 105);
    for (int x = 0; x < WIDTH; x++) {
        float far = farHill(x + 0.5f);
        float near = nearGround(x + 0.5f);
        for (int y = 0; y < HEIGHT; y++) {
            Pixel& p = image.at(x, y);
            float cy = y + 0.5f;
            float farCover = clamp01(cy + 0.5f - far);
            if (farCover > 0) {
                // The hill's crest catches the light of the mist behind it.
                Colour c = hill + mist * (0.25f * std::exp(-(cy - far) / 3.0f));
                p.over(c, farCover);
            }
            float fog = 0.5f + 0.5f * noise.fbm(x / 55.0f + 3.0f, y / 9.0f, 5);
            float band = std::exp(-std::fabs(cy - (far + 8.0f)) / 9.0f);
            p.add(mist, 0.32f * fog * fog * band);
            float nearCover = clamp01(cy + 0.5f - near);
            if (nearCover > 0)
                p.over(ground + mist * (0.12f * std::exp(-(cy - near) / 2.0f)), nearCover);
        }
    }

    Rng rng(LAND_SEED * 11);
    std::vector<Limb> trees;
    growTree(rng, trees, {22.0f, nearGround(22.0f) + 2.0f}, 0.08f, 26.0f, 2.6f, 5);
    growTree(rng, trees, {301.0f, nearGround(301.0f) + 2.0f}, -0.12f, 21.0f, 2.2f, 5);
    growTree(rng, trees, {262.0f, nearGround(262.0f) + 1.0f}, 0.2f, 9.0f, 1.1f, 3);
    paintSilhouette(image, trees, rgb(4, 6, 11));

    // Leaning headstones along the near ground.
    const float stones[][4] = {{52, 7, 11, -0.12f}, {66, 6, 9, 0.1f}, {88, 8, 12, 0.04f},
                               {232, 7, 10, -0.08f}, {248, 6, 13, 0.06f}, {281, 7, 9, 0.15f}};
    for (const auto& s : stones) {
        float x = s[0], w = s[1], h = s[2], lean = s[3];
        float base = nearGround(x) + 3.0f;
        Point top{x + std::sin(lean) * (h - w * 0.5f), base - std::cos(lean) * (h - w * 0.5f)};
        std::vector<Limb> stone;
        for (float dx = -w * 0.5f + 1.0f; dx <= w * 0.5f - 1.0f; dx += 0.5f)
            stone.push_back({{x + dx, base}, {top.x + dx * std::cos(lean), top.y + dx * std::sin(lean)}, 1.0f, 1.0f});
        stone.push_back({top, top, w * 0.5f, w * 0.5f});
        paintSilhouette(image, stone, rgb(7, 10, 16));
    }
}

void BackdropPainter::paintGhosts(Image& image) const
{
    using Expression = CreaturePainter::Expression;
    CreaturePainter ghosts(CreaturePainter::Family::Ghost);
    struct Drift {
        float x, y, scale, opacity;
        Expression face;
        float trailX, trailY;  // direction the ghost came from
    };
    const Drift drifts[] = {
        {40, 118, 1.5f, 0.85f, Expression::Grin, -0.5f, 1.0f},
        {282, 100, 1.3f, 0.8f, Expression::Anger, 0.6f, 1.0f},
        {300, 168, 0.7f, 0.55f, Expression::Surprise, 0.8f, 0.4f},
        {16, 176, 0.65f, 0.5f, Expression::Calm, -0.5f, -0.3f},
    };
    for (const Drift& d : drifts) {
        // A fading trail of soft lights behind each ghost, as in the game.
        for (int i = 6; i >= 1; i--) {
            float t = i / 6.0f;
            image.addGlow(d.x + d.trailX * 22.0f * d.scale * t, d.y + d.trailY * 22.0f * d.scale * t,
                          (5.0f - 2.5f * t) * d.scale, rgb(90, 220, 140), 0.22f * (1.0f - t) + 0.05f);
        }
        Image ghost = ghosts.face(d.face, d.scale);
        for (int y = 0; y < ghost.height(); y++)
            for (int x = 0; x < ghost.width(); x++) {
                Pixel& p = ghost.at(x, y);
                p.c = p.c * d.opacity;
                p.a *= d.opacity;
            }
        image.paint(ghost, static_cast<int>(d.x - ghost.width() * 0.5f), static_cast<int>(d.y - ghost.height() * 0.5f));
    }
}

void BackdropPainter::paintTitle(Image& image) const
{
    const std::string word = "WISPEN";
    float wordWidth = TitleLettering::width(word) * TITLE_HEIGHT;
    float left = (WIDTH - wordWidth) * 0.5f - TITLE_HEIGHT * TITLE_SLANT * 0.5f;

    // The wisp's trail sweeps under the word and ends in the wisp itself.
    std::vector<Point> trail;
    for (int i = 0; i <= 160; i++) {
        float t = i / 160.0f;
        trail.push_back({left - 12.0f + t * (wordWidth + 30.0f),
                         TITLE_TOP + TITLE_HEIGHT + 9.0f - 10.0f * std::sin(t * PI * 0.9f) + 6.0f * t * t});
    }
    for (size_t i = 0; i < trail.size(); i++) {
        float t = static_cast<float>(i) / (trail.size() - 1);
        image.addGlow(trail[i].x, trail[i].y, 1.0f + 2.2f * t, rgb(70, 140, 255), 0.02f + 0.06f * t * t);
        image.addGlow(trail[i].x, trail[i].y, 0.5f + 0.6f * t, rgb(200, 230, 255), 0.025f + 0.08f * t * t);
    }
    CreaturePainter wisps(CreaturePainter::Family::Wisp);
    Image wisp = wisps.face(CreaturePainter::Expression::Smile, 0.85f);
    Point head = trail.back();
    image.paint(wisp, static_cast<int>(head.x - wisp.width() * 0.5f + 4.0f), static_cast<int>(head.y - wisp.height() * 0.55f));

    paintNeon(image, TitleLettering::layout(word, left, TITLE_TOP, TITLE_HEIGHT, TITLE_SLANT), 2.7f,
              rgb(240, 252, 255), rgb(90, 185, 255), rgb(40, 110, 255), 9.0f);
    paintNeon(image, TitleLettering::layout("the", left - 4.0f, TITLE_TOP - THE_HEIGHT + 1.0f, THE_HEIGHT, 0.25f),
              1.3f, rgb(235, 255, 240), rgb(120, 235, 160), rgb(50, 200, 120), 5.0f);
}
