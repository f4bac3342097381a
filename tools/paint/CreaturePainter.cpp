#include "paint/CreaturePainter.h"

#include <cmath>

#include "paint/Mask.h"

namespace {

constexpr int SAMPLES = 6;

// The wisp is a drop of cold flame: a round body drawn up into a tip that
// leans a little, as if it were always drifting.
constexpr float WISP_X = 16.0f, WISP_Y = 19.0f, WISP_RADIUS = 9.0f;
constexpr float WISP_TIP = 0.75f, WISP_LEAN = 0.3f;

// The ghost is a sheet: a round head over a skirt that ends in three
// rounded lobes.
constexpr float GHOST_X = 16.0f, GHOST_HEAD_Y = 13.0f, GHOST_RADIUS = 9.2f;
constexpr float GHOST_HEM = 22.5f, GHOST_HEM_DEPTH = 4.8f, GHOST_FLARE = 0.12f;

float wispRadius(float dx, float dy)
{
    float up = std::fmax(0.0f, -std::sin(std::atan2(dy, dx) - WISP_LEAN));
    return WISP_RADIUS * (1.0f + WISP_TIP * std::pow(up, 5.0f));
}

float ghostHalfWidth(float y) { return GHOST_RADIUS + GHOST_FLARE * std::fmax(0.0f, y - GHOST_HEAD_Y); }

float ghostHem(float x)
{
    float left = GHOST_X - ghostHalfWidth(GHOST_HEM);
    float width = 2 * ghostHalfWidth(GHOST_HEM);
    float wave = std::fabs(std::sin(PI * 3.0f * (x - left) / width));
    return GHOST_HEM + GHOST_HEM_DEPTH * std::sqrt(wave);
}

// Keeps every glow clear of the sprite's square edge, so no straight cut shows.
float roundWindow(float x, float y, float inner)
{
    return smoothstep(15.8f, inner, length(x - 16.0f, y - 16.0f));
}

} // namespace

CreaturePainter::CreaturePainter(Family family) : family(family)
{
    if (family == Family::Wisp) {
        faceCentre = {WISP_X, 18.3f};
        eyeSpacing = 4.2f;
        eyeScale = 1.0f;
        darkInk = rgb(10, 22, 70);
        lightInk = rgb(250, 252, 255);
        glowColour = rgb(90, 160, 255);
        glowStrength = 1.5f;
        coreColour = rgb(215, 240, 255);
        hazeColour = rgb(40, 100, 255);
    } else {
        faceCentre = {GHOST_X, 13.6f};
        eyeSpacing = 4.3f;
        eyeScale = 1.12f;
        darkInk = rgb(14, 40, 28);
        lightInk = rgb(250, 255, 250);
        glowColour = rgb(60, 180, 105);
        glowStrength = 1.0f;
        coreColour = rgb(225, 255, 230);
        hazeColour = rgb(50, 190, 110);
    }
}

bool CreaturePainter::insideBody(float x, float y) const
{
    if (family == Family::Wisp) {
        float dx = x - WISP_X;
        float dy = y - WISP_Y;
        return length(dx, dy) <= wispRadius(dx, dy);
    }
    if (y < GHOST_HEAD_Y)
        return length(x - GHOST_X, y - GHOST_HEAD_Y) <= GHOST_RADIUS;
    return std::fabs(x - GHOST_X) <= ghostHalfWidth(y) && y <= ghostHem(x);
}

Colour CreaturePainter::bodyColour(float x, float y) const
{
    if (family == Family::Wisp) {
        float dx = x - WISP_X;
        float dy = y - WISP_Y;
        float t = length(dx, dy) / wispRadius(dx, dy);
        const Colour stops[] = {rgb(235, 250, 255), rgb(170, 215, 255), rgb(95, 160, 255),
                                rgb(55, 105, 235)};
        Colour c = ramp(stops, t * t);
        // A thin bright rim makes the flame read as light, not as paint.
        c = mix(c, rgb(150, 215, 255), 0.55f * smoothstep(0.8f, 1.0f, t));
        // The core sits a little up and to the left, where the light gathers.
        float core = std::exp(-(length(x - 14.5f, y - 15.5f) / 4.0f));
        return c + rgb(40, 30, 10) * core;
    }
    float down = clamp01((y - 4.0f) / (GHOST_HEM + GHOST_HEM_DEPTH - 4.0f));
    const Colour stops[] = {rgb(235, 255, 238), rgb(195, 245, 205), rgb(130, 215, 160),
                            rgb(80, 170, 120)};
    Colour c = ramp(stops, down);
    float side = std::fabs(x - GHOST_X) / ghostHalfWidth(y);
    c = mix(c, rgb(120, 205, 155), 0.4f * side * side * side);
    float sheen = std::exp(-length((x - 12.5f) / 3.5f, (y - 8.0f) / 2.5f));
    return c + rgb(20, 10, 20) * sheen;
}

bool CreaturePainter::Mark::covers(Point p) const
{
    if (kind == Kind::Stroke)
        return polylineDistance(p, line) <= thickness * 0.5f;
    if (!insideEllipse(p, cx, cy, rx, ry))
        return false;
    float edge = clipY + clipSlope * (p.x - cx);
    if (clip == Clip::KeepBelow)
        return p.y >= edge;
    if (clip == Clip::KeepAbove)
        return p.y <= edge;
    return true;
}

std::vector<CreaturePainter::Mark> CreaturePainter::marks(Expression expression) const
{
    using Kind = Mark::Kind;
    using Clip = Mark::Clip;
    const float e = eyeSpacing;
    const float s = eyeScale;
    std::vector<Mark> list;
    auto ellipse = [&](bool light, float cx, float cy, float rx, float ry) -> Mark& {
        Mark m;
        m.kind = Kind::Ellipse;
        m.light = light;
        m.cx = cx;
        m.cy = cy;
        m.rx = rx;
        m.ry = ry;
        list.push_back(m);
        return list.back();
    };
    auto stroke = [&](bool light, std::vector<Point> line, float thickness) {
        Mark m;
        m.kind = Kind::Stroke;
        m.light = light;
        m.line = std::move(line);
        m.thickness = thickness;
        list.push_back(m);
    };
    auto openEyes = [&](float rx, float ry, float y) {
        for (float side : {-1.0f, 1.0f}) {
            ellipse(false, side * e, y, rx * s, ry * s);
            ellipse(true, side * e - 0.5f * s, y - 0.75f * s, 0.55f, 0.6f);
        }
    };
    auto happyEye = [&](float x) {
        stroke(false, curve(x - 1.9f * s, x + 1.9f * s, [&](float u) {
            float d = (u - x) / s;
            return -0.45f + 0.3f * d * d;
        }), 1.15f);
    };

    switch (expression) {
    case Expression::Calm:
        openEyes(1.3f, 1.9f, 0.0f);
        stroke(false, curve(-2.0f, 2.0f, [](float x) { return 5.6f - 0.1f * x * x; }), 1.1f);
        break;
    case Expression::Smile:
        openEyes(1.3f, 1.8f, 0.0f);
        stroke(false, curve(-3.2f, 3.2f, [](float x) { return 5.9f - 0.17f * x * x; }), 1.25f);
        break;
    case Expression::Surprise:
        openEyes(1.75f, 2.3f, -0.3f);
        for (float side : {-1.0f, 1.0f})
            stroke(false, arc(side * e, -0.4f, 3.6f * s, -0.72f * PI, -0.28f * PI, 10), 0.9f);
        ellipse(false, 0.0f, 5.7f, 1.4f, 1.9f);
        break;
    case Expression::Anger:
        for (float side : {-1.0f, 1.0f}) {
            Mark& eye = ellipse(false, side * e, 0.4f, 1.6f * s, 1.7f * s);
            eye.clip = Clip::KeepBelow;
            eye.clipY = -0.3f;
            eye.clipSlope = -side * 0.5f;
            stroke(false, {{side * (e + 2.3f * s), -2.6f}, {side * (e - 2.0f * s), -0.4f}}, 1.15f);
        }
        stroke(false, curve(-2.6f, 2.6f, [](float x) { return 4.9f + 0.15f * x * x; }), 1.2f);
        break;
    case Expression::Sleepy:
        for (float side : {-1.0f, 1.0f}) {
            float x = side * e;
            stroke(false, curve(x - 1.9f * s, x + 1.9f * s, [&](float u) {
                float d = (u - x) / s;
                return 0.9f - 0.22f * d * d;
            }), 1.1f);
        }
        ellipse(false, 0.8f, 5.6f, 0.95f, 1.15f);
        break;
    case Expression::Wink:
        ellipse(false, -e, 0.0f, 1.3f * s, 1.9f * s);
        ellipse(true, -e - 0.5f * s, -0.75f * s, 0.55f, 0.6f);
        happyEye(e);
        stroke(false, curve(-2.4f, 3.3f, [](float x) { return 5.6f - 0.15f * (x - 0.4f) * (x - 0.4f); }), 1.2f);
        break;
    case Expression::Grin: {
        happyEye(-e);
        happyEye(e);
        Mark& mouth = ellipse(false, 0.0f, 3.7f, 4.2f, 3.4f);
        mouth.clip = Clip::KeepBelow;
        mouth.clipY = 3.7f;
        Mark& teeth = ellipse(true, 0.0f, 3.7f, 3.3f, 1.25f);
        teeth.clip = Clip::KeepBelow;
        teeth.clipY = 3.7f;
        break;
    }
    case Expression::Fright:
        for (float side : {-1.0f, 1.0f}) {
            ellipse(false, side * e, -0.2f, 2.1f * s, 2.5f * s);
            ellipse(true, side * e, -0.2f, 1.35f * s, 1.75f * s);
            ellipse(false, side * e, 0.1f, 0.62f, 0.72f);
            stroke(false, {{side * (e + 2.1f * s), -3.3f * s}, {side * (e - 1.6f * s), -4.3f * s}}, 0.9f);
        }
        stroke(false, curve(-3.2f, 3.2f, [](float x) { return 5.9f + 0.55f * std::sin(2.4f * x); }, 24), 1.0f);
        break;
    }
    return list;
}

Image CreaturePainter::face(Expression expression, float scale) const
{
    const std::vector<Mark> features = marks(expression);
    const int size = static_cast<int>(std::ceil(SIZE * scale));
    Image image = Image::render(size, size, SAMPLES, [&](float px, float py) {
        float x = px / scale;
        float y = py / scale;
        Pixel p;
        if (!insideBody(x, y))
            return p;
        Colour c = bodyColour(x, y);
        Point local{x - faceCentre.x, y - faceCentre.y};
        for (const Mark& mark : features)
            if (mark.covers(local))
                c = mark.light ? lightInk : darkInk;
        p.over(c, 1.0f);
        return p;
    });
    Mask body = Mask::of(size, size, SAMPLES, [&](float x, float y) { return insideBody(x / scale, y / scale); });
    Mask near = body.blurred(1.3f * scale);
    Mask far = body.blurred(3.2f * scale);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++) {
            float window = roundWindow((x + 0.5f) / scale, (y + 0.5f) / scale, 12.0f);
            near.at(x, y) *= window;
            far.at(x, y) *= window;
        }
    near.glowUnder(image, glowColour, glowStrength);
    far.glowUnder(image, glowColour, 0.8f, 0.7f);
    return image;
}

Image CreaturePainter::tail(int variant) const
{
    Image image(SIZE, SIZE);
    const float c = 16.0f;
    // The souls' trails stay fainter than the player's, so the player's own
    // path reads first in a crowd.
    const float k = family == Family::Wisp ? 1.0f : 0.7f;
    switch (variant % TAILS) {
    case 0:  // a round soft orb
        image.addGlow(c, c, 4.2f, hazeColour, 0.7f * k);
        image.addGlow(c, c, 2.2f, coreColour, 0.7f * k);
        break;
    case 1:  // a small hot core in a wide veil
        image.addGlow(c, c, 4.8f, hazeColour, 0.5f * k);
        image.addGlow(c, c, 1.4f, coreColour, 1.1f * k);
        break;
    case 2:  // a rising lick of flame
        for (int i = 0; i < 6; i++) {
            float t = i / 5.0f;
            image.addGlow(c + 1.5f * std::sin(t * 2.5f), c + 3.5f - 8.0f * t, 3.4f - 2.0f * t,
                          mix(hazeColour, coreColour, 0.3f + 0.5f * t), (0.42f - 0.1f * t) * k);
        }
        break;
    default:  // a scatter of sparks
        image.addGlow(c, c, 4.2f, hazeColour, 0.4f * k);
        image.addGlow(c - 3.5f, c + 2.0f, 1.2f, coreColour, 0.9f * k);
        image.addGlow(c + 3.0f, c - 3.0f, 1.0f, coreColour, 0.9f * k);
        image.addGlow(c + 1.5f, c + 4.0f, 0.9f, coreColour, 0.7f * k);
        image.addGlow(c - 1.0f, c - 1.5f, 1.6f, mix(hazeColour, coreColour, 0.6f), 0.8f * k);
        break;
    }
    for (int y = 0; y < SIZE; y++)
        for (int x = 0; x < SIZE; x++) {
            Pixel& p = image.at(x, y);
            float window = roundWindow(x + 0.5f, y + 0.5f, 9.0f);
            p.c = p.c * window;
            p.a *= window;
        }
    return image;
}
