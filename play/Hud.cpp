#include "play/Hud.h"

#include <allegro.h>
#include <cstdio>
#include <string>

#include "frame/ShadowedText.h"
#include "input/InputLabel.h"
#include "world/Powerup.h"
#include "world/Soul.h"

namespace {

constexpr int RADAR_W = 64;
constexpr int RADAR_H = 48;
constexpr int RADAR_X = 252;
constexpr int RADAR_Y = 188;
constexpr int RADAR_OPACITY = 64;
constexpr int RADAR_MARK = 4;
constexpr float RADAR_SCALE = 0.0625f;

constexpr int HEALTH_SEGMENTS = 30;
constexpr int SEGMENT_X = 4;
constexpr int SEGMENT_PITCH = 8;
constexpr int SEGMENT_W = 6;
constexpr int SEGMENT_TOP = 224;
constexpr int SEGMENT_BOTTOM = 236;
constexpr float SEGMENT_HUE_STEP = 4.0f;
constexpr float SEGMENT_OUTLINE_VALUE = 0.7f;

constexpr int SCORE_X = 208;
constexpr int SCORE_Y = 4;

void drawSegment(BITMAP* target, int x1, int x2, int fill, int outline)
{
    rectfill(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, fill);
    rect(target, x1, SEGMENT_TOP, x2, SEGMENT_BOTTOM, outline);
}

int segmentColour(int segment, float value)
{
    int r, g, b;
    hsv_to_rgb(SEGMENT_HUE_STEP * segment, 1.0f, value, &r, &g, &b);
    return makecol(r, g, b);
}

} // namespace

void Hud::BitmapDeleter::operator()(BITMAP* bitmap) const { destroy_bitmap(bitmap); }

void Hud::drawRadar(BITMAP* target, const std::vector<std::unique_ptr<Soul>>& souls,
                    const std::vector<std::unique_ptr<Powerup>>& powerups, const Player& user)
{
    drawRadarPanel(target);
    auto dot = [target](const Object& object, int colour) {
        int x = static_cast<int>(object.pos.x * RADAR_SCALE) + RADAR_X;
        int y = static_cast<int>(object.pos.y * RADAR_SCALE) + RADAR_Y;
        putpixel(target, x, y, colour);
    };
    int red = makecol(255, 0, 0);
    for (const auto& soul : souls)
        if (soul->state != Dying)
            dot(*soul, red);
    int yellow = makecol(255, 255, 0);
    for (const auto& powerup : powerups)
        if (powerup->health > 0)
            dot(*powerup, yellow);
    dot(user, makecol(0, 255, 255));
}

void Hud::drawRadarPanel(BITMAP* target)
{
    if (!radarPanel) {
        radarPanel.reset(create_bitmap(RADAR_W, RADAR_H));
        if (radarPanel)
            clear_to_color(radarPanel.get(), makecol(64, 160, 128));
    }
    if (radarPanel) {
        set_trans_blender(0, 0, 0, RADAR_OPACITY);
        draw_trans_sprite(target, radarPanel.get(), RADAR_X, RADAR_Y);
    }

    const int left = RADAR_X;
    const int top = RADAR_Y;
    const int right = RADAR_X + RADAR_W;
    const int bottom = RADAR_Y + RADAR_H;
    int white = makecol(255, 255, 255);
    hline(target, left, top, left + RADAR_MARK, white);
    vline(target, left, top, top + RADAR_MARK, white);
    hline(target, right, top, right - RADAR_MARK, white);
    vline(target, right, top, top + RADAR_MARK, white);
    hline(target, left, bottom, left + RADAR_MARK, white);
    vline(target, left, bottom, bottom - RADAR_MARK, white);
    hline(target, right, bottom, right - RADAR_MARK, white);
    vline(target, right, bottom, bottom - RADAR_MARK, white);
}

void Hud::drawHealthBar(BITMAP* target, float health, float ceiling) const
{
    // Without a positive full scale (an hp1 of 0 or less) the bar reads as at
    // zero health instead of dividing by it.
    float v = ceiling > 0 ? (health * HEALTH_SEGMENTS) * (1 / ceiling) : 0.0f;
    int unlitFill = makecol(64, 64, 64);
    int unlitOutline = makecol(40, 40, 40);
    int corner = makecol(0, 0, 0);
    for (int i = 0; i < HEALTH_SEGMENTS; i++) {
        int x1 = SEGMENT_X + SEGMENT_PITCH * i;
        int x2 = x1 + SEGMENT_W;
        if (!(i > v))
            drawSegment(target, x1, x2, segmentColour(i, 1.0f), segmentColour(i, SEGMENT_OUTLINE_VALUE));
        else
            drawSegment(target, x1, x2, unlitFill, unlitOutline);
        putpixel(target, x1, SEGMENT_TOP, corner);
        putpixel(target, x2, SEGMENT_TOP, corner);
        putpixel(target, x1, SEGMENT_BOTTOM, corner);
        putpixel(target, x2, SEGMENT_BOTTOM, corner);
    }
}

void Hud::drawScore(BITMAP* target, int points) const
{
    char line[32];
    std::snprintf(line, sizeof line, "pts: %08d", points);
    shadowedText(target, line, SCORE_X, SCORE_Y, makecol(140, 200, 240), makecol(64, 64, 160), TextAlign::Left);
}

void Hud::drawGameOver(BITMAP* target) const
{
    int th = text_height(font);
    int cx = target->w / 2;
    int cy = target->h / 2;
    shadowedText(target, "GAME OVER!", cx, cy - (th * 3) / 2, makecol(255, 255, 255), TextAlign::Centre);
    // The key or button that goes on is the player's own.
    const std::string hint = "Press " + hintLabel(Action::Choose) + " to continue...";
    shadowedText(target, hint.c_str(), cx, cy + th / 2, makecol(192, 192, 192), TextAlign::Centre);
}
